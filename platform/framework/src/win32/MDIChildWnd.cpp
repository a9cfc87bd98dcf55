// CMDIChildWnd: creation through the MDI client, its menu in the MDI frame
// while active, its accelerators, destruction through the MDI client.
#include "framework/MDIChildWnd.h"

#include "framework/Menu.h"
#include "framework/WinApp.h"

#include "WndInternal.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr) {}

CMDIChildWnd::~CMDIChildWnd() {
  if (m_hMenuShared != nullptr) ::DestroyMenu(m_hMenuShared);
}

namespace {
struct MDICreate {
  HWND hWndClient;
  MDICREATESTRUCT mcs;
};

void SendMDICreate(void* pContext) {
  auto* pCreate = static_cast<MDICreate*>(pContext);
  ::SendMessage(pCreate->hWndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&pCreate->mcs));
}
}  // namespace

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, void* pContext) {
  if (pParentWnd == nullptr) {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
      pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
  }
  if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) return FALSE;
  m_strTitle = lpszWindowName;
  BOOL bDefault = rect.left == CW_USEDEFAULT;
  CREATESTRUCT cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle | WS_CHILD;
  cs.x = bDefault ? CW_USEDEFAULT : rect.left;
  cs.y = bDefault ? CW_USEDEFAULT : rect.top;
  cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hwndParent = pParentWnd->m_hWndMDIClient;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) return FALSE;
  MDICreate create = {pParentWnd->m_hWndMDIClient,
                      {cs.lpszClass, cs.lpszName, cs.hInstance, cs.x, cs.y, cs.cx, cs.cy, static_cast<DWORD>(cs.style),
                       reinterpret_cast<LPARAM>(pContext)}};
  AfxHookWindowCreate(this, SendMDICreate, &create);
  return m_hWnd != nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
  LPCTSTR lpszClass = LoadFrameResources(nIDResource);
  LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
  CMDIFrameWnd* pFrame = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                             ? static_cast<CMDIFrameWnd*>(pParentWnd)
                             : nullptr;
  CString strTitle = m_strTitle;
  if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pFrame, pContext)) return FALSE;
  HINSTANCE hInstMenu = AfxFindResourceHandle(lpszResource, RT_MENU);
  if (hInstMenu != nullptr) m_hMenuShared = ::LoadMenu(hInstMenu, lpszResource);
  LoadAccelTable(lpszResource);
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  // Created active before its menu was known: show it now.
  if (GetMDIFrame()->MDIGetActive() == this) OnUpdateFrameMenu(TRUE, this, nullptr);
  return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND hWndClient = ::GetParent(m_hWnd);
  CWnd* pFrame = CWnd::FromHandlePermanent(hWndClient != nullptr ? ::GetParent(hWndClient) : nullptr);
  return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                            : nullptr;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  MDIDestroy();
  return TRUE;
}

void CMDIChildWnd::MDIDestroy() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIActivate() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIMaximize() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIRestore() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // The child's accelerators give commands of the MDI frame, which routes
  // them to its active child first.
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr && pFrame != nullptr)
    return ::TranslateAccelerator(pFrame->m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd*, HMENU hMenuAlt) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == nullptr) return;
  HMENU hMenu = hMenuAlt;
  if (hMenu == nullptr) hMenu = bActive && m_hMenuShared != nullptr ? m_hMenuShared : pFrame->m_hMenuDefault;
  pFrame->MDISetMenu(CMenu::FromHandle(hMenu), CMenu::FromHandle(pFrame->GetWindowMenuPopup(hMenu)));
  ::DrawMenuBar(pFrame->m_hWnd);
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam) {
  Default();
  auto hWndActivated = reinterpret_cast<HWND>(lParam);
  // Another child that becomes active shows its own menu.
  if (hWndActivated == m_hWnd)
    OnUpdateFrameMenu(TRUE, this, nullptr);
  else if (hWndActivated == nullptr)
    OnUpdateFrameMenu(FALSE, nullptr, nullptr);
  return 0;
}
