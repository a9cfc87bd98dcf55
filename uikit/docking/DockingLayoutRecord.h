// A saved docking layout as plain records: the objects numbered 1 to n in
// the layout's creation order, references between them by number (0 for
// none). ExchangeDockingLayout writes one through the property exchange in
// the saved form's key order, or reads one and accepts it only when it makes
// a sound tree; the layout object builds its nodes from an accepted record.
#pragma once

#include <Framework.h>

#include <vector>

#include "DockingPaneTypes.h"

class CJVKPropExchange;

struct DockingNodeRecord {
  LONG nType = -1;  // DockingPaneType
  LONG cxDocking = 0;
  LONG cyDocking = 0;

  // Docking pane.
  CString strTitle;
  LONG nID = 0;
  LONG nIconID = -1;
  LONG nOptions = 0;
  LONG nDockingHolder = 0;
  LONG nFloatingHolder = 0;
  LONG nLastHolder = 0;
  LONG nMinTrackX = 0;
  LONG nMinTrackY = 0;
  LONG nMaxTrackX = 32000;
  LONG nMaxTrackY = 32000;

  // Tabbed container (its panes in tab order), splitter container (its
  // children in order) and auto-hide panel (its groups in order).
  std::vector<LONG> children;
  LONG nSelected = 0;   // tabbed container
  BOOL bHoriz = FALSE;  // splitter container

  // Floating frame.
  LONG nWindowTop = 0;
  LONG nWindowBottom = 0;
  LONG nWindowLeft = 0;
  LONG nWindowRight = 0;
  BOOL bCollapsed = FALSE;
  LONG nExpandedHeight = 0;
  LONG nTopContainer = 0;

  // Auto-hide panel.
  LONG nDirection = 0;  // DockingSide

  bool operator==(const DockingNodeRecord&) const = default;
};

struct DockingLayoutRecord {
  LONG nSchema = 9;
  std::vector<DockingNodeRecord> nodes;  // object number i is nodes[i - 1]
  LONG nTopContainer = 0;
  LONG nClient = 0;

  bool operator==(const DockingLayoutRecord&) const = default;
};

// Storing: writes the record. Loading: reads a record and replaces `layout`
// with it only when it is complete and makes a sound tree
// (CheckDockingLayout); otherwise returns FALSE and `layout` is untouched.
// A stream that ends early counts as damaged.
BOOL ExchangeDockingLayout(CJVKPropExchange* pPX, DockingLayoutRecord& layout);
