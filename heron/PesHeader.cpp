#include "PesHeader.h"

BOOL CPesHeader::Parse(const BYTE* p, LONG cbPacket, CPesHeader* pHeader) {
  if (!p || cbPacket < static_cast<LONG>(kFixedLength)) return FALSE;
  const DWORD cb = static_cast<DWORD>(cbPacket);
  const DWORD cbHeader = kFixedLength + p[8];
  if (cbHeader > cb) return FALSE;
  const BOOL bHasPts = (p[7] & 0x80) != 0;
  if (bHasPts && cb < kLengthWithPts) return FALSE;
  pHeader->m_cbHeader = cbHeader;
  pHeader->m_cbPayload = cb - cbHeader;
  pHeader->m_bHasPts = bHasPts;
  pHeader->m_dwPts = bHasPts ? ReadPts(p + 9) : 0;
  return TRUE;
}

DWORD CPesHeader::ReadPts(const BYTE* p) {
  return (static_cast<DWORD>(p[0] & 0x06) << 29) | (static_cast<DWORD>(p[1]) << 22) |
         (static_cast<DWORD>(p[2] & 0xFE) << 14) | (static_cast<DWORD>(p[3]) << 7) | (static_cast<DWORD>(p[4]) >> 1);
}
