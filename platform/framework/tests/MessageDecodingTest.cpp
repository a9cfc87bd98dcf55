// Every ON_WM_ entry compiles against its handler's signature, and the
// window procedure unpacks each message's parameters into the handler's
// arguments and its result back.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"

namespace {

std::string g_call;

template <class... T>
void Record(const char* name, T... values) {
  g_call = name;
  ((g_call += " " + std::to_string(values)), ...);
}

class CDecodingWnd : public CWnd {
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT p) { return CWnd::OnCreate(p); }
  afx_msg void OnDestroy() { CWnd::OnDestroy(); }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    Record("erase", pDC != nullptr);
    return TRUE;
  }
  afx_msg void OnSize(UINT t, int cx, int cy) { Record("size", t, cx, cy); }
  afx_msg void OnMove(int x, int y) { Record("move", x, y); }
  afx_msg void OnTimer(UINT_PTR id) { Record("timer", id); }
  afx_msg void OnShowWindow(BOOL b, UINT s) { Record("show", b, s); }
  afx_msg void OnLButtonDown(UINT f, CPoint p) { Record("lbuttondown", f, p.x, p.y); }
  afx_msg BOOL OnMouseWheel(UINT f, short z, CPoint p) {
    Record("wheel", f, z, p.x, p.y);
    return TRUE;
  }
  afx_msg void OnKeyDown(UINT c, UINT r, UINT f) { Record("keydown", c, r, f); }
  afx_msg void OnChar(UINT c, UINT r, UINT f) { Record("char", c, r, f); }
  afx_msg void OnSetFocus(CWnd* p) { Record("setfocus", p == nullptr); }
  afx_msg void OnSysCommand(UINT id, LPARAM l) { Record("syscommand", id, l); }
  afx_msg BOOL OnSetCursor(CWnd* p, UINT h, UINT m) {
    Record("setcursor", p != nullptr, h, m);
    return TRUE;
  }
  afx_msg LRESULT OnNcHitTest(CPoint p) {
    LRESULT r = CWnd::OnNcHitTest(p);
    Record("nchittest", p.x, p.y);
    return r == HTCLIENT ? HTCAPTION : r;
  }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* p) {
    p->ptMinTrackSize.x = 123;
    Record("minmax");
  }
  afx_msg UINT OnGetDlgCode() {
    Record("getdlgcode");
    return DLGC_WANTALLKEYS;
  }
  afx_msg void OnContextMenu(CWnd* p, CPoint pt) { Record("contextmenu", p != nullptr, pt.x, pt.y); }
  afx_msg void OnHScroll(UINT c, UINT pos, CScrollBar* p) { Record("hscroll", c, pos, p != nullptr); }
  afx_msg void OnActivate(UINT s, CWnd* p, BOOL m) { Record("activate", s, p == nullptr, m); }
  afx_msg void OnActivateApp(BOOL a, DWORD t) { Record("activateapp", a, t); }
  afx_msg void OnSettingChange(UINT f, LPCTSTR s) { Record("settingchange", f, std::string(s ? s : "").size()); }
  afx_msg BOOL OnNcActivate(BOOL b) {
    Record("ncactivate", b);
    return TRUE;
  }
  afx_msg int OnMouseActivate(CWnd* p, UINT h, UINT m) {
    Record("mouseactivate", p != nullptr, h, m);
    return MA_NOACTIVATE;
  }
  afx_msg void OnInitMenuPopup(CMenu* p, UINT i, BOOL s) { Record("initmenupopup", p != nullptr, i, s); }
  afx_msg void OnMenuSelect(UINT id, UINT f, HMENU h) { Record("menuselect", id, f, h == nullptr); }
  afx_msg void OnEnable(BOOL b) { Record("enable", b); }
  afx_msg void OnSizing(UINT s, LPRECT r) {
    r->right = r->left + 200;
    Record("sizing", s);
  }
  afx_msg void OnParentNotify(UINT m, LPARAM l) { Record("parentnotify", m, l); }
  afx_msg BOOL OnCopyData(CWnd* p, COPYDATASTRUCT* c) {
    Record("copydata", p == nullptr, c->dwData, c->cbData);
    return TRUE;
  }
  afx_msg void OnCaptureChanged(CWnd* p) { Record("capturechanged", p != nullptr); }
  afx_msg void OnWindowPosChanging(WINDOWPOS* p) { CWnd::OnWindowPosChanging(p); }
  afx_msg void OnDropFiles(HDROP h) { Record("dropfiles", h != nullptr); }
  afx_msg void OnStyleChanged(int t, LPSTYLESTRUCT p) { Record("stylechanged", t); }
  afx_msg void OnMouseLeave() { Record("mouseleave"); }
  afx_msg void OnCancelMode() { Record("cancelmode"); }
  afx_msg BOOL OnQueryNewPalette() {
    Record("querynewpalette");
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDecodingWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_TIMER()
ON_WM_SHOWWINDOW()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_SYSCOMMAND()
ON_WM_SETCURSOR()
ON_WM_NCHITTEST()
ON_WM_GETMINMAXINFO()
ON_WM_GETDLGCODE()
ON_WM_CONTEXTMENU()
ON_WM_HSCROLL()
ON_WM_ACTIVATE()
ON_WM_ACTIVATEAPP()
ON_WM_SETTINGCHANGE()
ON_WM_NCACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ENABLE()
ON_WM_SIZING()
ON_WM_PARENTNOTIFY()
ON_WM_COPYDATA()
ON_WM_CAPTURECHANGED()
ON_WM_WINDOWPOSCHANGING()
ON_WM_DROPFILES()
ON_WM_STYLECHANGED()
ON_WM_MOUSELEAVE()
ON_WM_CANCELMODE()
ON_WM_QUERYNEWPALETTE()
END_MESSAGE_MAP()

TEST(MessageDecodingTest, ParametersReachTheHandlersUnpacked) {
  CDecodingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "decode", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  HWND hWnd = wnd.m_hWnd;
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | SBS_HORZ, CRect(0, 0, 50, 10), &wnd, 9));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  COPYDATASTRUCT copy = {77, 5, const_cast<char*>("hello")};
  RECT sizing = {10, 10, 20, 20};
  MINMAXINFO minmax = {};

  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* call;
    LRESULT result;
  } cases[] = {
      {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "size 2 640 480", 0},
      {WM_MOVE, 0, MAKELPARAM(-5, 7), "move -5 7", 0},
      {WM_TIMER, 4711, 0, "timer 4711", 0},
      {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3", 0},
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 40), "lbuttondown 5 -3 40", 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(300, 200), "wheel 8 -120 300 200", 1},
      {WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x8041), "keydown 116 3 32833", 0},
      {WM_CHAR, 'x', MAKELPARAM(1, 0x2D), "char 120 1 45", 0},
      {WM_SETFOCUS, 0, 0, "setfocus 1", 0},
      {WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(1, 2), "syscommand 61536 131073", 0},
      {WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "setcursor 1 1 512", 1},
      {WM_GETDLGCODE, 0, 0, "getdlgcode", DLGC_WANTALLKEYS},
      {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(-1, -1), "contextmenu 1 -1 -1", 0},
      {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), reinterpret_cast<LPARAM>(bar.m_hWnd), "hscroll 5 33 1", 0},
      {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 1 1", 0},
      {WM_ACTIVATEAPP, TRUE, 1234, "activateapp 1 1234", 0},
      {WM_SETTINGCHANGE, SPI_SETWORKAREA, reinterpret_cast<LPARAM>("intl"), "settingchange 47 4", 0},
      {WM_NCACTIVATE, FALSE, 0, "ncactivate 0", 1},
      {WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN), "mouseactivate 1 2 513",
       MA_NOACTIVATE},
      {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), MAKELPARAM(2, TRUE), "initmenupopup 1 2 1", 0},
      {WM_MENUSELECT, MAKEWPARAM(41731, MF_HILITE), 0, "menuselect 41731 128 1", 0},
      {WM_ENABLE, TRUE, 0, "enable 1", 0},
      {WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing), "sizing 2", 1},
      {WM_PARENTNOTIFY, WM_LBUTTONDOWN, MAKELPARAM(4, 5), "parentnotify 513 327684", 0},
      {WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), "copydata 1 77 5", 1},
      {WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd), "capturechanged 1", 0},
      {WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&minmax), "minmax", 0},
      {WM_MOUSELEAVE, 0, 0, "mouseleave", 0},
      {WM_CANCELMODE, 0, 0, "cancelmode", 0},
      {WM_QUERYNEWPALETTE, 0, 0, "querynewpalette", 1},
  };
  for (const Case& c : cases) {
    g_call.clear();
    LRESULT result = ::SendMessageA(hWnd, c.message, c.wParam, c.lParam);
    EXPECT_EQ(g_call, c.call) << std::hex << c.message;
    EXPECT_EQ(result, c.result) << c.call;
  }
  EXPECT_EQ(sizing.right, 210);
  EXPECT_EQ(minmax.ptMinTrackSize.x, 123);

  // Handlers that change the default answer.
  CRect rect;
  wnd.GetWindowRect(&rect);
  EXPECT_EQ(::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 5, rect.top + 5)), HTCAPTION);
  HDC hDC = ::GetDC(hWnd);
  EXPECT_EQ(::SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0), 1);
  EXPECT_EQ(g_call, "erase 1");
  ::ReleaseDC(hWnd, hDC);
  wnd.DestroyWindow();
}

}  // namespace
