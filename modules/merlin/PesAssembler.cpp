#include "PesAssembler.h"

#include <algorithm>
#include <cstring>

#include "PesTemplates.h"

namespace {

constexpr DWORD kPesFixedHeader = 9;  // start code, id, length, flags, header data length
constexpr BYTE kVideoId = 0xE0, kAudioId = 0xC0, kPrivateStream1 = 0xBD;

void WriteLength(BYTE* packet, DWORD length) {
  packet[4] = static_cast<BYTE>(length >> 8);
  packet[5] = static_cast<BYTE>(length);
}

bool IsStartCode(const BYTE* p) { return p[0] == 0 && p[1] == 0 && p[2] == 1; }

}  // namespace

void CPesAssembler::Init(StreamKind kind, WORD setSize, Sink sink, FaultReport report) {
  // The largest chunk behind our header must fit the output buffer, and four
  // thresholds must fit below the fill limit.
  constexpr DWORD kMaxSetSize = (kOutputSize - sizeof(kPesHeaderTemplate) - sizeof(kAc3SubHeader)) / 2 + 24;
  static_assert(4 * (kMaxSetSize - 14) <= kFillLimit);
  const DWORD size = std::clamp<DWORD>(setSize, 25, kMaxSetSize);
  m_kind = kind;
  m_dwThreshold = size - 14;
  m_dwWindow = size - 24;
  if (!m_pBuffer) m_pBuffer.reset(new BYTE[kBufferSize]);
  if (!m_pOutput) m_pOutput.reset(new BYTE[kOutputSize]);
  m_dwFill = 0;
  m_bAc3 = false;
  m_sink = std::move(sink);
  m_report = std::move(report);
}

void CPesAssembler::Reset() {
  m_dwFill = 0;
  m_bAc3 = false;
}

void CPesAssembler::Drop(Fault fault, DWORD size) {
  if (m_faults[fault].Add() && m_report) m_report(fault, size);
}

void CPesAssembler::AddBlock(const BYTE* data, int length) {
  if (!m_pBuffer || !data || length <= 0) return;
  if (m_dwFill + static_cast<DWORD>(length) > kFillLimit) {
    Drop(kBufferFull, m_dwFill + static_cast<DWORD>(length));
    m_dwFill = 0;
    return;
  }
  std::memcpy(m_pBuffer.get() + m_dwFill, data, static_cast<size_t>(length));
  m_dwFill += static_cast<DWORD>(length);
  while (m_dwFill >= 4 * m_dwThreshold) {
    const int at = Scan();
    if (at == 0) {
      if (!SendFrontPacket()) return;
    } else {
      SendOrphan(at > 0 ? static_cast<DWORD>(at) : std::min(m_dwWindow, m_dwFill));
    }
  }
}

int CPesAssembler::Scan() {
  BYTE* b = m_pBuffer.get();
  const DWORD end = std::min(2 * m_dwWindow, m_dwFill - 4);
  for (DWORD i = 0; i < end; ++i) {
    if (!IsStartCode(b + i)) continue;
    BYTE& id = b[i + 3];
    if (m_kind == kVideo) {
      if ((id & 0xF0) != kVideoId) continue;
      id = kVideoId;
      return static_cast<int>(i);
    }
    if (id == kPrivateStream1) {
      m_bAc3 = true;
      return static_cast<int>(i);
    }
    if ((id & 0xF0) == kAudioId && !m_bAc3) {
      id = kAudioId;
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool CPesAssembler::SendFrontPacket() {
  BYTE* p = m_pBuffer.get();
  const DWORD field = static_cast<DWORD>(p[4] << 8 | p[5]);
  DWORD n = (m_kind == kAudio && field) ? field + 6 : std::min(m_dwFill, m_dwThreshold);
  if (m_kind == kVideo) {
    p[3] = kVideoId;
    for (DWORD r = 1; r < n && r + 3 < m_dwFill; ++r) {
      if (IsStartCode(p + r) && (p[r + 3] & 0xF0) == kVideoId) {
        n = r;
        break;
      }
    }
  }
  if (m_dwFill < n) return false;
  if (n < kPesFixedHeader) {
    Drop(kBadHeader, n);
  } else if (!m_bAc3) {
    WriteLength(p, n - 6);
    m_sink(p, static_cast<int>(n));
  } else {
    // Header, sub-header, payload, rebuilt in the output buffer.
    const DWORD headerEnd = kPesFixedHeader + p[8];
    if (headerEnd > n) {
      Drop(kBadHeader, n);
    } else if (n + sizeof(kAc3SubHeader) > kOutputSize) {
      Drop(kTooLarge, n);
    } else {
      WriteLength(p, n - 2);
      BYTE* out = m_pOutput.get();
      std::memcpy(out, p, headerEnd);
      std::memcpy(out + headerEnd, kAc3SubHeader, sizeof(kAc3SubHeader));
      std::memcpy(out + headerEnd + sizeof(kAc3SubHeader), p + headerEnd, n - headerEnd);
      m_sink(out, static_cast<int>(n + sizeof(kAc3SubHeader)));
    }
  }
  Consume(n);
  return true;
}

// The bytes in front of the next start code go out behind our header
// (with the sub-header once the stream is AC-3). Init's bounds keep them
// within the output buffer.
void CPesAssembler::SendOrphan(DWORD length) {
  BYTE* out = m_pOutput.get();
  std::memcpy(out, kPesHeaderTemplate, sizeof(kPesHeaderTemplate));
  DWORD header = sizeof(kPesHeaderTemplate);
  out[3] = m_kind == kVideo ? kVideoId : (m_bAc3 ? kPrivateStream1 : kAudioId);
  if (m_kind == kAudio && m_bAc3) {
    std::memcpy(out + header, kAc3SubHeader, sizeof(kAc3SubHeader));
    header += sizeof(kAc3SubHeader);
  }
  WriteLength(out, length + header - 6);
  std::memcpy(out + header, m_pBuffer.get(), length);
  m_sink(out, static_cast<int>(header + length));
  Consume(length);
}

void CPesAssembler::Consume(DWORD n) {
  n = std::min(n, m_dwFill);
  std::memmove(m_pBuffer.get(), m_pBuffer.get() + n, m_dwFill - n);
  m_dwFill -= n;
}
