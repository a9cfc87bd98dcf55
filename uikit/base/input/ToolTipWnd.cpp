#include "ToolTipWnd.h"

#include <richedit.h>

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ThreadHook.h"
#include "ToolTipContext.h"

namespace {

const UINT kRichEditId = 1;
const UINT kBorderStyleBit = 0x1000;  // a face-coloured top-left border

// One tooltip window at a time follows the cursor with a thread mouse hook.
CJVKThreadHook g_cursorHook;
CJVKToolTipWnd* g_pFollowing = nullptr;

BOOL IsRelayedMouseMessage(UINT nMessage) {
  return (nMessage >= WM_MOUSEFIRST && nMessage <= WM_MBUTTONDBLCLK) ||
         (nMessage >= WM_NCMOUSEMOVE && nMessage <= WM_NCMBUTTONDBLCLK);
}

BOOL IsButtonDown(const MSG& msg) {
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MBUTTONDBLCLK)
    return (msg.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
  return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The window the tool's tip belongs to: the tool window itself for
// TTF_IDISHWND tools.
HWND ToolWindow(const CJVKToolTipTool& tool) {
  return (tool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.uId) : tool.hWnd;
}

// Feeds a string to EM_STREAMIN.
struct CStreamSource {
  LPCSTR psz;
  LONG nLeft;
};

DWORD CALLBACK ReadStream(DWORD_PTR dwCookie, LPBYTE pBuffer, LONG nWanted, LONG* pnRead) {
  CStreamSource* pSource = reinterpret_cast<CStreamSource*>(dwCookie);
  LONG n = nWanted < pSource->nLeft ? nWanted : pSource->nLeft;
  memcpy(pBuffer, pSource->psz, static_cast<size_t>(n));
  pSource->psz += n;
  pSource->nLeft -= n;
  *pnRead = n;
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CJVKToolTipWnd, CWnd)
ON_MESSAGE(TTM_ADDTOOLA, OnAddTool)
ON_MESSAGE(TTM_DELTOOLA, OnDelTool)
ON_MESSAGE(TTM_UPDATETIPTEXTA, OnUpdateTipText)
ON_MESSAGE(TTM_ACTIVATE, OnActivateTip)
ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
ON_MESSAGE(TTM_SETTITLEA, OnSetTitle)
ON_MESSAGE(TTM_SETMAXTIPWIDTH, OnSetMaxTipWidth)
ON_MESSAGE(TTM_SETMARGIN, OnSetMargin)
ON_MESSAGE(TTM_SETTIPBKCOLOR, OnSetTipBkColor)
ON_MESSAGE(TTM_SETTIPTEXTCOLOR, OnSetTipTextColor)
ON_MESSAGE(TTM_GETTOOLCOUNT, OnGetToolCount)
ON_MESSAGE(WM_SETFONT, OnSetFontMessage)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEACTIVATE()
ON_WM_NCHITTEST()
ON_NOTIFY(EN_REQUESTRESIZE, kRichEditId, OnNotifyRequestResize)
END_MESSAGE_MAP()

CJVKToolTipWnd::CJVKToolTipWnd(int nKind) : m_nKind(nKind) {}

CJVKToolTipWnd::~CJVKToolTipWnd() {
  if (g_pFollowing == this) {
    g_cursorHook.Remove();
    g_pFollowing = nullptr;
  }
  DestroyWindow();
}

BOOL CJVKToolTipWnd::Create(CWnd* pOwner, DWORD dwStyle, BOOL bDropShadow) {
  UINT nClassStyle = CS_SAVEBITS | CS_OWNDC | (bDropShadow ? CS_DROPSHADOW : 0);
  LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursor(nullptr, IDC_ARROW));
  if (!CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP | (dwStyle & 0xFFFF), 0, 0, 0, 0, pOwner->GetSafeHwnd(),
                nullptr))
    return FALSE;
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = sizeof(ncm);
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
    m_font.CreateFontIndirect(&ncm.lfStatusFont);
  if (m_nKind == jvkToolTipRich) {
    AfxInitRichEdit();
    if (!m_wndRich.CreateEx(0, "RICHEDIT", "", WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRichEditId))))
      return FALSE;
    m_wndRich.SendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  }
  return TRUE;
}

const CJVKToolTipTool* CJVKToolTipWnd::GetShownTool() const {
  return m_nShown >= 0 ? &m_tools[static_cast<size_t>(m_nShown)] : nullptr;
}

int CJVKToolTipWnd::FindTool(const TOOLINFO& ti) const {
  for (size_t i = 0; i < m_tools.size(); ++i)
    if (m_tools[i].IsSame(ti)) return static_cast<int>(i);
  return -1;
}

static void SetToolText(CJVKToolTipTool& tool, const TOOLINFO& ti) {
  tool.bTextCallback = ti.lpszText == LPSTR_TEXTCALLBACK;
  tool.strText.Empty();
  if (tool.bTextCallback || ti.lpszText == nullptr) return;
  if (ti.hinst != nullptr && IS_INTRESOURCE(ti.lpszText)) {
    char sz[1024];
    if (::LoadStringA(ti.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(ti.lpszText)), sz, sizeof(sz)) > 0)
      tool.strText = sz;
  } else {
    tool.strText = ti.lpszText;
  }
}

LRESULT CJVKToolTipWnd::OnAddTool(WPARAM, LPARAM lParam) {
  const TOOLINFO* pTI = reinterpret_cast<const TOOLINFO*>(lParam);
  if (pTI == nullptr) return FALSE;
  CJVKToolTipTool tool;
  SetToolText(tool, *pTI);
  tool.uFlags = pTI->uFlags;
  tool.rect = pTI->rect;
  tool.hInst = pTI->hinst;
  tool.lParam = pTI->cbSize >= TTTOOLINFOA_V2_SIZE ? pTI->lParam : 0;
  tool.hWnd = pTI->hwnd;
  tool.uId = pTI->uId;
  m_tools.push_back(tool);
  return TRUE;
}

LRESULT CJVKToolTipWnd::OnDelTool(WPARAM, LPARAM lParam) {
  int nTool = FindTool(*reinterpret_cast<const TOOLINFO*>(lParam));
  if (nTool < 0) return 0;
  if (nTool == m_nShown) Hide();
  if (nTool == m_nPending) CancelPendingShow();
  m_tools.erase(m_tools.begin() + nTool);
  if (m_nShown > nTool) --m_nShown;
  if (m_nPending > nTool) --m_nPending;
  return 0;
}

LRESULT CJVKToolTipWnd::OnUpdateTipText(WPARAM, LPARAM lParam) {
  const TOOLINFO* pTI = reinterpret_cast<const TOOLINFO*>(lParam);
  int nTool = FindTool(*pTI);
  if (nTool < 0) return 0;
  SetToolText(m_tools[static_cast<size_t>(nTool)], *pTI);
  if (nTool == m_nShown) Show(nTool);
  return 0;
}

LRESULT CJVKToolTipWnd::OnActivateTip(WPARAM wParam, LPARAM) {
  m_bActive = wParam != 0;
  if (!m_bActive) {
    CancelPendingShow();
    Hide();
  }
  return 0;
}

LRESULT CJVKToolTipWnd::OnRelayEvent(WPARAM, LPARAM lParam) {
  const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
  if (pMsg != nullptr && m_bActive) OnMouse(*pMsg);
  return 0;
}

LRESULT CJVKToolTipWnd::OnSetTitle(WPARAM, LPARAM lParam) {
  m_strTitle = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
  return TRUE;
}

LRESULT CJVKToolTipWnd::OnSetMaxTipWidth(WPARAM, LPARAM lParam) {
  int nOld = m_nMaxTipWidth;
  m_nMaxTipWidth = static_cast<int>(lParam);
  return nOld;
}

LRESULT CJVKToolTipWnd::OnSetMargin(WPARAM, LPARAM lParam) {
  if (lParam) m_rcMargin = *reinterpret_cast<const RECT*>(lParam);
  return 0;
}

LRESULT CJVKToolTipWnd::OnSetTipBkColor(WPARAM wParam, LPARAM) {
  m_clrBack = static_cast<COLORREF>(wParam);
  return 0;
}

LRESULT CJVKToolTipWnd::OnSetTipTextColor(WPARAM wParam, LPARAM) {
  m_clrText = static_cast<COLORREF>(wParam);
  return 0;
}

LRESULT CJVKToolTipWnd::OnGetToolCount(WPARAM, LPARAM) { return GetToolCount(); }

LRESULT CJVKToolTipWnd::OnSetFontMessage(WPARAM wParam, LPARAM) {
  LOGFONT lf;
  if (wParam && ::GetObjectA(reinterpret_cast<HFONT>(wParam), sizeof(lf), &lf)) {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
  }
  return 0;
}

COLORREF CJVKToolTipWnd::BackColor() const {
  return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CJVKToolTipWnd::TextColor() const {
  return m_clrText != static_cast<COLORREF>(-1) ? m_clrText : GetColorManager()->GetColor(COLOR_INFOTEXT);
}

int CJVKToolTipWnd::ToolAt(POINT ptScreen, HWND hWndUnder) const {
  for (size_t i = 0; i < m_tools.size(); ++i) {
    const CJVKToolTipTool& tool = m_tools[i];
    RECT rect;
    if (tool.uFlags & TTF_IDISHWND) {
      if (!::GetWindowRect(reinterpret_cast<HWND>(tool.uId), &rect)) continue;
    } else {
      if (tool.hWnd != hWndUnder) continue;
      rect = tool.rect;
      ::MapWindowPoints(tool.hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    if (::PtInRect(&rect, ptScreen)) return static_cast<int>(i);
  }
  return -1;
}

void CJVKToolTipWnd::OnMouse(const MSG& msg) {
  if (!IsRelayedMouseMessage(msg.message)) return;
  int nTool = ToolAt(msg.pt, ::WindowFromPoint(msg.pt));
  if (msg.message == WM_LBUTTONDOWN) {
    m_bClicked = nTool >= 0;
    if (m_bClicked) {
      m_hWndClicked = m_tools[static_cast<size_t>(nTool)].hWnd;
      m_uIdClicked = m_tools[static_cast<size_t>(nTool)].uId;
    }
    CancelPendingShow();
    Hide();
    return;
  }
  if (IsButtonDown(msg)) nTool = -1;
  if (m_nPending >= 0 && m_nPending != nTool) CancelPendingShow();
  if (nTool < 0) {
    Hide();
    return;
  }
  if (nTool == m_nShown || nTool == m_nPending) return;
  const CJVKToolTipTool& tool = m_tools[static_cast<size_t>(nTool)];
  if (m_bClicked && tool.hWnd == m_hWndClicked && tool.uId == m_uIdClicked) return;
  if (m_bChanged && m_pfnGetTickCount() - m_dwLastChange < JVK_TOOLTIP_RESHOW_SPAN) {
    Show(nTool);
  } else {
    m_nPending = nTool;
    SetTimer(JVK_TOOLTIP_SHOW_TIMER, JVK_TOOLTIP_SHOW_DELAY);
  }
}

void CJVKToolTipWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != JVK_TOOLTIP_SHOW_TIMER) return;
  KillTimer(JVK_TOOLTIP_SHOW_TIMER);
  int nPending = m_nPending;
  m_nPending = -1;
  if (nPending < 0 || !m_bActive) return;
  POINT pt;
  ::GetCursorPos(&pt);
  if (ToolAt(pt, ::WindowFromPoint(pt)) == nPending) Show(nPending);
}

void CJVKToolTipWnd::CancelPendingShow() {
  if (m_nPending >= 0) KillTimer(JVK_TOOLTIP_SHOW_TIMER);
  m_nPending = -1;
}

CString CJVKToolTipWnd::TextOf(CJVKToolTipTool& tool) {
  if (!tool.bTextCallback) return tool.strText;
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = tool.uId;
  info.hdr.code = TTN_NEEDTEXTA;
  info.uFlags = tool.uFlags;
  info.lParam = tool.lParam;
  HWND hWndAsk = ::GetParent(tool.hWnd);
  if (hWndAsk == nullptr) hWndAsk = ::GetWindow(m_hWnd, GW_OWNER);
  if (hWndAsk == nullptr) hWndAsk = tool.hWnd;
  ::SendMessageA(hWndAsk, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&info));
  if (info.hinst != nullptr && info.lpszText != nullptr && IS_INTRESOURCE(info.lpszText)) {
    char sz[1024];
    if (::LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), sz, sizeof(sz)) > 0)
      return sz;
    return CString();
  }
  return info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACK ? CString(info.lpszText)
                                                                         : CString(info.szText);
}

CSize CJVKToolTipWnd::CalcTipSize(const CJVKToolTipTool& tool) {
  CString strText = TextOf(const_cast<CJVKToolTipTool&>(tool));
  if (strText.IsEmpty()) return CSize(0, 0);
  if (m_nKind == jvkToolTipRich) return CalcRichSize(strText);
  CClientDC dc(this);
  return CalcPlainSize(&dc, strText);
}

CSize CJVKToolTipWnd::CalcPlainSize(CDC* pDC, const CString& strText) {
  HGDIOBJ hOldFont =
      ::SelectObject(pDC->m_hDC, m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  CRect rcText(0, 0, m_nMaxTipWidth > 0 ? m_nMaxTipWidth : ::GetSystemMetrics(SM_CXSCREEN), 0);
  pDC->DrawText(strText, &rcText, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  CRect rcTitle(0, 0, 0, 0);
  if (!m_strTitle.IsEmpty()) pDC->DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  ::SelectObject(pDC->m_hDC, hOldFont);
  int cx =
      (rcText.Width() > rcTitle.Width() ? rcText.Width() : rcTitle.Width()) + m_rcMargin.left + m_rcMargin.right + 6;
  int cy = rcText.Height() + rcTitle.Height() + 8 + m_rcMargin.top + m_rcMargin.bottom + 6;
  return CSize(cx, cy);
}

BOOL CJVKToolTipWnd::LoadRichText(const CString& strText) {
  m_wndRich.SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(BackColor()));
  if (m_font.GetSafeHandle()) m_wndRich.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), 0);
  CStreamSource source = {strText, strText.GetLength()};
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
  m_wndRich.SendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (m_wndRich.GetWindowTextLength() == 0) {
    source = {strText, strText.GetLength()};
    m_wndRich.SendMessage(EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
  }
  // The text colour over whatever the stream set, as the plain kinds draw it.
  CHARFORMATA format = {};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_COLOR;
  format.crTextColor = TextColor();
  m_wndRich.SendMessage(EM_SETSEL, 0, -1);
  m_wndRich.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  m_wndRich.SendMessage(EM_SETSEL, 0, 0);
  return m_wndRich.GetWindowTextLength() > 0;
}

void CJVKToolTipWnd::OnNotifyRequestResize(NMHDR* pNMHDR, LRESULT* pResult) {
  const RECT& rc = reinterpret_cast<REQRESIZE*>(pNMHDR)->rc;
  m_sizeRequested = CSize(rc.right - rc.left, rc.bottom - rc.top);
  *pResult = 0;
}

CSize CJVKToolTipWnd::CalcRichSize(const CString& strText) {
  if (m_wndRich.m_hWnd == nullptr || !LoadRichText(strText)) return CSize(0, 0);
  // The narrowest width at which the text is no taller than at the widest.
  auto measure = [this](int nWidth) {
    m_wndRich.MoveWindow(0, 0, nWidth, 1000, FALSE);
    m_sizeRequested = CSize(0, 0);
    m_wndRich.SendMessage(EM_REQUESTRESIZE);
    return CSize(nWidth, m_sizeRequested.cy);
  };
  int nLow = 0;
  int nHigh = 2 * (m_nMaxTipWidth < 0 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxTipWidth);
  int nFirstHeight = -1;
  CSize size(0, 0);
  while (nHigh > nLow) {
    int nMiddle = (nLow + nHigh) / 2;
    size = measure(nMiddle);
    if (nFirstHeight < 0) nFirstHeight = size.cy;
    if (size.cy > nFirstHeight)
      nLow = nMiddle + 1;
    else
      nHigh = nMiddle;
  }
  if (size.cy > nFirstHeight) size = measure(nHigh + 1);
  int nAligned = (strText.Find("\\qr") >= 0 || strText.Find("\\qc") >= 0) ? 5 : 0;
  return CSize(size.cx + 2 + m_rcMargin.left + m_rcMargin.right + 4 + nAligned,
               size.cy + 2 + m_rcMargin.top + m_rcMargin.bottom + 2);
}

void CJVKToolTipWnd::Show(int nTool) {
  CJVKToolTipTool& tool = m_tools[static_cast<size_t>(nTool)];
  m_strShownText = TextOf(tool);
  CSize size = CalcTipSize(tool);
  if (size.cx <= 0 || size.cy <= 0) {
    Hide();
    return;
  }
  if (m_nKind == jvkToolTipRich) m_wndRich.MoveWindow(0, 0, size.cx, size.cy, FALSE);
  ShowWindow(SW_HIDE);
  POINT pt;
  ::GetCursorPos(&pt);
  ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y + JVK_TOOLTIP_CURSOR_GAP, size.cx, size.cy,
                 SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RedrawWindow();
  m_nShown = nTool;
  m_bClicked = FALSE;
  m_bChanged = TRUE;
  m_dwLastChange = m_pfnGetTickCount();
  if (g_pFollowing != this) {
    g_cursorHook.Remove();
    g_pFollowing = this;
    g_cursorHook.Install(WH_MOUSE, MouseProc);
  }
}

void CJVKToolTipWnd::Hide() {
  if (g_pFollowing == this) {
    g_cursorHook.Remove();
    g_pFollowing = nullptr;
  }
  if (m_nShown < 0 && !IsWindowVisible()) return;
  ShowWindow(SW_HIDE);
  m_nShown = -1;
  m_bChanged = TRUE;
  m_dwLastChange = m_pfnGetTickCount();
}

LRESULT CALLBACK CJVKToolTipWnd::MouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CJVKToolTipWnd* pWnd = g_pFollowing;
  if (nCode == HC_ACTION && pWnd != nullptr && pWnd->m_nShown >= 0) {
    MSG msg = {};
    msg.pt = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
    msg.hwnd = ::WindowFromPoint(msg.pt);
    if (msg.hwnd != ToolWindow(pWnd->m_tools[static_cast<size_t>(pWnd->m_nShown)])) {
      POINT ptClient = msg.pt;
      ::ScreenToClient(msg.hwnd, &ptClient);
      msg.message = WM_MOUSEMOVE;
      msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
      pWnd->OnMouse(msg);
    }
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CJVKToolTipWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  DrawBackground(&dc, rcClient);
  if (m_nKind == jvkToolTipRich)
    DrawRich(&dc, rcClient);
  else
    DrawPlain(&dc, rcClient, m_strShownText);
}

void CJVKToolTipWnd::DrawBackground(CDC* pDC, const CRect& rcClient) {
  if (m_nKind != jvkToolTipThemed) {
    pDC->FillSolidRect(&rcClient, BackColor());
    COLORREF clrTopLeft = (GetStyle() & kBorderStyleBit) ? ::GetSysColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    pDC->Draw3dRect(&rcClient, clrTopLeft, RGB(0, 0, 0));
    return;
  }
  // The visual style's tooltip look: one gradient and a border per theme.
  static const COLORREF kBorders[] = {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)};
  int nTheme = GetCurrentSystemTheme();
  BOOL bStyled = nTheme >= xpThemeBlue && nTheme <= xpThemeSilver;
  COLORREF clrFrom = bStyled ? RGB(255, 212, 151) : BackColor();
  COLORREF clrTo = bStyled ? RGB(255, 242, 200) : RGB(255, 255, 255);
  COLORREF clrBorder = bStyled ? kBorders[nTheme - xpThemeBlue] : RGB(0, 0, 0);
  JVKDrawHelpers()->GradientFill(pDC, &rcClient, clrFrom, clrTo, FALSE);
  pDC->Draw3dRect(&rcClient, clrBorder, clrBorder);
}

void CJVKToolTipWnd::DrawPlain(CDC* pDC, const CRect& rcClient, const CString& strText) {
  HGDIOBJ hOldFont =
      ::SelectObject(pDC->m_hDC, m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  pDC->SetTextColor(TextColor());
  pDC->SetBkMode(TRANSPARENT);
  CRect rc(rcClient.left + m_rcMargin.left + 3, rcClient.top + m_rcMargin.top + 3,
           rcClient.right - m_rcMargin.right - 3, rcClient.bottom - m_rcMargin.bottom - 3);
  if (!m_strTitle.IsEmpty()) {
    CRect rcTitle = rc;
    pDC->DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    pDC->DrawText(m_strTitle, &rcTitle, DT_NOPREFIX | DT_SINGLELINE);
    rc.top = rcTitle.bottom + 8;
    pDC->FillSolidRect(rc.left, rc.top - 4, rc.Width(), 1, RGB(0, 0, 0));
  }
  pDC->DrawText(strText, &rc, DT_NOPREFIX | DT_WORDBREAK);
  ::SelectObject(pDC->m_hDC, hOldFont);
}

void CJVKToolTipWnd::DrawRich(CDC* pDC, const CRect& rcClient) {
  if (m_wndRich.m_hWnd == nullptr) return;
  LoadRichText(m_strShownText);
  const int nPixelsX = pDC->GetDeviceCaps(LOGPIXELSX);
  const int nPixelsY = pDC->GetDeviceCaps(LOGPIXELSY);
  CRect rc(rcClient.left + m_rcMargin.left + 3, rcClient.top + m_rcMargin.top + 2,
           rcClient.right - m_rcMargin.right - 1, rcClient.bottom - m_rcMargin.bottom - 1);
  FORMATRANGE range = {};
  range.hdc = pDC->m_hDC;
  range.hdcTarget = pDC->m_hDC;
  range.rc = {rc.left * 1440 / nPixelsX, rc.top * 1440 / nPixelsY, rc.right * 1440 / nPixelsX,
              rc.bottom * 1440 / nPixelsY};
  range.rcPage = range.rc;
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;
  m_wndRich.SendMessage(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  m_wndRich.SendMessage(EM_FORMATRANGE, FALSE, 0);
}
