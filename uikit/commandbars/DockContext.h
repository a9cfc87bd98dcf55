// CJVKDockContext: the drag machinery of one tool bar. A drag on the bar's
// gripper (or a floating bar's caption) moves the bar's own window: into
// the dock bar under the cursor, between its rows, or out to float; a
// double click toggles between the docked place and the floating one.
#pragma once

#include <Framework.h>

class CJVKToolBar;
class CJVKCommandBars;

class CJVKDockContext {
 public:
  explicit CJVKDockContext(CJVKToolBar* pBar) : m_pBar(pBar) {}
  CJVKDockContext(const CJVKDockContext&) = delete;
  CJVKDockContext& operator=(const CJVKDockContext&) = delete;

  // Runs a move drag from the screen point until the button is released,
  // Escape is pressed (the bar stays where the drag left it), the capture
  // is lost or a quit arrives (posted again). FALSE when another window
  // holds the capture.
  BOOL StartDrag(CPoint ptScreen);
  // Runs a resize drag of a floating bar by the edge of the hit-test code
  // (HTLEFT to HTBOTTOMRIGHT); the loop ends as a move drag's does. The bar
  // remembers its new width.
  BOOL StartResize(int nHitTest, CPoint ptScreen);
  // Docks a floating bar back into its remembered place, or floats a
  // docked one (when the options allow it). FALSE when nothing was done.
  BOOL ToggleDocking();

  // The remembered docked place: the dock bar's index (0 top to 3 right)
  // and the bar's rectangle in that dock bar's client coordinates.
  int m_nDockBarIndex = -1;
  CRect m_rcDocked{0, 0, 0, 0};
  // The remembered floating position, screen coordinates.
  CPoint m_ptFloating{-1, -1};

 private:
  CJVKCommandBars* GetCommandBars() const;
  // The drag loop of both kinds; FALSE when another window holds the
  // capture.
  BOOL Track();
  void Move(CPoint pt);
  void Resize(CPoint pt);
  void RememberDockedPlace();
  // The bar's floating size, with the floating rectangle given that size
  // at its top-left and moved so that the point lies inside.
  void SizeFloatingRect(CPoint pt);

  CJVKToolBar* m_pBar;
  int m_nMode = 0;  // 1 move, else the hit-test code of a resize
  CPoint m_ptLast{0, 0};
  CRect m_rcDrag{0, 0, 0, 0};
  CRect m_rcFloat{0, 0, 0, 0};
};
