// Big-endian fields of the box protocol (the box's ARM firmware speaks
// network byte order) and little-endian fields of USB descriptors.
#pragma once

#include <WinTypes.h>

namespace byteorder {

inline WORD GetBE16(const BYTE* p) { return WORD((p[0] << 8) | p[1]); }
inline DWORD GetBE32(const BYTE* p) {
  return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
}
inline void PutBE16(BYTE* p, WORD v) {
  p[0] = BYTE(v >> 8);
  p[1] = BYTE(v);
}
inline void PutBE32(BYTE* p, DWORD v) {
  p[0] = BYTE(v >> 24);
  p[1] = BYTE(v >> 16);
  p[2] = BYTE(v >> 8);
  p[3] = BYTE(v);
}

inline WORD GetLE16(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
inline DWORD GetLE32(const BYTE* p) {
  return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}
inline void PutLE16(BYTE* p, WORD v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
}
inline void PutLE32(BYTE* p, DWORD v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
  p[2] = BYTE(v >> 16);
  p[3] = BYTE(v >> 24);
}

}  // namespace byteorder
