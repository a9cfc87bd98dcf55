// The shortcut manager with real accelerator tables: the default text of a
// command, the site frame's table as the last resort, resets, system key
// names, and mnemonics over one and over several keyboard layouts.
#include "ShortcutManager.h"

#include "FakeControlBar.h"

#include <gtest/gtest.h>

#include <map>

namespace {

HACCEL MakeTable(std::vector<ACCEL> entries) {
  return ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

int CountEntries(HACCEL h) { return h ? ::CopyAcceleratorTableA(h, nullptr, 0) : 0; }

// Layouts as the test says: the key codes each layout turns into which
// character.
class CFakeLayouts : public CJVKKeyboardLayouts {
 public:
  std::vector<std::map<UINT, char>> m_layouts;
  std::vector<HKL> GetLayouts() override {
    std::vector<HKL> v;
    for (size_t i = 0; i < m_layouts.size(); ++i) v.push_back(reinterpret_cast<HKL>(i + 1));
    return v;
  }
  UINT MapToChar(UINT nVirtKey) override {
    for (auto& layout : m_layouts)
      if (layout.count(nVirtKey)) return static_cast<unsigned char>(layout[nVirtKey]);
    return 0;
  }
  int ToAscii(UINT nVirtKey, HKL hLayout, WORD* pChars) override {
    auto& layout = m_layouts[reinterpret_cast<size_t>(hLayout) - 1];
    if (!layout.count(nVirtKey)) return 0;
    pChars[0] = static_cast<unsigned char>(layout[nVirtKey]);
    return 1;
  }
};

}  // namespace

TEST(ShortcutManager, DefaultTextOfACommand) {
  CJVKShortcutManager manager(nullptr);
  HACCEL hTable = MakeTable({{FVIRTKEY | FCONTROL, 'X', 10},
                             {FVIRTKEY, VK_DELETE, 10},
                             {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 11},
                             {FVIRTKEY | FALT, VK_F4, 12}});
  manager.SetBaseTable(hTable);
  ::DestroyAcceleratorTable(hTable);  // the manager keeps copies
  struct Row {
    int nCmd;
    const char* pszBefore;
    BOOL bFound;
    const char* pszAfter;
  } rows[] = {
      {10, "", TRUE, "Del"},          {10, "Ctrl+X", TRUE, "Ctrl+X"}, {11, "", TRUE, "Ctrl+Shift+F5"},
      {12, "Ctrl+Q", TRUE, "Alt+F4"}, {13, "Ctrl+Q", FALSE, ""},
  };
  for (const Row& row : rows) {
    CString str = row.pszBefore;
    EXPECT_EQ(row.bFound, manager.FindDefaultAccelerator(row.nCmd, str)) << row.nCmd;
    EXPECT_EQ(row.pszAfter, str) << row.nCmd;
  }
}

TEST(ShortcutManager, TablesAreCopiedAndResetFromTheBase) {
  CJVKShortcutManager manager(nullptr);
  EXPECT_EQ(nullptr, manager.GetWorkingTable());
  EXPECT_EQ(nullptr, JVKCopyAcceleratorTable(nullptr));
  HACCEL hTable = MakeTable({{FVIRTKEY | FCONTROL, 'N', 1}, {FVIRTKEY | FCONTROL, 'O', 2}});
  manager.SetBaseTable(hTable);
  ::DestroyAcceleratorTable(hTable);
  HACCEL hWorking = manager.GetWorkingTable();
  ASSERT_NE(nullptr, hWorking);
  EXPECT_EQ(2, CountEntries(hWorking));
  manager.ResetWorkingTable();
  EXPECT_EQ(2, CountEntries(manager.GetWorkingTable()));
}

TEST(ShortcutManager, TheSiteFramesTableWhenTheManagerHasNone) {
  CFakeSite site;
  CFrameWnd frame;
  frame.m_hAccelTable = MakeTable({{FVIRTKEY | FCONTROL, 'S', 20}});
  struct CFrameBars : CFakeCommandBars {
    CFrameWnd* pFrame;
    CFrameBars(CFakeSite* p, CFrameWnd* f) : CFakeCommandBars(p), pFrame(f) {}
    CWnd* GetSite() override { return pFrame; }
  } bars(&site, &frame);
  CJVKShortcutManager manager(&bars);
  CString str;
  EXPECT_TRUE(manager.FindDefaultAccelerator(20, str));
  EXPECT_EQ("Ctrl+S", str);
  ::DestroyAcceleratorTable(frame.m_hAccelTable);
  frame.m_hAccelTable = nullptr;
}

TEST(ShortcutManager, KeyNamesFromTheTableElseTheSystem) {
  CJVKShortcutManager manager(nullptr);
  EXPECT_EQ("Enter", manager.GetKeyName(VK_RETURN));
  EXPECT_EQ("Scrl Lock", manager.GetKeyName(VK_SCROLL));
  // A key outside the table: the system's name with only its first letter
  // raised.
  const CString strName = manager.GetKeyName(VK_LSHIFT);
  ASSERT_FALSE(strName.IsEmpty());
  CString strRest = strName.Mid(1);
  CString strLower = strRest;
  strLower.MakeLower();
  EXPECT_EQ(strLower, strRest) << strName;
}

TEST(ShortcutManager, MnemonicsOverOneAndSeveralLayouts) {
  CFakeLayouts layouts;
  CJVKShortcutManager::s_pLayouts = &layouts;
  const char chUmlaut = static_cast<char>(0xE4);  // a with diaeresis in code page 1252
  const UINT kVkOem7 = 0xDE;
  struct Row {
    int nLayouts;  // 1: US only; 2: US and one that puts the umlaut on OEM 7
    char ch;
    UINT nVirtKey;
    BOOL bMatch;
  } rows[] = {
      {1, 'f', 'F', TRUE},  // the key code is the upper case
      {1, 'F', 'F', TRUE},           {1, 'f', 'G', FALSE},
      {1, chUmlaut, kVkOem7, FALSE},                         // one layout: only the code counts
      {2, chUmlaut, kVkOem7, TRUE},                          // another layout gives the character
      {2, 'q', kVkOem7, FALSE},      {2, 'f', 0x07, FALSE},  // a key that gives no character
  };
  for (const Row& row : rows) {
    layouts.m_layouts = {{{'F', 'f'}, {'G', 'g'}, {kVkOem7, '\''}}};
    if (row.nLayouts == 2) layouts.m_layouts.push_back({{'F', 'f'}, {kVkOem7, chUmlaut}});
    EXPECT_EQ(row.bMatch, JVKIsMnemonicKey(row.ch, row.nVirtKey))
        << row.nLayouts << " " << int(static_cast<unsigned char>(row.ch)) << " " << row.nVirtKey;
  }
  CJVKShortcutManager::s_pLayouts = nullptr;
  EXPECT_EQ('F', JVKToUpperChar('f'));
}
