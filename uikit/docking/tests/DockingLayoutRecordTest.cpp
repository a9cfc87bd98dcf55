// The saved docking layout: written and read back through both forms of the
// property exchange in the saved form's key order, and every damaged layout
// refused with the loaded record left as it was.
#include "DockingLayoutRecord.h"

#include <PropExchange.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "DockingLayoutFixtures.h"

namespace {

// A named exchanger that keeps values as text under "Section\Key" and logs
// the keys in the order they are exchanged.
class CLayoutValues : public CJVKPropExchange {
 public:
  using Values = std::map<std::string, std::string>;
  CLayoutValues(Values& values, std::vector<std::string>& log, BOOL bLoading, std::string prefix = "")
      : CJVKPropExchange(bLoading), m_values(values), m_log(log), m_prefix(std::move(prefix)) {}

  BOOL ExchangeValue(LPCTSTR pszName, int nType, void* pValue, const void* pDefault) override {
    const std::string key = m_prefix + pszName;
    m_log.push_back(key);
    if (nType == JVKPX_STRING) {
      CString& strValue = *static_cast<CString*>(pValue);
      if (!m_bLoading) m_values[key] = static_cast<LPCTSTR>(strValue);
      else if (m_values.count(key) != 0) strValue = m_values[key].c_str();
      else if (pDefault != nullptr) strValue = static_cast<LPCTSTR>(pDefault);
      return TRUE;
    }
    // The layout's other values are longs and BOOLs: both 32-bit integers.
    static_assert(sizeof(LONG) == sizeof(int32_t) && sizeof(BOOL) == sizeof(int32_t));
    int32_t nValue = 0;
    if (!m_bLoading) {
      memcpy(&nValue, pValue, sizeof nValue);
      m_values[key] = std::to_string(nValue);
      return TRUE;
    }
    if (m_values.count(key) != 0) {
      nValue = static_cast<int32_t>(std::stol(m_values[key]));
      memcpy(pValue, &nValue, sizeof nValue);
    } else if (pDefault != nullptr) {
      memcpy(pValue, pDefault, sizeof nValue);
    }
    return TRUE;
  }
  CJVKPropExchange* OpenSection(LPCTSTR pszName) override {
    CLayoutValues* pSection = new CLayoutValues(m_values, m_log, m_bLoading, std::string(pszName) + "\\");
    InitSection(pSection);
    return pSection;
  }

 private:
  Values& m_values;
  std::vector<std::string>& m_log;
  std::string m_prefix;
};

// The smallest layout: the top container holding the client placeholder.
DockingLayoutRecord ClientOnlyLayout() {
  DockingLayoutRecord layout;
  layout.nodes.resize(2);
  layout.nodes[0].nType = DockingPaneTypeClient;
  layout.nodes[1].nType = DockingPaneTypeSplitterContainer;
  layout.nodes[1].bHoriz = TRUE;
  layout.nodes[1].children = {1};
  layout.nTopContainer = 2;
  layout.nClient = 1;
  return layout;
}

}  // namespace

TEST(DockingLayoutRecord, ArchiveRoundTripsKeyForKeyAndByteForByte) {
  const DockingLayoutRecord sample = SampleDockingLayout();
  const LayoutBytes first = SaveDockingLayoutBytes(sample);
  DockingLayoutRecord loaded;
  ASSERT_TRUE(LoadDockingLayoutBytes(first, loaded));
  EXPECT_EQ(sample, loaded);
  EXPECT_EQ(first, SaveDockingLayoutBytes(loaded));
}

TEST(DockingLayoutRecord, KeysGoInTheSavedFormsOrder) {
  // Client, top splitter, one group of one pane.
  DockingLayoutRecord layout = ClientOnlyLayout();
  layout.nodes[1].children = {1, 3};
  DockingNodeRecord group;
  group.nType = DockingPaneTypeTabbedContainer;
  group.children = {4};
  group.nSelected = 4;
  DockingNodeRecord pane;
  pane.nType = DockingPaneTypePane;
  pane.nID = 7;
  pane.nDockingHolder = 3;
  layout.nodes.push_back(group);
  layout.nodes.push_back(pane);

  CLayoutValues::Values values;
  std::vector<std::string> saved;
  CLayoutValues store(values, saved, FALSE);
  ASSERT_TRUE(ExchangeDockingLayout(&store, layout));
  const std::vector<std::string> expected = {
      "Summary\\Panes", "Summary\\Schema", "Pane-1\\Type", "Pane-2\\Type", "Pane-3\\Type", "Pane-4\\Type",
      "Pane-1\\DockingCX", "Pane-1\\DockingCY",
      "Pane-2\\DockingCX", "Pane-2\\DockingCY", "Pane-2\\Horiz", "Pane-2\\Panes", "Pane-2\\Pane-1", "Pane-2\\Pane-2",
      "Pane-3\\DockingCX", "Pane-3\\DockingCY", "Pane-3\\Panes", "Pane-3\\Selected", "Pane-3\\Pane-1",
      "Pane-4\\DockingCX", "Pane-4\\DockingCY", "Pane-4\\Title", "Pane-4\\ID", "Pane-4\\IconID", "Pane-4\\Options",
      "Pane-4\\DockingHolder", "Pane-4\\FloatingHolder", "Pane-4\\LastHolder", "Pane-4\\MinTrackX",
      "Pane-4\\MinTrackY", "Pane-4\\MaxTrackX", "Pane-4\\MaxTrackY",
      "Summary\\TopContainer", "Summary\\Client"};
  EXPECT_EQ(expected, saved);
  EXPECT_EQ("4", values["Summary\\Panes"]);
  EXPECT_EQ("9", values["Summary\\Schema"]);
  EXPECT_EQ("2", values["Pane-2\\Type"]);

  std::vector<std::string> read;
  CLayoutValues load(values, read, TRUE);
  DockingLayoutRecord loaded;
  ASSERT_TRUE(ExchangeDockingLayout(&load, loaded));
  EXPECT_EQ(expected, read);
  EXPECT_EQ(layout, loaded);
}

TEST(DockingLayoutRecord, MissingKeysTakeTheirDefaults) {
  CLayoutValues::Values values = {
      {"Summary\\Panes", "3"}, {"Summary\\TopContainer", "2"}, {"Summary\\Client", "1"},
      {"Pane-1\\Type", "4"},   {"Pane-2\\Type", "2"},          {"Pane-3\\Type", "0"},
      {"Pane-2\\Panes", "1"},  {"Pane-2\\Pane-1", "1"},        {"Pane-3\\ID", "12"}};
  std::vector<std::string> log;
  CLayoutValues load(values, log, TRUE);
  DockingLayoutRecord loaded;
  ASSERT_TRUE(ExchangeDockingLayout(&load, loaded));
  EXPECT_EQ(9, loaded.nSchema);
  const DockingNodeRecord& pane = loaded.nodes[2];
  EXPECT_EQ(12, pane.nID);
  EXPECT_EQ(-1, pane.nIconID);
  EXPECT_EQ(32000, pane.nMaxTrackX);
  EXPECT_EQ(32000, pane.nMaxTrackY);
  EXPECT_EQ(0, pane.nMinTrackX);
  EXPECT_TRUE(pane.strTitle.IsEmpty());
  EXPECT_FALSE(loaded.nodes[1].bHoriz);
}

TEST(DockingLayoutRecord, ClientOnlyLayoutSavesTwoObjectsAndLoads) {
  CLayoutValues::Values values;
  std::vector<std::string> log;
  DockingLayoutRecord layout = ClientOnlyLayout();
  CLayoutValues store(values, log, FALSE);
  ExchangeDockingLayout(&store, layout);
  EXPECT_EQ("2", values["Summary\\Panes"]);
  DockingLayoutRecord loaded;
  ASSERT_TRUE(LoadDockingLayoutBytes(SaveDockingLayoutBytes(layout), loaded));
  EXPECT_EQ(layout, loaded);
}

TEST(DockingLayoutRecord, EveryDamagedLayoutIsRefusedAndTheLoadedOneStays) {
  const DockingLayoutRecord before = SampleDockingLayout();
  for (const DamagedLayout& damaged : DamagedDockingLayouts()) {
    SCOPED_TRACE(damaged.name);
    DockingLayoutRecord layout = before;
    EXPECT_FALSE(LoadDockingLayoutBytes(damaged.bytes, layout));
    EXPECT_EQ(before, layout);
  }
}

TEST(DockingLayoutRecord, HoldersThatNameNoGroupBecomeNone) {
  // A holder naming a splitter, a pane or nothing at all would be attached
  // to as a group later: it reads as no holder, as a missing number does.
  struct Case {
    LONG nHolder;
    LONG nRead;
  } cases[] = {{kSampleGroupRight, kSampleGroupRight}, {kSampleColumn, 0}, {kSamplePaneLeft, 0},
               {0, 0},  {99, 0}, {-3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nHolder);
    DockingLayoutRecord layout = SampleDockingLayout();
    DockingNodeRecord& pane = layout.nodes[kSamplePaneRight - 1];
    pane.nDockingHolder = pane.nFloatingHolder = pane.nLastHolder = c.nHolder;
    DockingLayoutRecord loaded;
    ASSERT_TRUE(LoadDockingLayoutBytes(SaveDockingLayoutBytes(layout), loaded));
    const DockingNodeRecord& read = loaded.nodes[kSamplePaneRight - 1];
    EXPECT_EQ(c.nRead, read.nDockingHolder);
    EXPECT_EQ(c.nRead, read.nFloatingHolder);
    EXPECT_EQ(c.nRead, read.nLastHolder);
  }
}
