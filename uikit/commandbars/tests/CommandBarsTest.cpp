// The command-bars object on its own: the adaptive menus' popup rule and
// the keyboard cues' setting.
#include "CommandBars.h"
#include "ControlPopup.h"
#include "ToolBar.h"

#include <gtest/gtest.h>

namespace {

class CTestCommandBars : public CJVKCommandBars {
 public:
  BOOL m_bSystemHidesCues = FALSE;

 protected:
  BOOL AreSystemKeyboardCuesHidden() override { return m_bSystemHidesCues; }
};

// A popup control (type 2) with a popup bar of its own.
CJVKControlPopup* MakePopup(int nID) {
  CJVKControlPopup* pPopup = CJVKControlPopup::CreateControlPopup(jvkControlPopup);
  pPopup->SetID(nID);
  CJVKToolBar* pBar = new CJVKToolBar;
  pPopup->SetCommandBar(pBar);
  pBar->ReleaseBarRef();
  return pPopup;
}

}  // namespace

TEST(CommandBars, APopupIsHiddenOnlyWhenItHoldsControlsAndEveryOneIsHidden) {
  auto* pBars = new CTestCommandBars;
  CJVKCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
  for (UINT nID : {10u, 11u, 20u}) pOptions->m_mapHiddenCommands.SetAt(nID, TRUE);
  CJVKControlPopup* pOuter = MakePopup(500);
  CJVKControls* pItems = pOuter->GetCommandBar()->GetControls();
  EXPECT_FALSE(pBars->IsControlHidden(pOuter)) << "an empty popup";

  pItems->Add(jvkControlButton, 10);
  pItems->Add(jvkControlButton, 11);
  EXPECT_TRUE(pBars->IsControlHidden(pOuter)) << "every entry hidden";
  pOptions->m_bAutoHideUnusedPopups = FALSE;
  EXPECT_FALSE(pBars->IsControlHidden(pOuter)) << "the option off";
  pOptions->m_bAutoHideUnusedPopups = TRUE;
  pBars->SetCommandUsed(11);
  EXPECT_FALSE(pBars->IsControlHidden(pOuter)) << "one entry used";
  pBars->ResetUsageData();

  // A submenu counts by the same rule; an empty one keeps its parent shown.
  CJVKControlPopup* pInner = MakePopup(600);
  pItems->AddControl(pInner, 600);
  EXPECT_FALSE(pBars->IsControlHidden(pOuter)) << "an empty submenu";
  pInner->GetCommandBar()->GetControls()->Add(jvkControlButton, 20);
  EXPECT_TRUE(pBars->IsControlHidden(pOuter)) << "a submenu whose entries are hidden";
  // A hidden command hides its popup whatever the entries.
  pOptions->m_mapHiddenCommands.SetAt(500, TRUE);
  pInner->GetCommandBar()->GetControls()->Add(jvkControlButton, 21);
  EXPECT_TRUE(pBars->IsControlHidden(pOuter));

  pOuter->InternalRelease();
  pBars->InternalRelease();
}

TEST(CommandBars, KeyboardCuesFollowTheirSettingAndShowWhileCustomizing) {
  auto* pBars = new CTestCommandBars;
  CJVKCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
  EXPECT_TRUE(pBars->IsKeyboardCuesShown());
  struct Row {
    LONG nShow;
    BOOL bSystemHides;
    BOOL bOnAlt;
    BOOL bShown;
  } rows[] = {
      {jvkCuesShowAlways, TRUE, FALSE, TRUE},
      {jvkCuesShowNever, FALSE, FALSE, FALSE},
      {jvkCuesShowSystem, FALSE, FALSE, TRUE},
      {jvkCuesShowSystem, TRUE, TRUE, FALSE},
  };
  for (const Row& row : rows) {
    pBars->m_bSystemHidesCues = row.bSystemHides;
    pOptions->SetKeyboardCuesShow(row.nShow);
    EXPECT_EQ(row.bOnAlt, pBars->IsKeyboardCuesOnAlt()) << row.nShow << row.bSystemHides;
    EXPECT_EQ(row.bShown, pBars->IsKeyboardCuesShown()) << row.nShow << row.bSystemHides;
  }

  // Cues on Alt: shown and hidden again; forced while customizing.
  pBars->SetKeyboardCuesShown(TRUE);
  EXPECT_TRUE(pBars->IsKeyboardCuesShown());
  pBars->SetKeyboardCuesShown(FALSE);
  EXPECT_FALSE(pBars->IsKeyboardCuesShown());
  pBars->SetCustomizeMode(TRUE);
  EXPECT_TRUE(pBars->IsKeyboardCuesShown());
  pBars->SetKeyboardCuesShown(FALSE);
  EXPECT_TRUE(pBars->IsKeyboardCuesShown());
  pBars->SetCustomizeMode(FALSE);
  pBars->SetKeyboardCuesShown(FALSE);
  EXPECT_FALSE(pBars->IsKeyboardCuesShown());
  pBars->InternalRelease();
}
