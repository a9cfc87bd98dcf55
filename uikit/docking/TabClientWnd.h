// CJVKTabClientWnd: tabs over the MDI client window of an MDI frame. Each
// MDI child is a tab; the tabs may be split into groups (workspaces), each
// a tab manager. Attached, it subclasses the frame's MDI client and draws
// the tab strip in a band of the client's non-client area above the
// children; the tabs follow the children's creation, activation, captions
// and closing, a click on a tab activates its child and the close button
// closes the active child.
#pragma once

#include "TabManager.h"
#include "TabPaintManager.h"

#include <Framework.h>
#include <framework/MDIFrameWnd.h>

#include <vector>

class CJVKTabClientWnd;

// The workspace commands of the MDI workspace-actions control.
enum {
  JVK_ID_WORKSPACE_PREVIOUS_GROUP = 9420,
  JVK_ID_WORKSPACE_NEXT_GROUP = 9421,
  JVK_ID_WORKSPACE_NEW_HORIZONTAL_GROUP = 9422,
  JVK_ID_WORKSPACE_NEW_VERTICAL_GROUP = 9423,
};

// One group of the tab client: its tabs lie in the tab client's band.
class CJVKTabClientGroup : public CJVKTabManager {
 public:
  explicit CJVKTabClientGroup(CJVKTabClientWnd* pClient) : m_pClient(pClient) {}

  void Reposition() override;
  CJVKTabPaintManager* GetPaintManager() const override;
  void RedrawControl() override;
  // The child's small icon.
  BOOL DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
  // Activates the tab's child.
  void OnItemClick(CJVKTabManagerItem* pItem) override;
  // The close button closes the selected tab's child.
  void OnNavigateButtonClick(int nId) override;

 private:
  CJVKTabClientWnd* m_pClient;
};

class CJVKTabClientWnd : public CWnd {
  DECLARE_DYNAMIC(CJVKTabClientWnd)
 public:
  CJVKTabClientWnd();
  ~CJVKTabClientWnd() override;

  // Subclasses the frame's MDI client and shows the children as tabs of one
  // group. bWorkspace: the groups' tabs are drawn in this window.
  BOOL Attach(CMDIFrameWnd* pFrame, BOOL bWorkspace = TRUE);
  void Detach();
  BOOL IsAttached() const { return m_bAttached; }

  // The first item, over the groups in order, that stands for the child.
  CJVKTabManagerItem* FindItem(HWND hWnd) const;
  int FindGroupIndex(const CJVKTabManager* pGroup) const;
  int GetGroupCount() const { return static_cast<int>(m_arrGroups.size()); }
  CJVKTabManager* GetGroup(int nIndex) const { return m_arrGroups[nIndex]; }
  // A screen point in the coordinates of the window that draws the tabs.
  CPoint ScreenToTabClient(CPoint pt) const;
  void OnMouseMove(CPoint pt);
  // Brings the tabs up to date and the hot tabs under the cursor; with
  // bReposition the frame lays itself out again. Nothing while detached or
  // while a refresh runs.
  void Refresh(BOOL bReposition);
  // Whether a workspace command applies to the active child's tab (stored
  // in *ppItem when given); commands other than 9420 to 9423 always do.
  BOOL IsWorkspaceActionEnabled(UINT nCommand, CJVKTabManagerItem** ppItem = nullptr) const;

  CJVKTabPaintManager* GetPaintManager() { return &m_paintManager; }
  CMDIFrameWnd* GetFrame() const { return m_pFrame; }
  // The band of the tabs in client coordinates (above the client area).
  CRect GetBandRect() const;
  void RepositionGroups();
  void RedrawBand();

  BOOL m_bWorkspace = TRUE;
  BOOL m_bHorizontalGroups = FALSE;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Asks the frame to lay itself out again (without redrawing).
  virtual void RecalcFrameLayout();

 private:
  // Items for new children, none for gone ones, captions and the active
  // child's tab selected; TRUE when anything changed.
  BOOL UpdateContents();
  BOOL IsUpToDate() const;
  std::vector<HWND> GetChildren() const;
  int GetBandHeight();
  void PaintBand();

  CMDIFrameWnd* m_pFrame = nullptr;
  BOOL m_bAttached = FALSE;
  std::vector<CJVKTabClientGroup*> m_arrGroups;
  BOOL m_bRefreshing = FALSE;
  CJVKTabPaintManager m_paintManager;
  int m_nBandHeight = 0;
};
