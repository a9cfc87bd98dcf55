// CJVKImageManagerIconHandle: one image of an icon, either an HICON or a
// 32-bit DIB section with straight alpha (an "alpha" image), plus the
// premultiplied copy the alpha drawing makes on first use. An owning handle
// destroys its icon and bitmap when cleared; a view leaves them to their
// owner. Handles move; copies are made explicitly (CopyHandle, View).
#pragma once

#include <Framework.h>

class CJVKImageManagerIconHandle {
 public:
  CJVKImageManagerIconHandle() = default;
  // Owning handles of the object given.
  explicit CJVKImageManagerIconHandle(HICON hIcon);
  explicit CJVKImageManagerIconHandle(HBITMAP hAlphaBitmap);
  CJVKImageManagerIconHandle(CJVKImageManagerIconHandle&& other) noexcept;
  CJVKImageManagerIconHandle& operator=(CJVKImageManagerIconHandle&& other) noexcept;
  CJVKImageManagerIconHandle(const CJVKImageManagerIconHandle&) = delete;
  CJVKImageManagerIconHandle& operator=(const CJVKImageManagerIconHandle&) = delete;
  ~CJVKImageManagerIconHandle() { Clear(); }

  // A non-owning handle of the objects of other (or of the object given).
  static CJVKImageManagerIconHandle View(const CJVKImageManagerIconHandle& other);
  static CJVKImageManagerIconHandle View(HICON hIcon);
  static CJVKImageManagerIconHandle View(HBITMAP hAlphaBitmap);

  // Clears the handle, then owns the object given.
  CJVKImageManagerIconHandle& operator=(HICON hIcon);
  CJVKImageManagerIconHandle& operator=(HBITMAP hAlphaBitmap);
  // Clears the handle, then owns duplicates of the objects of other.
  void CopyHandle(const CJVKImageManagerIconHandle& other);
  // Destroys what the handle owns and always the premultiplied copy.
  void Clear();

  BOOL IsEmpty() const { return m_hIcon == nullptr && m_hBitmap == nullptr; }
  BOOL IsAlpha() const { return m_hBitmap != nullptr; }
  BOOL IsOwned() const { return m_bOwned; }
  HICON GetIcon() const { return m_hIcon; }
  HBITMAP GetBitmap() const { return m_hBitmap; }
  // The premultiplied copy, made on first call; null when it cannot be made.
  HBITMAP PreMultiply();
  // The icon's extent (GetIconInfo), else the bitmap's; 0 x 0 when empty.
  CSize GetExtent() const;

  // Loads the icon of an RT_GROUP_ICON resource whose entry matches the
  // width and height (searched from the last entry): an image below 32 bits
  // as an HICON, a 32-bit one as an alpha bitmap when AlphaBlend exists.
  // Returns whether the handle is non-empty.
  BOOL LoadIcon(UINT nIDResource, int nWidth, int nHeight);

 private:
  BOOL LoadIconImage(HINSTANCE hInstance, WORD nIconID, int nWidth, int nHeight);

  HICON m_hIcon = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HBITMAP m_hPremultiplied = nullptr;
  BOOL m_bOwned = TRUE;
};
