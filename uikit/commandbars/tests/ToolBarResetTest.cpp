// Reset of a tool bar: the prompt with the bar's title, the original
// buttons back on OK, nothing on Cancel, and no question at all for a bar
// that is not built-in or customizable.
#include "ToolBarHost.h"
#include "ToolBarTestResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_prompts;
int g_nAnswer = IDOK;

int CALLBACK AnswerMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  g_prompts.push_back(lpszText);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), nType);
  return g_nAnswer;
}

class ToolBarReset : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pfnPrevious = AfxSetMessageBoxHook(AnswerMessageBox);
    g_prompts.clear();
    m_h.pBar->SetTitle("Standard");
    ASSERT_TRUE(m_h.pBar->LoadToolBar(IDR_TB_STANDARD));
    // Customized: the second button gone, a button added at the end.
    m_h.pBar->GetControls()->RemoveAt(1);
    m_h.pBar->GetControls()->Add(jvkControlButton, ID_TB_CAPTION_FIRST);
  }
  void TearDown() override { AfxSetMessageBoxHook(m_pfnPrevious); }
  std::vector<int> Ids() {
    std::vector<int> ids;
    for (int i = 0; i < m_h.pBar->GetControls()->GetCount(); ++i) ids.push_back(m_h.Control(i)->GetID());
    return ids;
  }

  CHostWithBar m_h;
  AFX_MSGBOX_HOOK m_pfnPrevious = nullptr;
};

const std::vector<int> kCustomized = {ID_TB_OPEN, ID_TB_CHECKED, ID_TB_CAPTION_FIRST};

TEST_F(ToolBarReset, AsksAndOnOkTakesTheOriginalButtonsBack) {
  g_nAnswer = IDCANCEL;
  m_h.pBar->Reset();
  EXPECT_EQ(std::vector<std::string>({"Are you sure you want to reset the changes made to the 'Standard' toolbar?"}),
            g_prompts);
  EXPECT_EQ(kCustomized, Ids());

  g_nAnswer = IDOK;
  m_h.pBar->Reset();
  EXPECT_EQ(2u, g_prompts.size());
  EXPECT_EQ(std::vector<int>({ID_TB_OPEN, ID_TB_DISABLED, ID_TB_CHECKED}), Ids());
  EXPECT_TRUE(m_h.Control(1)->GetBeginGroup());
  EXPECT_FALSE(m_h.Control(1)->GetEnabled()) << "updated by the window's handlers at once";
}

TEST_F(ToolBarReset, ABarThatIsNotBuiltInOrCustomizableIsNotAsked) {
  g_nAnswer = IDOK;
  m_h.pBar->SetBuiltIn(FALSE);
  m_h.pBar->Reset();
  m_h.pBar->SetBuiltIn(TRUE);
  m_h.pBar->SetCustomizable(FALSE);
  m_h.pBar->Reset();
  EXPECT_TRUE(g_prompts.empty());
  EXPECT_EQ(kCustomized, Ids());
}

}  // namespace
