// Basic definitions shared by every header of the application framework:
// calling-convention macros, POSITION, the assertion macros and the export
// macro of extension libraries.
#pragma once

#include <WinTypes.h>

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <tchar.h>
#define AFXAPI __stdcall
#else
#define AFXAPI
#ifndef PASCAL
#define PASCAL
#endif
#ifndef _T
#define _T(x) x
#endif
#ifndef TEXT
#define TEXT(x) x
#endif
#endif

#define AFX_CDECL
#define AFX_INLINE inline

// Exported classes of extension libraries: the library that defines _AFXEXT
// while it is built exports them; every other module imports them.
#if defined(_WIN32) && defined(_AFXEXT)
#define AFX_EXT_CLASS __declspec(dllexport)
#define AFX_EXT_API __declspec(dllexport)
#define AFX_EXT_DATA __declspec(dllexport)
#elif defined(_WIN32)
#define AFX_EXT_CLASS __declspec(dllimport)
#define AFX_EXT_API __declspec(dllimport)
#define AFX_EXT_DATA __declspec(dllimport)
#else
#define AFX_EXT_CLASS
#define AFX_EXT_API
#define AFX_EXT_DATA
#endif

// An opaque iterator over the framework's lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#else
#include <cassert>
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#define ASSERT_VALID(p) ((p)->AssertValid())
#define TRACE(...) ((void)0)
#endif
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define UNUSED_ALWAYS(x) ((void)(x))

// Checks an argument and raises the framework's invalid-argument failure when
// it does not hold (in every build, not only in debug builds).
#define ENSURE_ARG(cond)                        \
  do {                                          \
    if (!(cond)) AfxThrowInvalidArgException(); \
  } while (0)
#define ENSURE(cond) ENSURE_ARG(cond)

[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
