#include "ImageManagerIcon.h"

#include <commctrl.h>

#include "AlphaBitmap.h"
#include "ImageManager.h"

namespace {

// An HICON from a colour and a mask bitmap, through a masked image list of
// the colour bitmap's size.
HICON IconFromBitmaps(HBITMAP hColor, HBITMAP hMask) {
  CSize sz = GetBitmapSize(hColor);
  HIMAGELIST hList = ImageList_Create(sz.cx, sz.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (hList == nullptr) return nullptr;
  HICON hIcon = nullptr;
  if (ImageList_Add(hList, hColor, hMask) == 0) hIcon = ImageList_GetIcon(hList, 0, 0);
  ImageList_Destroy(hList);
  return hIcon;
}

// One image as its two blocks: an alpha bitmap and an empty block, an
// icon's colour and mask bitmaps, or two empty blocks.
BOOL ImageToBlocks(const CJVKImageManagerIconHandle& hImage, CJVKBitmapBlock& first, CJVKBitmapBlock& second) {
  first = CJVKBitmapBlock();
  second = CJVKBitmapBlock();
  if (hImage.IsAlpha()) return JVKBlockFromBitmap(hImage.GetBitmap(), first);
  if (hImage.GetIcon() == nullptr) return TRUE;
  ICONINFO info = {};
  if (!::GetIconInfo(hImage.GetIcon(), &info)) return FALSE;
  BOOL bDone = (info.hbmColor == nullptr || JVKBlockFromBitmap(info.hbmColor, first)) &&
               JVKBlockFromBitmap(info.hbmMask, second);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return bDone;
}

// The image two blocks stand for; FALSE when a present block cannot be made.
BOOL BlocksToImage(const CJVKBitmapBlock& first, const CJVKBitmapBlock& second, CJVKImageManagerIconHandle& hImage) {
  hImage.Clear();
  if (!first.m_bPresent) return !second.m_bPresent;
  HBITMAP hFirst = JVKBitmapFromBlock(first);
  if (hFirst == nullptr) return FALSE;
  if (!second.m_bPresent) {
    hImage = hFirst;
    return TRUE;
  }
  HBITMAP hSecond = JVKBitmapFromBlock(second);
  HICON hIcon = hSecond != nullptr ? IconFromBitmaps(hFirst, hSecond) : nullptr;
  ::DeleteObject(hFirst);
  if (hSecond != nullptr) ::DeleteObject(hSecond);
  if (hIcon == nullptr) return FALSE;
  hImage = hIcon;
  return TRUE;
}

}  // namespace

CJVKImageManagerIcon::CJVKImageManagerIcon(UINT nID, int nWidth, int nHeight, CJVKImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet) {}

CJVKImageManagerIcon::~CJVKImageManagerIcon() { Clear(); }

CJVKImageManager* CJVKImageManagerIcon::GetImageManager() const {
  if (m_pIconSet != nullptr && m_pIconSet->GetImageManager() != nullptr) return m_pIconSet->GetImageManager();
  return ::GetImageManager();
}

CJVKImageManagerIconHandle& CJVKImageManagerIcon::GetHotIcon() {
  return m_hHotIcon.IsEmpty() ? m_hIcon : m_hHotIcon;
}

CJVKImageManagerIconHandle& CJVKImageManagerIcon::GetCheckedIcon() {
  return m_hCheckedIcon.IsEmpty() ? GetHotIcon() : m_hCheckedIcon;
}

CJVKImageManagerIconHandle& CJVKImageManagerIcon::GetFadedIcon() {
  if (m_hFadedIcon.IsEmpty()) CreateFadedIcon();
  return m_hFadedIcon;
}

CJVKImageManagerIconHandle& CJVKImageManagerIcon::GetShadowIcon() {
  if (m_hShadowIcon.IsEmpty()) CreateShadowIcon();
  return m_hShadowIcon;
}

CJVKImageManagerIconHandle& CJVKImageManagerIcon::GetDisabledIcon(BOOL bCreate) {
  if (!m_hDisabledIcon.IsEmpty()) return m_hDisabledIcon;
  if (m_hDisabledAutoIcon.IsEmpty() && bCreate) CreateDisabledIcon();
  return m_hDisabledAutoIcon;
}

void CJVKImageManagerIcon::StoreCopy(CJVKImageManagerIconHandle& hTarget, CJVKImageManagerIconHandle& hSource) {
  Refresh();
  // The copy is the icon's own; the caller's handle (a by-value argument)
  // destroys what it owns when the setter returns.
  hTarget.CopyHandle(hSource);
}

void CJVKImageManagerIcon::SetIcon(CJVKImageManagerIconHandle hIcon) {
  StoreCopy(m_hIcon, hIcon);
  CSize sz = m_hIcon.GetExtent();
  m_nWidth = sz.cx;
  m_nHeight = sz.cy;
  m_bScaled = FALSE;
  if (m_pIconSet != nullptr) m_pIconSet->OnIconChanged(this);
}

void CJVKImageManagerIcon::SetDisabledIcon(CJVKImageManagerIconHandle hIcon) { StoreCopy(m_hDisabledIcon, hIcon); }

void CJVKImageManagerIcon::SetHotIcon(CJVKImageManagerIconHandle hIcon) { StoreCopy(m_hHotIcon, hIcon); }

void CJVKImageManagerIcon::SetCheckedIcon(CJVKImageManagerIconHandle hIcon) { StoreCopy(m_hCheckedIcon, hIcon); }

void CJVKImageManagerIcon::Refresh() {
  m_hFadedIcon.Clear();
  m_hShadowIcon.Clear();
  m_hDisabledAutoIcon.Clear();
}

void CJVKImageManagerIcon::Clear() {
  Refresh();
  m_hIcon.Clear();
  m_hHotIcon.Clear();
  m_hCheckedIcon.Clear();
  m_hDisabledIcon.Clear();
}

void CJVKImageManagerIcon::Draw(CDC* pDC, CPoint pt, CJVKImageManagerIconHandle& hIcon, int nWidth, int nHeight) {
  if (hIcon.IsEmpty()) return;
  if (nWidth == 0) nWidth = m_nWidth;
  if (nHeight == 0) nHeight = m_nWidth != 0 ? nWidth * m_nHeight / m_nWidth : nWidth;
  if (hIcon.IsAlpha()) {
    DrawAlphaBitmap(pDC, pt, CSize(nWidth, nHeight), hIcon.PreMultiply());
    return;
  }
  if (pDC->IsPrinting()) {
    // Printer drivers take the icon better as a masked image list's image.
    HIMAGELIST hList = ImageList_Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hList == nullptr) return;
    ImageList_AddIcon(hList, hIcon.GetIcon());
    ImageList_Draw(hList, 0, pDC->GetSafeHdc(), pt.x, pt.y, ILD_NORMAL);
    ImageList_Destroy(hList);
    return;
  }
  if (GetImageManager()->m_bDrawReverse) {
    pt.x += nWidth;
    nWidth = -nWidth;
  }
  ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon.GetIcon(), nWidth, nHeight, 0, nullptr, DI_NORMAL);
}

void CJVKImageManagerIcon::DrawMono(CDC* pDC, CPoint pt, CJVKImageManagerIconHandle& hIcon, COLORREF clrBrush) {
  if (hIcon.GetIcon() == nullptr) return;
  CBrush brush(clrBrush);
  if (!GetImageManager()->m_bDrawReverse) {
    ::DrawStateA(pDC->GetSafeHdc(), static_cast<HBRUSH>(brush.GetSafeHandle()), nullptr,
                 reinterpret_cast<LPARAM>(hIcon.GetIcon()), 0, pt.x, pt.y, m_nWidth, m_nHeight, DST_ICON | DSS_MONO);
    return;
  }
  // Mirrored: the icon is drawn onto a white bitmap first, which then gives
  // the one-colour shape.
  HDC hScreen = ::GetDC(nullptr);
  HDC hMemDC = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, m_nWidth, m_nHeight);
  ::ReleaseDC(nullptr, hScreen);
  HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
  RECT rc = {0, 0, m_nWidth, m_nHeight};
  ::FillRect(hMemDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::DrawIconEx(hMemDC, m_nWidth, 0, hIcon.GetIcon(), -m_nWidth, m_nHeight, 0, nullptr, DI_NORMAL);
  ::SelectObject(hMemDC, hOld);
  ::DeleteDC(hMemDC);
  ::DrawStateA(pDC->GetSafeHdc(), static_cast<HBRUSH>(brush.GetSafeHandle()), nullptr,
               reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, m_nWidth, m_nHeight, DST_BITMAP | DSS_MONO);
  ::DeleteObject(hBitmap);
}

BOOL CJVKImageManagerIcon::ToIconData(CJVKIconData& data) const {
  data = CJVKIconData();
  data.m_nHeight = m_nHeight;
  const CJVKImageManagerIconHandle* images[CJVKIconData::kImages] = {&m_hIcon, &m_hDisabledIcon, &m_hHotIcon,
                                                                    &m_hCheckedIcon};
  for (int i = 0; i < CJVKIconData::kImages; ++i) {
    if (!ImageToBlocks(*images[i], data.m_blocks[2 * i], data.m_blocks[2 * i + 1])) return FALSE;
  }
  return TRUE;
}

BOOL CJVKImageManagerIcon::FromIconData(const CJVKIconData& data) {
  Clear();
  m_nHeight = data.m_nHeight;
  CJVKImageManagerIconHandle* images[CJVKIconData::kImages] = {&m_hIcon, &m_hDisabledIcon, &m_hHotIcon,
                                                              &m_hCheckedIcon};
  for (int i = 0; i < data.GetImageCount(); ++i) {
    if (!BlocksToImage(data.m_blocks[2 * i], data.m_blocks[2 * i + 1], *images[i])) {
      Clear();
      return FALSE;
    }
  }
  return TRUE;
}

void CJVKImageManagerIcon::Serialize(CArchive& ar) {
  CJVKIconData data;
  if (ar.IsStoring()) {
    // A bitmap that cannot be read is stored as empty blocks, which keeps
    // the stream in step.
    if (!ToIconData(data)) {
      data = CJVKIconData();
      data.m_nHeight = m_nHeight;
    }
    WriteIconData(ar, data);
    return;
  }
  if (!ReadIconData(ar, data) || !FromIconData(data)) AfxThrowArchiveException(CArchiveException::genericException);
}
