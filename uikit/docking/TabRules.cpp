#include "TabRules.h"

#include <cstddef>

namespace {

// COLORREF values (0x00BBGGRR) of the palette.
const COLORREF kPalette[kJvkTabPaletteSize] = {
    0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8,
};

int Step(const std::vector<BOOL>& usable, int nFrom, int nDelta) {
  for (int i = nFrom + nDelta; i >= 0 && i < static_cast<int>(usable.size()); i += nDelta)
    if (usable[i]) return i;
  return -1;
}

}  // namespace

COLORREF JVKTabPaletteCode(int nInserted) {
  return kJvkTabPaletteBase + static_cast<COLORREF>(nInserted % kJvkTabPaletteSize);
}

COLORREF JVKTabPaletteColor(COLORREF clr) {
  if (clr >= kJvkTabPaletteBase && clr < kJvkTabPaletteBase + kJvkTabPaletteSize)
    return kPalette[clr - kJvkTabPaletteBase];
  return clr;
}

int JVKTabHitTest(const JVKTabPoint& pt, const JVKTabRect& rcControl, const JVKTabRect& rcHeader,
                  const std::vector<JVKTabHitItem>& items) {
  if (!JVKTabRectHolds(rcControl, pt)) return -1;
  if (!JVKIsTabRectEmpty(rcHeader) && !JVKTabRectHolds(rcHeader, pt)) return -1;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].bUsable && JVKTabRectHolds(items[i].rc, pt)) return static_cast<int>(i);
  return -1;
}

JVKTabKeyResult JVKTabKeyMove(const std::vector<BOOL>& usable, int nSelected, JVKTabKey key, BOOL bVertical) {
  const int n = static_cast<int>(usable.size());
  if (n == 0 || key == jvkTabKeyOther) return {FALSE, -1};
  if (key == jvkTabKeyHome) return {TRUE, Step(usable, -1, 1)};
  if (key == jvkTabKeyEnd) return {TRUE, Step(usable, n, -1)};
  if (nSelected < 0 || nSelected >= n) return {TRUE, -1};
  const JVKTabKey back = bVertical ? jvkTabKeyUp : jvkTabKeyLeft;
  const JVKTabKey forward = bVertical ? jvkTabKeyDown : jvkTabKeyRight;
  if (key == back) return {TRUE, Step(usable, nSelected, -1)};
  if (key == forward) return {TRUE, Step(usable, nSelected, 1)};
  return {TRUE, -1};
}

CString JVKMiddleEllipsis(const CString& str, int nWidth, const std::function<int(const CString&)>& measure) {
  if (measure(str) <= nWidth) return str;
  CString strLeft = str.Left((str.GetLength() + 1) / 2);
  CString strRight = str.Mid(strLeft.GetLength());
  for (;;) {
    const CString strTry = strLeft + "..." + strRight;
    if (measure(strTry) <= nWidth || (strLeft.IsEmpty() && strRight.IsEmpty())) return strTry;
    if (!strRight.IsEmpty() && (strRight.GetLength() >= strLeft.GetLength() || strLeft.IsEmpty())) {
      strRight = strRight.Mid(1);
    } else {
      strLeft = strLeft.Left(strLeft.GetLength() - 1);
    }
  }
}
