#include "ImageManagerIconSet.h"

#include <cstdlib>

#include "AlphaBitmap.h"

CJVKImageManagerIconSet::CJVKImageManagerIconSet(UINT nID, CJVKImageManager* pImageManager)
    : m_nID(nID), m_pImageManager(pImageManager) {}

CJVKImageManagerIconSet::~CJVKImageManagerIconSet() { RemoveAll(); }

void CJVKImageManagerIconSet::RemoveAll() {
  CIconMap icons;
  icons.swap(m_mapIcons);
  for (auto& entry : icons) entry.second->InternalRelease();
}

void CJVKImageManagerIconSet::RefreshAll() {
  for (auto it = m_mapIcons.begin(); it != m_mapIcons.end();) {
    CJVKImageManagerIcon* pIcon = it->second;
    if (pIcon->IsScaled()) {
      it = m_mapIcons.erase(it);
      pIcon->InternalRelease();
    } else {
      pIcon->Refresh();
      ++it;
    }
  }
}

void CJVKImageManagerIconSet::OnIconChanged(CJVKImageManagerIcon*) { RefreshAll(); }

void CJVKImageManagerIconSet::SetIcon(CJVKImageManagerIcon* pIcon, int nWidth) {
  auto it = m_mapIcons.find(nWidth);
  if (it != m_mapIcons.end()) {
    if (it->second == pIcon) return;
    it->second->InternalRelease();
    it->second = pIcon;
    return;
  }
  m_mapIcons[nWidth] = pIcon;
}

CJVKImageManagerIcon* CJVKImageManagerIconSet::GetOrCreateIcon(int nWidth, int nHeight) {
  auto it = m_mapIcons.find(nWidth);
  if (it != m_mapIcons.end()) return it->second;
  CJVKImageManagerIcon* pIcon = new CJVKImageManagerIcon(m_nID, nWidth, nHeight, this);
  m_mapIcons[nWidth] = pIcon;
  return pIcon;
}

CJVKImageManagerIcon* CJVKImageManagerIconSet::GetIcon(int nWidth, BOOL bScaled) {
  auto exact = m_mapIcons.find(nWidth);
  if (exact != m_mapIcons.end()) return exact->second;
  if (!bScaled || m_mapIcons.empty()) return nullptr;
  CJVKImageManagerIcon* pNearest = nullptr;
  int nBest = 0;
  for (const auto& entry : m_mapIcons) {
    int nDifference = std::abs(entry.first - nWidth);
    if (pNearest == nullptr || nDifference < nBest) {
      pNearest = entry.second;
      nBest = nDifference;
    }
  }
  // Alpha images are never rescaled: the drawing stretches them.
  if (pNearest->IsAlpha() || nWidth == 0) return pNearest;
  CJVKImageManagerIcon* pScaled = MakeScaledIcon(pNearest, nWidth);
  return pScaled != nullptr ? pScaled : pNearest;
}

CJVKImageManagerIcon* CJVKImageManagerIconSet::MakeScaledIcon(CJVKImageManagerIcon* pNearest, int nWidth) {
  CSize szOld = pNearest->GetExtent();
  if (szOld.cx == 0) return nullptr;
  CSize szNew(nWidth, ::MulDiv(szOld.cy, nWidth, szOld.cx));
  CJVKImageManagerIcon* pScaled = new CJVKImageManagerIcon(m_nID, szNew.cx, szNew.cy, this);
  pScaled->m_hIcon = ScaleIcon(pNearest->m_hIcon.GetIcon(), szOld, szNew);
  if (pScaled->m_hIcon.IsEmpty()) {
    pScaled->InternalRelease();
    return nullptr;
  }
  struct {
    CJVKImageManagerIconHandle& from;
    CJVKImageManagerIconHandle& to;
  } images[] = {{pNearest->m_hDisabledIcon, pScaled->m_hDisabledIcon},
                {pNearest->m_hHotIcon, pScaled->m_hHotIcon},
                {pNearest->m_hCheckedIcon, pScaled->m_hCheckedIcon}};
  for (auto& image : images) {
    if (image.from.GetIcon() != nullptr) image.to = ScaleIcon(image.from.GetIcon(), szOld, szNew);
  }
  pScaled->m_bScaled = TRUE;
  m_mapIcons[nWidth] = pScaled;
  return pScaled;
}
