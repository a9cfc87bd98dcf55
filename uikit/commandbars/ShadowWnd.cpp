#include "ShadowWnd.h"

#include "ColorManager.h"
#include "HookManager.h"

#include <vector>

namespace {

JVKLayoutRect ToLayout(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// The live strips of the manager, with the windows of their bars.
std::vector<CJVKShadowWnd*> LiveShadows(CJVKShadowManager* pManager) {
  std::vector<CJVKShadowWnd*> shadows;
  for (POSITION pos = pManager->m_lstShadows.GetHeadPosition(); pos;)
    shadows.push_back(static_cast<CJVKShadowWnd*>(pManager->m_lstShadows.GetNext(pos)));
  return shadows;
}

}  // namespace

BEGIN_MESSAGE_MAP(CJVKShadowWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

CJVKShadowWnd::CJVKShadowWnd(CJVKShadowManager* pManager, HWND hBar, BOOL bHorizontal, BOOL bThemed,
                             COLORREF clrShadow)
    : m_pManager(pManager), m_hBar(hBar), m_bHorizontal(bHorizontal), m_bThemed(bThemed), m_clrShadow(clrShadow) {}

CJVKShadowWnd::~CJVKShadowWnd() { DestroyWindow(); }

BOOL CJVKShadowWnd::Create(const RECT& rect, const RECT& rcExclude) {
  const BOOL bLayered = m_pManager->IsLayeredAvailable();
  LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, ::LoadCursor(nullptr, IDC_ARROW));
  const CRect rc(rect);
  if (!CreateEx(WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0), lpszClass, "", WS_POPUP, rc.left, rc.top,
                rc.Width(), rc.Height(), nullptr, nullptr))
    return FALSE;

  // A shadow never lies on a popup.
  HRGN hRegion = ::CreateRectRgn(0, 0, rc.Width(), rc.Height());
  auto cut = [&](CRect rcCut) {
    rcCut.OffsetRect(-rc.left, -rc.top);
    HRGN hCut = ::CreateRectRgnIndirect(&rcCut);
    ::CombineRgn(hRegion, hRegion, hCut, RGN_DIFF);
    ::DeleteObject(hCut);
  };
  if (m_bThemed) cut(CRect(rcExclude));
  CRect rcBar;
  if (::GetWindowRect(m_hBar, &rcBar)) cut(rcBar);
  for (CJVKShadowWnd* pOther : LiveShadows(m_pManager)) {
    if (::GetWindowRect(pOther->m_hBar, &rcBar)) cut(rcBar);
  }
  ::SetWindowRgn(m_hWnd, hRegion, FALSE);  // the window owns the region now

  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  GetHookManager()->SetHook(m_hBar, this);
  return TRUE;
}

int CJVKShadowWnd::HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) {
  if (hWnd != m_hBar) return JVK_HOOK_CONTINUE;
  if (nMessage == WM_SHOWWINDOW) {
    ::ShowWindow(m_hWnd, wParam ? SW_SHOWNOACTIVATE : SW_HIDE);
  } else if (nMessage == WM_DESTROY) {
    // Deletes this object; the chain asks no client that has left.
    JVKRemoveShadow(m_pManager, this);
  }
  return JVK_HOOK_CONTINUE;
}

BOOL CJVKShadowWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CJVKShadowWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_pManager->IsLayeredAvailable()) return;
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, GetColorManager()->GetColor(COLOR_BTNSHADOW));
}

void CJVKShadowWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_pManager->IsLayeredAvailable() && cx > 0 && cy > 0) PushLayered(cx, cy);
}

void CJVKShadowWnd::PushLayered(int cx, int cy) {
  const std::vector<DWORD> pixels = JVKShadowStripPixels(cx, cy, m_bHorizontal, m_bThemed, m_clrShadow);
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = cy;  // bottom-up
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HDC hScreen = ::GetDC(nullptr);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hDib = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hMem && hDib && pBits) {
    DWORD* pDest = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; y++) memcpy(pDest + (size_t)(cy - 1 - y) * cx, &pixels[(size_t)y * cx], cx * sizeof(DWORD));
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    POINT ptSource = {0, 0};
    SIZE size = {cx, cy};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, hScreen, nullptr, &size, hMem, &ptSource, 0, &blend, ULW_ALPHA);
    ::SelectObject(hMem, hOld);
  }
  if (hDib) ::DeleteObject(hDib);
  if (hMem) ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
}

void JVKCreatePopupShadows(CJVKShadowManager* pManager, HWND hBar, const RECT& rcExclude, BOOL bThemed,
                           COLORREF clrShadow) {
  CRect rcBar;
  if (!::GetWindowRect(hBar, &rcBar)) return;
  const int nDepth = pManager->IsLayeredAvailable() ? JVK_SHADOW_LAYERED_DEPTH : JVK_SHADOW_SOLID_DEPTH;
  JVKShadowStrip strips[2];
  JVKPopupShadowStrips(ToLayout(rcBar), nDepth, strips[0], strips[1]);
  for (const JVKShadowStrip& strip : strips) {
    std::vector<JVKShadowStrip> live;
    for (CJVKShadowWnd* pOther : LiveShadows(pManager)) {
      CRect rc;
      pOther->GetWindowRect(&rc);
      live.push_back({ToLayout(rc), pOther->IsHorizontal()});
    }
    const JVKLayoutRect rc = JVKJoinShadowStrip(strip, live);
    auto* pShadow = new CJVKShadowWnd(pManager, hBar, strip.bHorizontal, bThemed, clrShadow);
    if (!pShadow->Create(CRect(rc.left, rc.top, rc.right, rc.bottom), rcExclude)) {
      delete pShadow;
      continue;
    }
    pManager->m_lstShadows.AddTail(pShadow);
  }
}

void JVKRemoveShadow(CJVKShadowManager* pManager, CJVKShadowWnd* pShadow) {
  POSITION pos = pManager->m_lstShadows.Find(pShadow);
  if (!pos) return;
  pManager->m_lstShadows.RemoveAt(pos);
  delete pShadow;  // leaves the hook chain in ~CJVKHookClient
}

void JVKRemoveShadows(CJVKShadowManager* pManager, HWND hBar) {
  for (CJVKShadowWnd* pShadow : LiveShadows(pManager))
    if (pShadow->GetBar() == hBar) JVKRemoveShadow(pManager, pShadow);
}
