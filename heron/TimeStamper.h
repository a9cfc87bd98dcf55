// The time-stamp state of one pin: the current and previous PTS, and the
// first PTS that both pins share as their time origin.
#pragma once

#include <WinTypes.h>

#include <atomic>
#include <cstdint>

class CTimeStamper {
 public:
  // The audio pin sets the shared first PTS; the video pin only reads it
  // and stamps nothing while it is 0.
  CTimeStamper(BOOL bVideo, std::atomic<DWORD>* pFirstPts);

  // Start of a buffer fill: the current PTS becomes the previous one.
  void BeginFill() { m_dwPreviousPts = m_dwCurrentPts; }
  // A taken packet carried this PTS.
  void OnPts(DWORD dwPts);
  // The sample's time in 100 ns from the first PTS, when the packet
  // brought a PTS later than the previous one (unsigned 32-bit compare).
  BOOL Stamp(int64_t* pTime) const;
  // After a reset: PTS values 0 (the audio pin also clears the first PTS).
  void Reset();

  DWORD CurrentPts() const { return m_dwCurrentPts; }
  DWORD PreviousPts() const { return m_dwPreviousPts; }

 private:
  const BOOL m_bVideo;
  std::atomic<DWORD>* const m_pFirstPts;
  DWORD m_dwCurrentPts = 0;
  DWORD m_dwPreviousPts = 0;
};
