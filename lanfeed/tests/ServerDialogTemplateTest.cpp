#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Screenshot.h"
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
  const std::vector<std::string> expected = {
      "Current client connections", "Setup",         "Server port:",     "Expert mode:", "Autostart:", "Statistics",
      "Received packets:",          "Sent packets:", "Packets in queue:"};
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

  // For a look at the layout (QUILLON_SCREENSHOT_DIR).
  SaveScreenshotIfAsked(dialog, "server-dialog-template");
}

}  // namespace
