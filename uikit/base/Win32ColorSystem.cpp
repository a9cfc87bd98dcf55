// The colour manager's view of Windows: system colours, the desktop's depth
// and the visual style through the UxTheme wrapper.
#include "ColorSystem.h"

#include "DrawHelpers.h"
#include "WinThemeWrapper.h"

namespace {

const int TMT_BORDERCOLOR_ID = 3801;

CString Narrow(const WCHAR* psz) {
  char buffer[MAX_PATH * 2] = "";
  ::WideCharToMultiByte(CP_ACP, 0, psz, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

class CWin32ColorSystem : public CJVKColorSystem {
 public:
  COLORREF GetSysColor(int nIndex) override { return ::GetSysColor(nIndex); }
  BOOL IsLowColorDisplay() override { return CJVKDrawHelpers::IsLowColor(nullptr); }
  BOOL IsThemeActive() override { return CJVKWinThemeWrapper::IsThemeActive(); }
  BOOL GetCurrentThemeName(CString& strFile, CString& strColor) override {
    WCHAR file[MAX_PATH] = L"", color[MAX_PATH] = L"";
    CJVKWinThemeWrapper wrapper;
    if (FAILED(wrapper.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, nullptr, 0))) return FALSE;
    strFile = Narrow(file);
    strColor = Narrow(color);
    return TRUE;
  }
  BOOL GetTreeBorderColor(COLORREF& clr) override {
    CJVKWinThemeWrapper wrapper;
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    BOOL bRead = wrapper.IsAppThemed() && SUCCEEDED(wrapper.GetThemeColor(0, 0, TMT_BORDERCOLOR_ID, &clr));
    wrapper.CloseThemeData();
    return bRead;
  }
  DWORD GetTickCount() override { return ::GetTickCount(); }
};

}  // namespace

CJVKColorSystem* JVKGetDefaultColorSystem() {
  static CWin32ColorSystem system;
  return &system;
}
