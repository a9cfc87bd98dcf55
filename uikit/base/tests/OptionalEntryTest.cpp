// Every answer of the visual-styles wrapper when UxTheme or one of its
// entries is missing, and the colour manager over Windows without it.
#include "ColorManager.h"
#include "Refusal.h"
#include "WinThemeWrapper.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Answers {
  BOOL bOpened;
  HRESULT hrDraw, hrColor, hrName;
  BOOL bAppThemed, bActive, bEnabled;
};

Answers Ask() {
  CJVKWinThemeWrapper wrapper;
  wrapper.OpenThemeData(nullptr, L"BUTTON");
  Answers a;
  a.bOpened = wrapper.GetHandle() != nullptr;
  HDC hDC = ::CreateCompatibleDC(nullptr);
  RECT rect = {0, 0, 10, 10};
  a.hrDraw = wrapper.DrawThemeBackground(hDC, 1, 1, &rect, nullptr);
  ::DeleteDC(hDC);
  COLORREF clr = 0;
  a.hrColor = wrapper.GetThemeColor(0, 0, 3801, &clr);
  WCHAR file[MAX_PATH], color[MAX_PATH];
  a.hrName = wrapper.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, nullptr, 0);
  a.bAppThemed = wrapper.IsAppThemed();
  a.bActive = CJVKWinThemeWrapper::IsThemeActive();
  a.bEnabled = CJVKWinThemeWrapper::IsThemeEnabled();
  EXPECT_EQ(wrapper.CloseThemeData(), a.bOpened ? S_OK : 0);
  EXPECT_EQ(wrapper.GetHandle(), nullptr);
  return a;
}

TEST(OptionalEntry, WithoutUxThemeEveryWrapperCallAnswersAsUnthemed) {
  CRefusal refusal({"uxtheme.dll"});
  const Answers a = Ask();
  EXPECT_FALSE(a.bOpened);
  EXPECT_EQ(a.hrDraw, E_FAIL);
  EXPECT_EQ(a.hrColor, E_FAIL);
  EXPECT_EQ(a.hrName, E_FAIL);
  EXPECT_FALSE(a.bAppThemed);
  EXPECT_FALSE(a.bActive);
  EXPECT_FALSE(a.bEnabled);
  CJVKWinThemeWrapper closed;
  EXPECT_EQ(closed.CloseThemeData(), 0);
}

// One entry missing at a time: its operation answers as missing.
TEST(OptionalEntry, EachMissingUxThemeEntryHasItsOwnAnswer) {
  {
    CRefusal refusal({"uxtheme.dll!OpenThemeData"});
    const Answers a = Ask();
    EXPECT_FALSE(a.bOpened);
    EXPECT_EQ(a.hrDraw, E_FAIL) << "no handle";
    EXPECT_EQ(a.hrColor, E_FAIL);
    EXPECT_FALSE(a.bAppThemed);
  }
  {
    CRefusal refusal({"uxtheme.dll!GetCurrentThemeName"});
    EXPECT_EQ(Ask().hrName, E_FAIL);
  }
  {
    CRefusal refusal({"uxtheme.dll!IsThemeActive"});
    const Answers a = Ask();
    EXPECT_FALSE(a.bActive);
    EXPECT_FALSE(a.bEnabled);
  }
  {
    CRefusal refusal({"uxtheme.dll!IsAppThemed"});
    EXPECT_FALSE(Ask().bAppThemed);
  }
  {
    CRefusal refusal({"uxtheme.dll!DrawThemeBackground", "uxtheme.dll!GetThemeColor"});
    const Answers a = Ask();
    EXPECT_EQ(a.hrDraw, E_FAIL);
    EXPECT_EQ(a.hrColor, E_FAIL);
  }
  {
    CRefusal refusal({"comctl32.dll"});
    EXPECT_FALSE(Ask().bEnabled) << "comctl32's version unknown";
  }
}

TEST(OptionalEntry, WithUxThemeTheWrapperReachesTheLibrary) {
  const Answers a = Ask();
  // Wine's UxTheme answers; without an active style nothing opens.
  EXPECT_EQ(a.bActive, a.bOpened);
  if (!a.bOpened) {
    EXPECT_EQ(a.hrDraw, E_FAIL);
    EXPECT_FALSE(a.bAppThemed);
  }
  EXPECT_NE(a.hrName, E_FAIL) << "the entry was called (no style: its own error code)";
}

TEST(OptionalEntry, DllVersionFromDllGetVersion) {
  HMODULE hComctl = ::LoadLibraryA("comctl32.dll");
  EXPECT_GE(HIWORD(CJVKWinThemeWrapper::GetDllVersion(hComctl)), 5);
  ::FreeLibrary(hComctl);
  EXPECT_EQ(CJVKWinThemeWrapper::GetDllVersion(::GetModuleHandleA("kernel32.dll")), 0u);
}

TEST(OptionalEntry, ColourManagerOverWindowsWithoutUxThemeIsClassic) {
  CRefusal refusal({"uxtheme.dll"});
  CJVKColorManager manager(JVKGetDefaultColorSystem());
  EXPECT_EQ(manager.DetectXPTheme(), 0);
  EXPECT_EQ(manager.GetColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(manager.GetColor(57), ::GetSysColor(COLOR_BTNSHADOW)) << "tree border stays at its default";
}

TEST(OptionalEntry, RefusalSeesTheNamesTheToolkitAsksFor) {
  CRefusal refusal({});
  CJVKWinThemeWrapper::IsThemeActive();
  EXPECT_GT(CRefusal::Calls(), 0);
}

}  // namespace
