// The in-place edit driven by injected keys: a committed edit reaches the
// grid's owner as code 3, Escape restores and sends nothing, number items
// read what was typed (saturating), and the edit steps through constraints.
#include "GridTestWindow.h"

#include "ClipboardText.h"

namespace {

class GridEditTest : public ::testing::Test {
 protected:
  GridEditTest() : m_window(CGridTestWindow::Reset()), m_edit(m_window.m_grid.GetInplaceEdit()) {}

  // Selects the item by keyboard focus on the view and its row.
  void SelectItem(CJVKPropertyGridItem* pItem) {
    m_window.View().SetFocus();
    pItem->Select();
    PumpPending();
    m_window.m_notices.clear();
  }
  BOOL EditFocused() const { return ::GetFocus() == m_edit.m_hWnd; }
  BOOL ViewFocused() { return ::GetFocus() == m_window.View().m_hWnd; }
  CString EditText() const {
    CString text;
    m_edit.GetWindowText(text);
    return text;
  }

  CGridTestWindow& m_window;
  CJVKPropertyGridInplaceEdit& m_edit;
};

TEST_F(GridEditTest, TypingAndEnterCommitsAndNotifiesTheOwnerOnce) {
  SelectItem(m_window.m_pChannelName);
  ASSERT_EQ(m_window.m_pChannelName, m_edit.GetItem());
  ASSERT_TRUE(m_edit.IsWindowVisible());
  // The first key goes from the view to the item, which focuses the edit
  // with all its text selected: the typing replaces the value.
  InjectText("XY");
  ASSERT_TRUE(PumpUntil([&] { return EditText() == "xy"; })) << (LPCTSTR)EditText();
  EXPECT_TRUE(EditFocused());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  EXPECT_GE(m_window.CountNotices(JVK_PGN_EDITCHANGED), 1);
  InjectTap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > 0; }));
  PumpPending();
  EXPECT_STREQ("xy", m_window.m_pChannelName->GetValue());
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  for (const GridNotice& notice : m_window.m_notices) {
    if (notice.code == JVK_PGN_VALUECHANGED) {
      EXPECT_EQ(reinterpret_cast<LPARAM>(m_window.m_pChannelName), notice.param);
    }
  }
  EXPECT_TRUE(ViewFocused());
  EXPECT_TRUE(m_window.m_pChannelName->IsValueChanged());
}

// A window given with SetOwner gets the notices instead of the parent, and
// the grid stays where it is.
class CNoticeOwner : public CWnd {
 public:
  std::vector<GridNotice> m_notices;

 protected:
  afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam) {
    m_notices.push_back({wParam, lParam});
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoticeOwner, CWnd)
  ON_MESSAGE(JVK_PGWM_PROPERTYGRID_NOTIFY, OnGridNotify)
END_MESSAGE_MAP()

TEST_F(GridEditTest, AnOwnerGetsTheNoticesAndTheGridStaysInItsParent) {
  CNoticeOwner owner;
  ASSERT_TRUE(owner.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Grid owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr));
  CJVKPropertyGrid& grid = m_window.m_grid;
  struct OwnerReset {
    CJVKPropertyGrid& grid;
    ~OwnerReset() { grid.SetOwner(nullptr); }
  } reset{grid};
  grid.SetOwner(&owner);
  EXPECT_EQ(::GetParent(grid.m_hWnd), m_window.m_hWnd);
  EXPECT_TRUE(grid.GetStyle() & WS_CHILD);
  m_window.m_pModulation->Select();
  PumpPending();
  ASSERT_FALSE(owner.m_notices.empty());
  EXPECT_EQ(static_cast<WPARAM>(JVK_PGN_SELECTIONCHANGED), owner.m_notices.back().code);
  EXPECT_EQ(reinterpret_cast<LPARAM>(m_window.m_pModulation), owner.m_notices.back().param);
  EXPECT_TRUE(m_window.m_notices.empty()) << "the parent hears nothing";
  owner.DestroyWindow();
}

// A category that got its children (and theirs) before it was added to the
// grid: every item of it knows the view, sits at its depth, edits and commits.
TEST_F(GridEditTest, ACategoryBuiltBeforeInsertionEditsAndCommits) {
  CJVKPropertyGridItem* pDish = new CJVKPropertyGridItem("Dish");
  CJVKPropertyGridItem* pLnb = pDish->AddChildItem(new CJVKPropertyGridItem("LNB", "Universal"));
  CJVKPropertyGridItem* pOffset = pLnb->AddChildItem(new CJVKPropertyGridItem("Offset", "9750"));
  m_window.m_grid.AddCategory("Dish", pDish);
  pDish->Expand();
  pLnb->Expand();
  const struct {
    CJVKPropertyGridItem* pItem;
    int nIndent;
  } rows[] = {{pDish, 0}, {pLnb, 1}, {pOffset, 2}};
  for (const auto& row : rows) {
    EXPECT_EQ(&m_window.View(), row.pItem->GetView()) << row.nIndent;
    EXPECT_EQ(row.nIndent, row.pItem->GetIndent());
    EXPECT_GE(row.pItem->GetIndex(), 0) << row.nIndent << ": a row";
  }
  SelectItem(pOffset);
  ASSERT_EQ(pOffset, m_edit.GetItem());
  ASSERT_TRUE(m_edit.IsWindowVisible());
  InjectText("10600");
  ASSERT_TRUE(PumpUntil([&] { return EditText() == "10600"; })) << (LPCTSTR)EditText();
  InjectTap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > 0; }));
  EXPECT_STREQ("10600", pOffset->GetValue());
}

TEST_F(GridEditTest, EscapeRestoresTheValueAndSendsNothing) {
  SelectItem(m_window.m_pChannelName);
  InjectText("Q");
  ASSERT_TRUE(PumpUntil([&] { return EditText() == "q"; }));
  InjectTap(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return ViewFocused(); }));
  PumpPending();
  EXPECT_STREQ("Alpha", m_window.m_pChannelName->GetValue());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  EXPECT_FALSE(m_window.m_pChannelName->IsValueChanged());
}

TEST_F(GridEditTest, NumberItemsStoreWhatWasTypedNormalisedAndSaturated) {
  struct Case {
    const char* keys;
    const char* value;
    long number;
  } cases[] = {
      {"4294967301", "2147483647", 2147483647L},  // not the wrapped 5
      {"ABC", "0", 0},
      {"12AB", "12", 12},
  };
  for (const Case& c : cases) {
    SelectItem(m_window.m_pServiceId);
    InjectText(c.keys);
    InjectTap(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > 0; })) << c.keys;
    PumpPending();
    EXPECT_STREQ(c.value, m_window.m_pServiceId->GetValue()) << c.keys;
    EXPECT_EQ(c.number, m_window.m_pServiceId->GetNumber()) << c.keys;
    EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  }
}

TEST_F(GridEditTest, BoundNumberFollowsAndIsReadBackOnInsertion) {
  long nBound = 0;
  m_window.m_pServiceId->BindToNumber(&nBound);
  EXPECT_EQ(100, nBound);
  m_window.m_pServiceId->SetValue(" 12abc");
  EXPECT_EQ(12, nBound);
  EXPECT_STREQ("12", m_window.m_pServiceId->GetValue());
  // A change of the variable shows once the item gets its row again.
  nBound = 77;
  EXPECT_EQ(12, m_window.m_pServiceId->GetNumber());
  m_window.m_grid.Refresh();
  EXPECT_EQ(77, m_window.m_pServiceId->GetNumber());
  m_window.m_pServiceId->BindToNumber(nullptr);
}

TEST_F(GridEditTest, UpAndDownStepThroughTheConstraintsWithoutWrap) {
  SelectItem(m_window.m_pPolarisation);
  m_edit.SetFocus();
  PumpPending();
  struct Step {
    WORD vk;
    const char* text;
  } steps[] = {{VK_DOWN, "Vertical"}, {VK_DOWN, "Left"}, {VK_DOWN, "Right"}, {VK_DOWN, "Right"},
               {VK_UP, "Left"}};
  for (const Step& step : steps) {
    InjectTap(step.vk);
    PumpUntil([&] { return EditText() == step.text; });
    EXPECT_STREQ(step.text, EditText());
  }
  EXPECT_EQ(2, m_window.m_pPolarisation->GetConstraints()->GetCurrent());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  m_window.View().SetFocus();
  PumpPending();
  EXPECT_STREQ("Left", m_window.m_pPolarisation->GetValue());
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_VALUECHANGED));
}

TEST_F(GridEditTest, DoubleClickOnAListItemWithoutEditCyclesItsValue) {
  // "Modulation" has no edit: a double-click takes the next constraint,
  // after the last the first again, and notifies code 3 each time.
  const CPoint pt = RowPoint(m_window.m_pModulation, 40);
  const char* expected[] = {"8PSK", "16QAM", "QPSK"};
  int nNotices = 0;
  for (const char* value : expected) {
    InjectDoubleClick(m_window.View(), pt);
    ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > nNotices; })) << value;
    ++nNotices;
    EXPECT_STREQ(value, m_window.m_pModulation->GetValue());
  }
  PumpPending();
  EXPECT_EQ(3, m_window.CountNotices(JVK_PGN_DBLCLICK));
}

TEST_F(GridEditTest, ReadOnlyItemsShowTheirEditReadOnly) {
  SelectItem(m_window.m_pProvider);
  EXPECT_TRUE(m_edit.GetStyle() & ES_READONLY);
  InjectText("Z");
  PumpPending();
  InjectTap(VK_RETURN);
  PumpPending();
  EXPECT_STREQ("Provider A", m_window.m_pProvider->GetValue());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
}

TEST_F(GridEditTest, MaskedItemsTakeOnlyWhatTheMaskAllows) {
  CJVKPropertyGridItem* pOrbit = m_window.m_pOther->AddChildItem(new CJVKPropertyGridItem("Orbit", "19.2"));
  pOrbit->SetMask("00.0", "__._", '_');
  SelectItem(pOrbit);
  EXPECT_TRUE(m_edit.IsMaskedMode());
  EXPECT_STREQ("00.0", m_edit.GetMask());
  // The letter is refused; the digits fill the input positions around the
  // fixed point.
  InjectText("2X35");
  ASSERT_TRUE(PumpUntil([&] { return EditText() == "23.5"; })) << (LPCTSTR)EditText();
  InjectTap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > 0; }));
  EXPECT_STREQ("23.5", pOrbit->GetValue());
  // An item without a mask leaves the edit plain.
  SelectItem(m_window.m_pChannelName);
  EXPECT_FALSE(m_edit.IsMaskedMode());
}

// Ctrl+C, X, Z and V reach the masked edit's own clipboard and undo before
// the dialog keys are looked at: the clipboard holds the input characters
// only, without the literal point.
TEST_F(GridEditTest, CtrlKeysCopyCutUndoAndPasteInAMaskedEdit) {
  CJVKPropertyGridItem* pOrbit = m_window.m_pOther->AddChildItem(new CJVKPropertyGridItem("Orbit", "19.2"));
  pOrbit->SetMask("00.0", "__._", '_');
  SelectItem(pOrbit);
  m_edit.SetFocus();
  ASSERT_TRUE(EditFocused());
  ASSERT_TRUE(m_edit.IsMaskedMode());
  const auto ctrl = [](WORD vk) {
    InjectKeyDown(VK_CONTROL);
    InjectTap(vk);
    InjectKeyUp(VK_CONTROL);
  };
  PutClipboardText("none");
  m_edit.SetSel(0, -1);
  ctrl('C');
  EXPECT_TRUE(PumpUntil([] { return ClipboardText() == "192"; })) << ClipboardText();
  PutClipboardText("none");
  m_edit.SetSel(0, -1);
  ctrl('X');
  EXPECT_TRUE(PumpUntil([&] { return EditText() == "__._"; })) << (LPCTSTR)EditText();
  EXPECT_EQ("192", ClipboardText());
  ctrl('Z');
  EXPECT_TRUE(PumpUntil([&] { return EditText() == "19.2"; })) << (LPCTSTR)EditText();
  PutClipboardText("35");
  m_edit.SetSel(0, -1);
  ctrl('V');
  EXPECT_TRUE(PumpUntil([&] { return EditText() == "35._"; })) << (LPCTSTR)EditText();
}

TEST_F(GridEditTest, PasswordItemsDisplayTheirCharacter) {
  CJVKPropertyGridItem* pPin = m_window.m_pOther->AddChildItem(new CJVKPropertyGridItem("PIN", "abc"));
  pPin->SetPasswordMask();
  EXPECT_STREQ("***", pPin->GetDisplayValue());
  EXPECT_TRUE(pPin->GetEditStyle() & ES_PASSWORD);
}

}  // namespace
