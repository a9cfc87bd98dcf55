#include "ToolTipContext.h"

#include <cstddef>

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ToolTipWnd.h"
#include "WinThemeWrapper.h"

// The tool records a 32-bit owner fills: without and with the title record.
#ifndef _WIN64
static_assert(offsetof(TTTOOLINFOA, lpszText) + sizeof(LPSTR) == 40, "short TOOLINFO of the 32-bit system");
static_assert(offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM) == 44, "extended TOOLINFO of the 32-bit system");
#endif

namespace {

// Common controls 5.80 and later know tooltip titles.
const int kTitledCommonControls = 0x5004F;
// A child window answering this with non-zero hands its tips to its parent.
const UINT kWindowFromPoint = TTM_WINDOWFROMPOINT;

BOOL IsMoveOrButtonUp(UINT nMessage) {
  switch (nMessage) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: return TRUE;
    default: return FALSE;
  }
}

BOOL IsKeyOrButtonDown(UINT nMessage) {
  if (nMessage >= WM_KEYFIRST && nMessage <= WM_SYSDEADCHAR) return TRUE;
  switch (nMessage) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return TRUE;
    default: return FALSE;
  }
}

BOOL IsAnyButtonDown() {
  return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

LPSTR HeapCopy(LPCTSTR psz) {
  if (psz == nullptr) return nullptr;
  size_t n = strlen(psz) + 1;
  LPSTR pCopy = new char[n];
  memcpy(pCopy, psz, n);
  return pCopy;
}

// A tool's text is the context's to free unless it is a callback or a
// string resource id.
BOOL OwnsText(const TOOLINFO& ti) {
  return ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK && ti.hinst == nullptr;
}

// The window the tooltip takes a point to be over.
HWND WindowUnder(POINT pt) {
  HWND hWnd = ::WindowFromPoint(pt);
  if (hWnd != nullptr && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) &&
      ::SendMessageA(hWnd, kWindowFromPoint, 0, 0) != 0)
    hWnd = ::GetParent(hWnd);
  return hWnd;
}

}  // namespace

CJVKToolTipContext::CJVKToolTipContext() : m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2) {
  AfxInitRichEdit();
  m_nCommonControlsVersion = static_cast<int>(CJVKWinThemeWrapper::GetDllVersion(::GetModuleHandleA("COMCTL32.DLL")));
}

CJVKToolTipContext::~CJVKToolTipContext() {
  DestroyToolTip();
  ForgetLastTool();
}

UINT CJVKToolTipContext::ToolInfoSize() const {
  return m_bExtendedToolInfo ? TTTOOLINFOA_V2_SIZE : TTTOOLINFOA_V1_SIZE;
}

COLORREF CJVKToolTipContext::GetBackColor() const {
  return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CJVKToolTipContext::GetTextColor() const {
  return m_clrText != static_cast<COLORREF>(-1) ? m_clrText : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

void CJVKToolTipContext::FillInToolInfo(TOOLINFO* pTI, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCTSTR lpszText,
                                        LPCTSTR lpszLongText, LPCTSTR lpszTitle) {
  if (pTI == nullptr || pTI->cbSize < TTTOOLINFOA_V1_SIZE) return;
  pTI->uFlags = 0;
  pTI->hwnd = hWnd;
  pTI->uId = nId;
  pTI->rect = rect;
  pTI->lpszText = HeapCopy(lpszText);
  if (pTI->cbSize == TTTOOLINFOA_V2_SIZE && pTI->lParam != 0 && lpszLongText && *lpszLongText && lpszTitle &&
      *lpszTitle) {
    JVK_TOOLTIP_TEXTS* pTexts = reinterpret_cast<JVK_TOOLTIP_TEXTS*>(pTI->lParam);
    delete[] pTexts->lpszLongText;
    delete[] pTexts->lpszTitle;
    pTexts->lpszLongText = HeapCopy(lpszLongText);
    pTexts->lpszTitle = HeapCopy(lpszTitle);
  }
}

void CJVKToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd) {
  DWORD dwStyle = (m_dwStyle | dwAdd) & ~dwRemove;
  if (dwStyle == m_dwStyle) return;
  m_dwStyle = dwStyle;
  DestroyToolTip();
}

void CJVKToolTipContext::DestroyToolTip() {
  if (m_pToolTip == nullptr) return;
  m_pToolTip->DestroyWindow();
  delete m_pToolTip;
  m_pToolTip = nullptr;
  ForgetLastTool();
}

void CJVKToolTipContext::ForgetLastTool() {
  if (OwnsText(m_tiLast)) delete[] m_tiLast.lpszText;
  m_tiLast = {};
  m_hWndLastOwner = nullptr;
}

BOOL CJVKToolTipContext::CreateToolTip(CWnd* pOwner) {
  if (m_nKind == jvkToolTipStandard || m_nKind == jvkToolTipBalloon) {
    CToolTipCtrl* pCtrl = new CToolTipCtrl;
    DWORD dwStyle = m_dwStyle | TTS_ALWAYSTIP | (m_nKind == jvkToolTipBalloon ? TTS_BALLOON : 0);
    if (!pCtrl->Create(pOwner, dwStyle & 0xFFFF)) {
      delete pCtrl;
      return FALSE;
    }
    m_pToolTip = pCtrl;
    return TRUE;
  }
  CJVKToolTipWnd* pWnd = new CJVKToolTipWnd(m_nKind);
  BOOL bShadow = m_nCommonControlsVersion >= 0x60000 && !(m_dwStyle & JVK_TTS_NOSHADOW);
  if (!pWnd->Create(pOwner, m_dwStyle | TTS_ALWAYSTIP, bShadow)) {
    delete pWnd;
    return FALSE;
  }
  m_pToolTip = pWnd;
  return TRUE;
}

void CJVKToolTipContext::SetUpNewWindow() {
  m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
  m_pToolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
  if (m_clrBack != static_cast<COLORREF>(-1)) m_pToolTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack);
  if (m_clrText != static_cast<COLORREF>(-1)) m_pToolTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText);
  if (m_nDelayReshow != -1) m_pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, m_nDelayReshow);
  if (m_nDelayInitial != -1) m_pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, m_nDelayInitial);
  if (m_nDelayAutoPop != -1) m_pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, m_nDelayAutoPop);
  Activate(FALSE);
}

void CJVKToolTipContext::Activate(BOOL bActivate) {
  if (m_pToolTip != nullptr) m_pToolTip->SendMessage(TTM_ACTIVATE, bActivate);
}

void CJVKToolTipContext::FilterToolTipMessage(CWnd* pOwner, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  if (pOwner == nullptr || pOwner->m_hWnd == nullptr) return;
  MSG msg = {};
  msg.hwnd = pOwner->m_hWnd;
  msg.message = nMessage;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = ::GetMessageTime();
  ::GetCursorPos(&msg.pt);
  if (IsMoveOrButtonUp(nMessage)) {
    if (!IsAnyButtonDown()) OnMouseMessage(pOwner, msg);
  } else if (IsKeyOrButtonDown(nMessage)) {
    Activate(FALSE);
  }
}

void CJVKToolTipContext::OnMouseMessage(CWnd* pOwner, MSG& msg) {
  const BOOL bActive = CJVKDrawHelpers::IsTopParentActive(pOwner->m_hWnd);
  if (m_pToolTip != nullptr && m_pToolTip->IsWindowVisible() && !bActive) {
    Activate(FALSE);
    return;
  }
  CWnd* pTopOwner = pOwner->GetTopLevelOwner();
  if (pTopOwner == nullptr) pTopOwner = pOwner;
  if (m_pToolTip != nullptr && ::GetWindow(m_pToolTip->m_hWnd, GW_OWNER) != pTopOwner->m_hWnd) DestroyToolTip();
  if (m_pToolTip == nullptr) {
    if (!CreateToolTip(pTopOwner)) return;
    SetUpNewWindow();
  }

  JVK_TOOLTIP_TEXTS texts = {};
  TOOLINFO ti = {};
  ti.cbSize = ToolInfoSize();
  if (m_bExtendedToolInfo) ti.lParam = reinterpret_cast<LPARAM>(&texts);
  CPoint ptClient = msg.pt;
  pOwner->ScreenToClient(&ptClient);
  const INT_PTR nHit = pOwner->OnToolHitTest(ptClient, &ti);

  const BOOL bSameTool = m_hWndLastOwner != nullptr && ti.hwnd == m_tiLast.hwnd && ti.uId == m_tiLast.uId;
  if (bSameTool && ::EqualRect(&ti.rect, &m_tiLast.rect) && nHit != -1) {
    Relay(msg);
  } else {
    if (bSameTool) {
      // Its rectangle moved: the tooltip learns it again.
      m_pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&m_tiLast));
      ForgetLastTool();
    }
    if (nHit == -1) {
      Activate(FALSE);
    } else {
      TOOLINFO tiAdd = ti;
      tiAdd.uFlags &= ~JVK_TTF_PRIVATEMARKS;
      m_pToolTip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tiAdd));
      if (m_nKind != jvkToolTipRich &&
          (m_nCommonControlsVersion > kTitledCommonControls || m_nKind != jvkToolTipStandard))
        SetTitle(tiAdd, texts);
      if ((ti.uFlags & JVK_TTF_SHOWINACTIVE) || bActive) {
        Activate(TRUE);
        ::SetWindowPos(m_pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
      }
    }
    Relay(msg);
    if (m_hWndLastOwner != nullptr) {
      m_pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&m_tiLast));
      ForgetLastTool();
    }
    if (nHit != -1) {
      m_tiLast = ti;
      m_tiLast.lpszText = OwnsText(ti) ? HeapCopy(ti.lpszText) : ti.lpszText;
      m_tiLast.lParam = 0;
      m_hWndLastOwner = pOwner->m_hWnd;
    }
  }
  if (OwnsText(ti)) delete[] ti.lpszText;
  delete[] texts.lpszLongText;
  delete[] texts.lpszTitle;
}

void CJVKToolTipContext::SetTitle(const TOOLINFO& ti, const JVK_TOOLTIP_TEXTS& texts) {
  if (texts.lpszLongText != nullptr && texts.lpszTitle != nullptr) {
    m_pToolTip->SendMessage(TTM_SETTITLEA, m_nTitleIcon, reinterpret_cast<LPARAM>(texts.lpszTitle));
    TOOLINFO tiLong = ti;
    tiLong.lpszText = texts.lpszLongText;
    m_pToolTip->SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tiLong));
  } else {
    m_pToolTip->SendMessage(TTM_SETTITLEA, 0, 0);
  }
}

void CJVKToolTipContext::Relay(MSG msg) {
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) {
    HWND hWndUnder = WindowUnder(msg.pt);
    if (hWndUnder != nullptr) {
      POINT pt = msg.pt;
      ::ScreenToClient(hWndUnder, &pt);
      msg.hwnd = hWndUnder;
      msg.lParam = MAKELPARAM(pt.x, pt.y);
    }
  }
  m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
