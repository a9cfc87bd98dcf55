#include "DockingLayoutFixtures.h"

#include <PropExchange.h>
#include <PropStreams.h>

#include <functional>

namespace {

DockingNodeRecord Node(LONG nType, std::vector<LONG> children = {}) {
  DockingNodeRecord node;
  node.nType = nType;
  node.children = std::move(children);
  return node;
}

DockingNodeRecord Pane(LONG nID, const char* pszTitle, LONG nHolder) {
  DockingNodeRecord node = Node(DockingPaneTypePane);
  node.nID = nID;
  node.strTitle = pszTitle;
  node.cxDocking = 200;
  node.cyDocking = 120;
  node.nDockingHolder = nHolder;
  node.nLastHolder = nHolder;
  node.nMinTrackX = 40;
  node.nMaxTrackY = 400;
  return node;
}

DockingNodeRecord Group(std::vector<LONG> panes, LONG nSelected) {
  DockingNodeRecord node = Node(DockingPaneTypeTabbedContainer, std::move(panes));
  node.nSelected = nSelected;
  node.cxDocking = 200;
  node.cyDocking = 120;
  return node;
}

DockingNodeRecord Splitter(BOOL bHoriz, std::vector<LONG> children) {
  DockingNodeRecord node = Node(DockingPaneTypeSplitterContainer, std::move(children));
  node.bHoriz = bHoriz;
  return node;
}

using Damage = std::function<void(DockingLayoutRecord&)>;

DockingNodeRecord& At(DockingLayoutRecord& layout, LONG nNumber) { return layout.nodes[static_cast<size_t>(nNumber - 1)]; }

// Bytes written key by key, for counts that no record can hold.
template <class Fn>
LayoutBytes RawBytes(Fn fn) {
  return StoreExchange([&](CJVKPropExchangeArchive& px, CArchive&) { fn(&px); });
}

void PutLongs(CJVKPropExchange* pPX, std::initializer_list<LONG> values) {
  for (LONG n : values) PX_Long(pPX, _T("Value"), n);
}

}  // namespace

DockingLayoutRecord SampleDockingLayout() {
  DockingLayoutRecord layout;
  layout.nodes = {
      Node(DockingPaneTypeClient),
      Splitter(TRUE, {kSampleGroupLeft, kSampleColumn, kSampleGroupRight}),
      Splitter(FALSE, {kSampleClient, kSampleGroupBottom}),
      Pane(101, "Left", kSampleGroupLeft),
      Group({kSamplePaneLeft}, kSamplePaneLeft),
      Group({kSamplePaneRight}, kSamplePaneRight),
      Group({kSamplePaneBottom, kSamplePaneTabbed}, kSamplePaneTabbed),
      Pane(102, "Right", kSampleGroupRight),
      Pane(103, "Bottom\nOutput", kSampleGroupBottom),
      Pane(104, "Tabbed", kSampleGroupBottom),
      Node(DockingPaneTypeMiniWnd),
      Splitter(TRUE, {kSampleGroupFloating}),
      Group({kSamplePaneFloating}, kSamplePaneFloating),
      Pane(105, "Floating", 0),
      Node(DockingPaneTypeAutoHidePanel, {kSampleGroupHidden}),
      Group({kSamplePaneHidden}, kSamplePaneHidden),
      Pane(106, "Hidden", kSampleGroupHidden),
  };
  DockingNodeRecord& frame = At(layout, kSampleFrame);
  frame.nTopContainer = kSampleFrameSplitter;
  frame.nWindowTop = 100;
  frame.nWindowBottom = 300;
  frame.nWindowLeft = 50;
  frame.nWindowRight = 250;
  frame.nExpandedHeight = 200;
  At(layout, kSamplePaneFloating).nFloatingHolder = kSampleGroupFloating;
  At(layout, kSamplePaneFloating).nLastHolder = kSampleGroupFloating;
  At(layout, kSamplePanel).nDirection = DockingSideBottom;
  At(layout, kSamplePaneHidden).nOptions = DockingPaneNoCloseable;
  layout.nTopContainer = kSampleTop;
  layout.nClient = kSampleClient;
  return layout;
}

LayoutBytes SaveDockingLayoutBytes(DockingLayoutRecord layout) {
  return StoreExchange([&](CJVKPropExchangeArchive& px, CArchive&) { ExchangeDockingLayout(&px, layout); });
}

BOOL LoadDockingLayoutBytes(const LayoutBytes& bytes, DockingLayoutRecord& layout) {
  BOOL bLoaded = FALSE;
  LoadExchange(bytes, [&](CJVKPropExchangeArchive& px, CArchive&) { bLoaded = ExchangeDockingLayout(&px, layout); });
  return bLoaded;
}

std::vector<DamagedLayout> DamagedDockingLayouts() {
  const std::pair<const char*, Damage> damages[] = {
      {"cycle", [](DockingLayoutRecord& l) {
         l.nodes.push_back(Splitter(TRUE, {19}));
         l.nodes.push_back(Splitter(FALSE, {18}));
       }},
      {"own_child", [](DockingLayoutRecord& l) { l.nodes.push_back(Splitter(TRUE, {18})); }},
      {"top_under_column", [](DockingLayoutRecord& l) { At(l, kSampleColumn).children.push_back(kSampleTop); }},
      {"group_under_two_splitters",
       [](DockingLayoutRecord& l) { At(l, kSampleFrameSplitter).children.push_back(kSampleGroupBottom); }},
      {"pane_in_two_groups", [](DockingLayoutRecord& l) { At(l, kSampleGroupRight).children.push_back(kSamplePaneBottom); }},
      {"frame_shares_top", [](DockingLayoutRecord& l) { At(l, kSampleFrame).nTopContainer = kSampleTop; }},
      {"frame_without_splitter", [](DockingLayoutRecord& l) { At(l, kSampleFrame).nTopContainer = 0; }},
      {"splitter_holds_pane", [](DockingLayoutRecord& l) {
         At(l, kSampleGroupFloating).children.clear();
         At(l, kSampleFrameSplitter).children.push_back(kSamplePaneFloating);
       }},
      {"group_holds_group", [](DockingLayoutRecord& l) { At(l, kSampleGroupRight).children.push_back(kSampleGroupHidden); }},
      {"reference_out_of_range", [](DockingLayoutRecord& l) { At(l, kSampleColumn).children.push_back(40); }},
      {"pane_id_zero", [](DockingLayoutRecord& l) { At(l, kSamplePaneRight).nID = 0; }},
      {"client_is_splitter", [](DockingLayoutRecord& l) { l.nClient = kSampleTop; }},
      {"top_is_group", [](DockingLayoutRecord& l) { l.nTopContainer = kSampleGroupLeft; }},
      {"panel_side_seven", [](DockingLayoutRecord& l) { At(l, kSamplePanel).nDirection = 7; }},
      {"unknown_type", [](DockingLayoutRecord& l) { At(l, kSampleClient).nType = 6; }},
  };
  std::vector<DamagedLayout> layouts;
  for (const auto& [name, damage] : damages) {
    DockingLayoutRecord layout = SampleDockingLayout();
    damage(layout);
    layouts.push_back({name, SaveDockingLayoutBytes(layout)});
  }
  LayoutBytes truncated = SaveDockingLayoutBytes(SampleDockingLayout());
  truncated.resize(truncated.size() - 3);
  layouts.push_back({"truncated", truncated});
  layouts.push_back({"one_object", RawBytes([](CJVKPropExchange* px) { PutLongs(px, {1, 9, 4}); })});
  // Objects claimed far beyond what the stream holds.
  layouts.push_back({"huge_object_count", RawBytes([](CJVKPropExchange* px) { PutLongs(px, {0x7fffffff, 9, 4, 2}); })});
  // A splitter claiming 2^31 - 1 children: summary, types (client, splitter),
  // the client's size, the splitter's size and orientation, its count.
  layouts.push_back({"huge_child_count", RawBytes([](CJVKPropExchange* px) {
                       PutLongs(px, {2, 9, 4, 2, 0, 0, 0, 0});
                       BOOL bHoriz = TRUE;
                       PX_Bool(px, _T("Horiz"), bHoriz, FALSE);
                       PutLongs(px, {0x7fffffff, 1, 1});
                     })});
  return layouts;
}
