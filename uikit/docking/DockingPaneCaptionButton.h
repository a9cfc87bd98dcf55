// CaptionButton: one button on the caption of a pane group (9901 Close,
// 9907 Maximize, 9908 Restore, 9900 Auto Hide, 9909 Menu; their string
// resources are their tooltips). Its owner lays it out through the paint
// manager, forwards the mouse to it and redraws when it asks.
#pragma once

#include <Framework.h>

class CJVKDockingPaneBase;

enum {
  JVK_IDS_DOCKING_AUTOHIDE = 9900,
  JVK_IDS_DOCKING_CLOSE = 9901,
  JVK_IDS_DOCKING_MAXIMIZE = 9907,
  JVK_IDS_DOCKING_RESTORE = 9908,
  JVK_IDS_DOCKING_MENU = 9909,
};

class CaptionButton {
 public:
  CaptionButton(UINT nID, CJVKDockingPaneBase* pOwner) : m_nID(nID), m_pOwner(pOwner) {}

  UINT GetID() const { return m_nID; }
  CRect GetRect() const { return m_rcButton; }
  BOOL IsPressed() const { return m_bPressed; }
  BOOL IsHot() const { return m_bHot; }
  DWORD GetState() const { return m_dwState; }
  void SetState(DWORD dwState) { m_dwState = dwState; }
  CJVKDockingPaneBase* GetOwner() const { return m_pOwner; }
  BOOL IsVisible() const;
  void SetRect(const CRect& rc) { m_rcButton = rc; }

  // Hover: TRUE when the point made the button hot.
  BOOL OnMouseMove(CPoint point);
  // The press over pWnd until release (TRUE when released inside), Escape,
  // a right click, WM_CANCELMODE, a lost capture or WM_QUIT (0 for these).
  // Refused (0) while some window holds the capture. bClient: the point and
  // the button's rectangle are in pWnd's client coordinates, else relative
  // to its window rectangle.
  BOOL Click(CWnd* pWnd, CPoint point, BOOL bClient = TRUE);

 private:
  void Redraw();

  UINT m_nID;
  CRect m_rcButton = CRect(0, 0, 0, 0);
  CJVKDockingPaneBase* m_pOwner;
  BOOL m_bPressed = FALSE;
  BOOL m_bHot = FALSE;
  DWORD m_dwState = 0;
};
