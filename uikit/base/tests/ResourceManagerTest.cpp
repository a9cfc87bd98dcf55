// Loading through the resource manager from this program's resources.
#include "ResourceManager.h"
#include "ResourceManagerTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ResourceManager, StringsLoadAndAMissingIdIsFalse) {
  CString str;
  ASSERT_TRUE(GetResourceManager()->LoadString(str, IDS_TEST_GREETING));
  EXPECT_STREQ(str, "Toolkit strings load");
  EXPECT_FALSE(GetResourceManager()->LoadString(str, 9999));
}

TEST(ResourceManager, DialogTemplateByIdOrNameAndNullWhenMissing) {
  LPCDLGTEMPLATE pTemplate = GetResourceManager()->LoadDialogTemplate(IDD_TEST_DIALOG);
  ASSERT_NE(pTemplate, nullptr);
  EXPECT_EQ(pTemplate->cdit, 1);
  EXPECT_EQ(pTemplate->cx, 120);
  EXPECT_EQ(GetResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(IDD_TEST_DIALOG)), pTemplate);
  EXPECT_EQ(GetResourceManager()->LoadDialogTemplate(201), nullptr);
  EXPECT_EQ(GetResourceManager()->LoadDialogTemplate("NOSUCHDIALOG"), nullptr);
}

TEST(ResourceManager, ToolBarTakesItsButtonsAndSizeFromTheResource) {
  CFrameWnd* pFrame = new CFrameWnd;  // deletes itself when destroyed
  ASSERT_TRUE(pFrame->Create(nullptr, "tool bar host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CToolBar bar;
  ASSERT_TRUE(bar.Create(pFrame));
  ASSERT_TRUE(GetResourceManager()->LoadToolBar(&bar, IDR_TEST_TOOLBAR));
  ASSERT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(bar.GetItemID(0), UINT(ID_TEST_OPEN));
  EXPECT_EQ(bar.GetItemID(1), 0u);  // the separator
  EXPECT_EQ(bar.GetItemID(2), UINT(ID_TEST_SAVE));
  const DWORD size = static_cast<DWORD>(bar.SendMessage(TB_GETBUTTONSIZE));
  EXPECT_EQ(LOWORD(size), 23);
  EXPECT_EQ(HIWORD(size), 22);

  EXPECT_FALSE(GetResourceManager()->LoadToolBar(&bar, IDR_TEST_BROKEN_TOOLBAR));
  EXPECT_FALSE(GetResourceManager()->LoadToolBar(&bar, 302));
  EXPECT_FALSE(GetResourceManager()->LoadToolBar(nullptr, IDR_TEST_TOOLBAR));
  pFrame->DestroyWindow();
}

TEST(ResourceManager, MenuBitmapAndCursor) {
  CMenu menu;
  ASSERT_TRUE(GetResourceManager()->LoadMenu(menu, IDR_TEST_MENU));
  CMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetMenuItemID(1), static_cast<UINT>(ID_TEST_SAVE));
  CMenu missing;
  EXPECT_FALSE(GetResourceManager()->LoadMenu(missing, 401));
  CBitmap bitmap;
  EXPECT_TRUE(GetResourceManager()->LoadBitmap(bitmap, IDR_TEST_TOOLBAR));
  CBitmap none;
  EXPECT_FALSE(GetResourceManager()->LoadBitmap(none, 302));
  // The toolkit carries its own cursors (9008-9973); this id is none of them.
  EXPECT_TRUE(GetResourceManager()->LoadCursor(9375) != nullptr);
  EXPECT_EQ(GetResourceManager()->LoadCursor(8999), nullptr);
}

std::string g_shownText;
UINT g_shownFlags = 0;
int CALLBACK AnswerBox(LPCTSTR lpszText, UINT nType, UINT) {
  g_shownText = lpszText;
  g_shownFlags = nType;
  return IDCANCEL;
}

TEST(ResourceManager, MessageBoxShowsTheStringAndReturnsTheAnswer) {
  AFX_MSGBOX_HOOK previous = AfxSetMessageBoxHook(AnswerBox);
  EXPECT_EQ(GetResourceManager()->ShowMessageBox(IDS_TEST_QUESTION, MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
  EXPECT_EQ(g_shownText, "Reset the bar?");
  EXPECT_EQ(g_shownFlags, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  g_shownText.clear();
  EXPECT_EQ(GetResourceManager()->ShowMessageBox(9999, MB_OK), 0);
  EXPECT_TRUE(g_shownText.empty());
  AfxSetMessageBoxHook(previous);
}

}  // namespace
