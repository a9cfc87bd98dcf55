// The window that carries a module's picture (control id 102): a child of
// the host's window, of the full-screen dialog or of the free window. Either
// a "STATIC" window as created, or, in the modules that want their own
// class, a borderless window of a class with double clicks, redraw on
// resize, the arrow cursor and the window-frame colour behind.
#pragma once

#include <framework/Wnd.h>

class CVideoWnd : public CWnd {
 public:
  static constexpr UINT kId = 102;
  static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

  explicit CVideoWnd(bool ownClass) : m_bOwnClass(ownClass) {}
  BOOL Create(CWnd* parent, const RECT& rect);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 private:
  const bool m_bOwnClass;
};
