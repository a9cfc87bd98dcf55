#include "ImageManager.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "IconSetData.h"

CJVKImageManager* GetImageManager() {
  static CJVKImageManager manager;
  return &manager;
}

CJVKImageManager::CJVKImageManager() = default;

CJVKImageManager::~CJVKImageManager() { RemoveAll(); }

CJVKImageManagerIconSet* CJVKImageManager::GetIconSet(UINT nCommand) {
  auto it = m_mapImages.find(nCommand);
  return it != m_mapImages.end() ? it->second : nullptr;
}

CJVKImageManagerIconSet* CJVKImageManager::GetOrCreateIconSet(UINT nCommand) {
  CJVKImageManagerIconSet*& pIconSet = m_mapImages[nCommand];
  if (pIconSet == nullptr) pIconSet = new CJVKImageManagerIconSet(nCommand, this);
  return pIconSet;
}

BOOL CJVKImageManager::SetIcon(CJVKImageManagerIconHandle hIcon, UINT nCommand, CSize szIcon, int nState) {
  if (hIcon.IsEmpty()) return FALSE;
  if (szIcon.cx == 0 && szIcon.cy == 0) szIcon = hIcon.GetExtent();
  CJVKImageManagerIconSet* pIconSet = GetIconSet(nCommand);
  if (pIconSet == nullptr) {
    if (nState != jvkImageNormal) return FALSE;
    pIconSet = GetOrCreateIconSet(nCommand);
  }
  CJVKImageManagerIcon* pIcon = pIconSet->GetOrCreateIcon(szIcon.cx, szIcon.cy);
  switch (nState) {
    case jvkImageNormal: pIcon->SetIcon(std::move(hIcon)); break;
    case jvkImageDisabled: pIcon->SetDisabledIcon(std::move(hIcon)); break;
    case jvkImageHot: pIcon->SetHotIcon(std::move(hIcon)); break;
    case jvkImageChecked: pIcon->SetCheckedIcon(std::move(hIcon)); break;
    default: return FALSE;
  }
  return TRUE;
}

BOOL CJVKImageManager::SetIcons(CImageList& imageList, const UINT* pCommands, int nCount, CSize szIcon, int nState) {
  const int nImages = imageList.GetImageCount();
  if (nCount == 0 && pCommands == nullptr) nCount = nImages;
  if (szIcon.cx == 0 && szIcon.cy == 0) {
    IMAGEINFO info = {};
    if (imageList.GetImageInfo(0, &info)) szIcon = CRect(info.rcImage).Size();
  }
  int nImage = 0;
  for (int i = 0; i < nCount; ++i) {
    // With ids for other than one image each, an id of 0 is a separator.
    if (pCommands != nullptr && nCount != nImages && pCommands[i] == 0) continue;
    HICON hIcon = ImageList_GetIcon(imageList, nImage++, 0);
    if (hIcon == nullptr) return FALSE;
    SetIcon(CJVKImageManagerIconHandle(hIcon), pCommands != nullptr ? pCommands[i] : static_cast<UINT>(i), szIcon,
            nState);
  }
  return TRUE;
}

BOOL CJVKImageManager::SetIcons(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState,
                                BOOL bAlpha) {
  if (szIcon.cx == 0 || hBitmap == nullptr) return FALSE;
  if (bAlpha) return SetAlphaStrip(hBitmap, pCommands, nCount, szIcon, nState);
  CImageList imageList;
  if (!imageList.Create(szIcon.cx, szIcon.cy, ILC_COLOR24 | ILC_MASK, 0, 1)) return FALSE;
  COLORREF clrMask = m_clrMask;
  if (clrMask == static_cast<COLORREF>(-1)) {
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    clrMask = ::GetPixel(hDC, 0, 0);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
  }
  if (ImageList_AddMasked(imageList, hBitmap, clrMask) < 0) return FALSE;
  return SetIcons(imageList, pCommands, nCount, szIcon, nState);
}

BOOL CJVKImageManager::SetAlphaStrip(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState) {
  CJVKBitmapBlock strip;
  if (!JVKBlockFromBitmap(hBitmap, strip) || strip.GetBitCount() != 32) return FALSE;
  const LONG nStripWidth = strip.GetWidth(), nHeight = strip.GetHeight();
  if (nStripWidth % szIcon.cx != 0) return FALSE;
  const int nPieces = static_cast<int>(nStripWidth / szIcon.cx);

  // Every piece is made before any is stored, so that a failure stores nothing.
  std::vector<CJVKImageManagerIconHandle> pieces;
  for (int j = 0; j < nPieces; ++j) {
    CJVKBitmapBlock piece;
    piece.m_bPresent = TRUE;
    memcpy(piece.m_header, strip.m_header, CJVKBitmapBlock::kHeaderBytes);
    const DWORD nRowBytes = static_cast<DWORD>(szIcon.cx) * 4;
    LONG nWidth = szIcon.cx;
    DWORD nImageBytes = nRowBytes * static_cast<DWORD>(nHeight);
    memcpy(piece.m_header + 4, &nWidth, 4);
    memcpy(piece.m_header + 20, &nImageBytes, 4);
    piece.m_pixels.resize(nImageBytes);
    for (LONG y = 0; y < nHeight; ++y) {
      const BYTE* pFrom = strip.m_pixels.data() + static_cast<size_t>(y) * nStripWidth * 4 + j * nRowBytes;
      memcpy(piece.m_pixels.data() + static_cast<size_t>(y) * nRowBytes, pFrom, nRowBytes);
    }
    HBITMAP hPiece = JVKBitmapFromBlock(piece);
    if (hPiece == nullptr) return FALSE;
    pieces.emplace_back(hPiece);
  }
  int nPiece = 0;
  for (int i = 0; i < nCount && nPiece < nPieces; ++i) {
    if (pCommands != nullptr && nCount != nPieces && pCommands[i] == 0) continue;
    SetIcon(std::move(pieces[nPiece++]), pCommands != nullptr ? pCommands[i] : static_cast<UINT>(i),
            CSize(szIcon.cx, nHeight), nState);
  }
  return TRUE;
}

BOOL CJVKImageManager::SetIconsFromResource(UINT nIDBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                            int nState) {
  BOOL bAlpha = IsAlphaBitmapResource(nIDBitmap);
  HBITMAP hBitmap = bAlpha ? LoadAlphaBitmap(nIDBitmap)
                           : ::LoadBitmapA(AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP),
                                           MAKEINTRESOURCE(nIDBitmap));
  if (hBitmap == nullptr) return FALSE;
  CSize szBitmap = GetBitmapSize(hBitmap);
  BOOL bResult = FALSE;
  if (szIcon.cx == 0 && szIcon.cy == 0 && nCount > 0) szIcon = CSize(szBitmap.cx / nCount, szBitmap.cy);
  if (szIcon.cx > 0) {
    if (nCount == 0) nCount = szBitmap.cx / szIcon.cx;
    bResult = SetIcons(hBitmap, pCommands, nCount, szIcon, nState, bAlpha);
  }
  ::DeleteObject(hBitmap);
  return bResult;
}

UINT CJVKImageManager::AddCustomIcon(CJVKImageManagerIconHandle hIcon) {
  UINT nID = ++m_nCustomID;
  GetOrCreateIconSet(nID);
  SetIcon(std::move(hIcon), nID);
  return nID;
}

CJVKImageManagerIcon* CJVKImageManager::GetImage(UINT nCommand, int nWidth) {
  CJVKImageManagerIconSet* pIconSet = GetIconSet(nCommand);
  return pIconSet != nullptr ? pIconSet->GetIcon(nWidth, TRUE) : nullptr;
}

void CJVKImageManager::RefreshAll() {
  for (auto& entry : m_mapImages) entry.second->RefreshAll();
}

void CJVKImageManager::RemoveAll() {
  CIconSetMap sets;
  sets.swap(m_mapImages);
  for (auto& entry : sets) entry.second->InternalRelease();
}

void CJVKImageManager::DoPropExchange(CJVKPropExchange* pPX) {
  if (pPX->IsLoading()) RemoveAll();
  std::unique_ptr<CJVKPropExchangeEnumerator> pEnumerator(pPX->CreateEnumerator(_T("IconSet")));
  DWORD nPosition = pEnumerator->Start(static_cast<DWORD>(m_mapImages.size()));
  auto itSet = m_mapImages.begin();
  while (nPosition != 0) {
    CJVKPropExchangeSectionHolder section(pEnumerator->Next(nPosition));
    LONG nID = 0;
    if (!pPX->IsLoading()) nID = static_cast<LONG>((itSet++)->first);
    PX_Long(section.Get(), _T("Id"), nID, 0);
    DoPropExchange(static_cast<UINT>(nID), section.Get());
  }
}

void CJVKImageManager::DoPropExchange(UINT nCommand, CJVKPropExchange* pPX) {
  if (m_nCustomID < nCommand) m_nCustomID = nCommand;
  std::vector<CJVKIconSetEntry> entries;
  if (!pPX->IsLoading()) {
    if (CJVKImageManagerIconSet* pIconSet = GetIconSet(nCommand)) {
      for (const auto& icon : pIconSet->GetIcons()) {
        // Scaled icons are a cache: never stored.
        if (icon.second->IsScaled()) continue;
        CJVKIconSetEntry entry;
        entry.m_nWidth = icon.first;
        if (!icon.second->ToIconData(entry.m_data)) {
          entry.m_data = CJVKIconData();
          entry.m_data.m_nHeight = icon.second->GetHeight();
        }
        entries.push_back(std::move(entry));
      }
    }
    JVKExchangeIconSet(pPX, entries);
    return;
  }
  JVKExchangeIconSet(pPX, entries);
  // Every icon is made before the set is touched, so a refused one keeps
  // the command's old icons.
  std::vector<CJVKImageManagerIcon*> icons;
  for (const CJVKIconSetEntry& entry : entries) {
    CJVKImageManagerIcon* pIcon = new CJVKImageManagerIcon(nCommand, entry.m_nWidth, 15);
    icons.push_back(pIcon);
    if (!pIcon->FromIconData(entry.m_data)) {
      for (CJVKImageManagerIcon* pMade : icons) pMade->InternalRelease();
      AfxThrowArchiveException(CArchiveException::genericException);
    }
  }
  CJVKImageManagerIconSet* pIconSet = GetOrCreateIconSet(nCommand);
  pIconSet->RemoveAll();
  for (size_t i = 0; i < icons.size(); ++i) {
    icons[i]->m_pIconSet = pIconSet;
    pIconSet->SetIcon(icons[i], entries[i].m_nWidth);
  }
}
