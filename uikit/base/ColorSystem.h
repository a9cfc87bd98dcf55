// What the colour manager asks of the system: the system colours, the depth
// of the display, the active visual style and the clock. The Windows build
// answers from Win32 and UxTheme; tests give fixed answers.
#pragma once

#include <Framework.h>

class CJVKColorSystem {
 public:
  virtual ~CJVKColorSystem() = default;
  virtual COLORREF GetSysColor(int nIndex) = 0;
  // The desktop's display has 1 to 8 bits per pixel.
  virtual BOOL IsLowColorDisplay() = 0;
  virtual BOOL IsThemeActive() = 0;
  // File and colour names of the active visual style; FALSE on failure.
  virtual BOOL GetCurrentThemeName(CString& strFile, CString& strColor) = 0;
  // The border colour of the tree-view class of the visual style, when the
  // application is themed; FALSE otherwise.
  virtual BOOL GetTreeBorderColor(COLORREF& clr) = 0;
  virtual DWORD GetTickCount() = 0;
};

// The system the process-wide colour manager is built on.
CJVKColorSystem* JVKGetDefaultColorSystem();
