// The box's player: takes the frames written to it while the output stream
// runs, checks each one (the AA AA AA 00 prefix, a frame counter following
// the one before, the checksum, one whole PVA packet in the padded payload)
// and keeps the PVA packets of the frames it accepts, in order. A frame
// that fails a check is counted and played no further. Portable.
#pragma once

#include <WinTypes.h>

#include <vector>

class CSimPlayer {
 public:
  void Reset();
  void Accept(const BYTE* frame, DWORD length);
  // The PVA packets played, one after the other.
  const std::vector<BYTE>& Played() const { return m_played; }
  DWORD RejectedFrames() const { return m_rejected; }

 private:
  bool IsValid(const BYTE* frame, DWORD length) const;

  std::vector<BYTE> m_played;
  DWORD m_rejected = 0;
  bool m_counterKnown = false;  // the library's counter runs on across boxes
  WORD m_nextCounter = 0;
};
