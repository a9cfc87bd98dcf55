// The first 12 bytes of an MPEG-2 video sequence header and what the video
// pin's format block takes from them.
#pragma once

#include <WinTypes.h>

class CSequenceHeader {
 public:
  static constexpr DWORD kLength = 12;
  // What the format block says when no sequence header is queued.
  static const BYTE kDefaultBytes[kLength];

  // Searches p for the start code 00 00 01 B3 at offsets up to, but not
  // including, the last 12 bytes, and reads the header found there.
  static BOOL Find(const BYTE* p, DWORD cb, CSequenceHeader* pHeader);

  DWORD Width() const { return m_dwWidth; }
  DWORD Height() const { return m_dwHeight; }
  DWORD BitRate() const { return m_dwBitRate; }  // bits per second
  DWORD AspectCode() const { return m_dwAspectCode; }
  // Picture aspect ratio: 4:3 for code 2, 16:9 for every other code.
  DWORD AspectX() const { return m_dwAspectCode == 2 ? 4 : 16; }
  DWORD AspectY() const { return m_dwAspectCode == 2 ? 3 : 9; }
  const BYTE* Bytes() const { return m_bytes; }

 private:
  DWORD m_dwWidth = 0;
  DWORD m_dwHeight = 0;
  DWORD m_dwBitRate = 0;
  DWORD m_dwAspectCode = 0;
  BYTE m_bytes[kLength] = {};
};
