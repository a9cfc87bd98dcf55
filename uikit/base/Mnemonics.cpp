#include "Mnemonics.h"

void StripMnemonics(CString& str) {
  CString out;
  const int n = str.GetLength();
  for (int i = 0; i < n; ++i) {
    if (str[i] == '&') {
      if (i + 1 < n && str[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += str[i];
  }
  str = out;
}

void RemoveMnemonicMarkers(CString& str) {
  CString out;
  const int n = str.GetLength();
  int i = 0;
  for (; i < n - 1; ++i) {
    if (str[i] == '&') {
      if (str[i + 1] == '&') {
        out += "&&";
        ++i;
      }
      continue;
    }
    out += str[i];
  }
  if (i < n) out += str[i];
  str = out;
}

BOOL CopyString(char* dst, size_t nSize, const char* src) {
  if (nSize == 0) return FALSE;
  if (!src) {
    dst[0] = '\0';
    return FALSE;
  }
  const size_t len = strlen(src);
  const size_t n = len < nSize ? len : nSize - 1;
  memcpy(dst, src, n);
  dst[n] = '\0';
  return n == len;
}
