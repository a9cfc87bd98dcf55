// The value type codes of the property exchange and the value records they
// point at. The codes are the variant type numbers plus two of the toolkit's
// own (a rectangle and a size).
#pragma once

#include <WinTypes.h>

enum JVKPropType : int {
  JVKPX_SHORT = 2,     // short
  JVKPX_LONG = 3,      // LONG
  JVKPX_FLOAT = 4,     // float
  JVKPX_DOUBLE = 5,    // double
  JVKPX_CURRENCY = 6,  // LONGLONG (currency in 1/10000 units)
  JVKPX_DATE = 7,      // COleDateTime
  JVKPX_BOOL = 11,     // BOOL (32 bits)
  JVKPX_VARIANT = 12,  // COleVariant (Windows only)
  JVKPX_BYTE = 17,     // BYTE
  JVKPX_STRING = 30,   // CString; its default is a plain character string
  JVKPX_RECT = 100,    // RECT
  JVKPX_SIZE = 101,    // SIZE
};

#ifndef _WIN32
// The rectangle and size records of the Win32 headers, for the host build.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
struct SIZE {
  LONG cx;
  LONG cy;
};
#endif
