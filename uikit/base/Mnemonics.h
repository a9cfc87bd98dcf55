// Caption text helpers: mnemonic markers ('&') and the bounded copy of a
// face name into a LOGFONT.
#pragma once

#include <Framework.h>

// Removes every '&' not followed by another '&': "a&&b" -> "a&b",
// "&File" -> "File", a trailing '&' goes.
void StripMnemonics(CString& str);
// For measuring: a "&&" pair stays whole, a '&' before another character is
// cut out, a trailing '&' stays.
void RemoveMnemonicMarkers(CString& str);
// Copies src with its terminator into dst of nSize bytes, cut to fit (always
// terminated when nSize > 0). FALSE when src had to be cut or is NULL.
BOOL CopyString(char* dst, size_t nSize, const char* src);
