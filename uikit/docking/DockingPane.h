// CJVKDockingPane: the leaf of the docking tree, one application window with
// an id, a title, an icon, options and size limits. Reference counted; the
// child window belongs to the application and is never destroyed here.
#pragma once

#include "DockingPaneBase.h"

// WM_USER + 134: asked of the child window for its tab colour.
const UINT JVK_WM_DOCKING_ITEMCOLOR = WM_USER + 134;

class CJVKDockingPane : public CCmdTarget, public CJVKDockingPaneBase {
 public:
  explicit CJVKDockingPane(CJVKDockingPaneLayout* pLayout);
  ~CJVKDockingPane() override;

  virtual COLORREF GetItemColor();
  virtual void Copy(const CJVKDockingPane* pPane);

  BOOL Contains(const CJVKDockingPaneBase* pPane) const override { return pPane == this; }
  void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
  void OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) override;
  void UpdateActiveState() override;
  void SetParentContainer(CJVKDockingPaneBase* pContainer) override;
  BOOL ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers* pNumbers) override;
  CJVKDockingPaneBase* Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD dwFlags = 0) override;
  BOOL IsAutoHidden() const override;

  void Attach(CWnd* pWnd);
  void Attach(HWND hWnd);
  void SetTitle(LPCTSTR lpszTitle);
  void SetFocus();
  BOOL IsFocused() const;
  BOOL HasChildWindow() const { return m_hwndChild != nullptr; }
  BOOL IsClosed() const { return m_pParentContainer == nullptr; }
  BOOL IsSelected() const;
  CString GetTitle() const;
  CString GetTabCaption() const;
  DWORD GetOptions() const;
  int GetID() const { return m_nID; }
  HWND GetChild() const { return m_hwndChild; }
  HICON GetIconHandle(int nSize) const;
  void ClosePane();
  void HidePane();
  void SetPaneId(int nID);
  void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
  void SetMinTrackSize(CPoint pt) { m_ptMinTrackSize = pt; }
  void SetMaxTrackSize(CPoint pt) { m_ptMaxTrackSize = pt; }
  void SetInitialRect(int left, int top, int right, int bottom);
  // Shows the child window (code 1 first) or hides it.
  void ShowChild(BOOL bShow);

  HWND m_hwndChild = nullptr;
  int m_nID = 0;
  int m_nIconID = -1;
  CString m_strTitle;
  DWORD m_dwOptions = 0;
  // Copied with the settings, read nowhere else: the pane's user data.
  int m_nUserData = 0;
  CPoint m_ptMinTrackSize = CPoint(0, 0);
  CPoint m_ptMaxTrackSize = CPoint(32000, 32000);
};
