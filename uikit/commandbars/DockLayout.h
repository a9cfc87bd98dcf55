// The geometry of a dock bar, apart from its windows: where a dropped bar
// goes into the rows, how one row shares its length among its bars
// (pushing overlapping bars apart, squeezing shrinkable ones, naming the
// bar that must wrap), and the visual rows a stored row wraps into.
// Everything runs along the dock bar: x on a horizontal dock bar, y on a
// vertical one. Portable: no windows.h.
#pragma once

#include "ControlsLayout.h"

#include <functional>
#include <vector>

// Bar flags the dock bars read.
const DWORD JVK_BAR_ASKS_HIDE_WRAP = 0x20;  // the layout mode gets JVK_LM_HIDE_WRAP
const DWORD JVK_BAR_STRETCHED = 0x40;       // alone in its row, over its length
const DWORD JVK_BAR_FILLS_GAP = 0x100000;   // takes the room between its neighbours

// One bar of a row as the row layout sees it.
struct JVKDockRowItem {
  int nStart = 0;      // its preferred start along the row
  DWORD dwMode = 0;    // its base layout mode (LM_ bits)
  DWORD dwFlags = 0;   // its bar flags
};

// A bar's docking layout: its size for a length and a layout mode.
using JVKDockSizeFn = std::function<JVKLayoutSize(int nItem, int nLength, DWORD dwMode)>;

struct JVKDockRowPlace {
  int nItem = 0;
  JVKLayoutRect rect;  // in the dock bar's client coordinates
  DWORD dwMode = 0;    // the committing mode it was laid out with
  int nLength = 0;     // the length it was asked for
};

struct JVKDockRowResult {
  BOOL bFits = TRUE;
  int nMoveOut = -1;   // when it does not fit: the item that must wrap
  int nThickness = 0;
  std::vector<JVKDockRowPlace> places;
};

// Lays one row out at nOffset across a dock bar of length nLength.
JVKDockRowResult JVKLayoutDockRow(const std::vector<JVKDockRowItem>& items, int nOffset, int nLength,
                                  BOOL bHorizontal, const JVKDockSizeFn& size);

// Lays a stored row out, wrapping bars that do not fit into further visual
// rows below (or beside) it. The places of every visual row; the sum of
// their thicknesses.
int JVKLayoutDockRowWrapped(const std::vector<JVKDockRowItem>& items, int nOffset, int nLength, BOOL bHorizontal,
                            const JVKDockSizeFn& size, std::vector<JVKDockRowPlace>& places);

// Where a bar dropped with its centre at c (across the rows) goes, given
// the far edge of each row: into a row (bNewRow FALSE: as its first bar)
// or into a new row before row nRow (nRow may equal the row count: a new
// last row). A centre on the boundary between two rows, or before the first
// row, opens a new row.
struct JVKDockInsert {
  int nRow = 0;
  BOOL bNewRow = TRUE;
};
JVKDockInsert JVKFindDockInsert(const std::vector<int>& rowFarEdges, int c);
