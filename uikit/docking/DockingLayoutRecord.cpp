#include "DockingLayoutRecord.h"

#include <PropExchange.h>

#include "DockingLayoutCheck.h"

namespace {

CString ObjectSection(size_t nNumber) {
  CString strName;
  strName.Format(_T("Pane-%d"), static_cast<int>(nNumber));
  return strName;
}

// A list of object numbers: the count under "Panes" (then, for a tabbed
// container, "Selected"), then "Pane-1" to "Pane-n". A stored count larger
// than the number of objects cannot name distinct objects and is refused
// before anything is allocated for it.
BOOL ExchangeNumbers(CJVKPropExchange* pPX, std::vector<LONG>& numbers, size_t nObjects,
                     const LONG* pCountDefault, LONG* pSelected = nullptr) {
  LONG nCount = static_cast<LONG>(numbers.size());
  if (pCountDefault != nullptr) {
    PX_Long(pPX, _T("Panes"), nCount, *pCountDefault);
  } else {
    PX_Long(pPX, _T("Panes"), nCount);
  }
  if (pPX->IsLoading()) {
    if (nCount < 0 || static_cast<size_t>(nCount) > nObjects) return FALSE;
    numbers.assign(static_cast<size_t>(nCount), 0);
  }
  if (pSelected != nullptr) PX_Long(pPX, _T("Selected"), *pSelected, 0);
  for (size_t i = 0; i < numbers.size(); ++i) PX_Long(pPX, ObjectSection(i + 1), numbers[i], 0);
  return TRUE;
}

void ExchangePaneKeys(CJVKPropExchange* pPX, DockingNodeRecord& node) {
  PX_String(pPX, _T("Title"), node.strTitle);
  PX_Long(pPX, _T("ID"), node.nID, 0);
  PX_Long(pPX, _T("IconID"), node.nIconID, -1);
  PX_Long(pPX, _T("Options"), node.nOptions, 0);
  PX_Long(pPX, _T("DockingHolder"), node.nDockingHolder, 0);
  PX_Long(pPX, _T("FloatingHolder"), node.nFloatingHolder, 0);
  PX_Long(pPX, _T("LastHolder"), node.nLastHolder, 0);
  PX_Long(pPX, _T("MinTrackX"), node.nMinTrackX, 0);
  PX_Long(pPX, _T("MinTrackY"), node.nMinTrackY, 0);
  PX_Long(pPX, _T("MaxTrackX"), node.nMaxTrackX, 32000);
  PX_Long(pPX, _T("MaxTrackY"), node.nMaxTrackY, 32000);
}

void ExchangeFrameKeys(CJVKPropExchange* pPX, DockingNodeRecord& node) {
  PX_Long(pPX, _T("WindowRectTopPos"), node.nWindowTop);
  PX_Long(pPX, _T("WindowRectBottomPos"), node.nWindowBottom);
  PX_Long(pPX, _T("WindowRectLeftPos"), node.nWindowLeft);
  PX_Long(pPX, _T("WindowRectRightPos"), node.nWindowRight);
  PX_Bool(pPX, _T("Collapsed"), node.bCollapsed, FALSE);
  PX_Long(pPX, _T("ExpandedHeight"), node.nExpandedHeight, 0);
  PX_Long(pPX, _T("TopContaner"), node.nTopContainer);  // spelled so in saved layouts
}

// The object's own keys, after the docked size that every object has.
BOOL ExchangeNodeKeys(CJVKPropExchange* pPX, DockingNodeRecord& node, size_t nObjects) {
  PX_Long(pPX, _T("DockingCX"), node.cxDocking, 0);
  PX_Long(pPX, _T("DockingCY"), node.cyDocking, 0);
  static const LONG kNoneCount = 0;
  switch (node.nType) {
    case DockingPaneTypePane:
      ExchangePaneKeys(pPX, node);
      return TRUE;
    case DockingPaneTypeTabbedContainer:
      return ExchangeNumbers(pPX, node.children, nObjects, nullptr, &node.nSelected);
    case DockingPaneTypeSplitterContainer:
      PX_Bool(pPX, _T("Horiz"), node.bHoriz, FALSE);
      return ExchangeNumbers(pPX, node.children, nObjects, &kNoneCount);
    case DockingPaneTypeMiniWnd:
      ExchangeFrameKeys(pPX, node);
      return TRUE;
    case DockingPaneTypeAutoHidePanel:
      PX_Long(pPX, _T("Direction"), node.nDirection);
      return ExchangeNumbers(pPX, node.children, nObjects, &kNoneCount);
    default:
      return TRUE;
  }
}

BOOL ExchangeLayoutKeys(CJVKPropExchange* pPX, DockingLayoutRecord& layout) {
  LONG nObjects = static_cast<LONG>(layout.nodes.size());
  {
    CJVKPropExchangeSectionHolder summary(pPX->OpenSection(_T("Summary")));
    PX_Long(summary.Get(), _T("Panes"), nObjects);
    if (pPX->IsLoading() && nObjects <= 1) return FALSE;
    LONG nSchema = layout.nSchema;
    PX_Long(summary.Get(), _T("Schema"), nSchema, 9);
    layout.nSchema = nSchema;
  }
  // Types are read one by one: a count larger than the stream holds ends at
  // the stream's end (or the first missing type), not in one huge allocation.
  for (LONG i = 1; i <= nObjects; ++i) {
    if (pPX->IsLoading()) layout.nodes.emplace_back();
    DockingNodeRecord& node = layout.nodes[static_cast<size_t>(i - 1)];
    CJVKPropExchangeSectionHolder section(pPX->OpenSection(ObjectSection(static_cast<size_t>(i))));
    PX_Long(section.Get(), _T("Type"), node.nType, -1);
    if (node.nType < DockingPaneTypePane || node.nType > DockingPaneTypeAutoHidePanel) return FALSE;
  }
  for (size_t i = 0; i < layout.nodes.size(); ++i) {
    CJVKPropExchangeSectionHolder section(pPX->OpenSection(ObjectSection(i + 1)));
    if (!ExchangeNodeKeys(section.Get(), layout.nodes[i], layout.nodes.size())) return FALSE;
  }
  CJVKPropExchangeSectionHolder summary(pPX->OpenSection(_T("Summary")));
  PX_Long(summary.Get(), _T("TopContainer"), layout.nTopContainer);
  PX_Long(summary.Get(), _T("Client"), layout.nClient);
  return TRUE;
}

}  // namespace

BOOL ExchangeDockingLayout(CJVKPropExchange* pPX, DockingLayoutRecord& layout) {
  if (!pPX->IsLoading()) return ExchangeLayoutKeys(pPX, layout);
  DockingLayoutRecord loaded;
  try {
    if (!ExchangeLayoutKeys(pPX, loaded) || !CheckDockingLayout(loaded)) return FALSE;
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  layout = std::move(loaded);
  return TRUE;
}
