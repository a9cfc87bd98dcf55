// A tab strip host for the tests: a plain popup window that forwards its
// mouse messages to the manager, a paint manager of its own, a square icon
// for items whose image index is set, and counters of what it was asked.
#pragma once

#include "TabManager.h"
#include "TabPaintManager.h"

#include <InputInjection.h>

class CTestTabHost : public CJVKTabManager {
 public:
  explicit CTestTabHost(CRect rc = CRect(0, 0, 300, 120)) : m_rc(rc) {
    m_paint.AddClient(this);
    m_paint.m_bShowIcons = FALSE;
  }
  ~CTestTabHost() override {
    m_paint.RemoveClient(this);
    if (m_hWnd) {
      ::SetWindowLongPtr(m_hWnd, GWLP_USERDATA, 0);
      ::DestroyWindow(m_hWnd);
    }
  }

  // A visible window at (x, y) of the strip's size that forwards mouse input.
  HWND CreateWindowAt(int x, int y) {
    m_hWnd = MakeTestPopup("QuillonTabHost", &CTestTabHost::WndProc,
                           CRect(x, y, x + m_rc.Width(), y + m_rc.Height()), WS_VISIBLE);
    ::SetWindowLongPtr(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_hWnd;
  }

  void Reposition() override {
    ++m_nRepositions;
    HDC hDC = ::GetDC(nullptr);
    m_paint.RepositionTabControl(this, CDC::FromHandle(hDC), m_rc);
    ::ReleaseDC(nullptr, hDC);
  }
  CJVKTabPaintManager* GetPaintManager() const override { return const_cast<CJVKTabPaintManager*>(&m_paint); }
  void RedrawControl() override { ++m_nRedraws; }
  BOOL DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override {
    if (!pItem || pItem->GetImageIndex() < 0) return FALSE;
    if (bDraw) pDC->FillSolidRect(pt.x, pt.y, szIcon.cx, szIcon.cy, RGB(200, 0, 200));
    return TRUE;
  }
  void OnNavigateButtonClick(int nId) override { m_clicks.push_back(nId); }
  BOOL IsFocused() const override { return m_bFocused; }

  CJVKTabManagerItem* Add(LPCTSTR lpszCaption) {
    CJVKTabManagerItem* pItem = InsertItem(-1);
    pItem->SetCaption(lpszCaption);
    return pItem;
  }
  // Tabs of a fixed length: layout 2 with the normal width given.
  void UseFixedWidth(int cx) {
    m_paint.SetLayout(jvkTabLayoutFixed);
    SetItemMetrics(CSize(cx, 18));
  }

  CJVKTabPaintManager m_paint;
  CRect m_rc;
  HWND m_hWnd = nullptr;
  int m_nRepositions = 0;
  int m_nRedraws = 0;
  BOOL m_bFocused = FALSE;
  std::vector<int> m_clicks;

 private:
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pHost = reinterpret_cast<CTestTabHost*>(::GetWindowLongPtr(hWnd, GWLP_USERDATA));
    if (pHost) {
      const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      switch (nMsg) {
        case WM_LBUTTONDOWN: pHost->PerformClick(hWnd, pt); return 0;
        case WM_MOUSEMOVE: pHost->PerformMouseMove(hWnd, pt); return 0;
        case WM_MOUSELEAVE: pHost->PerformMouseMove(hWnd, CPoint(-1, -1)); return 0;
        case WM_KEYDOWN: pHost->PerformKeyDown(hWnd, static_cast<UINT>(wParam)); return 0;
      }
    }
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  }
};
