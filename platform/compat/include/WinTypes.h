// The Win32 integer type names for portable code. On Windows they come from
// the system headers; elsewhere they are defined with the same widths.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t BOOL;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int32_t INT;
typedef uint32_t ULONG;
typedef uint32_t COLORREF;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef char TCHAR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#endif
