// CJVKDockingPaneSplitterWnd: the bar in one gap of a splitter container. A
// press drags it within the range that the two children's limits allow,
// through the splitter tracker (the default) or live, and stores the
// children's new sizes.
#pragma once

#include <Framework.h>

#include "SplitterLayout.h"

class CJVKDockingPaneBase;
class CJVKDockingPaneSplitterContainer;

class CJVKDockingPaneSplitterWnd : public CWnd {
 public:
  CJVKDockingPaneSplitterWnd() = default;
  ~CJVKDockingPaneSplitterWnd() override;

  BOOL Create(CJVKDockingPaneSplitterContainer* pContainer, CJVKDockingPaneBase* pBefore, CJVKDockingPaneBase* pAfter);
  // The bar is horizontal when the children on both sides are stacked.
  BOOL IsHorizontal() const;
  CJVKDockingPaneSplitterContainer* GetContainer() const { return m_pContainer; }
  CJVKDockingPaneBase* GetBefore() const { return m_pBefore; }
  CJVKDockingPaneBase* GetAfter() const { return m_pAfter; }
  // The screen range of the bar's near edge; empty when it cannot move.
  SplitterTrackRange GetTrackRange(SplitterNeighbours* pNeighbours = nullptr) const;
  // Stores the children's sizes for the bar's near edge at nPos (screen).
  void ApplyPosition(int nPos, const SplitterNeighbours& n);

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void TrackLive(CPoint ptScreen, const SplitterTrackRange& range, const SplitterNeighbours& n);

  CJVKDockingPaneSplitterContainer* m_pContainer = nullptr;
  CJVKDockingPaneBase* m_pBefore = nullptr;
  CJVKDockingPaneBase* m_pAfter = nullptr;
  HCURSOR m_hCursor = nullptr;
};
