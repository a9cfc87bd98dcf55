// The fields of a PES packet header that the source filter uses: the header
// length, the PTS flag and the PTS (low 32 bits, 90 kHz units).
#pragma once

#include <WinTypes.h>

class CPesHeader {
 public:
  // Size of the fixed part: start code, stream id, length, two flag bytes
  // and the header-data length.
  static constexpr DWORD kFixedLength = 9;
  // A PTS occupies bytes 9-13.
  static constexpr DWORD kLengthWithPts = 14;

  // Reads the header of a packet of cbPacket bytes. FALSE when the packet
  // cannot hold what its header declares (length <= 0, shorter than its
  // header, or a PTS flag without the 5 PTS bytes); nothing past cbPacket
  // is read.
  static BOOL Parse(const BYTE* pPacket, LONG cbPacket, CPesHeader* pHeader);

  // The low 32 bits of the 33-bit PTS in bytes p[0..4] (bit 32 and the
  // marker bits are dropped).
  static DWORD ReadPts(const BYTE* p);

  DWORD HeaderLength() const { return m_cbHeader; }
  DWORD PayloadLength() const { return m_cbPayload; }
  BOOL HasPts() const { return m_bHasPts; }
  DWORD Pts() const { return m_dwPts; }

 private:
  DWORD m_cbHeader = 0;
  DWORD m_cbPayload = 0;
  BOOL m_bHasPts = FALSE;
  DWORD m_dwPts = 0;
};
