// CJVKImageManagerIcon: the images of one command at one width: normal,
// hot, checked and a given disabled image, and the faded, shadow and
// disabled looks generated from them on first request (kept until the
// images change or RefreshAll). Reference counted (InternalRelease).
#pragma once

#include <Framework.h>

#include "IconData.h"
#include "ImageManagerIconHandle.h"

class CJVKImageManager;
class CJVKImageManagerIconSet;

class CJVKImageManagerIcon : public CCmdTarget {
 public:
  CJVKImageManagerIcon(UINT nID, int nWidth, int nHeight, CJVKImageManagerIconSet* pIconSet = nullptr);
  ~CJVKImageManagerIcon() override;
  CJVKImageManagerIcon(const CJVKImageManagerIcon&) = delete;
  CJVKImageManagerIcon& operator=(const CJVKImageManagerIcon&) = delete;

  UINT GetID() const { return m_nID; }
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
  BOOL IsScaled() const { return m_bScaled; }
  // The normal image is alpha.
  BOOL IsAlpha() const { return m_hIcon.IsAlpha(); }

  CJVKImageManagerIconHandle& GetIcon() { return m_hIcon; }
  // The hot image, else the normal one.
  CJVKImageManagerIconHandle& GetHotIcon();
  // The checked image, else the hot one, else the normal one.
  CJVKImageManagerIconHandle& GetCheckedIcon();
  CJVKImageManagerIconHandle& GetFadedIcon();
  CJVKImageManagerIconHandle& GetShadowIcon();
  // The given disabled image; else the generated one, generated first when
  // it is empty and bCreate is TRUE.
  CJVKImageManagerIconHandle& GetDisabledIcon(BOOL bCreate = TRUE);
  // True when a disabled image was given (not generated).
  BOOL HasDisabledIcon() const { return !m_hDisabledIcon.IsEmpty(); }

  // Each clears the generated images and stores a deep copy of the handle;
  // an owning handle's objects are destroyed after the copy (the call
  // consumes them), a view's are left alone. SetIcon also takes the image's
  // extent, clears the scaled mark and makes the owning set drop its scaled
  // icons and the generated images of the others.
  void SetIcon(CJVKImageManagerIconHandle hIcon);
  void SetDisabledIcon(CJVKImageManagerIconHandle hIcon);
  void SetHotIcon(CJVKImageManagerIconHandle hIcon);
  void SetCheckedIcon(CJVKImageManagerIconHandle hIcon);

  // Draws one of this icon's images at pt. nWidth 0 is the icon's width; the
  // height follows the icon's proportions when 0.
  void Draw(CDC* pDC, CPoint pt, CJVKImageManagerIconHandle& hIcon, int nWidth = 0, int nHeight = 0);
  // The image in one colour (embossed disabled controls); nothing for an
  // alpha-only image.
  void DrawMono(CDC* pDC, CPoint pt, CJVKImageManagerIconHandle& hIcon, COLORREF clrBrush);

  // Drops the generated images (faded, shadow, disabled).
  void Refresh();
  // Empties every image.
  void Clear();

  // The object "Data": height, schema, two bitmap blocks per image. A
  // refused block or a bitmap that cannot be made throws CArchiveException.
  void Serialize(CArchive& ar) override;
  // The images as stored data, and back (the height included).
  BOOL ToIconData(CJVKIconData& data) const;
  BOOL FromIconData(const CJVKIconData& data);

 private:
  friend class CJVKImageManager;
  friend class CJVKImageManagerIconSet;

  CJVKImageManager* GetImageManager() const;
  void StoreCopy(CJVKImageManagerIconHandle& hTarget, CJVKImageManagerIconHandle& hSource);
  void CreateFadedIcon();
  void CreateShadowIcon();
  void CreateDisabledIcon();

  UINT m_nID;
  int m_nWidth;
  int m_nHeight;
  CJVKImageManagerIconHandle m_hIcon;
  CJVKImageManagerIconHandle m_hFadedIcon;
  CJVKImageManagerIconHandle m_hShadowIcon;
  CJVKImageManagerIconHandle m_hHotIcon;
  CJVKImageManagerIconHandle m_hCheckedIcon;
  CJVKImageManagerIconHandle m_hDisabledIcon;
  CJVKImageManagerIconHandle m_hDisabledAutoIcon;
  BOOL m_bScaled = FALSE;
  CJVKImageManagerIconSet* m_pIconSet;
};
