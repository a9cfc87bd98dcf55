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

bool IsStartCode(const BYTE* p) { return p[0] == 0 && p[1] == 0 && p[2] == 1; }

}  // namespace

void CPESStreamBuffer::Init(int type, CDVBRecorder* owner, WORD nominalSize) {
  nominalSize = std::clamp<WORD>(nominalSize, 24, kMaxNominalSize);
  m_nType = type;
  m_pOwner = owner;
  if (!m_pData) m_pData.reset(new BYTE[kGatherSize]);
  m_wMaxPacket = static_cast<WORD>(nominalSize - 14);
  m_wSearchLimit = static_cast<WORD>(m_wMaxPacket - 10);
  m_wCurLength = 0;
  dwDataBufferPosition = 0;
  m_bPrivate = FALSE;
  m_dwWaitLogged = 0;
}

void CPESStreamBuffer::Reset() {
  m_wMaxPacket = m_wSearchLimit = m_wCurLength = 0;
  dwDataBufferPosition = 0;
  m_pOwner = nullptr;
}

int CPESStreamBuffer::FindStartCode(const BYTE* data, int length, BYTE id) {
  for (int i = 0; i + 3 < length; ++i)
    if (IsStartCode(data + i) && (data[i + 3] & 0xF0) == id) return i;
  return -1;
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
  DWORD i = 0;
  while (i < length) {
    if (length - i < kTsPacket) {
      Report(kPartialPacket, "dropped %u bytes at the end of a block: not a whole transport packet (%u times)",
             static_cast<unsigned>(length - i));
      return true;
    }
    const BYTE* packet = data + i;
    if (packet[0] != 0x47) {
      dwDataBufferPosition = 0;
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
    // Fits: the caller checked the whole block against the free space.
    std::memcpy(m_pData.get() + dwDataBufferPosition, packet + start, kTsPacket - start);
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
  BYTE* buffer = m_pData.get();
  const DWORD limit = std::min<DWORD>(2u * m_wSearchLimit, dwDataBufferPosition - 4);
  for (DWORD i = 0; i < limit; ++i) {
    if (!IsStartCode(buffer + i) || !Belongs(buffer[i + 3])) continue;
    if (m_nType == kVideo) buffer[i + 3] = 0xE0;
    if (m_nType == kAC3) m_bPrivate = TRUE;
    return static_cast<int>(i);
  }
  return -1;
}

// The bytes in front of the next start code (or a search limit's worth) go
// out behind the header template. p < 2 * m_wSearchLimit and Init's clamp
// keep the chunk with its 14 header bytes inside m_Out.
void CPESStreamBuffer::SendChunk(int p) {
  m_wCurLength =
      static_cast<WORD>(p > 0 ? static_cast<DWORD>(p) : std::min<DWORD>(dwDataBufferPosition, m_wSearchLimit));
  std::memcpy(m_Out, kPesHeaderTemplate, sizeof(kPesHeaderTemplate));
  DWORD at = sizeof(kPesHeaderTemplate);
  if (m_nType == kVideo) m_Out[3] = 0xE0;
  if (m_nType == kAudio) m_Out[3] = 0xC0;
  if (m_nType == kAC3 && m_bPrivate) {
    m_Out[3] = 0xBD;
    std::memcpy(m_Out + at, kAc3SubHeader, sizeof(kAc3SubHeader));
    at += sizeof(kAc3SubHeader);
  }
  std::memcpy(m_Out + at, m_pData.get(), m_wCurLength);
  WriteLength(m_Out, m_wCurLength + (m_bPrivate ? 8 : 4));
  m_pOwner->DeliverPES(m_Out, at + m_wCurLength);
  Consume(m_wCurLength);
}

// The packet at the front came whole from the source: settle its size and
// send it, or wait for the rest. False when the cutting stops for now.
bool CPESStreamBuffer::SendWholePacket() {
  BYTE* buffer = m_pData.get();
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
  WriteLength(buffer, size - 2);
  std::memcpy(m_Out, buffer, headerEnd);
  std::memcpy(m_Out + headerEnd, kAc3SubHeader, sizeof(kAc3SubHeader));
  std::memcpy(m_Out + headerEnd + sizeof(kAc3SubHeader), buffer + headerEnd, size - headerEnd);
  m_pOwner->DeliverPES(m_Out, size + sizeof(kAc3SubHeader));
  Consume(size);
  return true;
}

// Drops the front up to the next start code of this stream.
void CPESStreamBuffer::Resynchronise() {
  const BYTE* buffer = m_pData.get();
  for (DWORD i = 1; i + 3 < dwDataBufferPosition; ++i) {
    if (IsStartCode(buffer + i) && Belongs(buffer[i + 3])) {
      Consume(i);
      return;
    }
  }
  // None: keep the last bytes, which may begin a start code.
  Consume(dwDataBufferPosition > 3 ? dwDataBufferPosition - 3 : 0);
}

// Removes n bytes from the front; n never exceeds what is gathered.
void CPESStreamBuffer::Consume(DWORD n) {
  n = std::min(n, dwDataBufferPosition);
  std::memmove(m_pData.get(), m_pData.get() + n, dwDataBufferPosition - n);
  dwDataBufferPosition -= n;
}
