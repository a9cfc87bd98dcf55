// The clipboard's text for window tests: put and read CF_TEXT, waiting a
// bounded time while another program holds the clipboard.
#pragma once

#include <Framework.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

inline BOOL OpenClipboardBounded(HWND hWnd) {
  for (int i = 0; i < 200; ++i) {
    if (::OpenClipboard(hWnd)) return TRUE;
    ::Sleep(10);
  }
  return FALSE;
}

// Takes the block (GMEM_MOVEABLE) as the clipboard's CF_TEXT.
inline void PutClipboardBlock(HGLOBAL hGlobal) {
  ASSERT_TRUE(OpenClipboardBounded(nullptr));
  ::EmptyClipboard();
  EXPECT_NE(::SetClipboardData(CF_TEXT, hGlobal), nullptr);
  ::CloseClipboard();
}

inline void PutClipboardText(const char* pszText) {
  const size_t n = strlen(pszText) + 1;
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, n);
  memcpy(::GlobalLock(hGlobal), pszText, n);
  ::GlobalUnlock(hGlobal);
  PutClipboardBlock(hGlobal);
}

// The CF_TEXT on the clipboard; "(no text)" or "(clipboard busy)" otherwise.
inline std::string ClipboardText() {
  std::string text;
  if (!OpenClipboardBounded(nullptr)) return "(clipboard busy)";
  if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(::GlobalLock(hData));
    text.assign(p, strnlen(p, ::GlobalSize(hData)));
    ::GlobalUnlock(hData);
  } else {
    text = "(no text)";
  }
  ::CloseClipboard();
  return text;
}
