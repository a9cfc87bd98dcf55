#include "CiText.h"

#include <cstring>

namespace citext {

int ConvertCharBuf(CString& text, int length) {
  if (length < 1) return length;
  const int walked = length < text.GetLength() ? length : text.GetLength();
  for (int i = 0; i < walked; ++i) {
    const BYTE c = BYTE(text.GetAt(i));
    if (c == BYTE(kLineBreak)) {
      text = text.Left(i);
      return i + 1;
    }
    if (c >= 0x80 && c <= 0x9F) text.SetAt(i, ' ');
  }
  return length;
}

void SplitVersion(const BYTE* reply, CString& first, CString& second) {
  const char* s = reinterpret_cast<const char*>(reply);
  const void* end = memchr(s, 0, kVersionReply);
  const int length = end ? int(static_cast<const char*>(end) - s) : kVersionReply;
  const void* bar = memchr(s, '|', size_t(length));
  if (!bar) {
    first.Empty();
    second = CString(s, length);
    return;
  }
  const int at = int(static_cast<const char*>(bar) - s);
  first = CString(s, at);
  second = CString(s + at + 1, length - at - 1);
}

}  // namespace citext
