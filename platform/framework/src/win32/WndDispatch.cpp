// Message dispatch: a window's message goes to the child control it is
// about (reflection), then to the first handler in the window's message
// maps, called with the parameters its signature names.
#include "framework/DC.h"
#include "framework/Menu.h"
#include "framework/ScrollBar.h"
#include "framework/Wnd.h"

#include "WndInternal.h"

namespace {

// The child control a parent's message is about, or null: the control of
// the colour and scroll messages, and that of the owner-draw item structure
// (menus have none).
HWND ChildOfMessage(HWND hWndParent, UINT message, LPARAM lParam) {
  if (AfxIsCtlColorMessage(message) || message == WM_HSCROLL || message == WM_VSCROLL)
    return reinterpret_cast<HWND>(lParam);
  if (lParam == 0) return nullptr;  // malformed: no item structure
  switch (message) {
    case WM_DRAWITEM: {
      auto* p = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
      return p->CtlType != ODT_MENU ? p->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      auto* p = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
      return p->CtlType != ODT_MENU ? ::GetDlgItem(hWndParent, static_cast<int>(p->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM: return reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
    case WM_DELETEITEM: return reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
    default: return nullptr;
  }
}

// Calls the handler of a message map entry with the parameters its
// signature names; FALSE when the signature is unknown or the handler
// declines (a reflected WM_CTLCOLOR without a brush).
BOOL CallHandler(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                 LRESULT* pResult) {
  LRESULT lResult = 0;
  AFX_PMSG pfn = pEntry->pfn;
  UINT_PTR nSig = pEntry->nMessage == 0xC000 ? static_cast<UINT_PTR>(AfxSig_l_wl) : pEntry->nSig;
#define AFX_CALL(type) (pWnd->*reinterpret_cast<type>(pfn))
  switch (nSig) {
    case AfxSig_v_v: AFX_CALL(void(CWnd::*)())(); break;
    case AfxSig_b_v: lResult = AFX_CALL(BOOL(CWnd::*)())(); break;
    case AfxSig_l_wl: lResult = AFX_CALL(LRESULT(CWnd::*)(WPARAM, LPARAM))(wParam, lParam); break;
    case AfxSig_i_CREATE:
      lResult = AFX_CALL(int(CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_b_D: lResult = AFX_CALL(BOOL(CWnd::*)(CDC*))(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case AfxSig_v_u_ii:
      AFX_CALL(void(CWnd::*)(UINT, int, int))(static_cast<UINT>(wParam), (short)LOWORD(lParam), (short)HIWORD(lParam));
      break;
    case AfxSig_v_ii: AFX_CALL(void(CWnd::*)(int, int))((short)LOWORD(lParam), (short)HIWORD(lParam)); break;
    case AfxSig_v_up: AFX_CALL(void(CWnd::*)(UINT_PTR))(wParam); break;
    case AfxSig_v_b_u: AFX_CALL(void(CWnd::*)(BOOL, UINT))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); break;
    case AfxSig_v_u_p: AFX_CALL(void(CWnd::*)(UINT, CPoint))(static_cast<UINT>(wParam), CPoint(lParam)); break;
    case AfxSig_b_u_s_p:
      lResult = AFX_CALL(BOOL(CWnd::*)(UINT, short, CPoint))(LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam));
      break;
    case AfxSig_v_uuu:
      AFX_CALL(void(CWnd::*)(UINT, UINT, UINT))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_W:
      AFX_CALL(void(CWnd::*)(CWnd*))
      (CWnd::FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : wParam)));
      break;
    case AfxSig_v_u_l: AFX_CALL(void(CWnd::*)(UINT, LPARAM))(static_cast<UINT>(wParam), lParam); break;
    case AfxSig_v_u_s:
      AFX_CALL(void(CWnd::*)(UINT, LPCTSTR))(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
      break;
    case AfxSig_b_W_uu:
      lResult = AFX_CALL(BOOL(CWnd::*)(CWnd*, UINT, UINT))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                           LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_l_p: lResult = AFX_CALL(LRESULT(CWnd::*)(CPoint))(CPoint(lParam)); break;
    case AfxSig_v_MINMAX: AFX_CALL(void(CWnd::*)(MINMAXINFO*))(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case AfxSig_u_v: lResult = AFX_CALL(UINT(CWnd::*)())(); break;
    case AfxSig_v_DROP: AFX_CALL(void(CWnd::*)(HDROP))(reinterpret_cast<HDROP>(wParam)); break;
    case AfxSig_v_W_p:
      AFX_CALL(void(CWnd::*)(CWnd*, CPoint))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
      break;
    case AfxSig_v_POS: AFX_CALL(void(CWnd::*)(WINDOWPOS*))(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case AfxSig_v_uu_SB:
      AFX_CALL(void(CWnd::*)(UINT, UINT, CScrollBar*))
      (LOWORD(wParam), (short)HIWORD(wParam),
       static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
      break;
    case AfxSig_v_uu: AFX_CALL(void(CWnd::*)(UINT, UINT))(LOWORD(wParam), (short)HIWORD(wParam)); break;
    case AfxSig_hb_D_W_u: {
      UINT nCtlType = message - WM_CTLCOLORMSGBOX;
      lResult = reinterpret_cast<LRESULT>(AFX_CALL(HBRUSH(CWnd::*)(CDC*, CWnd*, UINT))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), nCtlType));
      break;
    }
    case AfxSig_hb_D_u: {
      UINT nCtlType = (message - WM_REFLECT_BASE) - WM_CTLCOLORMSGBOX;
      HBRUSH hbr = AFX_CALL(HBRUSH(CWnd::*)(CDC*, UINT))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), nCtlType);
      if (hbr == nullptr) return FALSE;
      lResult = reinterpret_cast<LRESULT>(hbr);
      break;
    }
    case AfxSig_v_i_DRAW:
      AFX_CALL(void(CWnd::*)(int, LPDRAWITEMSTRUCT))
      (static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_i_MEAS:
      AFX_CALL(void(CWnd::*)(int, LPMEASUREITEMSTRUCT))
      (static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_DRAW:
      AFX_CALL(void(CWnd::*)(LPDRAWITEMSTRUCT))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_MEAS:
      AFX_CALL(void(CWnd::*)(LPMEASUREITEMSTRUCT))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_u_W_b:
      AFX_CALL(void(CWnd::*)(UINT, CWnd*, BOOL))
      (LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
      break;
    case AfxSig_v_b_h:
      AFX_CALL(void(CWnd::*)(BOOL, DWORD))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
      break;
    case AfxSig_v_i_STYLE:
      AFX_CALL(void(CWnd::*)(int, LPSTYLESTRUCT))(static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam));
      break;
    case AfxSig_v_b_CALC:
      AFX_CALL(void(CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))
      (static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
      break;
    case AfxSig_b_b: lResult = AFX_CALL(BOOL(CWnd::*)(BOOL))(static_cast<BOOL>(wParam)); break;
    case AfxSig_i_W_uu:
      lResult = AFX_CALL(int(CWnd::*)(CWnd*, UINT, UINT))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                          LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_M_u_b:
      AFX_CALL(void(CWnd::*)(CMenu*, UINT, BOOL))
      (CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_u_u_M:
      AFX_CALL(void(CWnd::*)(UINT, UINT, HMENU))(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      break;
    case AfxSig_v_b: AFX_CALL(void(CWnd::*)(BOOL))(static_cast<BOOL>(wParam)); break;
    case AfxSig_b_CREATE:
      lResult = AFX_CALL(BOOL(CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_v_u_R:
      AFX_CALL(void(CWnd::*)(UINT, LPRECT))(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_b_W_COPY:
      lResult = AFX_CALL(BOOL(CWnd::*)(CWnd*, COPYDATASTRUCT*))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                reinterpret_cast<COPYDATASTRUCT*>(lParam));
      break;
    default: return FALSE;
  }
#undef AFX_CALL
  *pResult = lResult;
  return TRUE;
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult)) return FALSE;
    *pResult = lResult;
    return TRUE;
  }

  // Messages a parent gets about a child: the child (a framework control)
  // answers them first.
  if (AfxSendChildNotify(this, ChildOfMessage(m_hWnd, message, lParam), message, wParam, lParam, &lResult)) {
    *pResult = lResult;
    return TRUE;
  }
  // ON_WM_CTLCOLOR is one entry for every kind of control.
  UINT nLookup = AfxIsCtlColorMessage(message) ? static_cast<UINT>(WM_CTLCOLOR) : message;

  // The message map.
  const AFX_MSGMAP_ENTRY* pEntry = nullptr;
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr && pEntry == nullptr;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
      if (p->nMessage == 0xC000) {
        if (message >= 0xC000 && *reinterpret_cast<const UINT*>(p->nSig) == message) {
          pEntry = p;
          break;
        }
      } else if (p->nMessage == nLookup && p->nCode == 0 && p->nID == 0) {
        pEntry = p;
        break;
      }
    }
  }
  if (pEntry == nullptr) return FALSE;
  return CallHandler(this, pEntry, message, wParam, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_nFlags & WF_TOOLTIPS) FilterToolTipMessage(pMsg);
  return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg) {
  // From the window the message is for up through its parents; the top-level
  // window is the last.
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (!(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}
