#include "PropertyGridText.h"

#include <cstdint>

void JVKSplitCaption(LPCTSTR pszText, CString& strCaption, CString& strDescription) {
  const CString strText(pszText ? pszText : "");
  const int nNewLine = strText.Find('\n');
  if (nNewLine < 0) {
    strCaption = strText;
    strDescription.Empty();
  } else {
    strCaption = strText.Left(nNewLine);
    strDescription = strText.Mid(nNewLine + 1);
  }
}

int JVKCompareCaptions(LPCTSTR pszA, LPCTSTR pszB) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(pszA ? pszA : "");
  const unsigned char* b = reinterpret_cast<const unsigned char*>(pszB ? pszB : "");
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  return static_cast<int>(*a) - static_cast<int>(*b);
}

LONG JVKParseLong(LPCTSTR pszText) {
  const char* p = pszText ? pszText : "";
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool bNegative = false;
  if (*p == '+' || *p == '-') bNegative = *p++ == '-';
  // Accumulated as a magnitude; one past INT32_MAX is the negative limit.
  const int64_t nLimit = bNegative ? int64_t(INT32_MAX) + 1 : int64_t(INT32_MAX);
  int64_t nValue = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    nValue = nValue * 10 + (*p - '0');
    if (nValue >= nLimit) {
      nValue = nLimit;
      break;
    }
  }
  return static_cast<LONG>(bNegative ? -nValue : nValue);
}
