// Message maps: the table of a class that says which member handles which
// window message, command or notification. A class declares its map with
// DECLARE_MESSAGE_MAP() and defines it with
//
//   BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
//     ON_WM_TIMER()
//     ON_COMMAND(ID_START, OnStart)
//     ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, OnItemChanged)
//   END_MESSAGE_MAP()
//
// Lookups walk from the class's map to its base class's maps. Each entry
// records the handler's signature; the macros check the handler's type.
#pragma once

#include "Defs.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CScrollBar;
class CPoint;
class CMenu;

#define afx_msg
typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures (the function types a map entry may hold).
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_v_v,        // void ()
  AfxSig_b_v,        // BOOL ()
  AfxSig_l_wl,       // LRESULT (WPARAM, LPARAM)
  AfxSig_i_CREATE,   // int (LPCREATESTRUCT)
  AfxSig_b_D,        // BOOL (CDC*)
  AfxSig_v_u_ii,     // void (UINT, int, int)
  AfxSig_v_ii,       // void (int, int)
  AfxSig_v_up,       // void (UINT_PTR)
  AfxSig_v_b_u,      // void (BOOL, UINT)
  AfxSig_v_u_p,      // void (UINT, CPoint)
  AfxSig_b_u_s_p,    // BOOL (UINT, short, CPoint)
  AfxSig_v_uuu,      // void (UINT, UINT, UINT)
  AfxSig_v_W,        // void (CWnd*)
  AfxSig_v_u_l,      // void (UINT, LPARAM)
  AfxSig_v_u_s,      // void (UINT, LPCTSTR)
  AfxSig_b_W_uu,     // BOOL (CWnd*, UINT, UINT)
  AfxSig_l_p,        // LRESULT (CPoint)
  AfxSig_v_MINMAX,   // void (MINMAXINFO*)
  AfxSig_u_v,        // UINT ()
  AfxSig_v_DROP,     // void (HDROP)
  AfxSig_v_W_p,      // void (CWnd*, CPoint)
  AfxSig_v_POS,      // void (WINDOWPOS*)
  AfxSig_v_uu_SB,    // void (UINT, UINT, CScrollBar*)
  AfxSig_v_uu,       // void (UINT, UINT) (reflected scrolling)
  AfxSig_hb_D_W_u,   // HBRUSH (CDC*, CWnd*, UINT)
  AfxSig_hb_D_u,     // HBRUSH (CDC*, UINT)
  AfxSig_v_i_DRAW,   // void (int, LPDRAWITEMSTRUCT)
  AfxSig_v_i_MEAS,   // void (int, LPMEASUREITEMSTRUCT)
  AfxSig_v_DRAW,     // void (LPDRAWITEMSTRUCT) (reflected)
  AfxSig_v_MEAS,     // void (LPMEASUREITEMSTRUCT) (reflected)
  AfxSig_v_u_W_b,    // void (UINT, CWnd*, BOOL)
  AfxSig_v_b_h,      // void (BOOL, DWORD)
  AfxSig_v_i_STYLE,  // void (int, LPSTYLESTRUCT)
  AfxSig_v_b_CALC,   // void (BOOL, NCCALCSIZE_PARAMS*)
  AfxSig_v_h,        // void (HRGN) (WM_NCPAINT)
  AfxSig_b_b,        // BOOL (BOOL)
  AfxSig_i_W_uu,     // int (CWnd*, UINT, UINT)
  AfxSig_v_M_u_b,    // void (CMenu*, UINT, BOOL)
  AfxSig_v_u_u_M,    // void (UINT, UINT, HMENU)
  AfxSig_v_b,        // void (BOOL)
  AfxSig_b_CREATE,   // BOOL (LPCREATESTRUCT)
  AfxSig_v_u_R,      // void (UINT, LPRECT)
  AfxSig_b_W_COPY,   // BOOL (CWnd*, COPYDATASTRUCT*)
  // Commands and notifications.
  AfxSigCmd_v,         // void ()
  AfxSigCmd_b,         // BOOL () (reflected, _EX)
  AfxSigCmd_RANGE,     // void (UINT)
  AfxSigCmd_EX,        // BOOL (UINT)
  AfxSigCmdUI,         // void (CCmdUI*)
  AfxSigNotify_v,      // void (NMHDR*, LRESULT*)
  AfxSigNotify_b,      // BOOL (NMHDR*, LRESULT*) (reflected, _EX)
  AfxSigNotify_RANGE,  // void (UINT, NMHDR*, LRESULT*)
  AfxSigNotify_EX,     // BOOL (UINT, NMHDR*, LRESULT*)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message; WM_COMMAND or WM_NOTIFY for commands and notifications
  UINT nCode;     // notification code (CN_UPDATE_COMMAND_UI for update handlers)
  UINT nID;       // first control or command id
  UINT nLastID;   // last id of a range
  UINT_PTR nSig;  // AfxSig, or the address of the message number of a registered message
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg finds without calling, when asked through pHandlerInfo.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

// The extra argument of OnCmdMsg for WM_NOTIFY.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)-1)
#define CN_EVENT 0xFFFFFFFA  // unused; reserved

// Messages of the framework itself.
#define WM_REFLECT_BASE 0xBC00      // a child's notification reflected back to it
#define WM_IDLEUPDATECMDUI 0x0363   // wParam: disable commands without a handler
#define WM_KICKIDLE 0x036A          // sent to a modal dialog while its loop is idle
#define WM_SIZEPARENT 0x0361        // lParam: AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or lParam: the text
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D  // wParam: FS_ flags; TRUE: the window follows them
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_SOCKET_NOTIFY 0x0373
#define WM_SOCKET_DEAD 0x0374
#define WM_POPMESSAGESTRING 0x0375  // the message string back to the idle prompt
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // the key of ON_WM_CTLCOLOR entries
#endif

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                          \
    typedef theClass ThisClass;                                                     \
    typedef baseClass TheBaseClass;                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, AfxSig_end, nullptr }                                                           \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

// Type-checked conversions of handlers to the stored pointer type.
#define AFX_WND_PMSG(type, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::memberFxn))
#define AFX_TARGET_PMSG(type, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::memberFxn))

// ------------------------------------------------------------ window messages
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, AfxSig_i_CREATE, AFX_WND_PMSG(int(CWnd::*)(LPCREATESTRUCT), OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnDestroy)},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnNcDestroy)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnPaint)},
#define ON_WM_NCPAINT() {WM_NCPAINT, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnNcPaint)},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, AfxSig_b_D, AFX_WND_PMSG(BOOL(CWnd::*)(CDC*), OnEraseBkgnd)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxSig_v_u_ii, AFX_WND_PMSG(void(CWnd::*)(UINT, int, int), OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxSig_v_ii, AFX_WND_PMSG(void(CWnd::*)(int, int), OnMove)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_v_up, AFX_WND_PMSG(void(CWnd::*)(UINT_PTR), OnTimer)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnClose)},
#define ON_WM_SHOWWINDOW() \
  {WM_SHOWWINDOW, 0, 0, 0, AfxSig_v_b_u, AFX_WND_PMSG(void(CWnd::*)(BOOL, UINT), OnShowWindow)},
#define AFX_ON_MOUSE(msg, fn) {msg, 0, 0, 0, AfxSig_v_u_p, AFX_WND_PMSG(void(CWnd::*)(UINT, CPoint), fn)},
#define ON_WM_LBUTTONDOWN() AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_NCMOUSEMOVE() AFX_ON_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCMBUTTONDOWN() AFX_ON_MOUSE(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_MOUSEWHEEL() \
  {WM_MOUSEWHEEL, 0, 0, 0, AfxSig_b_u_s_p, AFX_WND_PMSG(BOOL(CWnd::*)(UINT, short, CPoint), OnMouseWheel)},
#define AFX_ON_KEY(msg, fn) {msg, 0, 0, 0, AfxSig_v_uuu, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT, UINT), fn)},
#define ON_WM_KEYDOWN() AFX_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_ON_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxSig_v_W, AFX_WND_PMSG(void(CWnd::*)(CWnd*), OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AfxSig_v_W, AFX_WND_PMSG(void(CWnd::*)(CWnd*), OnKillFocus)},
#define ON_WM_CAPTURECHANGED() \
  {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_v_W, AFX_WND_PMSG(void(CWnd::*)(CWnd*), OnCaptureChanged)},
#define ON_WM_SYSCOMMAND() \
  {WM_SYSCOMMAND, 0, 0, 0, AfxSig_v_u_l, AFX_WND_PMSG(void(CWnd::*)(UINT, LPARAM), OnSysCommand)},
#define ON_WM_SYSCOLORCHANGE() \
  {WM_SYSCOLORCHANGE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnSysColorChange)},
#define ON_WM_SETTINGCHANGE() \
  {WM_SETTINGCHANGE, 0, 0, 0, AfxSig_v_u_s, AFX_WND_PMSG(void(CWnd::*)(UINT, LPCTSTR), OnSettingChange)},
#define ON_WM_SETCURSOR() \
  {WM_SETCURSOR, 0, 0, 0, AfxSig_b_W_uu, AFX_WND_PMSG(BOOL(CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, AfxSig_l_p, AFX_WND_PMSG(LRESULT(CWnd::*)(CPoint), OnNcHitTest)},
#define ON_WM_GETMINMAXINFO() \
  {WM_GETMINMAXINFO, 0, 0, 0, AfxSig_v_MINMAX, AFX_WND_PMSG(void(CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxSig_u_v, AFX_WND_PMSG(UINT(CWnd::*)(), OnGetDlgCode)},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, 0, AfxSig_v_DROP, AFX_WND_PMSG(void(CWnd::*)(HDROP), OnDropFiles)},
#define ON_WM_CONTEXTMENU() \
  {WM_CONTEXTMENU, 0, 0, 0, AfxSig_v_W_p, AFX_WND_PMSG(void(CWnd::*)(CWnd*, CPoint), OnContextMenu)},
#define ON_WM_WINDOWPOSCHANGING() \
  {WM_WINDOWPOSCHANGING, 0, 0, 0, AfxSig_v_POS, AFX_WND_PMSG(void(CWnd::*)(WINDOWPOS*), OnWindowPosChanging)},
#define ON_WM_WINDOWPOSCHANGED() \
  {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_v_POS, AFX_WND_PMSG(void(CWnd::*)(WINDOWPOS*), OnWindowPosChanged)},
#define ON_WM_HSCROLL() \
  {WM_HSCROLL, 0, 0, 0, AfxSig_v_uu_SB, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)},
#define ON_WM_VSCROLL() \
  {WM_VSCROLL, 0, 0, 0, AfxSig_v_uu_SB, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)},
#define ON_WM_CTLCOLOR() \
  {WM_CTLCOLOR, 0, 0, 0, AfxSig_hb_D_W_u, AFX_WND_PMSG(HBRUSH(CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)},
#define ON_WM_DRAWITEM() \
  {WM_DRAWITEM, 0, 0, 0, AfxSig_v_i_DRAW, AFX_WND_PMSG(void(CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)},
#define ON_WM_MEASUREITEM() \
  {WM_MEASUREITEM, 0, 0, 0, AfxSig_v_i_MEAS, AFX_WND_PMSG(void(CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)},
#define ON_WM_ACTIVATE() \
  {WM_ACTIVATE, 0, 0, 0, AfxSig_v_u_W_b, AFX_WND_PMSG(void(CWnd::*)(UINT, CWnd*, BOOL), OnActivate)},
#define ON_WM_ACTIVATEAPP() \
  {WM_ACTIVATEAPP, 0, 0, 0, AfxSig_v_b_h, AFX_WND_PMSG(void(CWnd::*)(BOOL, DWORD), OnActivateApp)},
#define ON_WM_STYLECHANGED() \
  {WM_STYLECHANGED, 0, 0, 0, AfxSig_v_i_STYLE, AFX_WND_PMSG(void(CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)},
#define ON_WM_NCCALCSIZE() \
  {WM_NCCALCSIZE, 0, 0, 0, AfxSig_v_b_CALC, AFX_WND_PMSG(void(CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnCancelMode)},
#define ON_WM_NCACTIVATE() {WM_NCACTIVATE, 0, 0, 0, AfxSig_b_b, AFX_WND_PMSG(BOOL(CWnd::*)(BOOL), OnNcActivate)},
#define ON_WM_MOUSEACTIVATE() \
  {WM_MOUSEACTIVATE, 0, 0, 0, AfxSig_i_W_uu, AFX_WND_PMSG(int(CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)},
#define ON_WM_INITMENUPOPUP() \
  {WM_INITMENUPOPUP, 0, 0, 0, AfxSig_v_M_u_b, AFX_WND_PMSG(void(CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)},
#define ON_WM_MENUSELECT() \
  {WM_MENUSELECT, 0, 0, 0, AfxSig_v_u_u_M, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxSig_v_b, AFX_WND_PMSG(void(CWnd::*)(BOOL), OnEnable)},
#define ON_WM_NCCREATE() \
  {WM_NCCREATE, 0, 0, 0, AfxSig_b_CREATE, AFX_WND_PMSG(BOOL(CWnd::*)(LPCREATESTRUCT), OnNcCreate)},
#define ON_WM_PALETTECHANGED() \
  {WM_PALETTECHANGED, 0, 0, 0, AfxSig_v_W, AFX_WND_PMSG(void(CWnd::*)(CWnd*), OnPaletteChanged)},
#define ON_WM_QUERYNEWPALETTE() \
  {WM_QUERYNEWPALETTE, 0, 0, 0, AfxSig_b_v, AFX_WND_PMSG(BOOL(CWnd::*)(), OnQueryNewPalette)},
#define ON_WM_SIZING() {WM_SIZING, 0, 0, 0, AfxSig_v_u_R, AFX_WND_PMSG(void(CWnd::*)(UINT, LPRECT), OnSizing)},
#define ON_WM_ENTERSIZEMOVE() {WM_ENTERSIZEMOVE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnEnterSizeMove)},
#define ON_WM_EXITSIZEMOVE() {WM_EXITSIZEMOVE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnExitSizeMove)},
#define ON_WM_PARENTNOTIFY() \
  {WM_PARENTNOTIFY, 0, 0, 0, AfxSig_v_u_l, AFX_WND_PMSG(void(CWnd::*)(UINT, LPARAM), OnParentNotify)},
#define ON_WM_COPYDATA() \
  {WM_COPYDATA, 0, 0, 0, AfxSig_b_W_COPY, AFX_WND_PMSG(BOOL(CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)},
#define ON_WM_MBUTTONDBLCLK() AFX_ON_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_NCRBUTTONUP() AFX_ON_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMBUTTONUP() AFX_ON_MOUSE(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_DEADCHAR() AFX_ON_KEY(WM_DEADCHAR, OnDeadChar)
#define ON_WM_SYSDEADCHAR() AFX_ON_KEY(WM_SYSDEADCHAR, OnSysDeadChar)
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, AfxSig_v_v, AFX_WND_PMSG(void(CWnd::*)(), OnMouseLeave)},

// Any message, by number; the handler is LRESULT (WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
  {message, 0, 0, 0, AfxSig_l_wl, AFX_WND_PMSG(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},
// A message whose number RegisterWindowMessage gave (nMessageVariable holds it).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
  {0xC000, 0, 0, 0, (UINT_PTR)&nMessageVariable, AFX_WND_PMSG(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},

// ------------------------------------------------------ commands and notifications
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_TARGET_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, AFX_TARGET_PMSG(BOOL(CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND,     CN_COMMAND,      (WORD)(id), \
   (WORD)(idLast), AfxSigCmd_RANGE, AFX_TARGET_PMSG(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)      \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), \
   (WORD)(id), AfxSigCmdUI,          AFX_TARGET_PMSG(void(CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND,     CN_UPDATE_COMMAND_UI, (WORD)(id),      \
   (WORD)(idLast), AfxSigCmdUI,          AFX_TARGET_PMSG(void(CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)  \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), \
   (WORD)(id), AfxSigCmd_v,         AFX_TARGET_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_COMMAND,     (WORD)(wNotifyCode), (WORD)(id),          \
   (WORD)(idLast), AfxSigCmd_RANGE,     AFX_TARGET_PMSG(void(CCmdTarget::*)(UINT), memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)   \
  {WM_NOTIFY,  (UINT)(wNotifyCode), (WORD)(id), \
   (WORD)(id), AfxSigNotify_v,      AFX_TARGET_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_NOTIFY,      (UINT)(wNotifyCode), (WORD)(id),         \
   (WORD)(idLast), AfxSigNotify_RANGE,  AFX_TARGET_PMSG(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
// The handler returns TRUE when the notification is handled; FALSE lets
// other handlers and the default handling see it.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
  {WM_NOTIFY,  (UINT)(wNotifyCode), (WORD)(id),  \
   (WORD)(id), AfxSigNotify_EX,     AFX_TARGET_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_NOTIFY,      (UINT)(wNotifyCode), (WORD)(id),            \
   (WORD)(idLast), AfxSigNotify_EX,     AFX_TARGET_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)

// --------------------------------------------------------------- reflection
// A control's own handlers for the notifications it sends its parent. A
// reflected notification that the control handles does not reach the
// parent; the _EX forms return FALSE to let the parent have it too.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE,                   \
   (WORD)(wNotifyCode),                            \
   0,                                              \
   0,                                              \
   AfxSigCmd_v,                                    \
   AFX_TARGET_PMSG(void(CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE,                      \
   (WORD)(wNotifyCode),                               \
   0,                                                 \
   0,                                                 \
   AfxSigCmd_b,                                       \
   AFX_TARGET_PMSG(BOOL(CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
  {WM_NOTIFY + WM_REFLECT_BASE,                   \
   (UINT)(wNotifyCode),                           \
   0,                                             \
   0,                                             \
   AfxSigNotify_v,                                \
   AFX_TARGET_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_NOTIFY + WM_REFLECT_BASE,                      \
   (UINT)(wNotifyCode),                              \
   0,                                                \
   0,                                                \
   AfxSigNotify_b,                                   \
   AFX_TARGET_PMSG(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
// HBRUSH CtlColor(CDC*, UINT): a non-NULL brush answers the parent's WM_CTLCOLOR.
#define ON_WM_CTLCOLOR_REFLECT() \
  {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hb_D_u, AFX_WND_PMSG(HBRUSH(CWnd::*)(CDC*, UINT), CtlColor)},
#define ON_WM_DRAWITEM_REFLECT() \
  {WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_DRAW, AFX_WND_PMSG(void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT()  \
  {WM_MEASUREITEM + WM_REFLECT_BASE, \
   0,                                \
   0,                                \
   0,                                \
   AfxSig_v_MEAS,                    \
   AFX_WND_PMSG(void(CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)},
#define ON_WM_HSCROLL_REFLECT() \
  {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT), HScroll)},
#define ON_WM_VSCROLL_REFLECT() \
  {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, AFX_WND_PMSG(void(CWnd::*)(UINT, UINT), VScroll)},
