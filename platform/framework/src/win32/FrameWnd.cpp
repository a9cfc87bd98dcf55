// CFrameWnd: creation from resources, command routing and accelerators,
// preview mode, and the popups that follow the frame (WM_FLOATSTATUS).
#include "framework/FrameWnd.h"

#include "framework/Resources.h"
#include "framework/WinApp.h"

#include "RoutingFrame.h"
#include "WndInternal.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SIZE()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ACTIVATE()
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_rectBorder(0, 0, 0, 0),
      m_hAccelTable(nullptr),
      m_hMenuDefault(nullptr),
      m_nIdleFlags(0),
      m_bAutoMenuEnable(TRUE),
      m_nIDHelp(0),
      m_nIDTracking(0),
      m_nIDLastMessage(0),
      m_pViewActive(nullptr) {}

CFrameWnd::~CFrameWnd() = default;  // accelerator tables from resources are freed with the module

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle, void* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr && !(dwStyle & WS_CHILD)) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
    hMenu = hInst != nullptr ? ::LoadMenu(hInst, lpszMenuName) : nullptr;
    if (hMenu == nullptr) return FALSE;
  }
  m_strTitle = lpszWindowName;
  // The default rectangle lets the system place and size the window.
  BOOL bDefault = rect.left == CW_USEDEFAULT;
  int x = bDefault ? CW_USEDEFAULT : rect.left, y = bDefault ? CW_USEDEFAULT : rect.top;
  int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left, cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu,
                pContext)) {
    if (hMenu != nullptr) ::DestroyMenu(hMenu);
    return FALSE;
  }
  m_hMenuDefault = ::GetMenu(m_hWnd);
  return TRUE;
}

LPCTSTR CFrameWnd::LoadFrameResources(UINT nIDResource) {
  m_nIDHelp = nIDResource;
  LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
  CString strFull;
  if (strFull.LoadString(nIDResource)) {
    int nNewLine = strFull.Find('\n');
    m_strTitle = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
  }
  HINSTANCE hInstIcon = AfxFindResourceHandle(lpszResource, RT_GROUP_ICON);
  HICON hIcon = hInstIcon != nullptr ? ::LoadIcon(hInstIcon, lpszResource) : nullptr;
  return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             hIcon);
}

void CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  HINSTANCE hInstAccel = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
  if (hInstAccel != nullptr) m_hAccelTable = ::LoadAccelerators(hInstAccel, lpszResourceName);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
  LPCTSTR lpszClass = LoadFrameResources(nIDResource);
  LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
  BOOL bMenu = !(dwDefaultStyle & WS_CHILD) && AfxFindResourceHandle(lpszResource, RT_MENU) != nullptr;
  CString strTitle = m_strTitle;
  if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, bMenu ? lpszResource : nullptr, 0,
              pContext))
    return FALSE;
  LoadAccelTable(lpszResource);
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

CFrameWnd* CFrameWnd::GetTopLevelFrame() const {
  CFrameWnd* pFrame = const_cast<CFrameWnd*>(this);
  while (pFrame->GetStyle() & WS_CHILD) {
    CWnd* pParent = pFrame->GetParentFrame();
    if (pParent == nullptr) break;
    pFrame = static_cast<CFrameWnd*>(pParent);
  }
  return pFrame;
}

// --------------------------------------------------- routing and keyboard

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
    return ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CPushRoutingFrame push(this);
  // The main pane (the view) first, then the frame, then the application.
  CWnd* pPane = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
  if (pPane != nullptr && !pPane->IsFrameWnd() && pPane->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ------------------------------------------------------------------ modes

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  ENSURE_ARG(pState != nullptr);
  if (bPreview) {
    // The menu, the accelerators and the visible control bars go away.
    pState->hMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);
    pState->hAccelTable = m_hAccelTable;
    m_hAccelTable = nullptr;
    pState->dwStates = 0;
    for (UINT nID = AFX_IDW_CONTROLBAR_FIRST; nID < AFX_IDW_CONTROLBAR_FIRST + 32; ++nID) {
      HWND hWndBar = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
      if (hWndBar != nullptr && (::GetWindowLong(hWndBar, GWL_STYLE) & WS_VISIBLE)) {
        pState->dwStates |= 1u << (nID - AFX_IDW_CONTROLBAR_FIRST);
        ::ShowWindow(hWndBar, SW_HIDE);
      }
    }
  } else {
    ::SetMenu(m_hWnd, pState->hMenu);
    m_hAccelTable = pState->hAccelTable;
    pState->hAccelTable = nullptr;
    for (UINT nBit = 0; nBit < 32; ++nBit) {
      HWND hWndBar = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_CONTROLBAR_FIRST + nBit));
      if (hWndBar != nullptr && (pState->dwStates & (1u << nBit))) ::ShowWindow(hWndBar, SW_SHOWNA);
    }
  }
  RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL) {
  CString strCurrent;
  GetWindowText(strCurrent);
  if (strCurrent != m_strTitle) SetWindowText(m_strTitle);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (GetStyle() & WS_CHILD) return;
  HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
  if (::GetMenu(m_hWnd) != hMenu) ::SetMenu(m_hWnd, hMenu);
}

namespace {
struct FloatStatus {
  HWND hWndOwner;
  DWORD dwFlags;
};

BOOL CALLBACK SendFloatStatus(HWND hWnd, LPARAM lParam) {
  auto* pStatus = reinterpret_cast<FloatStatus*>(lParam);
  if (::GetWindow(hWnd, GW_OWNER) == pStatus->hWndOwner) ::SendMessage(hWnd, WM_FLOATSTATUS, pStatus->dwFlags, 0);
  return TRUE;
}
}  // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  FloatStatus status = {m_hWnd, dwFlags};
  ::EnumThreadWindows(::GetCurrentThreadId(), SendFloatStatus, reinterpret_cast<LPARAM>(&status));
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  Default();
  // Activating one of its own popups leaves the frame active in their eyes.
  if (nState == WA_INACTIVE && pWndOther != nullptr && ::GetWindow(pWndOther->m_hWnd, GW_OWNER) == m_hWnd) return;
  NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
  (void)bMinimized;
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  Default();
  NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  Default();
  if (nStatus == 0) NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) { return AfxGetToolTipText(pNMHDR, pResult); }

// ----------------------------------------------------------- routing frame

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* pNewFrame)
    : m_hWndOld(AfxSetRoutingFrameWindow(pNewFrame->GetSafeHwnd())) {}

CPushRoutingFrame::~CPushRoutingFrame() { AfxSetRoutingFrameWindow(m_hWndOld); }

CFrameWnd* CPushRoutingFrame::GetRoutingFrame() {
  CWnd* pWnd = CWnd::FromHandlePermanent(AfxGetRoutingFrameWindow());
  return pWnd != nullptr && pWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pWnd) : nullptr;
}
