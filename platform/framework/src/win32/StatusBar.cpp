#include "framework/StatusBar.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "framework/GdiObject.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_PAINT()
ON_WM_SIZE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

const int kPaneGap = 4;  // the text's margin on each side inside its pane

// A pane's idle update.
class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    Bar()->SetPaneStyle(static_cast<int>(m_nIndex), Style(SBPS_DISABLED, !bOn));
  }
  void SetCheck(int nCheck) override {
    Bar()->SetPaneStyle(static_cast<int>(m_nIndex), Style(SBPS_POPOUT, nCheck != 0));
  }
  void SetText(LPCTSTR lpszText) override { Bar()->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

 private:
  CStatusBar* Bar() const { return static_cast<CStatusBar*>(m_pOther); }
  UINT Style(UINT nBit, BOOL bSet) const {
    UINT nStyle = Bar()->GetPaneStyle(static_cast<int>(m_nIndex));
    return bSet ? (nStyle | nBit) : (nStyle & ~nBit);
  }
};

}  // namespace

CStatusBar::CStatusBar() {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() { DestroyWindow(); }

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD dwWindowStyle =
      WindowStyleOf(dwStyle) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  // The panes are measured in the font the control draws with.
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return TRUE;
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const {
  CClientDC dc(const_cast<CStatusBar*>(this));
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
  SIZE size = {};
  ::GetTextExtentPoint32(dc.m_hDC, lpszText, lstrlen(lpszText), &size);
  if (hOld != nullptr) ::SelectObject(dc.m_hDC, hOld);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.clear();
  BOOL bResult = TRUE;
  for (int i = 0; i < nIDCount; ++i) {
    Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
    if (pane.nID == ID_SEPARATOR) {
      pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
    } else if (pane.strText.LoadString(pane.nID)) {
      pane.cxText = TextWidth(pane.strText);
    } else {
      bResult = FALSE;
    }
    m_panes.push_back(pane);
  }
  UpdateAllPanes(TRUE, TRUE);
  return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_panes[static_cast<size_t>(i)].nID == nIDFind) return i;
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return IsValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nID : ID_SEPARATOR;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect))) ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  ENSURE_ARG(IsValidIndex(nIndex));
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  nID = pane.nID;
  nStyle = pane.nStyle;
  cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  ENSURE_ARG(IsValidIndex(nIndex));
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = cxWidth;
  UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  return IsValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (!IsValidIndex(nIndex)) return;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  if (pane.nStyle == nStyle) return;
  BOOL bStretchChanged = (pane.nStyle ^ nStyle) & SBPS_STRETCH;
  pane.nStyle = nStyle;
  if (bStretchChanged) UpdateAllPanes(TRUE, FALSE);
  ShowPaneText(nIndex);
}

CString CStatusBar::GetPaneText(int nIndex) const {
  return IsValidIndex(nIndex) ? m_panes[static_cast<size_t>(nIndex)].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (!IsValidIndex(nIndex)) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  if (lpszNewText == nullptr) lpszNewText = "";
  if (pane.strText == lpszNewText) return TRUE;  // unchanged: no flicker
  pane.strText = lpszNewText;
  if (bUpdate) ShowPaneText(nIndex);
  return TRUE;
}

void CStatusBar::ShowPaneText(int nIndex) {
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  // A disabled pane keeps its text but shows none.
  LPCTSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<LPCTSTR>(pane.strText);
  UINT nDrawStyle = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
  SendMessage(SB_SETTEXT, static_cast<WPARAM>(nIndex) | nDrawStyle, reinterpret_cast<LPARAM>(lpszShown));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == nullptr) return;
  if (bUpdateRects) {
    // Fixed panes keep their text's width; stretched ones share the rest.
    CRect client;
    GetClientRect(&client);
    int cxFixed = 0, nStretch = 0;
    for (const Pane& pane : m_panes) {
      if (pane.nStyle & SBPS_STRETCH)
        ++nStretch;
      else
        cxFixed += pane.cxText + 2 * kPaneGap;
    }
    int cxFree = std::max(0, client.Width() - cxFixed);
    std::vector<int> edges;
    int x = 0, nStretchSeen = 0;
    for (const Pane& pane : m_panes) {
      if (pane.nStyle & SBPS_STRETCH) {
        ++nStretchSeen;
        x += cxFree * nStretchSeen / nStretch - cxFree * (nStretchSeen - 1) / nStretch;
      } else {
        x += pane.cxText + 2 * kPaneGap;
      }
      edges.push_back(x);
    }
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (bUpdateText)
    for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateAllPanes(TRUE, FALSE);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  // One line of the bar's font with the control's borders.
  CClientDC dc(this);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
  TEXTMETRIC tm = {};
  ::GetTextMetrics(dc.m_hDC, &tm);
  if (hOld != nullptr) ::SelectObject(dc.m_hDC, hOld);
  int borders[3] = {};
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  return SizeAround(CSize(0, tm.tmHeight + 2 * borders[1] + 2 * kPaneGap), bStretch, bHorz);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  // Indicators without a handler stay as they are.
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    state.DoUpdate(pTarget, FALSE);
  }
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int nIndex = CommandToIndex(ID_SEPARATOR);
  if (nIndex < 0) return FALSE;
  return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  int nMax = static_cast<int>(wParam);
  auto* pszDest = reinterpret_cast<LPTSTR>(lParam);
  if (nMax <= 0 || pszDest == nullptr) return 0;
  CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
  lstrcpyn(pszDest, text, nMax);
  return lstrlen(pszDest);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) { return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength(); }
