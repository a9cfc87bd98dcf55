// The masked edit with real (injected) keys: typed digits, Insert, Backspace,
// Ctrl+Z and Ctrl+V reach it through the system's key state and the
// framework's pre-translation, as in the editor.
#include "MaskEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "InputInjection.h"

namespace {

// Dispatches the thread's messages as the framework's loop does until the
// edit shows the text (bounded).
BOOL PumpUntilText(CJVKMaskEdit& edit, const char* pszText) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
    CString s;
    edit.GetWindowText(s);
    if (s == pszText) return TRUE;
    if (::GetTickCount() - dwStart > 5000) return FALSE;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

void Tap(WORD vk) {
  InjectKey(vk, FALSE);
  InjectKey(vk, TRUE);
}

void CtrlTap(WORD vk) {
  InjectKey(VK_CONTROL, FALSE);
  Tap(vk);
  InjectKey(VK_CONTROL, TRUE);
}

TEST(MaskEditInput, InjectedKeysFollowTheMask) {
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "Mask edit input", WS_POPUP | WS_VISIBLE, 60, 60,
                             240, 50, nullptr, nullptr));
  CJVKMaskEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 235, 35), &frame, 100));
  ASSERT_TRUE(edit.SetEditMask("00/00", "__/__"));
  BringToFront(frame.m_hWnd);
  edit.SetFocus();
  edit.SetSel(0, 0);

  for (WORD vk : {WORD('1'), WORD('2'), WORD('3')}) Tap(vk);
  EXPECT_TRUE(PumpUntilText(edit, "12/3_"));
  Tap('A');
  Tap(VK_BACK);
  EXPECT_TRUE(PumpUntilText(edit, "12/__")) << "the letter was refused, Backspace took the 3";

  edit.SetSel(0, 0);
  Tap(VK_INSERT);
  Tap('9');
  EXPECT_TRUE(PumpUntilText(edit, "92/__")) << "overtype";
  EXPECT_TRUE(edit.IsOverType());
  Tap(VK_INSERT);

  CtrlTap('Z');
  EXPECT_TRUE(PumpUntilText(edit, "12/__")) << "undo";

  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 3);
  memcpy(::GlobalLock(hGlobal), "34", 3);
  ::GlobalUnlock(hGlobal);
  ::SetClipboardData(CF_TEXT, hGlobal);
  ::CloseClipboard();
  edit.SetSel(3, 5);
  CtrlTap('V');
  EXPECT_TRUE(PumpUntilText(edit, "12/34")) << "paste";

  frame.DestroyWindow();
}

}  // namespace
