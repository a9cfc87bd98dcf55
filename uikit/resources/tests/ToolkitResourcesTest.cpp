// The toolkit's resources as a program linking the toolkit sees them
// through the resource manager: every cursor, the bitmaps at their sizes,
// the dialog templates, the customize menu and the strings.
#include "ResourceManager.h"
#include "ToolkitResourceIds.h"

#include <gtest/gtest.h>

TEST(ToolkitResources, EveryCursorLoads) {
  const UINT ids[] = {9008, 9009, 9011, 9301, 9302, 9303, 9375, 9376, 9377, 9378, 9970, 9971, 9972, 9973};
  for (UINT nID : ids) {
    HCURSOR hCursor = GetResourceManager()->LoadCursor(nID);
    ASSERT_NE(nullptr, hCursor) << nID;
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info)) << nID;
    EXPECT_FALSE(info.fIcon) << nID;  // a cursor, with its hotspot inside
    EXPECT_LT(info.xHotspot, 32u) << nID;
    EXPECT_LT(info.yHotspot, 32u) << nID;
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
  }
}

TEST(ToolkitResources, BitmapsAreStripsOfSixteenPixelImages) {
  struct Row {
    UINT nID;
    int nImages, nBits;
  } rows[] = {{9322, 36, 24}, {9352, 16, 24}, {9353, 16, 32}, {9407, 4, 24}};
  for (const Row& row : rows) {
    CBitmap bitmap;
    ASSERT_TRUE(GetResourceManager()->LoadBitmap(bitmap, row.nID)) << row.nID;
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(16 * row.nImages, bm.bmWidth) << row.nID;
    EXPECT_EQ(16, bm.bmHeight) << row.nID;
  }
  // The 32-bit strip keeps its alpha: a corner is transparent.
  HBITMAP hBitmap = static_cast<HBITMAP>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(9353), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(nullptr, hBitmap);
  DIBSECTION dib = {};
  ASSERT_EQ(static_cast<int>(sizeof dib), ::GetObjectA(hBitmap, sizeof dib, &dib));
  EXPECT_EQ(32, dib.dsBm.bmBitsPixel);
  const BYTE* pBits = static_cast<const BYTE*>(dib.dsBm.bmBits);
  EXPECT_EQ(0, pBits[3]);
  ::DeleteObject(hBitmap);
}

TEST(ToolkitResources, DialogsMenusAndStrings) {
  for (UINT nID : {9304u, 9313u, 9328u, 9339u, 9351u})
    EXPECT_NE(nullptr, GetResourceManager()->LoadDialogTemplate(nID)) << nID;

  CMenu menu;
  ASSERT_TRUE(GetResourceManager()->LoadMenu(menu, JVK_IDR_CUSTOMIZE_MENU));
  CMenu* pPopup = menu.GetSubMenu(0);
  ASSERT_NE(nullptr, pPopup);
  CString strCaption;
  menu.GetMenuString(0, strCaption, MF_BYPOSITION);
  EXPECT_EQ("Customize", strCaption);
  std::vector<UINT> ids;
  for (UINT i = 0; i < pPopup->GetMenuItemCount(); ++i)
    if (UINT nID = pPopup->GetMenuItemID(static_cast<int>(i))) ids.push_back(nID);
  EXPECT_EQ((std::vector<UINT>{9315, 9316, 9317, 9318, 9319, 9320, 9321, 9322, 9323, 9325, 9324, 9326}), ids);

  struct Row {
    UINT nID;
    const char* pszText;
  } rows[] = {
      {9300, "&Add or Remove Buttons"},
      {9312, "Customize"},
      {9330, "Custom %d"},
      {9333, "A toolbar named '%s' already exists. Type another name."},
      {9363, "\nPencil"},
      {9404, "\nRestore Window"},
      {9416, "None"},
      {9450, "Black"},
      {9489, "White"},
      {9900, "Auto Hide"},
      {9901, "Close"},
      {9907, "Maximize"},
      {9908, "Restore"},
      {9909, "Menu"},
  };
  for (const Row& row : rows) {
    CString str;
    EXPECT_TRUE(GetResourceManager()->LoadString(str, row.nID)) << row.nID;
    EXPECT_EQ(row.pszText, str) << row.nID;
  }
}
