// The elementary stream of one PID out of its transport packets: the payload
// of each PES packet, whole, from the first packet that starts one. The
// card's output pins deliver one sample per PES packet.
#pragma once

#include <windows.h>

#include <vector>

class CPesGatherer {
 public:
  // Takes one 188-byte packet of the PID; true when the packet starts a new
  // PES packet and so completes the one before, which is moved to *done.
  bool Take(const BYTE* packet, std::vector<BYTE>* done);
  // Forgets what was gathered: the next PES start begins afresh.
  void Reset();

 private:
  std::vector<BYTE> m_pending;
  bool m_started = false;  // a PES start was seen; m_pending holds its payload so far
};
