// CFrameWnd: a top-level (or child) window that holds control bars around a
// main pane. RecalcLayout lays the bars out through WM_SIZEPARENT and gives
// the rest of the client area to the pane with id AFX_IDW_PANE_FIRST; a
// layout asked for with DelayRecalcLayout runs at the next idle time
// (WM_IDLEUPDATECMDUI). The frame translates its accelerators, updates the
// items of a menu about to open through their ON_UPDATE_COMMAND_UI handlers,
// and shows the prompt of the menu item or command under the mouse in its
// status bar (WM_SETMESSAGESTRING / WM_POPMESSAGESTRING; the idle message
// AFX_IDS_IDLEMESSAGE otherwise). Floating windows it owns that ask for it
// (WM_FLOATSTATUS) follow its activation, enabling and visibility.
//
// Frames are made with new: a frame deletes itself when its window is gone.
#pragma once

#include "FrameIds.h"
#include "WinApp.h"
#include "Wnd.h"

class CControlBar;
class CDockBar;
class CMenu;
class CView;
class CDocument;

// What OnSetPreviewMode hides on entering print preview, to give back on leaving.
struct CPrintPreviewState {
  CPrintPreviewState() : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(nullptr), dwStates(0), hAccelTable(nullptr) {}
  UINT nIDMainPane;
  HMENU hMenu;
  DWORD dwStates;  // bit n: control bar AFX_IDW_CONTROLBAR_FIRST + n was visible
  HACCEL hAccelTable;
};

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Idle work pending (m_nIdleFlags).
  enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

  static const CRect rectDefault;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, void* pContext = nullptr);
  // Creates the frame with the menu, accelerators, icon and title (the text
  // before the first newline) of the resources with id nIDResource; a missing
  // menu, accelerator table or icon is left out, a missing title is empty.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, void* pContext = nullptr);
  BOOL IsFrameWnd() const override { return TRUE; }

  // The frame whose view and document are current: this one, or the
  // active child of an MDI frame.
  virtual CFrameWnd* GetActiveFrame() { return this; }
  // The view that commands reach first (after the frame's main pane).
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  // The active view's document, or NULL.
  virtual CDocument* GetActiveDocument();

  // ------------------------------------------------------------ layout
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // Lays out at the next idle time.
  void DelayRecalcLayout(BOOL bNotify = TRUE);
  // Borders kept free around the main pane (inside the bars).
  CRect m_rectBorder;
  CWnd* GetMessageBar();  // the status bar, or NULL

  // ----------------------------------------------------------- docking
  // Makes a dock bar for each side in dwDockStyle (CBRS_ALIGN_ bits).
  void EnableDocking(DWORD dwDockStyle);
  // The dock bar with the id (AFX_IDW_DOCKBAR_TOP ...), or NULL.
  CDockBar* GetDockBar(UINT nID) const;
  // Docks pBar into the dock bar nDockBarID (0: the first side the bar may
  // dock to), at lpRect (screen coordinates) when given.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Floats pBar in a mini frame whose top-left corner is at point (screen).
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);

  // ---------------------------------------------------- message strings
  // The prompt of a command: its string resource up to the first newline.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);

  // ------------------------------------------------------------- modes
  virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  // Sends WM_FLOATSTATUS with dwFlags to the popups this frame owns.
  void NotifyFloatingWindows(DWORD dwFlags);
  // The frame whose menu, status bar and message boxes belong to the
  // application: the top-level frame of a child frame.
  CFrameWnd* GetTopLevelFrame() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  HACCEL m_hAccelTable;
  HMENU m_hMenuDefault;
  UINT m_nIdleFlags;
  BOOL m_bAutoMenuEnable;  // disable menu items whose command nobody handles
  UINT m_nIDHelp;
  UINT m_nIDTracking;  // the command whose prompt the status bar shows
  UINT m_nIDLastMessage;
  CString m_strTitle;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;
  // LoadFrame's steps: the help id, the title and a window class with the
  // resource's icon (returned); then the accelerator table.
  LPCTSTR LoadFrameResources(UINT nIDResource);
  void LoadAccelTable(LPCTSTR lpszResourceName);
  CView* m_pViewActive;
  // Builds the frame's message string for m_nIDTracking.
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};

// Makes a frame the thread's routing frame while it lives: message boxes
// shown meanwhile (AfxMessageBox) belong to that frame's top-level window.
// The frame's own command routing does this for every command it handles.
class CPushRoutingFrame {
 public:
  explicit CPushRoutingFrame(CFrameWnd* pNewFrame);
  ~CPushRoutingFrame();
  CPushRoutingFrame(const CPushRoutingFrame&) = delete;
  CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

  // The thread's routing frame, or NULL.
  static CFrameWnd* GetRoutingFrame();

 private:
  HWND m_hWndOld;
};
