// Controls whose wrappers do more than forward one message: the check list
// box, list and tree views, image lists, menus, and the file dialog's names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"

namespace {

const UINT IDC_CHECKLIST = 100;

class CHostWnd : public CWnd {
 public:
  std::vector<int> m_changes;  // CLBN_CHKCHANGE, by the index checked at that time
  CCheckListBox m_list;

 protected:
  afx_msg void OnCheckChange() { m_changes.push_back(m_list.GetCaretIndex()); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
ON_CONTROL(CLBN_CHKCHANGE, IDC_CHECKLIST, OnCheckChange)
END_MESSAGE_MAP()

TEST(ControlsTest, CheckListBoxKeepsStatesWithItemsAndToggles) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(host.m_list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 200, 150), &host, IDC_CHECKLIST));
  CCheckListBox& list = host.m_list;
  EXPECT_EQ(list.AddString("one"), 0);
  EXPECT_EQ(list.AddString("two"), 1);
  EXPECT_EQ(list.AddString("three"), 2);
  list.SetCheck(2, 1);
  list.SetCheck(0, 1);
  EXPECT_EQ(list.InsertString(1, "inserted"), 1);  // states move with their items
  EXPECT_EQ(list.GetCheck(0), 1);
  EXPECT_EQ(list.GetCheck(1), 0);
  EXPECT_EQ(list.GetCheck(3), 1);
  list.DeleteString(0);
  EXPECT_EQ(list.GetCheck(0), 0);
  EXPECT_EQ(list.GetCheck(2), 1);
  EXPECT_EQ(list.GetCheck(7), -1);  // no such item
  CString text;
  list.GetText(2, text);
  EXPECT_STREQ(text, "three");

  // A click on an item's box toggles it and tells the parent; a click on its
  // text only selects.
  CRect item;
  ASSERT_NE(list.GetItemRect(1, &item), LB_ERR);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 3, item.top + 2));
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 3, item.top + 2));
  EXPECT_EQ(list.GetCheck(1), 1);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 60, item.top + 2));
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.left + 60, item.top + 2));
  EXPECT_EQ(list.GetCheck(1), 1);
  EXPECT_EQ(list.GetCurSel(), 1);
  // The space bar toggles the current item; a disabled item does not change.
  list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(list.GetCheck(1), 0);
  list.Enable(1, FALSE);
  list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(list.GetCheck(1), 0);
  EXPECT_EQ(host.m_changes, (std::vector<int>{1, 1}));
  list.ResetContent();
  EXPECT_EQ(list.GetCheck(0), -1);
  host.DestroyWindow();
}

TEST(ControlsTest, ListAndTreeViews) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 100), &host, 1));
  EXPECT_EQ(list.InsertColumn(0, "IP", LVCFMT_LEFT, 120), 0);
  EXPECT_EQ(list.InsertColumn(1, "Host", LVCFMT_LEFT, 350), 1);
  EXPECT_EQ(list.GetColumnWidth(1), 350);
  EXPECT_EQ(list.InsertItem(0, "192.168.0.2 (4711)"), 0);
  EXPECT_TRUE(list.SetItemText(0, 1, ""));
  std::string longText(600, 'x');
  EXPECT_EQ(list.InsertItem(1, longText.c_str()), 1);
  EXPECT_TRUE(list.SetItemData(1, 77));
  EXPECT_STREQ(list.GetItemText(0, 0), "192.168.0.2 (4711)");
  EXPECT_EQ(list.GetItemText(1, 0).GetLength(), 600);  // longer than one buffer
  EXPECT_EQ(list.GetItemData(1), 77u);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  POSITION pos = list.GetFirstSelectedItemPosition();
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(list.GetNextSelectedItem(pos), 1);
  EXPECT_EQ(pos, nullptr);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);

  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 100, 300, 200), &host, 2));
  HTREEITEM hRoot = tree.InsertItem("Satellite");
  HTREEITEM hChild = tree.InsertItem("Sat east", hRoot);
  tree.SetItemData(hChild, 19);
  EXPECT_EQ(tree.GetRootItem(), hRoot);
  EXPECT_EQ(tree.GetChildItem(hRoot), hChild);
  EXPECT_EQ(tree.GetParentItem(hChild), hRoot);
  EXPECT_TRUE(tree.ItemHasChildren(hRoot));
  EXPECT_STREQ(tree.GetItemText(hChild), "Sat east");
  EXPECT_EQ(tree.GetItemData(hChild), 19u);
  EXPECT_EQ(tree.GetCount(), 2u);
  host.DestroyWindow();
}

TEST(ControlsTest, UpDownControlKeepsItsBuddyInRange) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_CHILD | ES_NUMBER, CRect(0, 0, 80, 20), &host, 3));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, CRect(0, 0, 0, 0), &host, 4));
  spin.SetBuddy(&buddy);
  EXPECT_EQ(spin.GetBuddy()->GetSafeHwnd(), buddy.m_hWnd);
  spin.SetRange32(-5, 70000);
  int nLower = 0, nUpper = 0;
  spin.GetRange32(nLower, nUpper);
  EXPECT_EQ(nLower, -5);
  EXPECT_EQ(nUpper, 70000);
  spin.SetPos32(65536);
  EXPECT_EQ(spin.GetPos32(), 65536);
  char sz[16] = {};
  buddy.GetWindowText(sz, sizeof(sz));
  EXPECT_STREQ(sz, "65536") << "the buddy shows the position";
  spin.SetPos32(100000);
  EXPECT_EQ(spin.GetPos32(), 70000) << "clamped to the range";
  host.DestroyWindow();
}

TEST(ControlsTest, ImageListsAndMenus) {
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
  EXPECT_EQ(images.Add(::LoadIcon(nullptr, IDI_APPLICATION)), 0);
  EXPECT_EQ(images.GetImageCount(), 1);
  EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);

  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendMenu(MF_STRING, 41731, "Eigenschaften..."));
  CMenu bar;
  ASSERT_TRUE(bar.CreateMenu());
  ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(menu.Detach()), "Plugin"));
  CMenu* pPopup = bar.GetSubMenu(0);  // temporary object
  ASSERT_NE(pPopup, nullptr);
  EXPECT_EQ(pPopup->GetMenuItemID(0), 41731u);
  CString text;
  pPopup->GetMenuString(41731, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Eigenschaften...");

  // Update handlers reach menu items through CCmdUI.
  CCmdUI state;
  state.m_pMenu = pPopup;
  state.m_nIndex = 0;
  state.m_nID = 41731;
  state.Enable(FALSE);
  state.SetCheck(1);
  UINT nState = pPopup->GetMenuState(0, MF_BYPOSITION);
  EXPECT_TRUE(nState & MF_GRAYED);
  EXPECT_TRUE(nState & MF_CHECKED);
  AfxGetApp()->OnIdle(1);  // frees the temporary menu object, not the menu
  EXPECT_EQ(bar.GetMenuItemCount(), 1u);
}

TEST(ControlsTest, FileDialogNames) {
  CFileDialog single(TRUE, "qcx", "C:\\lists\\east 19.2.qcx", OFN_HIDEREADONLY,
                     "Lists (*.qcx)|*.qcx|All files (*.*)|*.*||");
  EXPECT_STREQ(single.GetPathName(), "C:\\lists\\east 19.2.qcx");
  EXPECT_STREQ(single.GetFileName(), "east 19.2.qcx");
  EXPECT_STREQ(single.GetFileExt(), "qcx");
  EXPECT_STREQ(single.GetFileTitle(), "east 19.2");
  EXPECT_STREQ(single.GetFolderPath(), "C:\\lists");
  // The filter's separators became NULs, ending with two.
  const char* f = single.m_ofn.lpstrFilter;
  EXPECT_STREQ(f, "Lists (*.qcx)");
  f += strlen(f) + 1;
  EXPECT_STREQ(f, "*.qcx");
  f += strlen(f) + 1;
  EXPECT_STREQ(f, "All files (*.*)");
  f += strlen(f) + 1;
  EXPECT_STREQ(f, "*.*");
  f += strlen(f) + 1;
  EXPECT_EQ(*f, 0);

  POSITION pos = single.GetStartPosition();
  ASSERT_NE(pos, nullptr);
  EXPECT_STREQ(single.GetNextPathName(pos), "C:\\lists\\east 19.2.qcx");
  EXPECT_EQ(pos, nullptr);

  // Several files: the folder, then the names.
  CFileDialog multi(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
  const char names[] = "C:\\lists\0a.qcx\0b.qcx\0";
  memcpy(multi.m_ofn.lpstrFile, names, sizeof(names));
  pos = multi.GetStartPosition();
  std::vector<std::string> paths;
  while (pos != nullptr) paths.push_back(static_cast<LPCTSTR>(multi.GetNextPathName(pos)));
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\lists\\a.qcx", "C:\\lists\\b.qcx"}));
}

}  // namespace

namespace {

// A static-control class that takes over a group box and puts a check box
// on it: the check box's clicks reach the group box's own message map.
class CCaptionCheck : public CStatic {
 public:
  CButton m_check;
  int m_nToggles = 0;
  BOOL Attach(CWnd* pParent, UINT nID) {
    if (!SubclassDlgItem(nID, pParent)) return FALSE;
    CString caption;
    GetWindowText(caption);
    SetWindowText("");
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT))));
    CSize size = dc.GetTextExtent(caption);
    dc.SelectObject(pOld);
    CRect rect(10, 0, 10 + size.cx + 20, size.cy > 20 ? size.cy : 20);
    return m_check.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, rect, this, 6013);
  }

 protected:
  afx_msg void OnCheck() {
    ++m_nToggles;
    m_check.SetCheck(m_check.GetCheck() ? 0 : 1);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCaptionCheck, CStatic)
ON_BN_CLICKED(6013, OnCheck)
END_MESSAGE_MAP()

TEST(ControlsTest, SubclassedGroupBoxHandlesItsChildsCommands) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_NE(::CreateWindowA("BUTTON", "Manual timeout", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 100,
                            host.m_hWnd, reinterpret_cast<HMENU>(6010), nullptr, nullptr),
            nullptr);
  CCaptionCheck group;
  ASSERT_TRUE(group.Attach(&host, 6010));
  char szText[32];
  group.m_check.GetWindowText(szText, sizeof(szText));
  EXPECT_STREQ(szText, "Manual timeout");
  EXPECT_EQ(group.GetWindowTextLength(), 0);
  group.m_check.Click();
  EXPECT_EQ(group.m_nToggles, 1);
  EXPECT_EQ(group.m_check.GetCheck(), 1);
  group.m_check.Click();
  EXPECT_EQ(group.m_check.GetCheck(), 0);
  host.DestroyWindow();
  EXPECT_EQ(group.m_hWnd, nullptr);  // the window's end unties the object
}

}  // namespace
