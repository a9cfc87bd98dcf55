// Rich edit initialisation makes the rich edit window classes available.
#include <gtest/gtest.h>

#include <richedit.h>

#include "WindowTestSupport.h"

namespace {

TEST(RichEditTest, InitialisationMakesBothVersionsWindowClassesUsable) {
  struct Case {
    BOOL(AFXAPI* pfnInit)();
    const char* lpszClass;
  };
  for (const Case& c : {Case{AfxInitRichEdit, "RICHEDIT"}, Case{AfxInitRichEdit2, "RichEdit20A"}}) {
    ASSERT_TRUE(c.pfnInit()) << c.lpszClass;
    EXPECT_TRUE(c.pfnInit()) << "a second call: " << c.lpszClass;
    HWND hWnd = ::CreateWindowExA(0, c.lpszClass, "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 50, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(hWnd, nullptr) << c.lpszClass;
    ::SetWindowTextA(hWnd, "rich text");
    EXPECT_EQ(::GetWindowTextLengthA(hWnd), 9) << c.lpszClass;
    ::DestroyWindow(hWnd);
  }
}

}  // namespace
