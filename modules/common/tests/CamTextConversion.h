// A device library's conversion of CAM texts, for the native tests and the
// fuzz target of the CAM texts (the libraries' own are Windows DLLs): the
// text ends at its first line break (0x8A), control codes 0x80-0x9F before
// it become blanks; returns the characters consumed.
#pragma once

#include <algorithm>

#include <Framework.h>

inline int ConvertCamText(CString& text, int length) {
  const int walked = std::min(length, text.GetLength());
  for (int i = 0; i < walked; ++i) {
    const BYTE c = static_cast<BYTE>(text.GetAt(i));
    if (c == 0x8A) {
      text = text.Left(i);
      return i + 1;
    }
    if (c >= 0x80 && c <= 0x9F) text.SetAt(i, ' ');
  }
  return length;
}
