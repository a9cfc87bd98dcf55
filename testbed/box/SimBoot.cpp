#include "SimBoot.h"

#include "ByteOrder.h"
#include "FirmwareImage.h"

BYTE CSimBoot::Header(const BYTE* p, int n) {
  if (n != firmwareimage::kHeaderParams) return 0;
  DWORD length = byteorder::GetBE32(p);
  BYTE letter = p[8];
  if (length < firmwareimage::kMinImage || length > firmwareimage::TransferLength(firmwareimage::kMaxImage) ||
      (letter != firmwareimage::kLetterBoot && letter != firmwareimage::kLetterUpdate) || p[4] || p[5] || p[9])
    return 0;
  m_info.announcedLength = length;
  m_info.announcedChecksum = byteorder::GetBE16(p + 6);
  m_info.announcedLetter = letter;
  m_info.received = 0;
  m_info.frameErrors = 0;
  ++m_info.headers;
  m_announced = true;
  m_nextPiece = 0;
  m_shortSeen = false;
  m_image.clear();
  m_image.reserve(length);
  return 1;
}

void CSimBoot::Frame(const bulkframe::Frame& f) {
  if (!m_announced) {
    ++m_info.frameErrors;
    return;
  }
  // Pieces are numbered from 0 modulo 256; only the last may be short.
  if (f.sequence != BYTE(m_nextPiece) || m_shortSeen || m_info.received + f.length > m_info.announcedLength ||
      f.length == 0)
    ++m_info.frameErrors;
  if (f.length < firmwareimage::kPiece) m_shortSeen = true;
  ++m_nextPiece;
  m_image.insert(m_image.end(), f.payload, f.payload + f.length);
  m_info.received += f.length;
}

BYTE CSimBoot::Start(const BYTE* p, int n) {
  bool ok = m_announced && n <= 1 && m_info.frameErrors == 0 && m_info.received == m_info.announcedLength &&
            firmwareimage::BoxChecksum(m_image.data(), long(m_image.size())) == m_info.announcedChecksum &&
            (n == 0 || p[0] == m_info.announcedLetter);
  if (!ok) {
    ++m_info.refusedStarts;
    return 0;
  }
  ++m_info.starts;
  m_info.startedLetter = m_info.announcedLetter;
  if (m_info.announcedLetter == firmwareimage::kLetterUpdate) {
    m_flash = m_image;
    m_info.flashLength = DWORD(m_flash.size());
  }
  m_pendingStart = m_info.announcedLetter;
  m_announced = false;
  return 1;
}

BYTE CSimBoot::TakeStart() {
  BYTE letter = m_pendingStart;
  m_pendingStart = 0;
  return letter;
}
