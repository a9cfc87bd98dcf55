#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resource.h"

namespace {

INT_PTR CALLBACK Ignore(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string TextOf(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

class ServerDialogTemplate : public testing::Test {
 protected:
  ServerDialogTemplate() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    dialog = CreateDialogParamA(GetModuleHandle(nullptr), MAKEINTRESOURCEA(IDD_SERVER), nullptr, Ignore, 0);
  }
  ~ServerDialogTemplate() override { DestroyWindow(dialog); }
  HWND dialog;
};

TEST_F(ServerDialogTemplate, HoldsTheServerControls) {
  ASSERT_TRUE(dialog);
  struct Row {
    int id;
    const char* kind;
    const char* text;
    DWORD style;  // bits that must be set
  };
  const Row rows[] = {
      {IDC_LOG, "Edit", "", ES_MULTILINE | WS_VSCROLL},
      {IDC_CLIENTS, WC_LISTVIEWA, "", LVS_REPORT},
      {IDC_PORT, "Edit", "", ES_RIGHT},
      {IDC_EXPERT, "Button", "", BS_AUTOCHECKBOX},
      {IDC_AUTOSTART, "Button", "", BS_AUTOCHECKBOX},
      {IDC_TIMEOUT_GROUP, "Button", "Manual timeout", BS_GROUPBOX},
      {IDC_TIMEOUT_LABEL, "Static", "Timeout:", 0},
      {IDC_TIMEOUT, "Edit", "", 0},
      {IDC_TIMEOUT_UNIT, "Static", "ms", 0},
      {IDC_RECEIVED, "Edit", "", ES_READONLY | ES_RIGHT},
      {IDC_SENT, "Edit", "", ES_READONLY | ES_RIGHT},
      {IDC_QUEUE_SIZE, "Edit", "", ES_READONLY | ES_RIGHT},
      {IDC_QUEUE_BAR, PROGRESS_CLASSA, "", 0},
      // Both are default buttons in the template; the dialog manager keeps
      // the default look on one of them only.
      {IDC_START_STOP, "Button", "Start Server", 0},
      {IDOK, "Button", "Close", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    HWND control = GetDlgItem(dialog, row.id);
    ASSERT_TRUE(control);
    EXPECT_STRCASEEQ(row.kind, ClassOf(control).c_str());
    EXPECT_EQ(row.text, TextOf(control));
    EXPECT_EQ(row.style, static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & row.style);
  }
  std::vector<std::string> labels;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgCtrlID(child) == -1 || GetDlgCtrlID(child) == 0xFFFF) labels.push_back(TextOf(child));
  const std::vector<std::string> expected = {"Current client connections", "Setup", "Server port:", "Expert mode:",
                                             "Autostart:", "Statistics", "Received packets:", "Sent packets:",
                                             "Packets in queue:"};
  EXPECT_EQ(expected, labels);
}

TEST_F(ServerDialogTemplate, IsAHiddenPopupWithCaptionAndNoSystemMenu) {
  ASSERT_TRUE(dialog);
  EXPECT_EQ("Quillon Professional MPEG2 TV Server 1.16", TextOf(dialog));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_FALSE(IsWindowVisible(dialog));
  RECT units = {0, 0, 353, 353};
  MapDialogRect(dialog, &units);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(units.right, client.right);
  EXPECT_EQ(units.bottom, client.bottom);

  // For a look at the layout: QUILLON_SCREENSHOT_DIR receives the dialog
  // drawn into a bitmap (server-dialog.bmp).
  char dir[MAX_PATH];
  if (!GetEnvironmentVariableA("QUILLON_SCREENSHOT_DIR", dir, sizeof(dir))) return;
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    Sleep(10);
  }
  RECT frame;
  GetWindowRect(dialog, &frame);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * h),
                           0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  if (FILE* f = std::fopen((std::string(dir) + "\\server-dialog.bmp").c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, f);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, f);
    std::fwrite(bits, stride, h, f);
    std::fclose(f);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
