// MDI frames: children in the MDI client, their menus in the frame while
// active, commands and accelerators through the active child, its view and
// document, and the document template behind the active child.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestResources.h"
#include "FrameTestSupport.h"

namespace {

std::vector<std::string> g_log;

class CStampDoc : public CDocument {
 protected:
  afx_msg void OnStamp() { g_log.push_back("stamp " + std::string(GetTitle())); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStampDoc, CDocument)
ON_COMMAND(ID_DOC_STAMP, OnStamp)
END_MESSAGE_MAP()

class CPlainView : public CView {
 protected:
  void OnDraw(CDC*) override {}
};

class CDocFrame : public CMDIFrameWnd {
 protected:
  afx_msg void OnFrameOnly() { g_log.push_back("frame"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocFrame, CMDIFrameWnd)
ON_COMMAND(ID_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

// A child showing a view of pDoc (none when NULL).
CMDIChildWnd* OpenChild(CMDIFrameWnd* pFrame, CDocument* pDoc) {
  CMDIChildWnd* pChild = new CMDIChildWnd;
  if (!pChild->LoadFrame(IDR_DOCCHILD, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, pFrame)) return nullptr;
  if (pDoc != nullptr) {
    CPlainView* pView = new CPlainView;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pChild, AFX_IDW_PANE_FIRST))
      return nullptr;
    pDoc->AddView(pView);
    pChild->SetActiveView(pView);
    pChild->RecalcLayout();
  }
  return pChild;
}

// The resource id that picks the menu for the active child: its document's
// template, else the child's own resource, else the frame's.
UINT ActiveMenuId(CMDIFrameWnd* pFrame) {
  CMDIChildWnd* pChild = pFrame->MDIGetActive();
  if (pChild == nullptr) return pFrame->m_nIDHelp;
  CDocument* pDoc = pChild->GetActiveDocument();
  return pDoc != nullptr && pDoc->GetDocTemplate() != nullptr ? pDoc->GetDocTemplate()->m_nIDResource
                                                              : pChild->m_nIDHelp;
}

TEST(MDIFrameTest, ChildrenShowTheirMenusAndGetTheCommandsFirst) {
  g_log.clear();
  CDocTemplate* pTemplate =
      new CDocTemplate(700, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CView));
  CDocFrame* pFrame = new CDocFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_MDIFRAME, WS_OVERLAPPEDWINDOW));
  pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_NE(pFrame->m_hWndMDIClient, nullptr);
  EXPECT_EQ(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST), pFrame->m_hWndMDIClient);
  CRect client, mdiClient;
  pFrame->GetClientRect(&client);
  ::GetWindowRect(pFrame->m_hWndMDIClient, &mdiClient);
  EXPECT_EQ(mdiClient.Size(), client.Size());  // the main pane
  HMENU hFrameMenu = ::GetMenu(pFrame->m_hWnd);
  EXPECT_EQ(pFrame->MDIGetActive(), nullptr);
  EXPECT_EQ(pFrame->GetActiveFrame(), pFrame);
  EXPECT_EQ(ActiveMenuId(pFrame), static_cast<UINT>(IDR_MDIFRAME));

  CStampDoc* pDocA = new CStampDoc;
  pDocA->SetTitle("A");
  pTemplate->AddDocument(pDocA);
  CMDIChildWnd* pChildA = OpenChild(pFrame, pDocA);
  ASSERT_NE(pChildA, nullptr);
  CMDIChildWnd* pChildB = OpenChild(pFrame, nullptr);
  ASSERT_NE(pChildB, nullptr);
  EXPECT_EQ(pChildA->GetMDIFrame(), pFrame);
  CString title;
  pChildA->GetWindowText(title);
  EXPECT_STREQ(title, "Sheet");

  // The newest child is active and its menu is the frame's; its Window
  // popup lists both children.
  BOOL bMaximized = TRUE;
  EXPECT_EQ(pFrame->MDIGetActive(&bMaximized), pChildB);
  EXPECT_FALSE(bMaximized);
  EXPECT_EQ(pFrame->GetActiveFrame(), pChildB);
  ASSERT_NE(pChildB->m_hMenuShared, nullptr);
  EXPECT_EQ(::GetMenu(pFrame->m_hWnd), pChildB->m_hMenuShared);
  HMENU hWindow = ::GetSubMenu(pChildB->m_hMenuShared, 1);
  EXPECT_EQ(::GetMenuItemID(hWindow, ::GetMenuItemCount(hWindow) - 2), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD));
  EXPECT_EQ(::GetMenuItemID(hWindow, ::GetMenuItemCount(hWindow) - 1), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD + 1));
  EXPECT_EQ(ActiveMenuId(pFrame), static_cast<UINT>(IDR_DOCCHILD));  // no document: the child's resource

  // A command of the frame reaches the active child's document, then the frame.
  pFrame->SendMessage(WM_COMMAND, ID_DOC_STAMP);
  EXPECT_TRUE(g_log.empty());  // B shows no document
  pFrame->MDIActivate(pChildA);
  EXPECT_EQ(pFrame->MDIGetActive(), pChildA);
  EXPECT_EQ(ActiveMenuId(pFrame), 700u);
  pFrame->SendMessage(WM_COMMAND, ID_DOC_STAMP);
  pFrame->SendMessage(WM_COMMAND, ID_FRAME_ONLY);
  // The child's accelerator, pressed in its view.
  ::PostMessage(pChildA->GetActiveView()->m_hWnd, WM_KEYDOWN, VK_F7, 0);
  PumpPending();
  EXPECT_EQ(g_log, (std::vector<std::string>{"stamp A", "frame", "stamp A"}));

  pFrame->MDIMaximize(pChildA);
  pFrame->MDIGetActive(&bMaximized);
  EXPECT_TRUE(bMaximized);
  pFrame->MDIRestore(pChildA);
  pFrame->MDIGetActive(&bMaximized);
  EXPECT_FALSE(bMaximized);

  // Closing the child closes its last view, so the document goes too; with
  // the last child gone the frame's own menu is back.
  pChildA->DestroyWindow();
  EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr);
  EXPECT_EQ(pFrame->MDIGetActive(), pChildB);
  pChildB->DestroyWindow();
  EXPECT_EQ(pFrame->MDIGetActive(), nullptr);
  EXPECT_EQ(::GetMenu(pFrame->m_hWnd), hFrameMenu);
  pFrame->DestroyWindow();
  delete pTemplate;
}

}  // namespace
