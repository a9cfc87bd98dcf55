#include "FreeTVWindow.h"

#include <framework/DC.h>

#include "ModuleResources.h"
#include "VideoFit.h"

BEGIN_MESSAGE_MAP(CFreeTVWindow, CDialog)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CFreeTVWindow::CFreeTVWindow() : CDialog(IDD_FREE_TV_WINDOW) {}

BOOL CFreeTVWindow::Create(CWnd* parent) { return CDialog::Create(IDD_FREE_TV_WINDOW, parent); }

void CFreeTVWindow::FitVideoChild() {
  if (!m_fit.videoChild || !m_fit.videoChild->GetSafeHwnd() || !m_fit.graph || !m_fit.graph->IsRunning()) return;
  RECT client;
  GetClientRect(&client);
  const VideoRect r = ::FitVideoChild(client.right, client.bottom, m_fit.wide, m_fit.xScale, m_fit.yScale);
  m_fit.videoChild->MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
  m_fit.graph->Follow(m_fit.videoChild);
}

void CFreeTVWindow::OnPaint() {
  CPaintDC dc(this);
  FitVideoChild();
}

void CFreeTVWindow::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  FitVideoChild();
}

BOOL CFreeTVWindow::OnEraseBkgnd(CDC* pDC) {
  RECT client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(0, 0, 0));
  return TRUE;
}

LRESULT CFreeTVWindow::OnNcHitTest(CPoint point) {
  const LRESULT hit = CDialog::OnNcHitTest(point);
  return hit == HTCLIENT ? HTCAPTION : hit;
}

void CFreeTVWindow::OnCancel() {
  if (m_hHostWnd) ::SendMessage(m_hHostWnd, WM_CLOSE, 0, 0);
}
