// A CWnd object and its window handle: the thread's map from handles to
// objects (permanent for objects that own their window, temporary for the
// stand-ins FromHandle makes), attaching and detaching.
#include "framework/Wnd.h"

#include "ThreadState.h"
#include "WndInternal.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_nFlags(0) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
  AFX_THREAD_STATE* pState = AfxPeekThreadState();
  if (m_hWnd != nullptr && pState != nullptr && pState->windows.LookupPermanent(m_hWnd) == this) {
    // The window outlives its object otherwise: destroy it (its messages no
    // longer reach this object).
    HWND hWnd = m_hWnd;
    AfxRestoreWndProc(this, hWnd);
    Detach();
    ::DestroyWindow(hWnd);
  }
}

HWND CWnd::GetSafeHwnd() const { return this == nullptr ? nullptr : m_hWnd; }

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  return AfxGetThreadState()->windows.FromHandle(hWnd, [hWnd](CWnd* p) { p->m_hWnd = hWnd; });
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  return AfxGetThreadState()->windows.LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap() {
  AfxGetThreadState()->windows.DeleteTemp([](CWnd* p) { p->m_hWnd = nullptr; });
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr) return FALSE;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->windows.LookupPermanent(hWndNew) != nullptr) return FALSE;  // another object owns it
  m_hWnd = hWndNew;
  pState->windows.SetPermanent(hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() { return AfxDetachHandle(&AFX_THREAD_STATE::windows, m_hWnd, this); }
