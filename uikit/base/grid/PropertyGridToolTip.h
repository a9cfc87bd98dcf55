// CJVKPropertyGridToolTip: the popup over a truncated caption or value of a
// property grid row, showing the full text. It lets the mouse through to
// the view below it.
#pragma once

#include <Framework.h>

class CJVKPropertyGridToolTip : public CWnd {
 public:
  CJVKPropertyGridToolTip() = default;
  ~CJVKPropertyGridToolTip() override;

  // Makes the window (on first use), owned by pOwner.
  BOOL EnsureCreated(CWnd* pOwner);
  // Shows strText over rcText (screen coordinates) in a copy of pFont,
  // kept on the work area; rcArea (screen) is where the mouse may stay.
  void ShowTip(const CString& strText, CRect rcText, CFont* pFont, const CRect& rcArea);
  void HideTip(BOOL bClearText = TRUE);
  BOOL IsShown() const { return m_hWnd && IsWindowVisible(); }

  CString m_strText;
  CRect m_rcArea;

 protected:
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CFont m_font;
};
