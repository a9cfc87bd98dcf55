#include "StatusBarPane.h"

#include "StatusBar.h"

CJVKStatusBarPane::CJVKStatusBarPane(CJVKStatusBar* pBar, UINT nID) : m_nID(nID), m_pStatusBar(pBar) {}

CJVKStatusBarPane::~CJVKStatusBarPane() {
  if (m_pChildWnd == nullptr) return;
  if (m_pChildWnd->m_hWnd != nullptr && ::IsWindow(m_pChildWnd->m_hWnd)) m_pChildWnd->DestroyWindow();
  if (m_bAutoDeleteWnd) delete m_pChildWnd;
}

void CJVKStatusBarPane::SetVisible(BOOL bVisible) {
  bVisible = bVisible != FALSE;
  if (m_bVisible == bVisible) return;
  m_bVisible = bVisible;
  if (m_pStatusBar != nullptr) m_pStatusBar->OnPaneVisibilityChanged();
}

void CJVKStatusBarPane::SetTextColor(COLORREF clr) {
  m_clrText = clr;
  Redraw();
}

void CJVKStatusBarPane::SetBackgroundColor(COLORREF clr) {
  m_clrBackground = clr;
  Redraw();
}

void CJVKStatusBarPane::SetTextAlignment(int nAlignment) {
  m_nAlignment = nAlignment;
  Redraw();
}

void CJVKStatusBarPane::SetTextFont(CFont* pFont) {
  m_font.DeleteObject();
  LOGFONT lf = {};
  if (pFont != nullptr && pFont->GetLogFont(&lf)) m_font.CreateFontIndirect(&lf);
  Redraw();
}

void CJVKStatusBarPane::SetIconId(int nIconId) {
  m_nIconId = nIconId;
  Redraw();
}

void CJVKStatusBarPane::SetChildWindow(CWnd* pWnd, BOOL bAutoDelete) {
  m_pChildWnd = pWnd;
  m_bAutoDeleteWnd = bAutoDelete;
  if (m_pStatusBar != nullptr) m_pStatusBar->RecalcLayout(FALSE);
}

CFont* CJVKStatusBarPane::GetTextFont() const {
  if (m_font.GetSafeHandle() != nullptr) return const_cast<CFont*>(&m_font);
  return m_pStatusBar != nullptr ? m_pStatusBar->GetBarFont() : nullptr;
}

CJVKPaintedStatusBar* CJVKStatusBarPane::GetStatusBar() const { return m_pStatusBar; }

void CJVKStatusBarPane::Redraw() const {
  if (m_pStatusBar == nullptr || m_pStatusBar->m_hWnd == nullptr || !m_bVisible) return;
  CRect rc;
  m_pStatusBar->GetItemRect(m_nIndex, &rc);
  m_pStatusBar->InvalidateRect(&rc, FALSE);
}
