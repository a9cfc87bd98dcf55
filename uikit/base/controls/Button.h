// CJVButton: an owner-drawn push button whose whole look comes from a theme
// object (CJVButtonThemeFactory's by default). It tracks the mouse with a
// 10 ms timer to draw a hot state, shows an icon beside or above its
// caption, and paints through a memory DC.
#pragma once

#include "ButtonLayout.h"
#include "ButtonTheme.h"
#include "ButtonThemeFactory.h"
#include "ThemeManagerStyle.h"

#include <Framework.h>

class CJVKImageManagerIcon;

class CJVButton : public CButton {
  DECLARE_DYNAMIC(CJVButton)
 public:
  // The hot-tracking timer.
  static const UINT_PTR kHotTimerId = 1;

  explicit CJVButton(CRuntimeClass* pFactoryClass = RUNTIME_CLASS(CJVButtonThemeFactory));
  ~CJVButton() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // Normal and hot images from icon handles (copied; the caller keeps its
  // icons). A NULL hot icon uses the normal one.
  virtual BOOL SetIcon(CSize size, HICON hIcon, HICON hIconHot = nullptr, BOOL bRedraw = TRUE);
  // Normal and hot images from icon resources; FALSE (and no image) when
  // one cannot be loaded.
  virtual BOOL SetIcon(CSize size, UINT nID, UINT nHotID = 0, BOOL bRedraw = TRUE);
  // An image from a bitmap resource, masked by the colour of its pixel (0, 0).
  virtual BOOL SetBitmap(CSize size, UINT nID, BOOL bRedraw = TRUE);
  virtual void SetImagePosition(CPoint ptImage, CPoint ptText, BOOL bRedraw = TRUE);
  // Returns the old style. 0x40 gives the button a private flat theme, else
  // 0x1 a private standard one, else it uses the shared theme.
  virtual DWORD SetXButtonStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
  virtual DWORD GetXButtonStyle() const { return m_dwXStyle; }
  // The theme object, made when there is none yet.
  virtual CJVButtonTheme* GetTheme();
  virtual BOOL HasTheme() { return GetTheme() != nullptr; }
  virtual void SetColors(COLORREF clrFace, COLORREF clrBorder, COLORREF clrShadow, COLORREF clrText);
  virtual void SetFaceColor(COLORREF clr);
  virtual COLORREF GetFaceColor();
  virtual void SetBorderColor(COLORREF clr);
  virtual void SetShadowColor(COLORREF clr);
  virtual void SetTextColor(COLORREF clr);
  // Only for a flat (type 1) theme.
  virtual void SetFlatColors(COLORREF clrBorderAndShadow, COLORREF clrHotFill, COLORREF clrPressedFill);
  virtual void ToggleImage();
  // Through WM_SETFONT with redraw; returns the old font.
  virtual CFont* SetFont(CFont* pFont);
  // Makes the button owner-drawn.
  virtual void Initialize();
  virtual void FreeImages();
  virtual CString GetButtonText(BOOL bRemoveMarkers);

  BOOL IsHot() const { return m_bHot; }
  BOOL IsPushed() const { return m_bPushed; }
  BOOL IsChecked() const { return m_bChecked; }
  void SetChecked(BOOL bChecked);
  CSize GetImageSize() const { return m_sizeImage; }
  CJVKImageManagerIcon* GetImage() const { return m_pImage; }
  CJVThemeManagerStyleHost& GetThemeHost() { return m_host; }

 protected:
  // Redraws the button when its theme changes.
  class CThemeHost : public CJVThemeManagerStyleHost {
   public:
    CThemeHost(CRuntimeClass* pFactoryClass, CJVButton* pButton)
        : CJVThemeManagerStyleHost(pFactoryClass), m_pButton(pButton) {}
    void OnThemeChanged() override;

   private:
    CJVButton* m_pButton;
  };

  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // One step of the hot tracking (also run at once on a mouse move).
  void HotTrackStep();
  void Redraw(BOOL bRedraw);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 public:
  CThemeHost m_host;
  int m_nBorderGap = 4;
  int m_nImageTextGap = 8;
  BOOL m_bSetupOnSubclass = TRUE;
  BOOL m_bHot = FALSE;
  BOOL m_bExplicitPositions = FALSE;
  BOOL m_bPushed = FALSE;
  BOOL m_bHotDrawn = FALSE;
  BOOL m_bChecked = FALSE;
  DWORD m_dwXStyle = JVBS_FLAT;
  CSize m_sizeImage;  // 0 x 0 without image
  CPoint m_ptImage;
  CPoint m_ptText;
  CJVKImageManagerIcon* m_pImage = nullptr;
};
