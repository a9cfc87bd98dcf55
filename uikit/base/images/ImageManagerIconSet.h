// CJVKImageManagerIconSet: the icons of one command, one per width, in
// ascending width order. Icons made by scaling another width are kept as a
// cache and dropped when any normal image of the set changes.
#pragma once

#include <Framework.h>

#include <map>

#include "ImageManagerIcon.h"

class CJVKImageManager;

class CJVKImageManagerIconSet : public CCmdTarget {
 public:
  using CIconMap = std::map<int, CJVKImageManagerIcon*>;

  CJVKImageManagerIconSet(UINT nID, CJVKImageManager* pImageManager);
  ~CJVKImageManagerIconSet() override;
  CJVKImageManagerIconSet(const CJVKImageManagerIconSet&) = delete;
  CJVKImageManagerIconSet& operator=(const CJVKImageManagerIconSet&) = delete;

  UINT GetID() const { return m_nID; }
  CJVKImageManager* GetImageManager() const { return m_pImageManager; }
  const CIconMap& GetIcons() const { return m_mapIcons; }

  // The icon of exactly this width; else, with bScaled, the nearest width
  // (the first in ascending order on a tie), rescaled to the width asked for
  // unless it is alpha or the width is 0. Null when the set is empty or
  // nothing matches without scaling.
  CJVKImageManagerIcon* GetIcon(int nWidth, BOOL bScaled = TRUE);
  // The icon stored under this width, made when missing.
  CJVKImageManagerIcon* GetOrCreateIcon(int nWidth, int nHeight);
  // Stores icon under its width (replacing and releasing one there); the set
  // takes the reference.
  void SetIcon(CJVKImageManagerIcon* pIcon, int nWidth);

  // Releases every icon.
  void RemoveAll();
  // Drops the scaled icons and the generated images of the others.
  void RefreshAll();

 private:
  friend class CJVKImageManagerIcon;
  // A normal image of pIcon changed.
  void OnIconChanged(CJVKImageManagerIcon* pIcon);
  CJVKImageManagerIcon* MakeScaledIcon(CJVKImageManagerIcon* pNearest, int nWidth);

  CIconMap m_mapIcons;
  UINT m_nID;
  CJVKImageManager* m_pImageManager;
};
