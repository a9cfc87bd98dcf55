#include "FakeControlBar.h"

namespace {
LONG g_nLiveBars = 0;

HWND MakeWindow(LPCSTR pszClass, WNDPROC pfnProc, const CRect& rc, DWORD dwStyle, void* pThis) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = pfnProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = pszClass;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  ::RegisterClassA(&wc);
  HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, pszClass, "", WS_POPUP | dwStyle, rc.left, rc.top, rc.Width(),
                                rc.Height(), nullptr, nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
  return hWnd;
}
}  // namespace

// ------------------------------------------------------------------ site

CFakeSite::CFakeSite() { m_wnd.Attach(MakeWindow("JvkFakeSite", Proc, CRect(0, 0, 10, 10), 0, this)); }

CFakeSite::~CFakeSite() {
  HWND hWnd = m_wnd.Detach();
  ::DestroyWindow(hWnd);
}

LRESULT CALLBACK CFakeSite::Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  auto* pThis = reinterpret_cast<CFakeSite*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (pThis) {
    switch (nMessage) {
      case WM_COMMAND: pThis->m_commands.push_back(LOWORD(wParam)); return 0;
      case JVK_WM_CONTROL_NOTIFY:
        pThis->m_notifyCodes.push_back(reinterpret_cast<JVK_CONTROL_NOTIFY*>(lParam)->hdr.code);
        return pThis->m_lNotifyAnswer;
      case JVK_WM_CREATE_CONTROL:
        return pThis->m_onCreateControl ? pThis->m_onCreateControl(reinterpret_cast<JVK_CREATE_CONTROL*>(lParam)) : 0;
      case JVK_WM_CONTROL_CREATED:
        pThis->m_createdCaptions.push_back(reinterpret_cast<JVK_CREATE_CONTROL*>(lParam)->strCaption);
        return 0;
      default: break;
    }
  }
  return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

// ------------------------------------------------------------------- bar

CFakeControlBar::CFakeControlBar(int nType, CFakeCommandBars* pBars, CFakeSite* pSite)
    : m_nType(nType), m_pControls(new CJVKControls), m_pBars(pBars), m_pSite(pSite) {
  m_pControls->SetParent(this);
  __atomic_add_fetch(&g_nLiveBars, 1, __ATOMIC_ACQ_REL);
}

CFakeControlBar::~CFakeControlBar() {
  m_pControls->RemoveAll();
  m_pControls->InternalRelease();
  if (HWND hWnd = m_wnd.Detach()) ::DestroyWindow(hWnd);
  __atomic_sub_fetch(&g_nLiveBars, 1, __ATOMIC_ACQ_REL);
}

LONG CFakeControlBar::GetLiveCount() { return __atomic_load_n(&g_nLiveBars, __ATOMIC_ACQUIRE); }

void CFakeControlBar::CreateWindowAt(const CRect& rcScreen) {
  m_wnd.Attach(MakeWindow("JvkFakeControlBar", Proc, rcScreen, WS_VISIBLE, this));
  m_bVisible = TRUE;
}

void CFakeControlBar::LayOut() {
  const CRect rc = GetClientRect();
  m_pControls->CalcDynamicSize(nullptr, rc.Width() > 0 ? rc.Width() : 400, LM_HORZDOCK | LM_COMMIT, CRect(0, 0, 0, 0),
                               0);
}

CRect CFakeControlBar::GetClientRect() const {
  CRect rc(0, 0, 0, 0);
  if (m_wnd.m_hWnd) ::GetClientRect(m_wnd.m_hWnd, &rc);
  return rc;
}

CJVKControlCommandBars* CFakeControlBar::GetCommandBars() { return m_pBars; }

CWnd* CFakeControlBar::GetSite() { return m_pSite ? m_pSite->Wnd() : nullptr; }

BOOL CFakeControlBar::SetSelected(int nIndex, int nBy) {
  if (nIndex == m_nSelected) return FALSE;
  if (CJVKControl* pOld = m_pControls->GetAt(m_nSelected)) pOld->SetSelected(0);
  if (CJVKControl* pNew = m_pControls->GetAt(nIndex)) pNew->SetSelected(nBy ? nBy : 1);
  m_nSelected = nIndex;
  if (m_onSelect && nIndex >= 0) m_onSelect(nIndex);
  return TRUE;
}

BOOL CFakeControlBar::SetPopuped(int nIndex, BOOL bKeyboard) {
  m_popupRequests.push_back(nIndex);
  const BOOL bWasOpen = m_nPopuped >= 0;
  if (CJVKControl* pOpen = m_pControls->GetAt(m_nPopuped)) pOpen->SetPopup(FALSE);
  m_nPopuped = -1;
  if (nIndex < 0) return bWasOpen;
  CJVKControl* pControl = m_pControls->GetAt(nIndex);
  if (pControl == nullptr) return FALSE;
  if (pControl->GetSelected() == 0) pControl->m_bSelected = bKeyboard ? 2 : 1;
  if (!pControl->SetPopup(TRUE)) return FALSE;
  m_nPopuped = nIndex;
  m_nTracking = jvkTrackingPopups;
  return TRUE;
}

void CFakeControlBar::SetTrackingMode(int nMode) {
  m_nTracking = nMode;
  if (nMode != jvkTrackingOff) return;
  SetPopuped(-1, FALSE);
  SetSelected(-1, 0);
  if (m_nType == jvkBarTypePopup) m_bVisible = FALSE;
}

void CFakeControlBar::UpdateCommandUI() {
  ++m_nUpdates;
  if (m_pUpdateTarget == nullptr) return;
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    if (m_pControls->GetAt(i)->GetFlags() & JVK_FLAG_MANUAL_UPDATE) continue;
    CJVKControlCmdUI ui(m_pControls, i);
    ui.DoUpdate(m_pUpdateTarget, FALSE);
  }
}

BOOL CFakeControlBar::Popup(CJVKControl* pOpener, BOOL) {
  m_pOpener = pOpener;
  m_bVisible = TRUE;
  m_nTracking = jvkTracking;
  return TRUE;
}

BOOL CFakeControlBar::ExecuteDefaultItem() {
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetHideFlags() == 0 && pControl->GetDefaultItem()) {
      pControl->Execute();
      return TRUE;
    }
  }
  return FALSE;
}

CJVKControlParentBar* CFakeControlBar::CloneBar(BOOL bRecursive) {
  auto* pClone = new CFakeControlBar(m_nType, m_pBars, m_pSite);
  pClone->m_pControls->InternalRelease();
  pClone->m_pControls = m_pControls->Duplicate(bRecursive);
  pClone->m_pControls->SetParent(pClone);
  pClone->m_strTitle = m_strTitle;
  return pClone;
}

LRESULT CALLBACK CFakeControlBar::Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  auto* pThis = reinterpret_cast<CFakeControlBar*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  if (pThis) {
    switch (nMessage) {
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      case WM_LBUTTONDOWN:
        if (CJVKControl* pControl = pThis->m_pControls->HitTest(pt)) pControl->OnClick(FALSE, pt);
        ++pThis->m_nButtonDowns;
        return 0;
      case WM_LBUTTONUP:
        if (CJVKControl* pControl = pThis->m_pControls->HitTest(pt)) pControl->OnLButtonUp(pt);
        return 0;
      default: break;
    }
  }
  return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}
