// A tool bar that tracks takes the keyboard: arrows walk its controls by
// its orientation, Enter presses, Esc leaves, letters choose by mnemonic
// (two marked alike select and do not execute), and keys for an edit
// window inside a bar reach that window. Injected input: run alone.
#include "DialogBar.h"
#include "ToolBarHost.h"
#include "ToolBarTestResources.h"

#include <ClipboardText.h>
#include <InputInjection.h>
#include <KeyboardManager.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

void Settle() { PumpUntil([] { return FALSE; }, 80); }

void PressKey(WORD wKey) {
  InjectKey(wKey, FALSE);
  InjectKey(wKey, TRUE);
  Settle();
}

void PressWith(WORD wModifier, WORD wKey) {
  InjectKey(wModifier, FALSE);
  PressKey(wKey);
  InjectKey(wModifier, TRUE);
  Settle();
}

class ToolBarKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    BringToFront(m_h.host.m_hWnd);
    ASSERT_EQ(m_h.host.m_hWnd, ::GetForegroundWindow());
  }
  void TearDown() override {
    if (m_h.pBar) m_h.pBar->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  }
  // Buttons with captions only (no pictures), laid out in one row.
  void AddCaptions(std::initializer_list<const char*> captions) {
    int nID = ID_TB_CAPTION_FIRST;
    for (const char* psz : captions) {
      CJVKControl* pControl = m_h.pBar->GetControls()->Add(jvkControlButton, nID++);
      pControl->SetCaption(psz);
      pControl->SetStyle(jvkStyleCaption);
    }
    m_h.host.RepositionBars(0, 0xFFFF, 0);
  }
  BOOL KeyboardHooked() {
    CJVKKeyboardManager* pKeyboard = PeekKeyboardManager();
    return pKeyboard && pKeyboard->IsHooked(m_h.pBar);
  }

  CHostWithBar m_h;
};

TEST_F(ToolBarKeyboard, ArrowsWalkTheControlsEnterPressesEscLeaves) {
  ASSERT_TRUE(m_h.pBar->LoadToolBar(IDR_TB_STANDARD));
  m_h.host.RepositionBars(0, 0xFFFF, 0);
  ASSERT_TRUE(m_h.pBar->SetTrackingMode(jvkTracking, TRUE, TRUE));
  EXPECT_TRUE(KeyboardHooked());
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
  EXPECT_EQ(2, m_h.Control(0)->GetSelected()) << "selected as the keyboard does";

  struct Row {
    WORD wKey;
    int nSelected;
  } rows[] = {
      {VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0},  // round past the end
      {VK_LEFT, 2},  {VK_HOME, 0},  {VK_END, 2},    {VK_TAB, 0},
  };
  for (const Row& row : rows) {
    PressKey(row.wKey);
    EXPECT_EQ(row.nSelected, m_h.pBar->GetSelectedIndex()) << "key " << row.wKey;
  }
  EXPECT_TRUE(m_h.host.m_commands.empty());
  EXPECT_EQ(std::vector<UINT>({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_HOME, VK_END, VK_TAB}),
            m_h.host.m_trackingKeys)
      << "the site hears of every key";

  // Enter presses the selection: its command, and tracking ends.
  PressKey(VK_END);
  PressKey(VK_RETURN);
  EXPECT_EQ(std::vector<UINT>({ID_TB_CHECKED}), m_h.host.m_commands);
  EXPECT_EQ(jvkTrackingOff, m_h.pBar->GetTrackingMode());
  EXPECT_FALSE(KeyboardHooked());

  // Esc leaves without a command and clears the selection.
  m_h.pBar->SetTrackingMode(jvkTracking, TRUE, TRUE);
  PressKey(VK_RIGHT);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(jvkTrackingOff, m_h.pBar->GetTrackingMode());
  EXPECT_EQ(-1, m_h.pBar->GetSelectedIndex());
  EXPECT_FALSE(KeyboardHooked());
  EXPECT_EQ(std::vector<UINT>({ID_TB_CHECKED}), m_h.host.m_commands);
}

TEST_F(ToolBarKeyboard, RightToLeftSwapsTheHorizontalArrows) {
  ASSERT_TRUE(m_h.pBar->LoadToolBar(IDR_TB_STANDARD));
  m_h.pBar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
  m_h.host.RepositionBars(0, 0xFFFF, 0);
  m_h.pBar->SetTrackingMode(jvkTracking, TRUE, TRUE);
  PressKey(VK_RIGHT);
  EXPECT_EQ(2, m_h.pBar->GetSelectedIndex()) << "Right selects the previous control";
  PressKey(VK_LEFT);
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
}

TEST_F(ToolBarKeyboard, TwoMarkedCaptionsSelectWithoutExecutingAUniqueOneExecutes) {
  AddCaptions({"&File", "&Format", "&Edit", "Fill"});
  m_h.host.m_pMnemonicBar = m_h.pBar;

  // Alt+F: the first of the two marked F, selected, nothing carried out.
  PressWith(VK_MENU, 'F');
  EXPECT_EQ(jvkTracking, m_h.pBar->GetTrackingMode());
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
  EXPECT_TRUE(m_h.host.m_commands.empty());

  // While the bar tracks, F goes on to the other one: still ambiguous (and
  // the unmarked "Fill" never counts against a marked match).
  PressKey('F');
  EXPECT_EQ(1, m_h.pBar->GetSelectedIndex());
  EXPECT_TRUE(m_h.host.m_commands.empty());
  PressKey('F');
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
  EXPECT_TRUE(m_h.host.m_commands.empty());

  // A letter that matches nothing changes nothing.
  PressKey('Q');
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
  EXPECT_EQ(jvkTracking, m_h.pBar->GetTrackingMode());

  // E is unique: it executes and tracking ends.
  PressKey('E');
  EXPECT_EQ(std::vector<UINT>({ID_TB_CAPTION_FIRST + 2}), m_h.host.m_commands);
  EXPECT_EQ(jvkTrackingOff, m_h.pBar->GetTrackingMode());
}

TEST_F(ToolBarKeyboard, CtrlVWithTheFocusInAnEditReachesTheEditNotACommand) {
  // A dialog bar hosting an edit tracks the keyboard; beside it a tool bar
  // whose "&Verify" V would choose.
  AddCaptions({"&Paste", "&Verify"});
  auto* pDialogBar = new CJVKDialogBar;
  ASSERT_TRUE(pDialogBar->CreateToolBar(kBarStyle, &m_h.host, 0xE890));
  pDialogBar->SetCaption("Find");
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), pDialogBar, 1));
  pDialogBar->SetChild(&edit);
  m_h.host.RepositionBars(0, 0xFFFF, 0);
  PutClipboardText("pasted");

  edit.SetFocus();
  ASSERT_EQ(edit.m_hWnd, ::GetFocus());
  pDialogBar->SetTrackingMode(jvkTracking, FALSE, TRUE);
  PressWith(VK_CONTROL, 'V');
  CString strText;
  edit.GetWindowText(strText);
  EXPECT_EQ(CString("pasted"), strText);
  EXPECT_EQ(jvkTracking, pDialogBar->GetTrackingMode()) << "the bar still tracks";
  EXPECT_TRUE(m_h.host.m_commands.empty());
  pDialogBar->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);

  // Where a tracking bar takes the key, V chooses its control.
  m_h.host.SetFocus();
  m_h.pBar->SetTrackingMode(jvkTracking, TRUE, TRUE);
  PressKey('V');
  EXPECT_EQ(std::vector<UINT>({ID_TB_CAPTION_FIRST + 1}), m_h.host.m_commands);

  pDialogBar->ReleaseBarRef();
}

}  // namespace
