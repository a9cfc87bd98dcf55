#include "PropertyGridConstraintSteps.h"

#include <cctype>

int JVKStepConstraint(int nCurrent, int nStep, int nCount, BOOL bWrap) {
  if (nCount <= 0) return -1;
  const int nIndex = nCurrent + nStep;
  if (nIndex >= nCount) return bWrap ? 0 : nCount - 1;
  if (nIndex < 0) return bWrap ? nCount - 1 : 0;
  return nIndex;
}

int JVKTypeAheadConstraint(const CStringArray& texts, int nCurrent, TCHAR ch) {
  const int nCount = static_cast<int>(texts.GetSize());
  if (nCount == 0) return -1;
  const int nStart = nCurrent >= 0 && nCurrent < nCount ? nCurrent + 1 : 0;
  const int nWanted = std::toupper(static_cast<unsigned char>(ch));
  for (int i = 0; i < nCount; ++i) {
    const int nIndex = (nStart + i) % nCount;
    const CString& strText = texts[nIndex];
    if (!strText.IsEmpty() && std::toupper(static_cast<unsigned char>(strText[0])) == nWanted) return nIndex;
  }
  return -1;
}
