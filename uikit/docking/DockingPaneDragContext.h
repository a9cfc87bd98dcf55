// CJVKDockingPaneDragContext: the modal drag of a pane, a group or a
// floating frame's content. After each move it decides where the node would
// land (floating at a rectangle, docked at a side of a group, of the client
// area or of the whole docked area, or attached as tabs to a group), shows
// that as an outline inverted on the desktop or as translucent layered
// windows, and on release carries the move out through the manager.
// Layered windows are bound through the toolkit's optional-entry resolver;
// without them the drag draws the outline.
#pragma once

#include "DockingPaneBase.h"

class CJVKDockingPane;

// A translucent feedback window: a layered popup painted in the highlight
// colour.
class CJVKDockingPaneAlphaWnd : public CWnd {
 public:
  BOOL Create(CWnd* pOwner, const CRect& rc, BOOL (WINAPI* pfnSetLayered)(HWND, COLORREF, BYTE, DWORD));

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

class CJVKDockingPaneDragContext {
 public:
  explicit CJVKDockingPaneDragContext(CJVKDockingPaneManager* pManager) : m_pManager(pManager) {}
  virtual ~CJVKDockingPaneDragContext();
  CJVKDockingPaneDragContext(const CJVKDockingPaneDragContext&) = delete;
  CJVKDockingPaneDragContext& operator=(const CJVKDockingPaneDragContext&) = delete;

  // A press on a group's caption or tab, or on a floating frame's caption
  // (screen point); returns once the drag is over.
  virtual void Start(CJVKDockingPaneBase* pNode, int x, int y);
  virtual void Track();
  virtual void Move(int x, int y);
  virtual void InitLoop();
  virtual void EndLoop();
  virtual void UpdateFeedback(BOOL bErase);
  virtual void FindTarget(int x, int y);

  BOOL IsAlpha() const { return m_bAlpha; }
  BOOL IsDragging() const { return m_pDragged != nullptr; }
  const CJVKDockingPaneAlphaWnd& GetAlphaWnd() const { return m_wndAlpha; }

 private:
  using SetLayeredProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  BOOL ChooseSide(const CRect& rc, CPoint pt, CJVKDockingPaneBase* pTarget, BOOL bInside);
  CRect NodeScreenRect(CJVKDockingPaneBase* pNode) const;
  CRect SiteRectOnScreen(CJVKDockingPaneBase* pNode) const;
  CWnd* DragSite() const;
  CJVKDockingPaneList DraggedPanes() const;
  BOOL AllowDock(int nSide, CJVKDockingPaneBase* pTarget) const;
  BOOL AllowAttach(CJVKDockingPaneBase* pTarget) const;
  void Drop();
  void DrawOutline(const CRect& rc, BOOL bAttach);

  CJVKDockingPaneAlphaWnd m_wndAlpha;
  CJVKDockingPaneAlphaWnd m_wndAlphaTab;
  SetLayeredProc m_pfnSetLayeredWindowAttributes = nullptr;
  BOOL m_bGuides = FALSE;
  BOOL m_bAlpha = FALSE;
  CPoint m_ptLast;
  CPoint m_ptStart;
  BOOL m_bMoved = FALSE;
  CRect m_rcFloat;
  CJVKDockingPaneManager* m_pManager;
  CJVKDockingPaneBase* m_pDragged = nullptr;
  CJVKDockingPaneBase* m_pTarget = nullptr;
  CRect m_rcDock;
  BOOL m_bLastAttach = FALSE;
  BOOL m_bAttach = FALSE;
  BOOL m_bFloatable = TRUE;
  CRect m_rcLast;
  int m_nSide = 0;
  HDC m_hDesktopDC = nullptr;
  BOOL m_bLocked = FALSE;
};
