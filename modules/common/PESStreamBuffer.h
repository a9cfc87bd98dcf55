// Assembles the PES packets of one stream (video, audio or AC-3) from the
// payloads of its transport packets and hands them to the recorder. The
// payloads are gathered in a flat buffer; once four maximum packets' worth
// (eight for private-stream AC-3) are there, the front is cut into PES
// packets: whole packets as the source made them, the bytes in front of a
// start code as a chunk behind a header of our own.
//
// Each payload byte is copied once, into the gather buffer. A packet goes to
// the recorder where it lies, its headers written into the consumed bytes in
// front of it; consumed bytes are not moved away one packet at a time but
// left behind until the space after the gathered bytes runs short, when the
// rest moves to the front in one move.
//
// Input that cannot be taken (an adaptation field that leaves no payload, a
// partial packet at the end of a block, a block the buffer cannot hold, a
// packet size that can never complete or never fit the output) is dropped,
// logged at a decreasing rate and counted; the stream goes on at the next
// start code.
#pragma once

#include <algorithm>
#include <memory>

#include <WinTypes.h>

#include "FaultCount.h"

class CDVBRecorder;

class CPESStreamBuffer {
 public:
  // The most that is gathered at a time: a block that would take more is
  // refused.
  static constexpr DWORD kGatherSize = 65535;
  // The largest packet the buffer builds itself: a chunk behind its header,
  // or a private-stream packet with the AC-3 sub-header added. A larger
  // private-stream packet is dropped.
  static constexpr DWORD kOutSize = 16386;
  static constexpr DWORD kTsPacket = 188;
  // The largest nominal size the buffers hold. A chunk ends before the
  // farthest start code the search reaches, at 2 x (size - 24) - 1 bytes; with
  // its header of up to 14 bytes it must fit kOutSize. And the AC-3
  // threshold of eight packets' worth, 8 x (size - 14), must be reached one
  // transport packet at a time before the gather buffer refuses blocks.
  static constexpr WORD kMaxNominalSize =
      std::min((kOutSize - 14 + 1) / 2 + 24, (kGatherSize - kTsPacket + 1) / 8 + 14);

  enum StreamType { kVideo = 0, kAudio = 1, kAC3 = 2 };

  // Faults that drop input; each is counted.
  enum Fault {
    kAdaptationTooLong,  // adaptation control 3 with a field that fills the packet
    kPartialPacket,      // fewer than 188 bytes left at the end of a block
    kBlockRefused,       // the block does not fit the gather buffer
    kNeverCompletes,     // a declared size the gather buffer cannot reach
    kTooShort,           // a packet shorter than a PES header
    kTooLarge,           // a private-stream packet larger than the output buffer
    kFaultKinds
  };

  CPESStreamBuffer() = default;
  CPESStreamBuffer(const CPESStreamBuffer&) = delete;
  CPESStreamBuffer& operator=(const CPESStreamBuffer&) = delete;

  // nominalSize is clamped to 24..kMaxNominalSize.
  void Init(int type, CDVBRecorder* owner, WORD nominalSize);
  void Reset();
  void AddData(const BYTE* data, DWORD length);

  // The first offset below length where 00 00 01 stands before a byte whose
  // high nibble equals id (id as a whole byte, e.g. 0xE0); -1 when none.
  static int FindStartCode(const BYTE* data, int length, BYTE id);

  DWORD Gathered() const { return dwDataBufferPosition; }
  BOOL IsPrivate() const { return m_bPrivate; }
  uint64_t FaultCount(Fault fault) const { return m_faults[fault].Count(); }

 private:
  // False when a lost sync byte emptied the buffer.
  bool Gather(const BYTE* data, DWORD length);
  bool Belongs(BYTE streamId) const;
  BYTE* Data() const { return m_pData.get() + m_dwFront; }
  void Cut();
  int SearchStartCode();
  void SendChunk(int p);
  bool SendWholePacket();
  void Resynchronise();
  void Consume(DWORD n);
  void Empty();
  void MakeRoom(DWORD length);
  template <typename... Args>
  void Report(Fault fault, const char* format, Args... args);

  // In front of the gathered bytes, room for the headers of a packet
  // delivered where it lies: the pack header, then our PES header and the
  // AC-3 sub-header (or the sub-header moving a packet's header forward).
  static constexpr DWORD kHeadroom = 32;
  // Twice the most that is gathered behind it: the gathered bytes move to the
  // front only after at least kGatherSize bytes were consumed since the last
  // move, so no byte moves more than once.
  static constexpr DWORD kBufferSize = kHeadroom + 2 * kGatherSize;

  std::unique_ptr<BYTE[]> m_pData;  // kBufferSize bytes
  DWORD m_dwFront = kHeadroom;      // where the gathered bytes begin in m_pData
  DWORD dwDataBufferPosition = 0;   // how many there are
  WORD m_wMaxPacket = 0;
  WORD m_wSearchLimit = 0;
  WORD m_wCurLength = 0;
  BOOL m_bPrivate = FALSE;
  CDVBRecorder* m_pOwner = nullptr;
  int m_nType = kVideo;

  bool m_bRefused = false;   // a block of this call was refused
  DWORD m_dwWaitLogged = 0;  // the size whose wait was last logged
  CFaultCount m_faults[kFaultKinds];
};
