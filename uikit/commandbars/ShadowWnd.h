// CJVKShadowWnd: one strip of a popup's drop shadow. With layered windows it
// is a fading ramp pushed with UpdateLayeredWindow; without them a solid
// strip in the button-shadow colour. It follows the window of its bar:
// hidden and shown with it, removed and destroyed with it. The strips live
// in the shadow manager's list, which owns them.
#pragma once

#include <Framework.h>

#include "ShadowManager.h"
#include "ShadowRules.h"
#include "HookClient.h"

class CJVKShadowWnd : public CWnd, public CJVKHookClient {
 public:
  CJVKShadowWnd(CJVKShadowManager* pManager, HWND hBar, BOOL bHorizontal, BOOL bThemed, COLORREF clrShadow);
  ~CJVKShadowWnd() override;

  // Makes the window over rect (screen coordinates), cuts away what lies on
  // popups (the exclusion rectangle of a themed shadow, the windows of the
  // bars that own a live shadow), shows it topmost and starts following
  // the bar.
  BOOL Create(const RECT& rect, const RECT& rcExclude);

  HWND GetBar() const { return m_hBar; }
  BOOL IsHorizontal() const { return m_bHorizontal; }

  int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  void PushLayered(int cx, int cy);

  CJVKShadowManager* m_pManager;
  HWND m_hBar;
  BOOL m_bHorizontal;
  BOOL m_bThemed;
  COLORREF m_clrShadow;
};

// Gives the popup window hBar its two strips, joined with the strips of the
// popups it cascades from. rcExclude is the opening control's rectangle.
void JVKCreatePopupShadows(CJVKShadowManager* pManager, HWND hBar, const RECT& rcExclude, BOOL bThemed,
                           COLORREF clrShadow);
// Destroys the strips of one bar, or one strip.
void JVKRemoveShadows(CJVKShadowManager* pManager, HWND hBar);
void JVKRemoveShadow(CJVKShadowManager* pManager, CJVKShadowWnd* pShadow);
