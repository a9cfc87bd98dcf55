// CJVKStatusBarPane: one pane of a CJVKStatusBar: its command id, width,
// style bits, text, colours, alignment, font, icon, tooltip and an optional
// window shown inside it. Reference counted (InternalRelease); the bar holds
// one reference to each of its panes.
#pragma once

#include <Framework.h>

#include "PaintedObjects.h"

class CJVKStatusBar;

class CJVKStatusBarPane : public CCmdTarget, public CJVKPaintedPane {
 public:
  // flags: the text still has to go to the window.
  enum { paneSendText = 1 };

  CJVKStatusBarPane(CJVKStatusBar* pBar, UINT nID);
  // Destroys the window shown in the pane, and deletes it when owned.
  ~CJVKStatusBarPane() override;
  CJVKStatusBarPane(const CJVKStatusBarPane&) = delete;
  CJVKStatusBarPane& operator=(const CJVKStatusBarPane&) = delete;

  UINT GetID() const { return m_nID; }
  int GetWidth() const { return m_nWidth; }
  void SetWidth(int nWidth) { m_nWidth = nWidth; }
  int GetIndex() const { return m_nIndex; }
  int GetVisibleIndex() const { return m_nVisibleIndex; }
  BOOL IsVisible() const { return m_bVisible; }
  // Shows or hides the pane; the bar lays its panes out again.
  void SetVisible(BOOL bVisible);

  void SetTextColor(COLORREF clr);
  void SetBackgroundColor(COLORREF clr);
  void SetTextAlignment(int nAlignment);
  // A copy of the font becomes the pane's own; null returns to the bar's.
  void SetTextFont(CFont* pFont);
  void SetTooltip(LPCTSTR lpszTooltip) { m_strToolTip = lpszTooltip != nullptr ? lpszTooltip : ""; }
  CString GetTooltip() const { return m_strToolTip; }
  void SetIconId(int nIconId);
  // pWnd is moved into the pane's rectangle at each layout; with
  // bAutoDelete the pane deletes the window object too.
  void SetChildWindow(CWnd* pWnd, BOOL bAutoDelete = FALSE);
  CWnd* GetChildWindow() const { return m_pChildWnd; }

  // CJVKPaintedPane
  CString GetText() const override { return m_strText; }
  UINT GetStyle() const override { return m_nStyle; }
  COLORREF GetTextColor() const override { return m_clrText; }
  COLORREF GetBackgroundColor() const override { return m_clrBackground; }
  int GetTextAlignment() const override { return m_nAlignment; }
  CFont* GetTextFont() const override;
  int GetIconId() const override { return m_nIconId; }
  CJVKPaintedStatusBar* GetStatusBar() const override;

 private:
  friend class CJVKStatusBar;
  void Redraw() const;

  UINT m_nID;
  int m_nWidth = 0;
  UINT m_nStyle = 0;
  DWORD m_dwFlags = paneSendText;
  CString m_strText;
  BOOL m_bVisible = TRUE;
  COLORREF m_clrText = static_cast<COLORREF>(-1);
  COLORREF m_clrBackground = static_cast<COLORREF>(-1);
  CString m_strToolTip;
  CWnd* m_pChildWnd = nullptr;
  BOOL m_bAutoDeleteWnd = FALSE;
  int m_nAlignment = 0;
  CJVKStatusBar* m_pStatusBar;
  int m_nIndex = -1;
  int m_nVisibleIndex = -1;
  CFont m_font;
  int m_nIconId = -1;
};
