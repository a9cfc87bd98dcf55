#include "ImageManagerIconHandle.h"

#include "AlphaBitmap.h"
#include "IconFile.h"

CJVKImageManagerIconHandle::CJVKImageManagerIconHandle(HICON hIcon) : m_hIcon(hIcon) {}

CJVKImageManagerIconHandle::CJVKImageManagerIconHandle(HBITMAP hAlphaBitmap) : m_hBitmap(hAlphaBitmap) {}

CJVKImageManagerIconHandle::CJVKImageManagerIconHandle(CJVKImageManagerIconHandle&& other) noexcept
    : m_hIcon(other.m_hIcon),
      m_hBitmap(other.m_hBitmap),
      m_hPremultiplied(other.m_hPremultiplied),
      m_bOwned(other.m_bOwned) {
  other.m_hIcon = nullptr;
  other.m_hBitmap = nullptr;
  other.m_hPremultiplied = nullptr;
  other.m_bOwned = TRUE;
}

CJVKImageManagerIconHandle& CJVKImageManagerIconHandle::operator=(CJVKImageManagerIconHandle&& other) noexcept {
  if (this != &other) {
    Clear();
    std::swap(m_hIcon, other.m_hIcon);
    std::swap(m_hBitmap, other.m_hBitmap);
    std::swap(m_hPremultiplied, other.m_hPremultiplied);
    std::swap(m_bOwned, other.m_bOwned);
  }
  return *this;
}

CJVKImageManagerIconHandle CJVKImageManagerIconHandle::View(const CJVKImageManagerIconHandle& other) {
  CJVKImageManagerIconHandle view;
  view.m_hIcon = other.m_hIcon;
  view.m_hBitmap = other.m_hBitmap;
  view.m_bOwned = FALSE;
  return view;
}

CJVKImageManagerIconHandle CJVKImageManagerIconHandle::View(HICON hIcon) {
  CJVKImageManagerIconHandle view(hIcon);
  view.m_bOwned = FALSE;
  return view;
}

CJVKImageManagerIconHandle CJVKImageManagerIconHandle::View(HBITMAP hAlphaBitmap) {
  CJVKImageManagerIconHandle view(hAlphaBitmap);
  view.m_bOwned = FALSE;
  return view;
}

CJVKImageManagerIconHandle& CJVKImageManagerIconHandle::operator=(HICON hIcon) {
  Clear();
  m_hIcon = hIcon;
  m_bOwned = TRUE;
  return *this;
}

CJVKImageManagerIconHandle& CJVKImageManagerIconHandle::operator=(HBITMAP hAlphaBitmap) {
  Clear();
  m_hBitmap = hAlphaBitmap;
  m_bOwned = TRUE;
  return *this;
}

void CJVKImageManagerIconHandle::CopyHandle(const CJVKImageManagerIconHandle& other) {
  if (this == &other) return;
  Clear();
  m_bOwned = TRUE;
  if (other.m_hIcon != nullptr) m_hIcon = ::CopyIcon(other.m_hIcon);
  if (other.m_hBitmap != nullptr) m_hBitmap = CopyAlphaBitmap(other.m_hBitmap);
}

void CJVKImageManagerIconHandle::Clear() {
  if (m_bOwned) {
    if (m_hIcon != nullptr) ::DestroyIcon(m_hIcon);
    if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
  }
  if (m_hPremultiplied != nullptr) ::DeleteObject(m_hPremultiplied);
  m_hIcon = nullptr;
  m_hBitmap = nullptr;
  m_hPremultiplied = nullptr;
}

HBITMAP CJVKImageManagerIconHandle::PreMultiply() {
  if (m_hPremultiplied == nullptr) {
    if (m_hBitmap != nullptr)
      m_hPremultiplied = PreMultiplyAlphaBitmap(m_hBitmap);
    else if (m_hIcon != nullptr)
      m_hPremultiplied = PreMultiplyAlphaBitmap(m_hIcon);
  }
  return m_hPremultiplied;
}

CSize CJVKImageManagerIconHandle::GetExtent() const {
  if (m_hIcon != nullptr) return GetIconSize(m_hIcon);
  return GetBitmapSize(m_hBitmap);
}

BOOL CJVKImageManagerIconHandle::LoadIcon(UINT nIDResource, int nWidth, int nHeight) {
  Clear();
  m_bOwned = TRUE;
  LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
  HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_GROUP_ICON);
  HRSRC hGroup = ::FindResource(hInstance, lpszName, RT_GROUP_ICON);
  HGLOBAL hData = hGroup != nullptr ? ::LoadResource(hInstance, hGroup) : nullptr;
  if (hData == nullptr) return FALSE;
  const BYTE* pGroup = static_cast<const BYTE*>(::LockResource(hData));
  for (WORD nIconID : JVKGroupIconCandidates(pGroup, ::SizeofResource(hInstance, hGroup), nWidth, nHeight)) {
    if (LoadIconImage(hInstance, nIconID, nWidth, nHeight)) break;
  }
  return !IsEmpty();
}

BOOL CJVKImageManagerIconHandle::LoadIconImage(HINSTANCE hInstance, WORD nIconID, int nWidth, int nHeight) {
  HRSRC hIcon = ::FindResource(hInstance, MAKEINTRESOURCE(nIconID), RT_ICON);
  HGLOBAL hData = hIcon != nullptr ? ::LoadResource(hInstance, hIcon) : nullptr;
  if (hData == nullptr) return FALSE;
  BYTE* pImage = static_cast<BYTE*>(::LockResource(hData));
  DWORD nBytes = ::SizeofResource(hInstance, hIcon);
  if (pImage == nullptr || nBytes < CJVKBitmapBlock::kInfoHeaderBytes) return FALSE;
  if ((pImage[14] | (pImage[15] << 8)) < 32) {
    m_hIcon = ::CreateIconFromResourceEx(pImage, nBytes, TRUE, 0x30000, nWidth, nHeight, 0);
    return m_hIcon != nullptr;
  }
  if (JVKAlphaBlendEntry() == nullptr) return FALSE;
  CJVKBitmapBlock block;
  if (!JVKReadAlphaIconImage(pImage, nBytes, block)) return FALSE;
  m_hBitmap = JVKBitmapFromBlock(block);
  return m_hBitmap != nullptr;
}
