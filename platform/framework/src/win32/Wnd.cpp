// CWnd: handle maps, creation through the CBT hook, the framework's window
// procedure and message dispatch, reflection, and the window helpers.
#include "framework/Wnd.h"

#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/ModuleState.h"
#include "framework/ScrollBar.h"
#include "framework/ToolTipCtrl.h"
#include "framework/WinApp.h"

#include <cstdio>

#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// ------------------------------------------------------------ thread state

namespace {
thread_local AFX_THREAD_STATE* t_pThreadState = nullptr;
}

AFX_THREAD_STATE* AfxGetThreadState() {
  if (t_pThreadState == nullptr) t_pThreadState = new AFX_THREAD_STATE;
  return t_pThreadState;
}

namespace {
LRESULT CALLBACK ModelessFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
      AFX_MANAGE_STATE(AfxGetStaticModuleState());
      BOOL bHandled = FALSE;
      try {
        bHandled = AfxPreTranslateMessage(pMsg);
      } catch (CException* e) {  // must not unwind through the system's hook call
        e->ReportError(MB_ICONSTOP);
        e->Delete();
      }
      if (bHandled) {
        // Handled here: the host's loop gets nothing to dispatch.
        pMsg->message = WM_NULL;
        pMsg->wParam = 0;
        pMsg->lParam = 0;
      }
    }
  }
  return CallNextHookEx(pState->hHookMsgFilter, code, wParam, lParam);
}
}  // namespace

void AfxAddModelessFilter(CWnd* pWnd) {
  if (!AfxGetStaticModuleState()->m_bDLL || (pWnd->m_nFlags & WF_MODELESSFILTER)) return;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->hHookMsgFilter == nullptr)
    pState->hHookMsgFilter = ::SetWindowsHookEx(WH_GETMESSAGE, ModelessFilterHook, nullptr, ::GetCurrentThreadId());
  ++pState->nModelessDialogs;
  pWnd->m_nFlags |= WF_MODELESSFILTER;
}

void AfxRemoveModelessFilter(CWnd* pWnd) {
  if (!(pWnd->m_nFlags & WF_MODELESSFILTER)) return;
  pWnd->m_nFlags &= ~WF_MODELESSFILTER;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (--pState->nModelessDialogs <= 0 && pState->hHookMsgFilter != nullptr) {
    ::UnhookWindowsHookEx(pState->hHookMsgFilter);
    pState->hHookMsgFilter = nullptr;
    pState->nModelessDialogs = 0;
  }
}

void AfxTermThreadState() {
  AFX_THREAD_STATE* pState = t_pThreadState;
  if (pState == nullptr) return;
  if (pState->hHookMsgFilter != nullptr) ::UnhookWindowsHookEx(pState->hHookMsgFilter);
  AfxUnlockTempMaps();
  t_pThreadState = nullptr;
  delete pState;
}

void AFXAPI AfxUnlockTempMaps() {
  if (t_pThreadState == nullptr) return;
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  t_pThreadState->imageLists.DeleteTemp([](CImageList* p) { p->m_hImageList = nullptr; });
}

// -------------------------------------------------------------- handle maps

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_nFlags(0) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
  if (m_hWnd != nullptr && t_pThreadState != nullptr && t_pThreadState->windows.LookupPermanent(m_hWnd) == this) {
    // The window outlives its object otherwise: destroy it (its messages no
    // longer reach this object).
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == AfxWndProc)
      ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    ::DestroyWindow(hWnd);
  }
}

HWND CWnd::GetSafeHwnd() const { return this == nullptr ? nullptr : m_hWnd; }

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (CWnd* p = pState->windows.LookupPermanent(hWnd)) return p;
  if (CWnd* p = pState->windows.LookupTemporary(hWnd)) return p;
  CWnd* p = new CWnd;
  p->m_hWnd = hWnd;
  pState->windows.SetTemporary(hWnd, p);
  return p;
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

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) AfxGetThreadState()->windows.RemoveHandle(hWnd, this);
  m_hWnd = nullptr;
  return hWnd;
}

// ----------------------------------------------------------------- creation

namespace {

void EnsureCommonControls() {
  static LONG s_done = 0;
  if (InterlockedExchange(&s_done, 1) == 0) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                 ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
  }
}

BOOL IsImeWindow(HWND hWnd) {
  char szClass[32];
  if (GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0) return FALSE;
  return lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

// Ties the first window created while pWndInit is set to that object and
// routes it through the framework's window procedure.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code == HCBT_CREATEWND && pState->pWndInit != nullptr) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hWnd)) {
      CWnd* pWnd = pState->pWndInit;
      pState->pWndInit = nullptr;
      if (pWnd->Attach(hWnd)) {
        try {
          pWnd->PreSubclassWindow();
        } catch (CException* e) {
          e->ReportError(MB_ICONSTOP);
          e->Delete();
        }
        WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
        if (pfnOld != AfxWndProc) pWnd->m_pfnSuper = pfnOld;
      }
    }
  }
  return CallNextHookEx(pState->hHookCbtFilter, code, wParam, lParam);
}

}  // namespace

// Sets up the hook for the window about to be created; FALSE when this call
// installed it (and must remove it).
class CWindowCreateHook {
 public:
  explicit CWindowCreateHook(CWnd* pWnd) : m_pState(AfxGetThreadState()), m_bInstalled(FALSE) {
    EnsureCommonControls();
    if (m_pState->hHookCbtFilter == nullptr) {
      m_pState->hHookCbtFilter = ::SetWindowsHookEx(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
      m_bInstalled = TRUE;
    }
    m_pPrevInit = m_pState->pWndInit;
    m_pState->pWndInit = pWnd;
  }
  ~CWindowCreateHook() {
    m_pState->pWndInit = m_pPrevInit;
    if (m_bInstalled) {
      ::UnhookWindowsHookEx(m_pState->hHookCbtFilter);
      m_pState->hHookCbtFilter = nullptr;
    }
  }
  CWindowCreateHook(const CWindowCreateHook&) = delete;
  CWindowCreateHook& operator=(const CWindowCreateHook&) = delete;

 private:
  AFX_THREAD_STATE* m_pState;
  CWnd* m_pPrevInit;
  BOOL m_bInstalled;
};

void AfxHookWindowCreate(CWnd* pWnd, void (*pfnCreate)(void*), void* pContext) {
  CWindowCreateHook hook(pWnd);
  pfnCreate(pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  ENSURE_ARG(m_hWnd == nullptr);
  CREATESTRUCT cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND hWnd;
  {
    CWindowCreateHook hook(this);
    hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                            cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  }
  if (hWnd == nullptr) {
    // WM_CREATE failed after the window was tied to this object: the
    // destruction already detached it (and PostNcDestroy ran).
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
  // A child window: the parent is required.
  ENSURE_ARG(pParentWnd != nullptr || !(dwStyle & WS_CHILD));
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC pfnOld =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  if (pfnOld != AfxWndProc) m_pfnSuper = pfnOld;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
  return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == nullptr) return nullptr;
  if (m_pfnSuper != nullptr) {
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
  }
  return Detach();
}

namespace {
thread_local char t_szClassName[96];
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  WNDCLASS wc;
  if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wc)) return TRUE;
  return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE hInst = AfxGetInstanceHandle();
  snprintf(t_szClassName, sizeof(t_szClassName), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
           static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  WNDCLASS wc = {};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = hInst;
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = t_szClassName;
  if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
  return t_szClassName;
}

// ------------------------------------------------------- window procedure

namespace {

// A framework exception that escaped a handler: report it; WM_CREATE fails.
LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) {
  LRESULT lResult = 0;
  if (pMsg->message == WM_CREATE) {
    lResult = -1;
  } else if (pMsg->message == WM_PAINT) {
    ::ValidateRect(pMsg->hwnd, nullptr);  // or WM_PAINT comes back forever
  }
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
  return lResult;
}

}  // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  MSG oldState = pState->lastSentMsg;
  pState->lastSentMsg.hwnd = hWnd;
  pState->lastSentMsg.message = nMsg;
  pState->lastSentMsg.wParam = wParam;
  pState->lastSentMsg.lParam = lParam;
  LRESULT lResult = 0;
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    lResult = ProcessWndProcException(e, &pState->lastSentMsg);
    e->Delete();
  }
  if (nMsg == WM_NCDESTROY && pState->windows.LookupPermanent(hWnd) == pWnd) {
    // The window is gone: restore its procedure, untie it, and let the
    // object clean up (PostNcDestroy may delete it).
    if (pWnd->m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == AfxWndProc)
      ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
    AfxRemoveModelessFilter(pWnd);
    pWnd->Detach();
    try {
      pWnd->PostNcDestroy();
    } catch (CException* e) {
      e->ReportError(MB_ICONSTOP);
      e->Delete();
    }
  }
  pState->lastSentMsg = oldState;
  return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  // Messages of this module's windows run in this module's state.
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  pState->lastSentMsg.time = ::GetMessageTime();
  DWORD pos = ::GetMessagePos();
  pState->lastSentMsg.pt.x = (short)LOWORD(pos);
  pState->lastSentMsg.pt.y = (short)HIWORD(pos);
  return &pState->lastSentMsg;
}

void CWnd::OnNcDestroy() {
  // The main window of the thread going away ends the thread's loop.
  CWinThread* pThread = AfxGetThread();
  if (pThread == nullptr) pThread = AfxGetApp();
  if (pThread != nullptr && pThread->m_pMainWnd == this) {
    pThread->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
  }
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->pToolTip != nullptr && pState->pToolTip->GetOwner()->GetSafeHwnd() == m_hWnd) {
    CToolTipCtrl* pToolTip = pState->pToolTip;
    pState->pToolTip = nullptr;
    pToolTip->DestroyWindow();
    delete pToolTip;
  }
  Default();
}

// ---------------------------------------------------------------- dispatch

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult)) return FALSE;
    *pResult = lResult;
    return TRUE;
  }

  // Messages a parent gets about a child: the child (a framework control)
  // answers them first.
  UINT nLookup = message;
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
      if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, &lResult)) {
        *pResult = lResult;
        return TRUE;
      }
      nLookup = WM_CTLCOLOR;
      break;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM: {
      HWND hWndChild = nullptr;
      if (lParam == 0) {
        // malformed: no item structure
      } else if (message == WM_DRAWITEM) {
        auto* p = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (p->CtlType != ODT_MENU) hWndChild = p->hwndItem;
      } else if (message == WM_MEASUREITEM) {
        auto* p = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (p->CtlType != ODT_MENU) hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(p->CtlID));
      } else if (message == WM_COMPAREITEM) {
        hWndChild = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
      } else {
        hWndChild = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
      }
      CWnd* pChild = FromHandlePermanent(hWndChild);
      if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, &lResult)) {
        *pResult = lResult;
        return TRUE;
      }
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
      if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, &lResult)) {
        *pResult = lResult;
        return TRUE;
      }
      break;
    }
    default:
      break;
  }

  // The message map.
  const AFX_MSGMAP_ENTRY* pEntry = nullptr;
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && pEntry == nullptr;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
      if (p->nMessage == 0xC000) {
        if (message >= 0xC000 && *reinterpret_cast<const UINT*>(p->nSig) == message) {
          pEntry = p;
          break;
        }
      } else if (p->nMessage == nLookup && p->nCode == 0 && p->nID == 0) {
        pEntry = p;
        break;
      }
    }
  }
  if (pEntry == nullptr) return FALSE;

  AFX_PMSG pfn = pEntry->pfn;
  UINT_PTR nSig = pEntry->nMessage == 0xC000 ? static_cast<UINT_PTR>(AfxSig_l_wl) : pEntry->nSig;
#define AFX_CALL(type) (this->*reinterpret_cast<type>(pfn))
  switch (nSig) {
    case AfxSig_v_v:
      AFX_CALL(void (CWnd::*)())();
      break;
    case AfxSig_b_v:
      lResult = AFX_CALL(BOOL (CWnd::*)())();
      break;
    case AfxSig_l_wl:
      lResult = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
      break;
    case AfxSig_i_CREATE:
      lResult = AFX_CALL(int (CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_b_D:
      lResult = AFX_CALL(BOOL (CWnd::*)(CDC*))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
      break;
    case AfxSig_v_u_ii:
      AFX_CALL(void (CWnd::*)(UINT, int, int))(static_cast<UINT>(wParam), (short)LOWORD(lParam), (short)HIWORD(lParam));
      break;
    case AfxSig_v_ii:
      AFX_CALL(void (CWnd::*)(int, int))((short)LOWORD(lParam), (short)HIWORD(lParam));
      break;
    case AfxSig_v_up:
      AFX_CALL(void (CWnd::*)(UINT_PTR))(wParam);
      break;
    case AfxSig_v_b_u:
      AFX_CALL(void (CWnd::*)(BOOL, UINT))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      break;
    case AfxSig_v_u_p:
      AFX_CALL(void (CWnd::*)(UINT, CPoint))(static_cast<UINT>(wParam), CPoint(lParam));
      break;
    case AfxSig_b_u_s_p:
      lResult = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint))(LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam));
      break;
    case AfxSig_v_uuu:
      AFX_CALL(void (CWnd::*)(UINT, UINT, UINT))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_W:
      AFX_CALL(void (CWnd::*)(CWnd*))(FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : wParam)));
      break;
    case AfxSig_v_u_l:
      AFX_CALL(void (CWnd::*)(UINT, LPARAM))(static_cast<UINT>(wParam), lParam);
      break;
    case AfxSig_v_u_s:
      AFX_CALL(void (CWnd::*)(UINT, LPCTSTR))(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
      break;
    case AfxSig_b_W_uu:
      lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT))(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                                            HIWORD(lParam));
      break;
    case AfxSig_l_p:
      lResult = AFX_CALL(LRESULT (CWnd::*)(CPoint))(CPoint(lParam));
      break;
    case AfxSig_v_MINMAX:
      AFX_CALL(void (CWnd::*)(MINMAXINFO*))(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case AfxSig_u_v:
      lResult = AFX_CALL(UINT (CWnd::*)())();
      break;
    case AfxSig_v_DROP:
      AFX_CALL(void (CWnd::*)(HDROP))(reinterpret_cast<HDROP>(wParam));
      break;
    case AfxSig_v_W_p:
      AFX_CALL(void (CWnd::*)(CWnd*, CPoint))(FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
      break;
    case AfxSig_v_POS:
      AFX_CALL(void (CWnd::*)(WINDOWPOS*))(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case AfxSig_v_uu_SB:
      AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*))(LOWORD(wParam), (short)HIWORD(wParam),
                                                         static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
      break;
    case AfxSig_v_uu:
      AFX_CALL(void (CWnd::*)(UINT, UINT))(LOWORD(wParam), (short)HIWORD(wParam));
      break;
    case AfxSig_hb_D_W_u: {
      UINT nCtlType = message - WM_CTLCOLORMSGBOX;
      lResult = reinterpret_cast<LRESULT>(AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)), nCtlType));
      break;
    }
    case AfxSig_hb_D_u: {
      UINT nCtlType = (message - WM_REFLECT_BASE) - WM_CTLCOLORMSGBOX;
      HBRUSH hbr = AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), nCtlType);
      if (hbr == nullptr) return FALSE;
      lResult = reinterpret_cast<LRESULT>(hbr);
      break;
    }
    case AfxSig_v_i_DRAW:
      AFX_CALL(void (CWnd::*)(int, LPDRAWITEMSTRUCT))(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_i_MEAS:
      AFX_CALL(void (CWnd::*)(int, LPMEASUREITEMSTRUCT))(static_cast<int>(wParam),
                                                        reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_DRAW:
      AFX_CALL(void (CWnd::*)(LPDRAWITEMSTRUCT))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_MEAS:
      AFX_CALL(void (CWnd::*)(LPMEASUREITEMSTRUCT))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_u_W_b:
      AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                  HIWORD(wParam));
      break;
    case AfxSig_v_b_h:
      AFX_CALL(void (CWnd::*)(BOOL, DWORD))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
      break;
    case AfxSig_v_i_STYLE:
      AFX_CALL(void (CWnd::*)(int, LPSTYLESTRUCT))(static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam));
      break;
    case AfxSig_v_b_CALC:
      AFX_CALL(void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))(static_cast<BOOL>(wParam),
                                                         reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
      break;
    case AfxSig_b_b:
      lResult = AFX_CALL(BOOL (CWnd::*)(BOOL))(static_cast<BOOL>(wParam));
      break;
    case AfxSig_i_W_uu:
      lResult = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT))(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                                           HIWORD(lParam));
      break;
    case AfxSig_v_M_u_b:
      AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                                                   HIWORD(lParam));
      break;
    case AfxSig_v_u_u_M:
      AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU))(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      break;
    case AfxSig_v_b:
      AFX_CALL(void (CWnd::*)(BOOL))(static_cast<BOOL>(wParam));
      break;
    case AfxSig_b_CREATE:
      lResult = AFX_CALL(BOOL (CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_v_u_R:
      AFX_CALL(void (CWnd::*)(UINT, LPRECT))(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_b_W_COPY:
      lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                 reinterpret_cast<COPYDATASTRUCT*>(lParam));
      break;
    default:
      return FALSE;
  }
#undef AFX_CALL
  *pResult = lResult;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    // A menu item or an accelerator: a command, unless its update handler
    // disabled it.
    if (nID == 0) return FALSE;
    class CProbe : public CCmdUI {
     public:
      void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
      void SetCheck(int) override {}
      void SetRadio(BOOL) override {}
      void SetText(LPCTSTR) override {}
      BOOL m_bEnabled = TRUE;
    } probe;
    probe.m_nID = nID;
    OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    if (!probe.m_bEnabled) return TRUE;  // disabled: swallowed
    nCode = CN_COMMAND;
  } else {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->hLockoutNotifyWindow == m_hWnd) return TRUE;  // UpdateData is running
    // The control's own handler (reflection) comes first.
    CWnd* pChild = FromHandlePermanent(hWndCtrl);
    if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  int nCode = static_cast<int>(pNMHDR->code);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->hLockoutNotifyWindow == m_hWnd) return TRUE;
  CWnd* pChild = FromHandlePermanent(hWndCtrl);
  if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  if (OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr)) return TRUE;
  // Tooltip text of a tool with a string resource "prompt\ntip".
  if ((nCode == static_cast<int>(TTN_NEEDTEXTA)) && (m_nFlags & WF_TOOLTIPS)) {
    auto* pTTT = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    UINT nTool = nID;
    if (pTTT->uFlags & TTF_IDISHWND) nTool = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    CString text;
    if (nTool != 0 && text.LoadString(nTool)) {
      int nNewLine = text.Find('\n');
      if (nNewLine >= 0) text = text.Mid(nNewLine + 1);
      lstrcpynA(pTTT->szText, text, sizeof(pTTT->szText));
      *pResult = 0;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
        if (pResult != nullptr) *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify = {pResult, pNMHDR};
      return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // ON_WM_CTLCOLOR_REFLECT is looked up under one key for all kinds.
      const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
      if (pEntry == nullptr) return FALSE;
      HBRUSH hbr = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pEntry->pfn))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
      if (hbr == nullptr) return FALSE;
      if (pResult != nullptr) *pResult = reinterpret_cast<LRESULT>(hbr);
      return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY: {
      LRESULT lResult = 0;
      if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lResult)) return FALSE;
      if (pResult != nullptr) *pResult = lResult;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_nFlags & WF_TOOLTIPS) FilterToolTipMessage(pMsg);
  return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg) {
  // From the window the message is for up through its parents; the top-level
  // window is the last.
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (!(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}

// ---------------------------------------------------------- descendants

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = FromHandlePermanent(hWndChild);
      // Directly, as the window procedure would (idle updates must not
      // wait for another thread's queue).
      if (pWnd != nullptr) AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
    } else {
      ::SendMessage(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
      SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;  // a stand-in object for controls without their own
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
    CWnd* pControl = FromHandlePermanent(hWndChild);
    if (pControl == nullptr) {
      wndTemp.m_hWnd = hWndChild;
      pControl = &wndTemp;
    }
    state.m_pOther = pControl;
    // Only push buttons are disabled for want of a handler; check boxes,
    // radio buttons and other controls work without one.
    BOOL bDisable = FALSE;
    if (bDisableIfNoHndler) {
      UINT nCode = static_cast<UINT>(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0));
      if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) bDisable = TRUE;
    }
    state.DoUpdate(pTarget, bDisable);
  }
  wndTemp.m_hWnd = nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  // Each bar takes its room from the rectangle (WM_SIZEPARENT with the
  // layout); the rest goes to the left-over window.
  AFX_SIZEPARENTPARAMS layout = {};
  HWND hWndLeftOver = nullptr;
  layout.bStretch = bStretch;
  layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
  if (lpRectClient != nullptr)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  if (nFlag != reposQuery) layout.hDWP = ::BeginDeferWindowPos(8);
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
      ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (nFlag == reposQuery) {
    if (lpRectParam != nullptr) {
      if (bStretch)
        *lpRectParam = layout.rect;
      else
        ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }
  if (nFlag == reposExtra && lpRectParam != nullptr) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  if (hWndLeftOver != nullptr && layout.hDWP != nullptr) {
    layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, layout.rect.left, layout.rect.top,
                                   layout.rect.right - layout.rect.left, layout.rect.bottom - layout.rect.top,
                                   SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}

// ------------------------------------------------------------- modal loop

int CWnd::RunModalLoop(DWORD dwFlags) {
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  HWND hWndSelf = m_hWnd;
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
        ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        // WM_QUIT: end the loop and pass the quit on to the outer loop.
        AfxPostQuitMessage(static_cast<int>(AfxGetThreadState()->msgCur.wParam));
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return -1;
      }
      if (bShowIdle && (msg.message == 0x118 || msg.message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!::IsWindow(hWndSelf) || !ContinueModal()) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return m_hWnd != nullptr ? 0 : -1;
      }
      bIdle = TRUE;
      lIdleCount = 0;
    } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nFlags &= ~WF_CONTINUEMODAL;
  ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  (void)nResult;
}

// ------------------------------------------------------------- attributes

namespace {
// Changes the style word at nIndex (GWL_STYLE or GWL_EXSTYLE); with nFlags,
// SetWindowPos applies the change to the frame. FALSE when nothing changed.
BOOL ModifyStyleWord(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, nIndex));
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle) return FALSE;
  ::SetWindowLong(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleWord(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
  int nLen = ::GetWindowTextLength(m_hWnd);
  LPTSTR p = rString.GetBuffer(nLen);
  ::GetWindowText(m_hWnd, p, nLen + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWnd = ::GetDlgItem(m_hWnd, nID);
  if (hWnd == nullptr) return 0;
  FromHandle(hWnd)->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                    : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
  CRect rcDlg;
  GetWindowRect(&rcDlg);
  CRect rcArea, rcCenter;
  if (!(GetStyle() & WS_CHILD)) {
    HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfo(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter == nullptr || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
      rcCenter = rcArea;
    else
      ::GetWindowRect(hWndCenter, &rcCenter);
  } else {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
  }
  int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
  if (x + rcDlg.Width() > rcArea.right) x = rcArea.right - rcDlg.Width();
  if (x < rcArea.left) x = rcArea.left;
  if (y + rcDlg.Height() > rcArea.bottom) y = rcArea.bottom - rcDlg.Height();
  if (y < rcArea.top) y = rcArea.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
  ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

void CWnd::DragAcceptFiles(BOOL bAccept) { ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0); }

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

CWnd* CWnd::GetOwner() const {
  HWND hWnd = ::GetWindow(m_hWnd, GW_OWNER);
  if (hWnd == nullptr) hWnd = ::GetParent(m_hWnd);
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  HWND hWndParent;
  while ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr) hWnd = hWndParent;
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
  HWND hWnd = m_hWnd;
  HWND hWndOwner;
  while ((hWndOwner = ::GetWindow(hWnd, GW_OWNER)) != nullptr || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) {
    if (hWndOwner == nullptr) hWndOwner = ::GetParent(hWnd);
    if (hWndOwner == nullptr) break;
    hWnd = hWndOwner;
  }
  return FromHandle(hWnd);
}

CWnd* CWnd::GetParentFrame() const {
  // Frames are the framework's frame classes; until those exist, the
  // nearest framework window with a caption that is not a dialog.
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsFrameWnd()) return pWnd;
  }
  return nullptr;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) lpszCaption = AfxGetAppName();
  return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// --------------------------------------------------------------- tooltips

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (!bEnable) {
    m_nFlags &= ~WF_TOOLTIPS;
    if (pState->pToolTip != nullptr && pState->hWndLastHit == m_hWnd) {
      pState->pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
      pState->hWndLastHit = nullptr;
      pState->nLastHit = -1;
    }
    return TRUE;
  }
  if (pState->pToolTip == nullptr) {
    CToolTipCtrl* pToolTip = new CToolTipCtrl;
    if (!pToolTip->Create(this, TTS_ALWAYSTIP)) {
      delete pToolTip;
      return FALSE;
    }
    pState->pToolTip = pToolTip;
  }
  m_nFlags |= WF_TOOLTIPS;
  return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  // The child control under the point is the tool; its text comes from the
  // owner (TTN_NEEDTEXT, by default the string resource of its id).
  HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (hWndChild == nullptr || hWndChild == m_hWnd) return -1;
  int nID = ::GetDlgCtrlID(hWndChild);
  if (nID == 0) return -1;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CToolTipCtrl* pToolTip = pState->pToolTip;
  if (pToolTip == nullptr) return;
  UINT message = pMsg->message;
  if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONUP && message != WM_RBUTTONDOWN &&
      message != WM_RBUTTONUP && message != WM_MBUTTONDOWN && message != WM_MBUTTONUP)
    return;
  CPoint point(pMsg->lParam);
  ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  INT_PTR nHit = OnToolHitTest(point, &ti);
  if (nHit != pState->nLastHit || pState->hWndLastHit != m_hWnd) {
    // Another tool: replace the one the tooltip knows.
    TOOLINFO tiOld = {};
    tiOld.cbSize = sizeof(tiOld);
    if (pToolTip->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&tiOld)))
      pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tiOld));
    if (nHit != -1) {
      ti.hinst = AfxGetResourceHandle();
      pToolTip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
      pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
    }
    pState->nLastHit = nHit;
    pState->hWndLastHit = m_hWnd;
  }
  if (nHit != -1) pToolTip->RelayEvent(pMsg);
}
