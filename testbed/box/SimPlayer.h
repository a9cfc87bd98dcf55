// The box's player: takes the frames written to it while the output stream
// runs, checks each one (the AA AA AA 00 prefix, a frame counter following
// the one before, the checksum, one whole PVA packet in the padded payload)
// and keeps the PVA packets of the frames it accepts, in order. A frame
// that fails a check is counted and played no further. Started in format 2
// (MPEG audio) or 3 (raw), the payloads are taken as they come.
//
// It plays what it took at a real-time rate: frames wait in its buffer,
// which drains at the rate times the speed of its mode (paused: not at
// all). While more than the limit (the driver's threshold) is buffered it
// refuses frames; once it has drained to the limit again a refused writer
// may write (the driver then sets the write event). A stalled player takes
// nothing more off its buffer. Portable; times in ms on the caller's clock.
#pragma once

#include <WinTypes.h>

#include <vector>

struct SimPlayerStatus {
  int mode = 0;          // CSimPlayer::Mode
  int speed = 0;         // the slow command's argument
  int format = 0;        // the play command's format
  DWORD buffered = 0;    // bytes waiting to be played
  DWORD peakBuffered = 0;
  DWORD playedBytes = 0;  // drained from the buffer
  DWORD acceptedFrames = 0;
  DWORD refusedWrites = 0;  // frames turned away while full
  DWORD limit = 0;
};

class CSimPlayer {
 public:
  enum Mode { kStopped, kPlaying, kPaused, kSlow, kFastIP, kFastI };
  // The limit while the driver has no threshold.
  static const DWORD kDefaultLimit = 1000000;

  void Reset();
  // Bytes per second at normal speed; 0 takes every frame at once.
  void SetRate(DWORD bytesPerSecond) { m_rate = bytesPerSecond; }
  void SetStalled(bool stalled) { m_stalled = stalled; }
  // The driver's threshold; 0 for none.
  void SetLimit(DWORD bytes) { m_limit = bytes ? bytes : kDefaultLimit; }
  // A record/play command the box accepted (0x81 stop to 0x86 fast).
  void Command(BYTE command, BYTE argument, double nowMs);

  // A frame written: false when the player is full (the write fails).
  bool Accept(const BYTE* frame, DWORD length, double nowMs = 0);
  // Plays on up to nowMs; true once when a refused writer may write again.
  bool Update(double nowMs);
  // Ms until Update returns true; -1 when nothing waits for room or the
  // buffer does not drain.
  double MsUntilRoom() const;

  // The PVA packets taken, one after the other.
  const std::vector<BYTE>& Played() const { return m_played; }
  DWORD RejectedFrames() const { return m_rejected; }
  SimPlayerStatus Status() const;

 private:
  bool IsValid(const BYTE* frame, DWORD length) const;
  // MPEG audio and raw streams carry no PVA packets.
  bool TakesPva() const { return m_format != 2 && m_format != 3; }
  double Speed() const;

  std::vector<BYTE> m_played;
  DWORD m_rejected = 0;
  bool m_counterKnown = false;  // the library's counter runs on across boxes
  WORD m_nextCounter = 0;

  DWORD m_rate = 0;
  DWORD m_limit = kDefaultLimit;
  bool m_stalled = false;
  Mode m_mode = kStopped;
  int m_speed = 0;
  int m_format = 0;
  double m_buffered = 0;
  double m_lastMs = 0;
  bool m_writerWaits = false;
  double m_playedBytes = 0;
  DWORD m_peak = 0;
  DWORD m_accepted = 0;
  DWORD m_refused = 0;
};
