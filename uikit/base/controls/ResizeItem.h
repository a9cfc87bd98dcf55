// CJVResizeItem: one control registered with the resize engine: its window
// object, its anchor factors and its current rectangle in floats.
#pragma once

#include "ResizeRect.h"

#include <Framework.h>

class CJVResizeItem {
 public:
  // A temporary window object (bOwnsWindow) is detached and deleted with the item.
  CJVResizeItem(CWnd* pWnd, const CJVResizeRect& rcAnchor, const CJVResizeRect& rcRect, BOOL bOwnsWindow);
  virtual ~CJVResizeItem();
  CJVResizeItem(const CJVResizeItem&) = delete;
  CJVResizeItem& operator=(const CJVResizeItem&) = delete;

  // Once, after the item is added: a group box (a "Button" of style
  // BS_GROUPBOX without WS_TABSTOP) becomes transparent and is repainted
  // after each move, unless the engine's flags leave group boxes alone.
  virtual void Init(DWORD dwResizeFlags);

  BOOL IsWindowAlive() const { return m_pWnd && ::IsWindow(m_pWnd->m_hWnd); }

  BOOL m_bRepaint = FALSE;
  BOOL m_bOwnsWindow;
  BOOL m_bPlaced = FALSE;
  CWnd* m_pWnd;
  CJVResizeRect m_rcAnchor;
  CJVResizeRect m_rcRect;
};
