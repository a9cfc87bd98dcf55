// CJVTreeBase: painting of the labels, focus changes, label editing, the
// pre-translation of keys and the tool tip's z-order.
#include "TreeBase.h"

#include "MemDC.h"
#include "OSVersionInfo.h"

namespace {

struct TreeColors {
  COLORREF back;
  COLORREF text;
};

TreeColors TreeColorsOf(CTreeCtrl* pTree, BOOL bEnabled) {
  TreeColors colors = {pTree->GetBkColor(), pTree->GetTextColor()};
  if (colors.back == static_cast<COLORREF>(-1)) colors.back = ::GetSysColor(COLOR_WINDOW);
  if (colors.text == static_cast<COLORREF>(-1)) colors.text = ::GetSysColor(COLOR_WINDOWTEXT);
  if (!bEnabled) colors = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_GRAYTEXT)};
  return colors;
}

}  // namespace

void CJVTreeBase::HandlePaint() {
  CPaintDC dc(m_pTree);
  DoPaint(&dc, TRUE);
}

void CJVTreeBase::PaintLabel(CDC& dc, HTREEITEM hItem, COLORREF clrBack, COLORREF clrText, BOOL bFilled) {
  CRect rcLabel;
  if (!m_pTree->GetItemRect(hItem, &rcLabel, TRUE)) return;
  LOGFONT logfont = {};
  if (!GetItemFont(hItem, &logfont)) {
    CFont* pTreeFont = m_pTree->GetFont();
    if (pTreeFont)
      pTreeFont->GetLogFont(&logfont);
    else
      ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logfont), &logfont);
  }
  if (GetItemBold(hItem)) logfont.lfWeight = FW_BOLD;
  CFont font;
  font.CreateFontIndirect(&logfont);
  CFont* pOldFont = dc.SelectObject(&font);
  const CString label = m_pTree->GetItemText(hItem);
  const CSize extent = dc.GetTextExtent(label);
  if (rcLabel.Width() < extent.cx + 2) rcLabel.right = rcLabel.left + extent.cx + 2;
  if (bFilled) dc.FillSolidRect(&rcLabel, clrBack);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(clrText);
  dc.DrawText(label, &rcLabel, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  dc.SelectObject(pOldFont);
}

void CJVTreeBase::DoPaint(CDC* pDC, BOOL bPaintItems) {
  CRect rcClient;
  m_pTree->GetClientRect(&rcClient);
  const BOOL bEnabled = m_pTree->IsWindowEnabled();
  const TreeColors tree = TreeColorsOf(m_pTree, bEnabled);
  const DWORD dwStyle = m_pTree->GetStyle();
  const BOOL bFocus = ::GetFocus() == m_pTree->m_hWnd;
  const HTREEITEM hCaret = CaretItem();
  CEdit* pEdit = m_pTree->GetEditControl();
  {
    CJVMemDC dc(pDC, rcClient, CJVKGradientColor(tree.back));
    dc.SetBkColor(tree.back);
    dc.SetTextColor(tree.text);
    CallDefault(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    if (bPaintItems) {
      const int nSaved = dc.SaveDC();
      const UINT nMax = m_pTree->GetVisibleCount() + 1;
      HTREEITEM hItem = m_pTree->GetFirstVisibleItem();
      for (UINT n = 0; hItem && n < nMax; ++n, hItem = m_pTree->GetNextVisibleItem(hItem)) {
        CRect rcText;
        if (!m_pTree->GetItemRect(hItem, &rcText, TRUE)) continue;
        dc.FillSolidRect(CRect(rcText.left, rcText.top, rcClient.right, rcText.bottom), tree.back);
        const UINT nState = m_pTree->GetItemState(hItem, TVIS_SELECTED | TVIS_DROPHILITED);
        COLORREF clrBack = tree.back, clrText = tree.text;
        BOOL bFilled = FALSE;
        if (nState & (TVIS_SELECTED | TVIS_DROPHILITED)) {
          bFilled = TRUE;
          if (bFocus || (nState & TVIS_DROPHILITED)) {
            clrBack = ::GetSysColor(bEnabled ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
            clrText = ::GetSysColor(bEnabled ? COLOR_HIGHLIGHTTEXT : COLOR_BTNFACE);
          } else if (dwStyle & TVS_SHOWSELALWAYS) {
            clrBack = ::GetSysColor(bEnabled ? COLOR_BTNFACE : COLOR_GRAYTEXT);
            clrText = ::GetSysColor(bEnabled ? COLOR_WINDOWTEXT : COLOR_BTNFACE);
          }
        } else {
          const COLORREF clrOwn = GetItemColor(hItem);
          if (clrOwn != static_cast<COLORREF>(-1) && bEnabled) clrText = clrOwn;
          if (hItem == m_hHotItem && (dwStyle & TVS_TRACKSELECT)) {
            const CJVKOSVersionInfo* pOS = GetOSVersionInfo();
            clrText = ::GetSysColor(pOS->IsWin95() || pOS->IsWinNT4() ? COLOR_HIGHLIGHT : COLOR_HOTLIGHT);
          }
        }
        if (hItem == m_hEditItem) clrText = clrBack;  // blank behind the edit box
        PaintLabel(dc, hItem, clrBack, clrText, bFilled);
        if (hItem == hCaret && bFocus && bEnabled && !pEdit) {
          dc.SetTextColor(tree.text);
          dc.SetBkColor(tree.back);
          CRect rcFocus;
          m_pTree->GetItemRect(hItem, &rcFocus, TRUE);
          dc.DrawFocusRect(&rcFocus);
        }
      }
      dc.RestoreDC(nSaved);
    }
  }
  if (bPaintItems && (!(dwStyle & TVS_EDITLABELS) || !pEdit)) m_hEditItem = nullptr;
}

// ------------------------------------------------------------------- focus

void CJVTreeBase::InvalidateSelectedLabels() {
  for (HTREEITEM hItem = GetFirstSelectedItem(); hItem; hItem = GetNextSelectedItem(hItem)) {
    CRect rc;
    if (m_pTree->GetItemRect(hItem, &rc, TRUE)) m_pTree->InvalidateRect(&rc, TRUE);
  }
}

void CJVTreeBase::HandleSetFocus() {
  const MSG* pMsg = CWnd::GetCurrentMessage();
  if (m_bMultiSelect) InvalidateSelectedLabels();
  CallDefault(WM_SETFOCUS, pMsg ? pMsg->wParam : 0, 0);
}

void CJVTreeBase::HandleKillFocus() {
  const MSG* pMsg = CWnd::GetCurrentMessage();
  CallDefault(WM_KILLFOCUS, pMsg ? pMsg->wParam : 0, 0);
  if (m_bMultiSelect) InvalidateSelectedLabels();
}

// ------------------------------------------------------------- label editing

void CJVTreeBase::HandleSize() {
  const MSG* pMsg = CWnd::GetCurrentMessage();
  if (pMsg) CallDefault(WM_SIZE, pMsg->wParam, pMsg->lParam);
  CEdit* pEdit = m_pTree->GetEditControl();
  CRect rcLabel;
  if (pEdit && m_hEditItem && m_pTree->GetItemRect(m_hEditItem, &rcLabel, TRUE))
    pEdit->SetWindowPos(nullptr, rcLabel.left - 3, rcLabel.top - 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CJVTreeBase::HandleBeginLabelEdit(const NMTVDISPINFO* pNM) { m_hEditItem = pNM->item.hItem; }

void CJVTreeBase::HandleEndLabelEdit() {
  m_hEditItem = nullptr;
  m_labelIndex.Invalidate();  // the owner may accept the new label
}

void CJVTreeBase::HandleDeleteItem(const NMTREEVIEW* pNM) {
  const HTREEITEM hItem = pNM->itemOld.hItem;
  // Items also go without TVM_DELETEITEM (TVE_COLLAPSERESET deletes the
  // children of the item it collapses): the search must not find them.
  m_labelIndex.Invalidate();
  m_itemStyles.RemoveKey(hItem);
  if (hItem == m_hAnchorItem) m_hAnchorItem = nullptr;
  if (hItem == m_hHotItem) m_hHotItem = nullptr;
  if (hItem == m_hEditItem) m_hEditItem = nullptr;
}

// ------------------------------------------------------ messages and notices

BOOL CJVTreeBase::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN) return FALSE;
  if ((m_pTree->GetStyle() & TVS_EDITLABELS) && m_pTree->GetEditControl()) {
    // Enter, Escape and the arrows belong to the edit box.
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  if (pMsg->wParam == VK_RETURN) {
    if (HTREEITEM hCaret = CaretItem()) m_pTree->Expand(hCaret, TVE_TOGGLE);
  }
  return FALSE;
}

BOOL CJVTreeBase::OnNotify(WPARAM, LPARAM lParam, LRESULT*) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  const HWND hTips = reinterpret_cast<HWND>(m_pTree->SendMessage(TVM_GETTOOLTIPS));
  if (pHdr && pHdr->code == TTN_SHOW && hTips && pHdr->hwndFrom == hTips)
    ::SetWindowPos(hTips, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return FALSE;
}
