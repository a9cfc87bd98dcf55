#include "framework/MessageBox.h"
#include "framework/ModuleState.h"
#include "framework/String.h"

#include "ProcessState.h"
#include "RoutingFrame.h"

namespace {
thread_local HWND t_hWndRoutingFrame = nullptr;

// A box belongs to the top-level window of the thread's routing frame (its
// last active popup), else to the active window.
HWND MessageBoxOwner() {
  HWND hWnd = t_hWndRoutingFrame;
  if (hWnd == nullptr || !::IsWindow(hWnd)) return GetActiveWindow();
  HWND hWndTop = ::GetAncestor(hWnd, GA_ROOT);
  return ::GetLastActivePopup(hWndTop != nullptr ? hWndTop : hWnd);
}
}  // namespace

HWND AfxGetRoutingFrameWindow() { return t_hWndRoutingFrame; }

HWND AfxSetRoutingFrameWindow(HWND hWnd) {
  HWND hWndOld = t_hWndRoutingFrame;
  t_hWndRoutingFrame = hWnd;
  return hWndOld;
}

AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook) {
  CProcessStateLock state;
  AFX_MSGBOX_HOOK pfnOld = state->pfnMessageBoxHook;
  state->pfnMessageBoxHook = pfnHook;
  return pfnOld;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (lpszText == nullptr) lpszText = "";
  AFX_MSGBOX_HOOK pfnHook;
  {
    CProcessStateLock state;
    pfnHook = state->pfnMessageBoxHook;
  }
  if (pfnHook != nullptr) return pfnHook(lpszText, nType, nIDHelp);

  // A box without an icon gets the one that fits its buttons.
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_YESNO:
      case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
      default: nType |= MB_ICONEXCLAMATION; break;
    }
  }
  // The caption is the application's name (of the module that asks, when it
  // has an application object), else the program's file name without the
  // extension.
  if (LPCTSTR lpszAppName = AfxGetModuleState()->m_lpszCurrentAppName)
    return MessageBoxA(MessageBoxOwner(), lpszText, lpszAppName, nType);
  char szPath[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
  CString caption(szPath, n < sizeof(szPath) ? static_cast<int>(n) : 0);
  caption = caption.Mid(caption.FindOneOf("\\/") >= 0 ? caption.ReverseFind('\\') + 1 : 0);
  int nDot = caption.ReverseFind('.');
  if (nDot > 0) caption = caption.Left(nDot);
  return MessageBoxA(MessageBoxOwner(), lpszText, caption, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  if (nIDHelp == static_cast<UINT>(-1)) nIDHelp = nIDPrompt;
  return AfxMessageBox(text, nType, nIDHelp);
}
