#include "PESStreamBuffer.h"

#include <algorithm>
#include <cstring>

#include "DVBRecorder.h"
#include "PesTemplates.h"

namespace {

constexpr DWORD kPesFixedHeader = 9;  // start code, id, length, flags, header data length

WORD ReadLength(const BYTE* packet) { return static_cast<WORD>(packet[4] << 8 | packet[5]); }

void WriteLength(BYTE* packet, DWORD length) {
  packet[4] = static_cast<BYTE>(length >> 8);
  packet[5] = static_cast<BYTE>(length);
}

// The first i below `starts` where 00 00 01 stands and accept(data[i + 3]);
// -1 when none. Reads data[0 .. starts + 2]. Looks at every third byte where
// it can: one above 1 rules out a start code at it and at the two offsets
// before it.
template <typename Accept>
int FindStartCodeWhere(const BYTE* data, DWORD starts, Accept accept) {
  for (DWORD i = 0; i < starts;) {
    const BYTE third = data[i + 2];
    if (third > 1) {
      i += 3;
    } else if (third == 0) {
      ++i;
    } else {
      if (data[i + 1] == 0 && data[i] == 0 && accept(data[i + 3])) return static_cast<int>(i);
      i += 3;
    }
  }
  return -1;
}

}  // namespace

void CPESStreamBuffer::Init(int type, CDVBRecorder* owner, WORD nominalSize) {
  nominalSize = std::clamp<WORD>(nominalSize, 24, kMaxNominalSize);
  m_nType = type;
  m_pOwner = owner;
  if (!m_pData) m_pData.reset(new BYTE[kBufferSize]);
  m_wMaxPacket = static_cast<WORD>(nominalSize - 14);
  m_wSearchLimit = static_cast<WORD>(m_wMaxPacket - 10);
  m_wCurLength = 0;
  Empty();
  m_bPrivate = FALSE;
  m_dwWaitLogged = 0;
}

void CPESStreamBuffer::Reset() {
  m_wMaxPacket = m_wSearchLimit = m_wCurLength = 0;
  Empty();
  m_pOwner = nullptr;
}

int CPESStreamBuffer::FindStartCode(const BYTE* data, int length, BYTE id) {
  if (length < 4) return -1;
  return FindStartCodeWhere(data, static_cast<DWORD>(length - 3), [id](BYTE s) { return (s & 0xF0) == id; });
}

template <typename... Args>
void CPESStreamBuffer::Report(Fault fault, const char* format, Args... args) {
  if (m_faults[fault].Add())
    m_pOwner->Host().Log(".\\DVBRecorder", __LINE__, kLogError, format, args...,
                         static_cast<unsigned>(m_faults[fault].Count()));
}

void CPESStreamBuffer::AddData(const BYTE* data, DWORD length) {
  if (!m_pOwner || !data) return;
  length &= 0xFFFF;
  m_bRefused = false;
  if (length + dwDataBufferPosition <= kGatherSize) {
    if (!Gather(data, length)) return;  // lost sync ends the call
  } else {
    m_bRefused = true;
    Report(kBlockRefused, "dropped a block of %u bytes: %u bytes already gathered (%u times)",
           static_cast<unsigned>(length), static_cast<unsigned>(dwDataBufferPosition));
  }
  Cut();
}

bool CPESStreamBuffer::Gather(const BYTE* data, DWORD length) {
  MakeRoom(length);
  DWORD i = 0;
  while (i < length) {
    if (length - i < kTsPacket) {
      Report(kPartialPacket, "dropped %u bytes at the end of a block: not a whole transport packet (%u times)",
             static_cast<unsigned>(length - i));
      return true;
    }
    const BYTE* packet = data + i;
    if (packet[0] != 0x47) {
      Empty();
      return false;
    }
    if (packet[1] & 0x80) {  // transport error
      i += kTsPacket;
      continue;
    }
    DWORD start = 4;
    switch ((packet[3] >> 4) & 3) {
      case 2:  // adaptation field only
        i += 4 + packet[4] + 1;
        continue;
      case 3:
        if (packet[4] > 182) {
          Report(kAdaptationTooLong,
                 "dropped a transport packet whose adaptation field of %u bytes leaves no payload (%u times)",
                 static_cast<unsigned>(packet[4]));
          i += kTsPacket;
          continue;
        }
        start = 4 + packet[4] + 1;
        break;
      default: break;
    }
    // Fits: MakeRoom made room for the whole block.
    std::memcpy(Data() + dwDataBufferPosition, packet + start, kTsPacket - start);
    dwDataBufferPosition += kTsPacket - start;
    i += kTsPacket;
  }
  return true;
}

bool CPESStreamBuffer::Belongs(BYTE streamId) const {
  switch (m_nType) {
    case kVideo: return (streamId & 0xF0) == 0xE0;
    case kAudio: return (streamId & 0xF0) == 0xC0;
    default: return streamId == 0xBD;
  }
}

void CPESStreamBuffer::Cut() {
  for (;;) {
    const DWORD threshold = static_cast<DWORD>(m_wMaxPacket) * (m_bPrivate ? 8 : 4);
    if (dwDataBufferPosition < threshold) return;
    const int p = SearchStartCode();
    if (p != 0) {
      SendChunk(p);
    } else if (!SendWholePacket()) {
      return;
    }
  }
}

int CPESStreamBuffer::SearchStartCode() {
  BYTE* buffer = Data();
  const DWORD limit = std::min<DWORD>(2u * m_wSearchLimit, dwDataBufferPosition - 4);
  const int i = FindStartCodeWhere(buffer, limit, [this](BYTE s) { return Belongs(s); });
  if (i < 0) return -1;
  if (m_nType == kVideo) buffer[i + 3] = 0xE0;
  if (m_nType == kAC3) m_bPrivate = TRUE;
  return i;
}

// The bytes in front of the next start code (or a search limit's worth) go
// out behind the header template, written into the room in front of them.
// p < 2 * m_wSearchLimit and Init's clamp keep the chunk with its header
// within kOutSize.
void CPESStreamBuffer::SendChunk(int p) {
  static_assert(kHeadroom >= CDVBRecorder::kPackHeaderSize + sizeof(kPesHeaderTemplate) + sizeof(kAc3SubHeader));
  m_wCurLength =
      static_cast<WORD>(p > 0 ? static_cast<DWORD>(p) : std::min<DWORD>(dwDataBufferPosition, m_wSearchLimit));
  const bool subHeader = m_nType == kAC3 && m_bPrivate;
  const DWORD headerSize = sizeof(kPesHeaderTemplate) + (subHeader ? sizeof(kAc3SubHeader) : 0);
  BYTE* packet = Data() - headerSize;
  std::memcpy(packet, kPesHeaderTemplate, sizeof(kPesHeaderTemplate));
  if (m_nType == kVideo) packet[3] = 0xE0;
  if (m_nType == kAudio) packet[3] = 0xC0;
  if (subHeader) {
    packet[3] = 0xBD;
    std::memcpy(packet + sizeof(kPesHeaderTemplate), kAc3SubHeader, sizeof(kAc3SubHeader));
  }
  WriteLength(packet, m_wCurLength + (m_bPrivate ? 8 : 4));
  m_pOwner->DeliverPES(packet, headerSize + m_wCurLength);
  Consume(m_wCurLength);
}

// The packet at the front came whole from the source: settle its size and
// send it, or wait for the rest. False when the cutting stops for now.
bool CPESStreamBuffer::SendWholePacket() {
  BYTE* buffer = Data();
  const WORD declared = ReadLength(buffer);
  DWORD size =
      (m_nType != kVideo && declared > 0) ? declared + 6u : std::min<DWORD>(dwDataBufferPosition, m_wMaxPacket);
  if (m_nType == kVideo) {
    // The next video start code ends the packet. The last that can begins at
    // size - 1 and ends at size + 2, so the search from offset 1 takes
    // size + 2 bytes; no more than what is gathered.
    const DWORD span = std::min<DWORD>(size + 2, dwDataBufferPosition - 1);
    const int r = FindStartCode(buffer + 1, static_cast<int>(span), buffer[3]);
    if (r >= 0 && static_cast<DWORD>(r) + 1 < size) size = static_cast<DWORD>(r) + 1;
  }
  if (size > dwDataBufferPosition) {
    if (size > kGatherSize || m_bRefused) {
      // The rest can never arrive (the buffer is too small, or part of it was dropped).
      Report(kNeverCompletes, "dropped a packet of declared size %u that cannot complete (%u times)",
             static_cast<unsigned>(size));
      Resynchronise();
      return true;
    }
    if (m_dwWaitLogged != size) {
      m_dwWaitLogged = size;
      if (m_pOwner->Variant().waitLogNamesStreamId)
        m_pOwner->Host().Log(".\\DVBRecorder", __LINE__, kLogError,
                             "iPTSPacketSize: %d, dwDataBufferPosition %d    0x%x", static_cast<int>(size),
                             static_cast<int>(dwDataBufferPosition), static_cast<unsigned>(buffer[3]));
      else
        m_pOwner->Host().Log(".\\DVBRecorder", __LINE__, kLogError, "iPTSPacketSize: %d, dwDataBufferPosition %d",
                             static_cast<int>(size), static_cast<int>(dwDataBufferPosition));
    }
    return false;
  }
  m_dwWaitLogged = 0;
  if (size < kPesFixedHeader) {
    Report(kTooShort, "dropped a packet of %u bytes: shorter than its header (%u times)", static_cast<unsigned>(size));
    Consume(size);
    return true;
  }
  if (!m_bPrivate) {
    WriteLength(buffer, size - 6);
    m_pOwner->DeliverPES(buffer, size);
    Consume(size);
    return true;
  }
  const DWORD headerEnd = kPesFixedHeader + buffer[8];
  if (headerEnd > size || size + sizeof(kAc3SubHeader) > kOutSize) {
    Report(kTooLarge, "dropped a private-stream packet of %u bytes that does not fit the output (%u times)",
           static_cast<unsigned>(size));
    Consume(size);
    return true;
  }
  // The sub-header goes between the packet's header and its payload: the
  // header moves forward into the room in front of it.
  WriteLength(buffer, size - 2);
  BYTE* packet = buffer - sizeof(kAc3SubHeader);
  std::memmove(packet, buffer, headerEnd);
  std::memcpy(packet + headerEnd, kAc3SubHeader, sizeof(kAc3SubHeader));
  m_pOwner->DeliverPES(packet, size + sizeof(kAc3SubHeader));
  Consume(size);
  return true;
}

// Drops the front up to the next start code of this stream.
void CPESStreamBuffer::Resynchronise() {
  const auto belongs = [this](BYTE s) { return Belongs(s); };
  // Start codes from offset 1 whose four bytes are all gathered.
  const int i = dwDataBufferPosition > 4 ? FindStartCodeWhere(Data() + 1, dwDataBufferPosition - 4, belongs) : -1;
  if (i >= 0)
    Consume(static_cast<DWORD>(i) + 1);
  else  // none: keep the last bytes, which may begin a start code
    Consume(dwDataBufferPosition > 3 ? dwDataBufferPosition - 3 : 0);
}

// Removes n bytes from the front; n never exceeds what is gathered.
void CPESStreamBuffer::Consume(DWORD n) {
  n = std::min(n, dwDataBufferPosition);
  m_dwFront += n;
  dwDataBufferPosition -= n;
  if (dwDataBufferPosition == 0) m_dwFront = kHeadroom;
}

void CPESStreamBuffer::Empty() {
  dwDataBufferPosition = 0;
  m_dwFront = kHeadroom;
}

// Room for `length` more bytes behind the gathered ones, which the caller
// keeps within kGatherSize in all: when the space runs short, the gathered
// bytes move to the front, once for all that was consumed since.
void CPESStreamBuffer::MakeRoom(DWORD length) {
  if (m_dwFront + dwDataBufferPosition + length <= kBufferSize) return;
  std::memmove(m_pData.get() + kHeadroom, Data(), dwDataBufferPosition);
  m_dwFront = kHeadroom;
}
