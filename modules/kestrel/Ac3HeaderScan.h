// The AC-3 audio mode found in a transport packet of the AC-3 PID: the
// channel layout (acmod) and the low-frequency-effects bit of the last AC-3
// sync frame header that starts in the packet. Portable: bytes in, a mode out.
#pragma once

#include <WinTypes.h>

#include <cstddef>

// At a sync word (0x0B 0x77) with more than 10 bytes from it: 0, and *mode
// becomes acmod << 8 | the header's LFE bit, unshifted (0x10, 0x04, 0x01 or
// 0 by acmod). Elsewhere -1 and *mode is left alone.
int ParseAC3Header(const BYTE* bytes, size_t length, DWORD* mode);

// Parses every sync word in the bytes; the last one decides *mode. TRUE when
// one was found.
BOOL ScanForAC3Header(const BYTE* bytes, size_t length, DWORD* mode);
