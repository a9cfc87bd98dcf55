// CJVKDockingTabColorSet: the tab colour set of the scheme themes (6 and 9):
// the desktop-scheme set whose button faces run as one gradient across the
// whole frame, so that every tab strip and splitter bar shows the part of
// it that lies under it.
#pragma once

#include "TabColorSet.h"

class CJVKDockingTabColorSet : public CJVKTabColorSetScheme {
 public:
  // bDocking: the selected face is white (the groups' strips).
  explicit CJVKDockingTabColorSet(BOOL bDocking) : m_bDocking(bDocking) {}

  void RefreshColors() override;
  void GradientFill(CDC* pDC, CRect rc, CJVKTabManager* pManager) override;
  COLORREF FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) override;
  // The frame-wide gradient under rc, a rectangle of hWnd's client area.
  void FillFrameGradient(CDC* pDC, CRect rc, HWND hWnd, const CJVKGradientColor& grc) const;

  BOOL m_bDocking;
  BOOL m_bOwnScheme = FALSE;
};
