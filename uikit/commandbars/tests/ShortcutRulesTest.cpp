// Key names, accelerator texts with their priorities, the choice among a
// command's entries, and the plain-Esc rule, as tables.
#include "ShortcutRules.h"

#include <gtest/gtest.h>

namespace {
// The table, else a system name made up for the test.
CString TableOrMarked(int nVirtKey, void*) {
  const char* psz = JVKKeyNameFromTable(nVirtKey);
  return psz ? CString(psz) : CString("<sys>");
}
}  // namespace

TEST(ShortcutKeyNames, FromTheTable) {
  struct Row {
    int nKey;
    const char* pszName;  // null: not in the table
  } rows[] = {
      {'0', "0"},        {'9', "9"},         {'A', "A"},           {'Z', "Z"},     {1, "Left Button"},
      {3, "Ctrl+Break"}, {8, "Backspace"},   {13, "Enter"},        {27, "Esc"},    {33, "Page Up"},
      {45, "Ins"},       {46, "Del"},        {91, "Left Windows"}, {96, "Num 0"},  {105, "Num 9"},
      {106, "Num *"},    {110, "Num ."},     {112, "F1"},          {116, "F5"},    {123, "F12"},
      {144, "Num Lock"}, {145, "Scrl Lock"}, {254, "Oem Clear"},   {0, nullptr},   {5, nullptr},
      {'a', "Num 1"},    {0xBA, nullptr},    {124, nullptr},       {255, nullptr},
  };
  for (const Row& row : rows) {
    const char* psz = JVKKeyNameFromTable(row.nKey);
    if (row.pszName == nullptr) {
      EXPECT_EQ(nullptr, psz) << row.nKey;
    } else {
      ASSERT_NE(nullptr, psz) << row.nKey;
      EXPECT_STREQ(row.pszName, psz) << row.nKey;
    }
  }
  int nNamed = 0;
  for (int k = 0; k < 256; ++k) nNamed += JVKKeyNameFromTable(k) != nullptr;
  EXPECT_EQ(108, nNamed);  // the whole table, no more
}

TEST(ShortcutKeyNames, SystemNamesTakeOneCapital) {
  struct Row {
    const char* pszSystem;
    const char* pszShown;
  } rows[] = {{"ENTER", "Enter"}, {"num 5", "Num 5"}, {";", ";"}, {"; SEMI", "; Semi"}, {"", ""}};
  for (const Row& row : rows) EXPECT_EQ(row.pszShown, JVKCapitaliseKeyName(row.pszSystem)) << row.pszSystem;
}

TEST(ShortcutFormat, TextsAndPriorities) {
  const BYTE V = JVK_FVIRTKEY, C = JVK_FCONTROL, S = JVK_FSHIFT, A = JVK_FALT;
  struct Row {
    BYTE fVirt;
    WORD key;
    const char* pszText;
    int nPriority;
  } rows[] = {
      {static_cast<BYTE>(V | C | S), 116, "Ctrl+Shift+F5", 3},
      {static_cast<BYTE>(V | C), 'X', "Ctrl+X", 3},
      {V, 46, "Del", 4},
      {static_cast<BYTE>(V | A), 115, "Alt+F4", 2},
      {static_cast<BYTE>(V | S), 45, "Shift+Ins", 1},
      {static_cast<BYTE>(V | C | S | A), 'K', "Ctrl+Shift+Alt+K", 3},
      {static_cast<BYTE>(V | S | A), 'K', "Shift+Alt+K", 2},
      {static_cast<BYTE>(V | C), 3, "Ctrl+Break", 3},  // the name carries the modifier
      {static_cast<BYTE>(V | C), 0, "Ctrl", 3},        // no key: no trailing "+"
      {C, 'q', "Ctrl+q", 3},                           // a character stands as it is
      {0, 27, "", 4},                                  // Esc and Tab as characters add nothing
      {C, 9, "Ctrl+", 3},
      {V, 0xBA, "<sys>", 4},
  };
  for (const Row& row : rows) {
    int nPriority = 0;
    EXPECT_EQ(row.pszText, JVKFormatAccelerator({row.fVirt, row.key, 1}, nPriority, TableOrMarked, nullptr))
        << int(row.fVirt) << " " << row.key;
    EXPECT_EQ(row.nPriority, nPriority) << row.pszText;
  }
}

TEST(ShortcutFormat, TheShownTextOfACommand) {
  struct Row {
    std::vector<CString> texts;
    std::vector<int> priorities;
    const char* pszCurrent;
    const char* pszShown;
  } rows[] = {
      // Del (no modifier) beats Ctrl+X ...
      {{"Ctrl+X", "Del"}, {3, 4}, "", "Del"},
      // ... unless the current text is already Ctrl+X.
      {{"Ctrl+X", "Del"}, {3, 4}, "Ctrl+X", "Ctrl+X"},
      // A text of no entry is replaced.
      {{"Ctrl+X", "Del"}, {3, 4}, "F9", "Del"},
      // Among equals the first.
      {{"Ctrl+C", "Ctrl+Ins"}, {3, 3}, "", "Ctrl+C"},
      {{"Shift+Del", "Alt+Back"}, {1, 2}, "", "Alt+Back"},
      {{}, {}, "Ctrl+X", ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.pszShown, JVKChooseShortcutText(row.texts, row.priorities, row.pszCurrent)) << row.pszShown;
}

TEST(ShortcutFormat, APlainEscServesOnlyWhenAllowed) {
  struct Row {
    BYTE fVirt;
    WORD key;
    BOOL bAllowed, bResult;
  } rows[] = {
      {JVK_FVIRTKEY, 27, FALSE, FALSE},
      {JVK_FVIRTKEY, 27, TRUE, TRUE},
      {JVK_FVIRTKEY | JVK_FSHIFT, 27, FALSE, TRUE},
      {JVK_FVIRTKEY | JVK_FCONTROL, 27, FALSE, TRUE},
      {0, 27, FALSE, TRUE},  // the character, not the key
      {JVK_FVIRTKEY, 13, FALSE, TRUE},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.bResult, JVKIsKeyAllowed(row.fVirt, row.key, row.bAllowed)) << int(row.fVirt) << " " << row.key;
}
