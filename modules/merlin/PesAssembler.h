// Re-assembles the PES packets of one stream (video or audio) from the raw
// PES bytes that a pipe filter of the card delivers in blocks of any size.
// The blocks are gathered in a buffer of 65535 bytes; once four thresholds'
// worth is there, the front is cut: a packet that starts the buffer goes out
// whole (video cut at the next video start code, audio by its length
// field), the bytes in front of a start code (or a window's worth when there
// is none) go out behind a PES header of our own. Video stream ids
// 0xE1..0xEF leave as 0xE0, audio 0xC1..0xCF as 0xC0. Once a private stream
// 1 start code (0xBD) is met on the audio stream, the stream is AC-3: its
// packets are rebuilt with the AC-3 sub-header after their PES header.
//
// Bounded: a block that would take the buffer past 64511 bytes empties it
// and is dropped; an AC-3 packet that does not fit the output buffer, or
// whose header reaches past it, is dropped. Each drop is counted and the
// stream goes on.
#pragma once

#include <functional>
#include <memory>

#include <WinTypes.h>

#include "FaultCount.h"

class CPesAssembler {
 public:
  enum StreamKind { kVideo = 1, kAudio = 2 };
  enum Fault {
    kBufferFull,  // a block that would overflow the buffer: everything held is dropped
    kTooLarge,    // an AC-3 packet larger than the output buffer
    kBadHeader,   // an AC-3 packet whose header reaches past its end
    kFaultKinds
  };

  static constexpr DWORD kBufferSize = 65535;
  static constexpr DWORD kFillLimit = 64511;
  static constexpr DWORD kOutputSize = 16384;

  // packet, length; the packet is valid during the call.
  using Sink = std::function<void(const BYTE*, int)>;
  // A fault and the size of what was dropped (logged at a decreasing rate).
  using FaultReport = std::function<void(Fault, DWORD)>;

  CPesAssembler() = default;
  CPesAssembler(const CPesAssembler&) = delete;
  CPesAssembler& operator=(const CPesAssembler&) = delete;

  // setSize: the filter's set size (video 6144, audio 2048); the threshold is
  // setSize - 14, the window setSize - 24.
  void Init(StreamKind kind, WORD setSize, Sink sink, FaultReport report);
  void Reset();
  void AddBlock(const BYTE* data, int length);

  bool Ac3() const { return m_bAc3; }
  DWORD Fill() const { return m_dwFill; }
  uint64_t FaultCount(Fault fault) const { return m_faults[fault].Count(); }

 private:
  // The first offset of a start code of this stream, -1 when none.
  int Scan();
  // false when the packet at the front waits for more data.
  bool SendFrontPacket();
  void SendOrphan(DWORD length);
  void Consume(DWORD n);
  void Drop(Fault fault, DWORD size);

  StreamKind m_kind = kVideo;
  DWORD m_dwThreshold = 0;
  DWORD m_dwWindow = 0;
  std::unique_ptr<BYTE[]> m_pBuffer;  // kBufferSize
  std::unique_ptr<BYTE[]> m_pOutput;  // kOutputSize
  DWORD m_dwFill = 0;
  bool m_bAc3 = false;
  Sink m_sink;
  FaultReport m_report;
  CFaultCount m_faults[kFaultKinds];
};
