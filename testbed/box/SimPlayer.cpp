#include "SimPlayer.h"

namespace {

const DWORD kPrefix = 4;
const DWORD kTrailer = 4;
const DWORD kPvaHeader = 8;

}  // namespace

void CSimPlayer::Reset() {
  m_played.clear();
  m_rejected = 0;
  m_counterKnown = false;
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
  if (padded < kPvaHeader || payload[0] != 'A' || payload[1] != 'V' || (payload[2] != 1 && payload[2] != 2) ||
      payload[4] != 0x55)
    return false;
  const DWORD packet = kPvaHeader + DWORD((payload[6] << 8) | payload[7]);
  if (packet > padded || padded - packet >= 4) return false;
  for (DWORD i = packet; i < padded; ++i)
    if (payload[i]) return false;
  return true;
}

void CSimPlayer::Accept(const BYTE* frame, DWORD length) {
  if (!IsValid(frame, length)) {
    ++m_rejected;
    return;
  }
  const BYTE* payload = frame + kPrefix;
  const DWORD padded = length - kPrefix - kTrailer;
  m_nextCounter = WORD((((payload[padded] & 0x7F) << 8) | payload[padded + 1]) + 1) & 0x7FFF;
  m_counterKnown = true;
  m_played.insert(m_played.end(), payload, payload + kPvaHeader + ((payload[6] << 8) | payload[7]));
}
