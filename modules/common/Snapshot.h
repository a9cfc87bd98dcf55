// A renderer's picture (a packed DIB) written to a BMP file or put on the
// clipboard as a bitmap.
#pragma once

#include <windows.h>

#include <control.h>

#include <vector>

// Writes the 14-byte file header and the DIB; an existing file is replaced
// whole (a longer old one leaves no tail). False when the file cannot be
// written.
bool WriteSnapshotFile(const char* path, const std::vector<BYTE>& dib);

// A device-dependent bitmap of the DIB, made on a screen DC (through a
// palette from its colour table on a palette display), as CF_BITMAP with the
// owner window. False when the clipboard or the bitmap cannot be had.
bool CopySnapshotToClipboard(HWND owner, const std::vector<BYTE>& dib);

// The renderer's current picture as a packed DIB; false when it has none.
bool GetRendererImage(IBasicVideo* video, std::vector<BYTE>* dib);
