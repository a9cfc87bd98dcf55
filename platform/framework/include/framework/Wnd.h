// CWnd: a window. The object and the window handle are tied together in the
// thread's permanent handle map while the window exists (Create, Attach,
// SubclassWindow). FromHandle on a handle that no object owns gives a
// temporary object that the idle time of the thread frees.
//
// Windows the framework creates or subclasses run through its window
// procedure: WindowProc -> OnWndMsg, which routes WM_COMMAND and WM_NOTIFY
// (reflecting them to the sending control first) and finds the handler of
// any other message in the message map; what no handler takes goes to
// DefWindowProc (the window's original procedure). A framework exception
// that escapes a handler is reported and stops there; WM_CREATE then fails.
#pragma once

#include <commctrl.h>
#include <shellapi.h>

#include "CmdTarget.h"
#include "Rect.h"
#include "String.h"

// windows.h defines this name as a macro of two arguments.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CDC;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class CCmdUI;

// Flags in CWnd::m_nFlags.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_OLECTLCONTAINER 0x0100
#define WF_MODELESSFILTER 0x0200  // counted in the thread's modeless message filter

// Flags of RunModalLoop.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// RepositionBars: each control bar among the children answers WM_SIZEPARENT
// (lParam an AFX_SIZEPARENTPARAMS) by taking its room from rect (and, with
// hDWP, moving itself through DeferWindowPos); sizeTotal grows by its size.
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};
#define reposDefault 0
#define reposQuery 1
#define reposExtra 2

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  // An object for a handle it neither owns nor maps (wndTop and the like).
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd), m_pfnSuper(nullptr), m_nFlags(0) {}
  ~CWnd() override;  // destroys a window that still exists

  // Z-order positions for SetWindowPos.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  HWND m_hWnd;
  // Both accept a NULL object (and give NULL).
  operator HWND() const { return GetSafeHwnd(); }
  HWND GetSafeHwnd() const;
  BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
  BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

  // ------------------------------------------------------------ handle maps
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // --------------------------------------------------------------- creation
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                      UINT nID, void* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();

  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // ---------------------------------------------------------------- messages
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A control's chance at the notification it sent its parent (reflection);
  // TRUE: handled, the parent does not route it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // The default handling of the message being handled.
  LRESULT Default();
  static const MSG* PASCAL GetCurrentMessage();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
  }
  // Sends the message to every child (bDeep: and their children); bOnlyPerm:
  // only to windows that have a framework object, calling it directly.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);
  static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                              BOOL bOnlyPerm);
  // Enables, disables and checks the child controls through pTarget's
  // update handlers (ON_UPDATE_COMMAND_UI); bDisableIfNoHndler: push
  // buttons whose command nobody handles are disabled.
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  // Lays out the control bars among the children with ids nIDFirst..nIDLast
  // (WM_SIZEPARENT); the rest of the client area goes to nIDLeftOver.
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

  // Modal loop of this window: runs until EndModalLoop.
  int RunModalLoop(DWORD dwFlags = 0);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);

  // ------------------------------------------------------------- attributes
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, nID)); }
  void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
  }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  CMenu* GetSystemMenu(BOOL bRevert) const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon, reinterpret_cast<LPARAM>(hIcon)));
  }
  HICON GetIcon(BOOL bBigIcon) const { return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon, 0)); }

  // ----------------------------------------------------- size and position
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
  }
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
  }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
  }
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
  }
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
  }
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }

  // -------------------------------------------------------- state and paint
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
  BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
  static CWnd* PASCAL GetClipboardOwner() { return FromHandle(::GetClipboardOwner()); }

  // -------------------------------------------------- timers, input, focus
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
  static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
    return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
  }
  static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  BOOL DragDetect(POINT pt) const { return ::DragDetect(m_hWnd, pt); }
  void DragAcceptFiles(BOOL bAccept = TRUE);

  // ------------------------------------------------------------- scrolling
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
  }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
  }

  // -------------------------------------------------- parents and children
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
  // The window that gets this one's notices: the one given to SetOwner, else
  // the system owner, else the parent.
  CWnd* GetOwner() const;
  // A child window keeps its owner in m_hWndOwner only (the system's owner
  // slot of a child is its parent); a popup or top-level window is also
  // owned by it in the system's sense (Z order, minimising, destruction).
  void SetOwner(CWnd* pOwnerWnd);
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  // The nearest ancestor that is a frame window (WS_CAPTION... of the frame
  // classes); NULL when there is none.
  CWnd* GetParentFrame() const;
  virtual BOOL IsFrameWnd() const { return FALSE; }
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
  CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
  CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
  }
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
  }
  // Dialog item helpers (on any window with child controls).
  void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
    return ::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
  }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) {
    ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck);
  }
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
  }
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // --------------------------------------------------------------- tooltips
  // Tooltips for the children: the tooltip control asks OnToolHitTest which
  // tool is under the mouse, and the owner for its text (TTN_NEEDTEXT).
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
  // Filters mouse messages to the tooltip control (from PreTranslateMessage).
  void FilterToolTipMessage(MSG* pMsg);

  // ---------------------------------------------- default message handlers
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
  afx_msg void OnDestroy() { Default(); }
  afx_msg void OnNcDestroy();
  afx_msg void OnPaint() { Default(); }
  afx_msg void OnNcPaint() { Default(); }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
  afx_msg void OnSize(UINT, int, int) { Default(); }
  afx_msg void OnMove(int, int) { Default(); }
  afx_msg void OnTimer(UINT_PTR) { Default(); }
  afx_msg void OnClose() { Default(); }
  afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
  afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
  afx_msg void OnNcMouseMove(UINT, CPoint) { Default(); }
  afx_msg void OnNcLButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnNcLButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnNcRButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnNcMButtonDown(UINT, CPoint) { Default(); }
  afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
  afx_msg void OnMouseLeave() { Default(); }
  afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSetFocus(CWnd*) { Default(); }
  afx_msg void OnKillFocus(CWnd*) { Default(); }
  afx_msg void OnCaptureChanged(CWnd*) { Default(); }
  afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
  afx_msg void OnSysColorChange() { Default(); }
  afx_msg void OnSettingChange(UINT, LPCTSTR) { Default(); }
  afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
  afx_msg LRESULT OnNcHitTest(CPoint) { return Default(); }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
  afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
  afx_msg void OnDropFiles(HDROP) { Default(); }
  afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
  afx_msg void OnWindowPosChanging(WINDOWPOS*) { Default(); }
  afx_msg void OnWindowPosChanged(WINDOWPOS*) { Default(); }
  afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
  afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
  afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
  afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
  afx_msg void OnActivateApp(BOOL, DWORD) { Default(); }
  afx_msg void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
  afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
  afx_msg void OnCancelMode() { Default(); }
  afx_msg BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
  afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
  afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
  afx_msg void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
  afx_msg void OnEnable(BOOL) { Default(); }
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
  afx_msg void OnPaletteChanged(CWnd*) { Default(); }
  afx_msg BOOL OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
  afx_msg void OnSizing(UINT, LPRECT) { Default(); }
  afx_msg void OnEnterSizeMove() { Default(); }
  afx_msg void OnExitSizeMove() { Default(); }
  afx_msg void OnParentNotify(UINT, LPARAM) { Default(); }
  afx_msg BOOL OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
  afx_msg void OnMButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnNcRButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnNcMButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnDeadChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysDeadChar(UINT, UINT, UINT) { Default(); }

 public:
  WNDPROC m_pfnSuper;  // the window's procedure before the framework's
  UINT m_nFlags;
  HWND m_hWndOwner = nullptr;  // set by SetOwner

 protected:
  virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
  DECLARE_MESSAGE_MAP()
};

// The framework's window procedure (of every window it creates or subclasses).
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class of this module with the given style,
// cursor, background and icon; returns its generated name. The name stays
// valid until the next call on the same thread.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                   HICON hIcon = nullptr);
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// Routes the message through the PreTranslateMessage of the window it is for
// and of its parents, up to (not past) the top-level window.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
// The thread's record of the message being handled (what GetCurrentMessage
// and Default read). A window procedure outside the framework that handles
// messages of framework windows saves it, sets it to its own message and
// restores it before it returns.
MSG* AFXAPI AfxGetCurrentMessage();
// Frees the thread's temporary objects (windows, DCs, GDI objects, menus).
void AFXAPI AfxUnlockTempMaps();
