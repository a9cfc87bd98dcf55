#include "ButtonLayout.h"

namespace {
int NotNegative(int n) { return n < 0 ? 0 : n; }
}  // namespace

CJVButtonPoint CJVButtonLayout::Centered(int nCx, int nCy) const {
  const int x = (dwXStyle & JVBS_IMAGEABOVE) ? (cx - nCx) / 2 : nBorderGap;
  return {NotNegative(x), NotNegative((cy - nCy) / 2)};
}

CJVButtonPoint CJVButtonLayout::ImagePosition() const {
  CJVButtonPoint pt = Centered(nImageCx, nImageCy);
  const DWORD dwHorz = dwAlign & JVBA_CENTER;
  if (dwXStyle & JVBS_IMAGEABOVE) {
    if (HasText()) pt.y -= nTextCy / 2 + nImageTextGap / 2;
    if (dwHorz == JVBA_LEFT)
      pt.x = nBorderGap;
    else if (dwHorz == JVBA_RIGHT)
      pt.x = cx - nImageCx - nBorderGap;
    return pt;
  }
  pt.x = nBorderGap;
  if (!HasText()) {
    if (dwHorz == JVBA_CENTER && nImageCx <= cx) pt.x = (cx - nImageCx) / 2;
    if ((dwAlign & JVBA_VCENTER) == JVBA_VCENTER) pt.y = NotNegative((cy - nImageCy) / 2);
  }
  return pt;
}

CJVButtonPoint CJVButtonLayout::TextPosition() const {
  // The caption lives in the item rectangle less 2 pixels on either side.
  const int nLeft = 2, nRight = cx - 2;
  CJVButtonPoint pt = {nLeft, NotNegative((cy - nTextCy) / 2)};
  const bool bAbove = (dwXStyle & JVBS_IMAGEABOVE) != 0;
  const bool bBeside = !bAbove && HasImage();
  if (bAbove && HasImage()) pt.y += nImageCy / 2 + nImageTextGap / 2;
  const int nRoomLeft = bBeside ? nBorderGap + nImageCx + nImageTextGap : nLeft;
  switch (dwAlign & JVBA_CENTER) {
    case JVBA_LEFT:
      pt.x = nBorderGap + (bBeside ? nImageCx + nImageTextGap : 0);
      break;
    case JVBA_RIGHT:
      pt.x = cx - nBorderGap - nTextCx;
      break;
    default:
      pt.x = nRoomLeft + NotNegative((nRight - nRoomLeft - nTextCx) / 2);
      break;
  }
  return pt;
}
