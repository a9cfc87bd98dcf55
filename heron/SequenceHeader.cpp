#include "SequenceHeader.h"

#include <cstring>

const BYTE CSequenceHeader::kDefaultBytes[kLength] = {0x00, 0x00, 0x01, 0xB3, 0x21, 0x02,
                                                      0x40, 0x23, 0x0D, 0x6D, 0xA3, 0x82};

BOOL CSequenceHeader::Find(const BYTE* p, DWORD cb, CSequenceHeader* pHeader) {
  if (!p || cb <= kLength) return FALSE;
  for (DWORD i = 0; i < cb - kLength; i++) {
    const BYTE* s = p + i;
    if (s[0] != 0x00 || s[1] != 0x00 || s[2] != 0x01 || s[3] != 0xB3) continue;
    pHeader->m_dwWidth = s[4] * 16u + (s[5] >> 4);
    pHeader->m_dwHeight = (s[5] & 0x0Fu) * 256u + s[6];
    pHeader->m_dwBitRate = ((s[8] * 256u + s[9]) * 4u + (s[10] >> 6)) * 400u;
    pHeader->m_dwAspectCode = s[7] >> 4;
    memcpy(pHeader->m_bytes, s, kLength);
    return TRUE;
  }
  return FALSE;
}
