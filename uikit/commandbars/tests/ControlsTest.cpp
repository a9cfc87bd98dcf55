// Controls and their collection without input: the factory, texts from
// string resources, execution and what reaches the site, menu import,
// renumbering, the keyboard walk, the layout written back, copies of popup
// controls, and that nothing outlives its bar.
#include "ControlButton.h"
#include "ControlPopup.h"
#include "ControlTestResources.h"
#include "Controls.h"
#include "ControlsLayout.h"
#include "FakeControlBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CTestLabel : public CJVKControl {
 public:
  CTestLabel() { m_nType = jvkControlLabel; }
};
CJVKControl* MakeTestLabel(int, int) { return new CTestLabel; }

struct CBarFixture {
  CFakeSite site;
  CFakeCommandBars bars{&site};
  CFakeControlBar* pBar = new CFakeControlBar(jvkBarTypeToolBar, &bars, &site);
  ~CBarFixture() { pBar->ReleaseBarRef(); }
  CJVKControls* Controls() { return pBar->m_pControls; }
};

}  // namespace

TEST(ControlsFactory, MakesTheClassOfEachTypeAndNothingElse) {
  CBarFixture f;
  struct Row {
    int nType;
    BOOL bMade;
    const CRuntimeClass* pClass;
  } rows[] = {
      {0, FALSE, nullptr},
      {jvkControlButton, TRUE, RUNTIME_CLASS(CJVKControlButton)},
      {jvkControlPopup, TRUE, RUNTIME_CLASS(CJVKControlPopup)},
      {jvkControlButtonPopup, TRUE, RUNTIME_CLASS(CJVKControlPopup)},
      {jvkControlSplitButtonPopup, TRUE, RUNTIME_CLASS(CJVKControlPopup)},
      // Until their classes register themselves.
      {jvkControlComboBox, FALSE, nullptr},
      {jvkControlLabel, FALSE, nullptr},
      {9, FALSE, nullptr},
  };
  for (const Row& row : rows) {
    CJVKControl* pControl = f.Controls()->Add(row.nType, 500 + row.nType);
    EXPECT_EQ(row.bMade, pControl != nullptr) << row.nType;
    if (pControl == nullptr) continue;
    EXPECT_EQ(row.pClass, pControl->GetRuntimeClass()) << row.nType;
    EXPECT_EQ(row.nType, pControl->GetType());
    // A type 2 popup keeps the caption of its menu and takes no id.
    EXPECT_EQ(row.nType == jvkControlPopup ? 0 : 500 + row.nType, pControl->GetID());
  }
  EXPECT_EQ(4, f.Controls()->GetCount());
  // Popups without a menu get an empty popup bar of the command bars.
  EXPECT_NE(nullptr, f.Controls()->GetAt(1)->GetCommandBar());

  CJVKControls::SetFactory(jvkControlLabel, MakeTestLabel);
  CJVKControl* pLabel = f.Controls()->Add(jvkControlLabel, IDS_TEST_PLAIN, "p", 0, TRUE);
  CJVKControls::SetFactory(jvkControlLabel, nullptr);
  ASSERT_NE(nullptr, pLabel);
  EXPECT_EQ(0, pLabel->GetIndex());
  EXPECT_EQ("Plain", pLabel->GetCaption());
  EXPECT_EQ("p", pLabel->GetParameter());
  EXPECT_TRUE(pLabel->IsTemporary());
}

TEST(ControlsFactory, PopupFromAMenuResource) {
  CBarFixture f;
  CJVKControl* pPopup = f.Controls()->Add(jvkControlButtonPopup, IDR_TEST_EDIT_MENU);
  ASSERT_NE(nullptr, pPopup);
  EXPECT_EQ("&Edit", pPopup->GetCaption());
  CJVKControlParentBar* pBar = pPopup->GetCommandBar();
  ASSERT_NE(nullptr, pBar);
  CJVKControls* pItems = pBar->GetControls();
  ASSERT_EQ(2, pItems->GetCount());
  EXPECT_EQ(ID_TEST_CUT, pItems->GetAt(0)->GetID());
  EXPECT_EQ("Ctrl+X", pItems->GetAt(0)->GetShortcutText());
  EXPECT_TRUE(pItems->GetAt(1)->GetBeginGroup());
}

TEST(ControlTexts, CaptionShortcutTooltipAndDescription) {
  struct Row {
    int nID;
    const char* pszCaption;  // set before the id
    const char* pszCaptionAfter;
    const char* pszTooltip;
    const char* pszDescription;
    const char* pszShortcut;
  } rows[] = {
      {IDS_TEST_OPEN, "", "Open", "Open", "Opens an existing list.", ""},
      {IDS_TEST_OPEN, "&Open a list", "&Open a list", "Open", "Opens an existing list.", ""},
      {IDS_TEST_PLAIN, "", "Plain", "Plain", "Plain", ""},
      {4999, "", "", "", "", ""},  // no such string
      {0, "Find\tCtrl+F", "Find", "", "", "Ctrl+F"},
      {0, "Tab\tCtrl+\tI", "Tab", "", "", "Ctrl+\tI"},  // the first TAB splits
  };
  for (const Row& row : rows) {
    CJVKControlButton button;
    button.SetCaption(row.pszCaption);
    button.SetID(row.nID);
    EXPECT_EQ(row.pszCaptionAfter, button.GetCaption()) << row.nID << " " << row.pszCaption;
    EXPECT_EQ(row.pszTooltip, button.GetTooltipText()) << row.nID;
    EXPECT_EQ(row.pszDescription, button.GetDescription()) << row.nID;
    EXPECT_EQ(row.pszShortcut, button.GetShortcutText()) << row.nID;
  }
  CJVKControlButton explicitShortcut;
  explicitShortcut.SetCaption("Find\tCtrl+F");
  explicitShortcut.SetShortcutText("F3");
  EXPECT_EQ("F3", explicitShortcut.GetShortcutText());
}

TEST(ControlExecute, WhatReachesTheSite) {
  struct Row {
    int nID;
    LRESULT lNotifyAnswer;
    BOOL bCloseSubMenu;
    size_t nCommands, nNotifies;
    int nUpdates, nClosePopups;
  } rows[] = {
      {0, 0, TRUE, 0, 0, 0, 1},     // executes nothing
      {700, 0, TRUE, 1, 1, 0, 1},   // unanswered notice: WM_COMMAND
      {700, 1, TRUE, 0, 1, 0, 1},   // the site handled it
      {700, 0, FALSE, 1, 1, 1, 0},  // the menu stays open and updates
  };
  for (const Row& row : rows) {
    CBarFixture f;
    f.site.m_lNotifyAnswer = row.lNotifyAnswer;
    CJVKControl* pControl = f.Controls()->Add(jvkControlButton, row.nID);
    pControl->m_bCloseSubMenuOnClick = row.bCloseSubMenu;
    pControl->Execute();
    EXPECT_EQ(row.nCommands, f.site.m_commands.size()) << row.nID << " " << row.lNotifyAnswer;
    if (row.nCommands) {
      EXPECT_EQ(static_cast<UINT>(row.nID), f.site.m_commands[0]);
    }
    EXPECT_EQ(row.nNotifies, f.site.m_notifyCodes.size());
    if (row.nNotifies) {
      EXPECT_EQ(JVK_NOTIFY_EXECUTE, f.site.m_notifyCodes[0]);
    }
    EXPECT_EQ(row.nUpdates, f.pBar->m_nUpdates);
    EXPECT_EQ(row.nClosePopups, f.bars.m_nClosePopups);
    EXPECT_EQ(2, pControl->GetPressed());
    EXPECT_EQ(row.nID ? 1u : 0u, f.bars.m_usedCommands.size());
  }
}

TEST(ControlExecute, APopupThatReturnsTheCommandGetsItInstead) {
  CBarFixture f;
  f.pBar->m_bReturnsCommand = TRUE;
  f.Controls()->Add(jvkControlButton, 701)->Execute();
  EXPECT_EQ(701, f.pBar->m_nReturnedCommand);
  EXPECT_TRUE(f.site.m_commands.empty());
  EXPECT_TRUE(f.site.m_notifyCodes.empty());
  EXPECT_EQ(1, f.bars.m_nClosePopups);
}

TEST(ControlsMenuImport, ItemsPopupsGroupsDefaultAndDisabled) {
  CBarFixture f;
  HMENU hSub = ::CreatePopupMenu();
  ::AppendMenuA(hSub, MF_STRING, 110, "One");
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hMenu, MF_STRING, 100, "&New\tCtrl+N");
  ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, 101, "&Open");
  ::AppendMenuA(hMenu, MF_STRING | MF_CHECKED, 102, "Save");
  ::AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "&Recent");
  ::AppendMenuA(hMenu, MF_STRING, JVK_ID_FIRST_MDI_CHILD, "1 Window");
  ::AppendMenuA(hMenu, MF_STRING, 103, "Close");
  ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
  ::SetMenuDefaultItem(hMenu, 1, TRUE);
  CMenu menu;
  menu.Attach(hMenu);
  f.Controls()->LoadMenu(&menu);

  struct Expected {
    int nType, nID;
    const char* pszCaption;
    BOOL bGroup, bEnabled, bChecked, bDefault;
  } expected[] = {
      {jvkControlButton, 100, "&New", FALSE, TRUE, FALSE, TRUE},
      {jvkControlButton, 101, "&Open", TRUE, FALSE, FALSE, FALSE},
      {jvkControlButton, 102, "Save", FALSE, TRUE, TRUE, FALSE},
      {jvkControlPopup, 0, "&Recent", FALSE, TRUE, FALSE, FALSE},
      {jvkControlButton, 103, "Close", FALSE, TRUE, FALSE, FALSE},
  };
  ASSERT_EQ(5, f.Controls()->GetCount());
  for (int i = 0; i < 5; ++i) {
    const Expected& e = expected[i];
    CJVKControl* p = f.Controls()->GetAt(i);
    EXPECT_EQ(e.nType, p->GetType()) << i;
    EXPECT_EQ(e.nID, p->GetID()) << i;
    EXPECT_EQ(e.pszCaption, p->GetCaption()) << i;
    EXPECT_EQ(e.bGroup, p->GetBeginGroup()) << i;
    EXPECT_EQ(e.bEnabled, p->GetEnabled()) << i;
    EXPECT_EQ(e.bChecked, p->GetChecked()) << i;
    EXPECT_EQ(e.bDefault, p->GetDefaultItem()) << i;
    EXPECT_EQ(i, p->GetIndex());
  }
  EXPECT_EQ("Ctrl+N", f.Controls()->GetAt(0)->GetShortcutText());
  CJVKControlParentBar* pSub = f.Controls()->GetAt(3)->GetCommandBar();
  ASSERT_NE(nullptr, pSub);
  EXPECT_EQ("&Recent", pSub->GetTitle());
  ASSERT_EQ(1, pSub->GetControls()->GetCount());
  EXPECT_EQ(110, pSub->GetControls()->GetAt(0)->GetID());
  // The site heard of every control made, the submenu's included.
  EXPECT_EQ(6u, f.site.m_createdCaptions.size());
}

TEST(ControlsMenuImport, TheSiteMayChangeOrSkipAnItem) {
  CBarFixture f;
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 200, "Keep");
  ::AppendMenuA(hMenu, MF_STRING, 201, "Renumber");
  ::AppendMenuA(hMenu, MF_STRING, 202, "Drop");
  ::AppendMenuA(hMenu, MF_STRING, 203, "Own");
  CMenu menu;
  menu.Attach(hMenu);
  CJVKControlButton* pOwn = new CJVKControlButton;
  pOwn->m_nStyle = jvkStyleIcon;
  f.site.m_onCreateControl = [&](JVK_CREATE_CONTROL* p) -> LRESULT {
    EXPECT_EQ(&menu, p->pMenu);
    EXPECT_FALSE(p->bFromButtonList);
    switch (p->nID) {
      case 201:
        p->nID = 301;
        p->strCaption = "Renumbered";
        p->nStyle = jvkStyleCaption;
        return 1;
      case 202: p->nType = 9; return 1;
      case 203: p->pControl = pOwn; return 1;
      case 200: p->strCaption = "Ignored"; return 0;  // changes without a yes do not count
      default: return 0;
    }
  };
  f.Controls()->LoadMenu(&menu);
  ASSERT_EQ(3, f.Controls()->GetCount());
  EXPECT_EQ(200, f.Controls()->GetAt(0)->GetID());
  EXPECT_EQ("Keep", f.Controls()->GetAt(0)->GetCaption());
  EXPECT_EQ(301, f.Controls()->GetAt(1)->GetID());
  EXPECT_EQ("Renumbered", f.Controls()->GetAt(1)->GetCaption());
  EXPECT_EQ(jvkStyleCaption, f.Controls()->GetAt(1)->m_nStyle);
  EXPECT_EQ(pOwn, f.Controls()->GetAt(2));
  EXPECT_EQ(jvkStyleIcon, pOwn->m_nStyle);  // taken as it stands
  EXPECT_EQ(203, pOwn->GetID());
}

TEST(ControlsCollection, InsertRemoveAndFindKeepIndexesAndOwners) {
  CBarFixture f;
  CJVKControls* c = f.Controls();
  EXPECT_EQ(nullptr, c->FindControl(-1));
  EXPECT_EQ(nullptr, c->GetFirst());
  CJVKControl* a = c->Add(jvkControlButton, 1);
  CJVKControl* b = c->Add(jvkControlButton, 2);
  CJVKControl* z = c->Add(jvkControlButton, 3, "", 0);      // before the first
  CJVKControl* tail = c->Add(jvkControlButton, 4, "", 99);  // beyond the end: appended
  ASSERT_EQ(4, c->GetCount());
  const CJVKControl* order[] = {z, a, b, tail};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(order[i], c->GetAt(i));
    EXPECT_EQ(i, c->GetAt(i)->GetIndex());
    EXPECT_EQ(c, c->GetAt(i)->GetControls());
    EXPECT_EQ(f.pBar, c->GetAt(i)->GetParentBar());
  }
  EXPECT_EQ(z, c->FindControl(-1));
  EXPECT_EQ(b, c->FindControl(2));
  EXPECT_EQ(nullptr, c->FindControl(42));
  EXPECT_EQ(b, c->GetNext(a));
  EXPECT_EQ(nullptr, c->GetNext(tail));
  EXPECT_EQ(nullptr, c->GetAt(-1));
  EXPECT_EQ(nullptr, c->GetAt(4));

  a->InternalAddRef();  // watch it after removal
  f.pBar->SetSelected(1, 0);
  c->Remove(a);
  EXPECT_EQ(-1, f.pBar->m_nSelected);  // a selected control clears the selection
  EXPECT_EQ(nullptr, a->GetControls());
  EXPECT_EQ(nullptr, a->GetParentBar());
  EXPECT_EQ(1, b->GetIndex());
  c->Remove(a);  // no longer there: nothing
  c->RemoveAt(17);
  EXPECT_EQ(3, c->GetCount());
  a->InternalRelease();
}

TEST(ControlsCollection, HitTestAndVisibleCountsReadTheHideFlags) {
  CBarFixture f;
  CJVKControls* c = f.Controls();
  for (int i = 0; i < 3; ++i) c->Add(jvkControlButton, 10 + i)->SetRect(CRect(i * 10, 0, i * 10 + 10, 10));
  c->GetAt(1)->SetHideFlags(JVK_HIDE_NO_ROOM);
  c->GetAt(2)->SetHideFlags(JVK_HIDE_GENERIC);
  EXPECT_EQ(c->GetAt(0), c->HitTest(CPoint(5, 5)));
  EXPECT_EQ(nullptr, c->HitTest(CPoint(15, 5)));
  EXPECT_EQ(nullptr, c->HitTest(CPoint(25, 5)));
  EXPECT_EQ(1, c->GetVisibleCount(TRUE));
  EXPECT_EQ(2, c->GetVisibleCount(FALSE));
}

TEST(ControlsCollection, KeyboardWalkOverHiddenAndScrolledOutControls) {
  CBarFixture f;
  CJVKControls* c = f.Controls();
  // 0 plain, 1 hidden, 2 scrolled out, 3 rarely used, 4 flagged, 5 temporary
  for (int i = 0; i < 6; ++i) c->Add(jvkControlButton, 20 + i);
  c->GetAt(1)->SetHideFlags(JVK_HIDE_GENERIC);
  c->GetAt(2)->SetHideFlags(JVK_HIDE_SCROLL);
  c->GetAt(3)->SetHideFlags(JVK_HIDE_RARELY_USED);
  c->GetAt(4)->SetFlags(JVK_FLAG_SKIP_FOCUS);
  c->GetAt(5)->m_bTemporary = TRUE;
  struct Row {
    int nStart, nStep;
    BOOL bFlagged, bTemporary, bRarelyUsed;
    int nExpected;
  } rows[] = {
      {0, 1, FALSE, FALSE, FALSE, 2},  // hidden skipped, scrolled-out reached
      {2, 1, FALSE, FALSE, FALSE, 3},  // rarely used counts unless asked
      {2, 1, FALSE, FALSE, TRUE, 4},    {3, 1, TRUE, FALSE, FALSE, 5},
      {3, 1, TRUE, TRUE, FALSE, 0},  // round to the first
      {0, -1, TRUE, TRUE, TRUE, 2},  // backwards round past the end
      {-1, -1, FALSE, FALSE, FALSE, 5},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.nExpected, c->GetNextIndex(row.nStart, row.nStep, row.bFlagged, row.bTemporary, row.bRarelyUsed))
        << row.nStart << " " << row.nStep;
  for (int i = 0; i < 6; ++i) c->GetAt(i)->SetHideFlags(JVK_HIDE_GENERIC);
  EXPECT_EQ(-1, c->GetNextIndex(-1, 1, FALSE, FALSE, FALSE));
}

TEST(ControlsCollection, LayoutWritesPlacesAndTheNoRoomFlagBack) {
  CBarFixture f;
  CJVKControls* c = f.Controls();
  for (int i = 0; i < 4; ++i) c->Add(jvkControlButton, 0)->SetCaption("Wide caption");
  const CSize szOne = c->GetAt(0)->GetSize(nullptr);
  ASSERT_GT(szOne.cx, 0);
  const int nLength = szOne.cx * 2 + szOne.cx / 2;
  const DWORD dwMode = LM_HORZDOCK | LM_COMMIT | JVK_LM_HIDE_WRAP;
  CSize sz = c->CalcDynamicSize(nullptr, nLength, dwMode, CRect(1, 2, 1, 2), 0);
  EXPECT_EQ(nLength, sz.cx);
  EXPECT_EQ(0u, c->GetAt(1)->GetHideFlags());
  EXPECT_EQ(JVK_HIDE_NO_ROOM, c->GetAt(2)->GetHideFlags());
  EXPECT_EQ(JVK_HIDE_NO_ROOM, c->GetAt(3)->GetHideFlags());
  EXPECT_EQ(CRect(1 + szOne.cx, 2, 1 + 2 * szOne.cx, 2 + szOne.cy), c->GetAt(1)->GetRect());
  // A control hidden only for want of room takes part again when there is room.
  c->CalcDynamicSize(nullptr, 1000, dwMode, CRect(1, 2, 1, 2), 0);
  EXPECT_EQ(0u, c->GetAt(3)->GetHideFlags());
  EXPECT_EQ(1 + 3 * szOne.cx, c->GetAt(3)->GetRect().left);
}

TEST(ControlPopupCopy, SharedOrClonedPopupBars) {
  CBarFixture f;
  auto* pPopup = static_cast<CJVKControlPopup*>(f.Controls()->Add(jvkControlPopup, 0));
  CJVKControlParentBar* pBar = pPopup->GetCommandBar();
  ASSERT_NE(nullptr, pBar);
  pBar->GetControls()->Add(jvkControlButton, 42);
  auto* pShared = static_cast<CFakeControlBar*>(pBar);
  EXPECT_EQ(1, pShared->m_nRef);

  CJVKControl* pCopy = pPopup->Clone(FALSE);
  EXPECT_EQ(pBar, pCopy->GetCommandBar());
  EXPECT_EQ(2, pShared->m_nRef);
  CJVKControl* pDeep = pPopup->Clone(TRUE);
  ASSERT_NE(nullptr, pDeep->GetCommandBar());
  EXPECT_NE(pBar, pDeep->GetCommandBar());
  EXPECT_TRUE(pDeep->Compare(pPopup));
  pDeep->GetCommandBar()->GetControls()->GetAt(0)->SetCaption("changed");
  EXPECT_FALSE(pDeep->Compare(pPopup));
  pDeep->InternalRelease();

  // Dropping the original keeps the bar alive for the copy.
  f.Controls()->Remove(pPopup);
  EXPECT_EQ(1, pShared->m_nRef);
  EXPECT_EQ(42, pCopy->GetCommandBar()->GetControls()->GetAt(0)->GetID());
  pCopy->InternalRelease();
}

TEST(ControlsCollection, OriginalSetAndChanges) {
  CBarFixture f;
  CJVKControls* c = f.Controls();
  EXPECT_TRUE(c->IsChanged());
  c->Add(jvkControlButton, 1);
  c->Add(jvkControlPopup, 0)->GetCommandBar()->GetControls()->Add(jvkControlButton, 5);
  c->CreateOriginalControls();
  EXPECT_FALSE(c->IsChanged());
  c->Add(jvkControlButton, 9, "", -1, TRUE);  // temporary controls do not count
  EXPECT_FALSE(c->IsChanged());
  c->GetAt(1)->GetCommandBar()->GetControls()->GetAt(0)->SetBeginGroup(TRUE);
  EXPECT_TRUE(c->IsChanged());
}

TEST(ControlsLifetime, NothingOutlivesABarWithEveryControlType) {
  const LONG nControls = CJVKControl::GetLiveCount();
  const LONG nCollections = CJVKControls::GetLiveCount();
  const LONG nBars = CFakeControlBar::GetLiveCount();
  {
    CBarFixture f;
    CJVKControls::SetFactory(jvkControlLabel, MakeTestLabel);
    for (int nType = jvkControlButton; nType <= jvkControlLabel; ++nType) f.Controls()->Add(nType, 0);
    CJVKControls::SetFactory(jvkControlLabel, nullptr);
    f.Controls()->Add(jvkControlSplitButtonPopup, IDR_TEST_EDIT_MENU);
    f.Controls()->GetAt(1)->Clone(FALSE)->InternalRelease();
    f.Controls()->AddClone(f.Controls()->GetAt(2), -1, TRUE);
    f.Controls()->CreateOriginalControls();
    EXPECT_GT(CJVKControl::GetLiveCount(), nControls);
    EXPECT_GT(CFakeControlBar::GetLiveCount(), nBars + 1);
  }
  EXPECT_EQ(nControls, CJVKControl::GetLiveCount());
  EXPECT_EQ(nCollections, CJVKControls::GetLiveCount());
  EXPECT_EQ(nBars, CFakeControlBar::GetLiveCount());
}

TEST(ControlCustomize, AClickSelectsAndTheDragMovesOrCopies) {
  struct Row {
    int nDropEffect;
    BOOL bRemoved;
  } rows[] = {{0, TRUE}, {1, FALSE}, {2, TRUE}};
  for (const Row& row : rows) {
    CBarFixture f;
    f.bars.m_bCustomize = TRUE;
    f.bars.m_nDropEffect = row.nDropEffect;
    CJVKControls* c = f.Controls();
    CJVKControl* pFirst = c->Add(jvkControlButton, 1);
    CJVKControl* pSecond = c->Add(jvkControlButton, 2);
    CJVKControl* pThird = c->Add(jvkControlButton, 3);
    pFirst->SetBeginGroup(TRUE);
    pSecond->SetBeginGroup(FALSE);
    pThird->SetBeginGroup(TRUE);
    pFirst->OnClick(FALSE, CPoint(1, 1));
    EXPECT_TRUE(f.site.m_commands.empty()) << row.nDropEffect;  // customizing executes nothing
    EXPECT_EQ(row.bRemoved ? 2 : 3, c->GetCount()) << row.nDropEffect;
    if (row.bRemoved) {
      // The next control inherits the group mark, then loses it as the first.
      EXPECT_EQ(pSecond, c->GetAt(0));
      EXPECT_FALSE(pSecond->GetBeginGroup());
      EXPECT_EQ(nullptr, f.bars.GetCustomizeSelection());
    } else {
      EXPECT_EQ(pFirst, f.bars.GetCustomizeSelection());
    }
  }
}
