#include "SimPlayer.h"

#include <algorithm>

namespace {

const DWORD kPrefix = 4;
const DWORD kTrailer = 4;
const DWORD kPvaHeader = 8;

}  // namespace

void CSimPlayer::Reset() {
  const DWORD rate = m_rate;
  *this = CSimPlayer();
  m_rate = rate;
}

double CSimPlayer::Speed() const {
  if (m_stalled) return 0;
  switch (m_mode) {
    case kPaused: return 0;
    case kSlow: return 1.0 / (m_speed > 1 ? m_speed : 2);
    case kFastIP: return 2;
    case kFastI: return 4;
    default: return 1;
  }
}

void CSimPlayer::Command(BYTE command, BYTE argument, double nowMs) {
  Update(nowMs);
  static const Mode kModes[] = {kStopped, kPlaying, kPaused, kSlow, kFastIP, kFastI};
  if (command < 0x81 || command > 0x86) return;
  m_mode = kModes[command - 0x81];
  if (m_mode == kSlow) m_speed = argument;
  if (m_mode == kPlaying) m_format = argument;
  // A stopped player drops what it had not played yet.
  if (m_mode == kStopped) m_buffered = 0;
}

bool CSimPlayer::Update(double nowMs) {
  const double elapsed = nowMs > m_lastMs ? nowMs - m_lastMs : 0;
  m_lastMs = nowMs > m_lastMs ? nowMs : m_lastMs;
  const double drained = m_rate ? std::min(m_buffered, m_rate * Speed() * elapsed / 1000) : m_buffered;
  m_buffered -= drained;
  m_playedBytes += drained;
  if (!m_writerWaits || m_buffered > m_limit) return false;
  m_writerWaits = false;
  return true;
}

double CSimPlayer::MsUntilRoom() const {
  if (!m_writerWaits) return -1;
  if (m_buffered <= m_limit) return 0;
  const double perMs = m_rate * Speed() / 1000;
  return perMs > 0 ? (m_buffered - m_limit) / perMs : -1;
}

SimPlayerStatus CSimPlayer::Status() const {
  SimPlayerStatus s;
  s.mode = m_mode;
  s.speed = m_speed;
  s.format = m_format;
  s.buffered = DWORD(m_buffered);
  s.peakBuffered = m_peak;
  s.playedBytes = DWORD(m_playedBytes);
  s.acceptedFrames = m_accepted;
  s.refusedWrites = m_refused;
  s.limit = m_limit;
  return s;
}

bool CSimPlayer::IsValid(const BYTE* f, DWORD n) const {
  if (n < kPrefix + 4 + kTrailer || n % 4 || f[0] != 0xAA || f[1] != 0xAA || f[2] != 0xAA || f[3] != 0) return false;
  const DWORD padded = n - kPrefix - kTrailer;
  const BYTE* payload = f + kPrefix;
  const WORD counter = WORD(((payload[padded] & 0x7F) << 8) | payload[padded + 1]);
  if (m_counterKnown && counter != m_nextCounter) return false;
  // The XOR of the little-endian words behind the prefix, the checksum read
  // the same way included, is the checksum's bytes swapped.
  WORD sum = 0;
  for (DWORD i = 0; i < padded + 2; i += 2) sum ^= WORD(payload[i] | (payload[i + 1] << 8));
  if (sum != WORD((payload[padded + 2] << 8) | payload[padded + 3])) return false;
  if (!TakesPva()) return true;
  if (padded < kPvaHeader || payload[0] != 'A' || payload[1] != 'V' || (payload[2] != 1 && payload[2] != 2) ||
      payload[4] != 0x55)
    return false;
  const DWORD packet = kPvaHeader + DWORD((payload[6] << 8) | payload[7]);
  if (packet > padded || padded - packet >= 4) return false;
  for (DWORD i = packet; i < padded; ++i)
    if (payload[i]) return false;
  return true;
}

bool CSimPlayer::Accept(const BYTE* frame, DWORD length, double nowMs) {
  Update(nowMs);
  if (m_rate && m_buffered > m_limit) {
    ++m_refused;
    m_writerWaits = true;
    return false;
  }
  if (m_rate) {
    m_buffered += length;
    m_peak = std::max(m_peak, DWORD(m_buffered));
  }
  ++m_accepted;
  if (!IsValid(frame, length)) {
    ++m_rejected;
    return true;
  }
  const BYTE* payload = frame + kPrefix;
  const DWORD padded = length - kPrefix - kTrailer;
  m_nextCounter = WORD((((payload[padded] & 0x7F) << 8) | payload[padded + 1]) + 1) & 0x7FFF;
  m_counterKnown = true;
  const DWORD played = TakesPva() ? kPvaHeader + ((payload[6] << 8) | payload[7]) : padded;
  m_played.insert(m_played.end(), payload, payload + played);
  return true;
}
