// Plays the user of a modal dialog in a test: once the dialog's own message
// loop runs, a message posted to a window of this object's before the
// dialog opened finds the dialog by its caption and acts on it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CDialogUser {
 public:
  CDialogUser(const char* caption, std::function<void(HWND)> act) : m_caption(caption), m_act(std::move(act)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuillonDialogUser";
    RegisterClassA(&wc);
    m_hWnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    s_pUser = this;
    PostMessageA(m_hWnd, WM_APP, 0, 0);
  }
  ~CDialogUser() {
    DestroyWindow(m_hWnd);
    s_pUser = nullptr;
  }
  CDialogUser(const CDialogUser&) = delete;
  CDialogUser& operator=(const CDialogUser&) = delete;

  // Whether the dialog was found and acted on.
  bool Acted() const { return m_bActed; }

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP && s_pUser) {
      HWND dialog = FindWindowA("#32770", s_pUser->m_caption.c_str());
      EXPECT_TRUE(dialog) << s_pUser->m_caption;
      if (dialog) {
        s_pUser->m_bActed = true;
        s_pUser->m_act(dialog);
      }
      return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
  static inline CDialogUser* s_pUser = nullptr;
  std::string m_caption;
  std::function<void(HWND)> m_act;
  HWND m_hWnd;
  bool m_bActed = false;
};

// The texts of a combo box, in its order.
inline std::vector<std::string> ComboItems(HWND box) {
  std::vector<std::string> items;
  const int n = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; i++) {
    char text[300] = {};
    SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}
