// String resources are stored in blocks of 16: block (id / 16) + 1 holds, for
// each of its ids, a 16-bit length and that many UTF-16 characters.
#pragma once

#include <windows.h>

// The characters of string nID in hModule (not terminated), or null.
const WCHAR* AfxFindStringInModule(HINSTANCE hModule, UINT nID, int* pnLength);
