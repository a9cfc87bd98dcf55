// The one way an HRESULT is checked: a failure is logged with the expression
// that gave it and where, then handed back so that the caller unwinds (held
// interfaces are released by their ComPtr holders on the way out).
//
//     RETURN_IF_FAILED(pPin->QueryDirection(&dir));   // returns the failure
//     HRESULT hr = CHECK_HR(pPin->Inactive());        // logs it, goes on
//
// A failure that is an answer rather than an error (a media type or an
// allocator declined during negotiation, a buffer refused while stopping) is
// tested with FAILED() where it is handled, and not logged.
#pragma once

#include <windows.h>

// Receives each line that CheckHr logs; the default writes it to the debugger
// output (OutputDebugStringA).
using HrLogSink = void (*)(const char* line);
// Replaces the sink (nullptr restores the default); returns the previous one.
HrLogSink SetHrLogSink(HrLogSink sink);

// Logs a failed hr as "<file>(<line>): <expression> failed: 0x<hr>"; returns hr.
HRESULT CheckHr(HRESULT hr, const char* expression, const char* file, int line);

#define CHECK_HR(expr) CheckHr((expr), #expr, __FILE__, __LINE__)

#define RETURN_IF_FAILED(expr)                 \
  do {                                         \
    const HRESULT hrChecked_ = CHECK_HR(expr); \
    if (FAILED(hrChecked_)) return hrChecked_; \
  } while (0)
