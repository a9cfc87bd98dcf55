// Text rules of the property grid's items: caption and description from one
// string, the order of captions and constraint texts, and the reading of a
// number item's text. Portable.
#pragma once

#include <Framework.h>

// Splits at the first newline: caption before it, description after it; a
// text without newline is all caption.
void JVKSplitCaption(LPCTSTR pszText, CString& strCaption, CString& strDescription);

// Case-sensitive order of two texts of the multibyte code page: byte by
// byte, unsigned. A two-byte character thus compares as one unit (its lead
// byte first), as the code page orders it.
int JVKCompareCaptions(LPCTSTR pszA, LPCTSTR pszB);

// Reads a decimal number the way atol does (leading white space and a sign
// accepted, reading stops at the first other character, no digits give 0),
// but saturates to the 32-bit range instead of wrapping: "4294967301" gives
// 2147483647, not 5.
LONG JVKParseLong(LPCTSTR pszText);
