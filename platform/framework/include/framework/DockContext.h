// CDockContext: how a bar is dragged by its gripper. The drag follows the
// mouse until the button goes up: over a dock bar of its frame on a side
// the bar may dock to (or near it), the bar docks there at the drop point;
// elsewhere it floats there in a mini frame of its own. Escape, a right
// click or a lost capture leave the bar where it was. A double click on the
// gripper toggles between floating and the dock bar it came from.
#pragma once

#include "Rect.h"

class CControlBar;
class CDockBar;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext() = default;
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // pt: where the drag begins, in screen coordinates.
  virtual void StartDrag(CPoint pt);
  virtual void ToggleDocking();

  CControlBar* m_pBar;
  UINT m_uMRUDockID;       // the dock bar it was last docked in
  CRect m_rectMRUDockPos;  // and its place there, in screen coordinates
  CPoint m_ptMRUFloatPos;  // where it last floated

  // How far from a dock bar a drop still docks there.
  static const int kDockZone = 16;

 protected:
  // The dock bar of the frame that takes the bar dropped at pt, or NULL.
  CDockBar* DockBarAt(CPoint pt) const;
  void Drop(CPoint ptStart, CPoint ptEnd);
};
