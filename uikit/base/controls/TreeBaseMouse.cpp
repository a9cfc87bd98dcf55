// CJVTreeBase: mouse presses, the click tracking and rubber-band loops, the
// keyboard rules, hot tracking and the collapse rule.
#include "TreeBase.h"

#include <cstdlib>

namespace {

bool BeyondDragDistance(CPoint from, CPoint to) {
  return std::abs(to.x - from.x) > ::GetSystemMetrics(SM_CXDRAG) ||
         std::abs(to.y - from.y) > ::GetSystemMetrics(SM_CYDRAG);
}

CPoint PointOf(const MSG& msg, HWND hTree) {
  CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
  if (msg.hwnd != hTree) ::MapWindowPoints(msg.hwnd, hTree, &pt, 1);
  return pt;
}

void Dispatch(MSG& msg) {
  ::TranslateMessage(&msg);
  ::DispatchMessage(&msg);
}

const UINT kOnItemParts = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

}  // namespace

// Waits for the release of the pressed button or a move beyond the drag
// distance; everything else is dispatched.
class CJVTreeBase::CClickTracker : public CTrackingLoop {
 public:
  CClickTracker(CWnd* pTree, CPoint ptPress) : CTrackingLoop(pTree), m_ptPress(ptPress) {}
  BOOL m_bMoved = FALSE;

 protected:
  Action OnTrackMessage(MSG& msg) override {
    switch (msg.message) {
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: return actionEnd;
      case WM_MOUSEMOVE:
        if (BeyondDragDistance(m_ptPress, PointOf(msg, m_pWnd->m_hWnd))) {
          m_bMoved = TRUE;
          return actionEnd;
        }
        break;
      default: break;
    }
    Dispatch(msg);
    return actionContinue;
  }

 private:
  CPoint m_ptPress;
};

// The band dragged over empty space: selects the items it meets.
class CJVTreeBase::CRubberBand : public CTrackingLoop {
 public:
  CRubberBand(CJVTreeBase& tree, UINT nFlags, CPoint ptPress)
      : CTrackingLoop(tree.m_pTree), m_tree(tree), m_nFlags(nFlags), m_ptPress(ptPress) {
    CTreeCtrl* pTree = tree.m_pTree;
    CRect rcFirst;
    if (HTREEITEM hRoot = pTree->GetRootItem(); hRoot && pTree->GetItemRect(hRoot, &rcFirst, FALSE))
      m_nItemHeight = rcFirst.Height();
    // Content coordinates: the vertical scroll position counts items.
    m_ptContent = CPoint(ptPress.x + pTree->GetScrollPos(SB_HORZ),
                         ptPress.y + pTree->GetScrollPos(SB_VERT) * m_nItemHeight);
    if (nFlags & (MK_CONTROL | MK_SHIFT)) tree.GetSelectedList(m_remembered);
  }

  BOOL m_bStarted = FALSE;
  BOOL m_bDrawn = FALSE;
  CRect m_rcDrawn;

  void EraseBand() {
    if (!m_bDrawn) return;
    CClientDC dc(m_pWnd);
    dc.DrawFocusRect(&m_rcDrawn);
    m_bDrawn = FALSE;
  }

 protected:
  Action OnTrackMessage(MSG& msg) override {
    const HWND hTree = m_pWnd->m_hWnd;
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
          EraseBand();
          m_tree.SelectAllVisible(FALSE, nullptr);
          return actionCancel;
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: return actionEnd;
      case WM_MOUSEMOVE: Follow(PointOf(msg, hTree)); return actionContinue;
      case WM_TIMER:
        if (msg.hwnd == hTree && msg.wParam == kTimerAutoScroll) {
          CPoint pt = msg.pt;
          ::ScreenToClient(hTree, &pt);
          CRect rcClient;
          m_pWnd->GetClientRect(&rcClient);
          if (!rcClient.PtInRect(pt)) {
            Follow(pt);
            return actionContinue;
          }
        }
        break;
      case WM_PAINT:
        // A repaint would leave half an inverted band behind.
        if (msg.hwnd == hTree && m_bDrawn) {
          EraseBand();
          Dispatch(msg);
          DrawBand(m_rcBand);
          return actionContinue;
        }
        break;
      default: break;
    }
    Dispatch(msg);
    return actionContinue;
  }

 private:
  void DrawBand(const CRect& rc) {
    CClientDC dc(m_pWnd);
    dc.DrawFocusRect(&rc);
    m_rcDrawn = rc;
    m_bDrawn = TRUE;
  }

  void Follow(CPoint pt) {
    CTreeCtrl* pTree = m_tree.m_pTree;
    if (!m_bStarted) {
      if (!BeyondDragDistance(m_ptPress, pt)) return;
      m_bStarted = TRUE;
      if (!(m_nFlags & (MK_CONTROL | MK_SHIFT))) m_tree.SelectAllVisible(FALSE, nullptr);
      pTree->UpdateWindow();
    }
    EraseBand();
    CRect rcClient;
    pTree->GetClientRect(&rcClient);
    if (pt.y < rcClient.top)
      pTree->SendMessage(WM_VSCROLL, SB_LINEUP);
    else if (pt.y >= rcClient.bottom)
      pTree->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    if (pt.x < rcClient.left)
      pTree->SendMessage(WM_HSCROLL, SB_LINELEFT);
    else if (pt.x >= rcClient.right)
      pTree->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    const CPoint ptStart(m_ptContent.x - pTree->GetScrollPos(SB_HORZ),
                         m_ptContent.y - pTree->GetScrollPos(SB_VERT) * m_nItemHeight);
    m_rcBand = CRect(ptStart, pt);
    m_rcBand.NormalizeRect();
    m_tree.SelectItemsInRect(m_rcBand, m_nFlags, &m_remembered);
    DrawBand(m_rcBand);
  }

  CJVTreeBase& m_tree;
  UINT m_nFlags;
  CPoint m_ptPress;
  CPoint m_ptContent;
  int m_nItemHeight = 0;
  CRect m_rcBand;
  CList<HTREEITEM, HTREEITEM> m_remembered;
};

// ---------------------------------------------------------------- button down

void CJVTreeBase::HandleLButtonDown(UINT nFlags, CPoint point) {
  if (!m_bMultiSelect) {
    CallDefault(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    return;
  }
  UINT nHit = 0;
  const HTREEITEM hItem = m_pTree->HitTest(point, &nHit);
  if (nHit & (TVHT_ONITEMBUTTON | TVHT_ONITEMSTATEICON)) {
    CallDefault(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    return;
  }
  if (m_pTree->GetStyle() & TVS_EDITLABELS) {
    if ((nHit & TVHT_ONITEMLABEL) && hItem && hItem == CaretItem() && !(nFlags & (MK_CONTROL | MK_SHIFT)) &&
        m_bEditArmed) {
      // The tree view starts the label edit of its caret item.
      SelectAllVisible(FALSE, hItem);
      SelectItem(hItem);
      CallDefault(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
      return;
    }
    m_bEditArmed = hItem != nullptr && (nHit & kOnItemParts) != 0;
  }
  OnButtonDown(TRUE, nFlags, point);
}

void CJVTreeBase::HandleRButtonDown(UINT nFlags, CPoint point) {
  UINT nHit = 0;
  const HTREEITEM hItem = m_pTree->HitTest(point, &nHit);
  if (!hItem || !(nHit & kOnItemParts)) {
    SelectAllVisible(FALSE, nullptr);
  } else if (!IsSelected(hItem)) {
    SelectAllVisible(FALSE, nullptr);
    SelectItem(hItem);
  }
  CallDefault(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

BOOL CJVTreeBase::OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point) {
  if (!m_bMultiSelect) return TRUE;
  UINT nHit = 0;
  const HTREEITEM hItem = m_pTree->HitTest(point, &nHit);
  if (nHit & TVHT_ONITEMBUTTON) return TRUE;
  if (bLeft && (nHit & TVHT_ONITEMSTATEICON) && (m_pTree->GetStyle() & TVS_CHECKBOXES)) return TRUE;
  if (hItem && !(nHit & (TVHT_NOWHERE | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT))) {
    DoClickSelect(hItem, bLeft, nFlags);
    TrackClick(hItem, bLeft, nFlags, point);
    return m_bClickDone;
  }
  OnRubberBand(nFlags, point);
  return TRUE;
}

void CJVTreeBase::DoClickSelect(HTREEITEM hItem, BOOL bLeft, UINT nFlags) {
  const BOOL bCtrl = (nFlags & MK_CONTROL) != 0;
  const BOOL bShift = (nFlags & MK_SHIFT) != 0;
  if (!bLeft) {
    if (bCtrl && !bShift) {
      m_hAnchorItem = hItem;
      return;
    }
    if (bShift) return;
  }
  if (bShift) {
    if (!m_hAnchorItem) m_hAnchorItem = CaretItem();
    SelectRange(m_hAnchorItem ? m_hAnchorItem : hItem, hItem, !bCtrl);
    FocusItem(hItem);
    return;
  }
  if (!bCtrl) {
    // Pressing on a selected item keeps the group for a drag.
    if (!IsSelected(hItem)) SelectAllVisible(FALSE, hItem);
    SelectItem(hItem);
  }
  m_hAnchorItem = nullptr;
}

BOOL CJVTreeBase::TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point) {
  m_bClickDone = FALSE;
  CClickTracker tracker(m_pTree, point);
  if (tracker.Track() != CTrackingLoop::trackEnded) return FALSE;  // capture lost or quit: nothing is sent
  m_bClickDone = TRUE;
  if (tracker.m_bMoved) {
    SelectItem(hItem);
    if (!(m_pTree->GetStyle() & TVS_DISABLEDRAGDROP)) NotifyItem(bLeft ? TVN_BEGINDRAG : TVN_BEGINRDRAG, hItem, FALSE, point);
    return FALSE;
  }
  if (!(nFlags & MK_SHIFT) && bLeft) {
    if (nFlags & MK_CONTROL) {
      SetItemState(hItem, IsSelected(hItem) ? 0 : TVIS_SELECTED, TVIS_SELECTED);
    } else {
      SelectAllVisible(FALSE, hItem);
      SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    }
    FocusItem(hItem);
  }
  m_pTree->SetFocus();
  NMHDR hdr = {};
  hdr.code = bLeft ? NM_CLICK : NM_RCLICK;
  return static_cast<BOOL>(SendNotify(&hdr));
}

void CJVTreeBase::OnRubberBand(UINT nFlags, CPoint point) {
  m_pTree->SetFocus();
  CRubberBand band(*this, nFlags, point);
  m_pTree->SetTimer(kTimerAutoScroll, 75);
  band.Track();  // ends however the loop ends: released, Escape, capture lost or quit
  m_pTree->KillTimer(kTimerAutoScroll);
  band.EraseBand();
  if (!band.m_bStarted && !(nFlags & (MK_CONTROL | MK_SHIFT))) SelectAllVisible(FALSE, nullptr);
}

void CJVTreeBase::SelectItemsInRect(CRect rcBand, UINT nFlags, CList<HTREEITEM, HTREEITEM>* pRemembered) {
  for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    CRect rcItem, rcMeet;
    const BOOL bInside = m_pTree->GetItemRect(hItem, &rcItem, m_bTextOnlyRect) && rcMeet.IntersectRect(rcItem, rcBand);
    POSITION pos = pRemembered ? pRemembered->Find(hItem) : nullptr;
    const BOOL bSelected = IsSelected(hItem);
    if (bInside) {
      if (!bSelected && !pos) {
        SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
      } else if (pos && (nFlags & MK_CONTROL)) {
        if (bSelected) SetItemState(hItem, 0, TVIS_SELECTED);
      } else if (pos && (nFlags & MK_SHIFT)) {
        pRemembered->RemoveAt(pos);  // deselected once the band leaves it
      }
    } else if (pos) {
      if (!bSelected) SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    } else if (bSelected) {
      SetItemState(hItem, 0, TVIS_SELECTED);
    }
  }
  m_pTree->UpdateWindow();
}

// -------------------------------------------------------------------- keyboard

void CJVTreeBase::HandleKeyDown(UINT nChar) {
  const MSG* pMsg = CWnd::GetCurrentMessage();
  const WPARAM wParam = nChar;
  const LPARAM lParam = pMsg ? pMsg->lParam : 0;
  if (!m_bMultiSelect || (nChar != VK_UP && nChar != VK_DOWN)) {
    CallDefault(WM_KEYDOWN, wParam, lParam);
    return;
  }
  const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
  const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
  const HTREEITEM hCaret = CaretItem();
  if (!m_hAnchorItem) m_hAnchorItem = hCaret;
  if (!bCtrl && !bShift) {
    m_hAnchorItem = nullptr;
    if (GetSelectedCount() < 2) {
      HTREEITEM hStart = hCaret ? hCaret : GetFirstSelectedItem();
      if (!hStart) {
        if (HTREEITEM hRoot = m_pTree->GetRootItem()) FocusItem(hRoot);
        return;
      }
      SelectItem(hStart);
    } else {
      SelectAllVisible(FALSE, nullptr);
    }
    CallDefault(WM_KEYDOWN, wParam, lParam);
    return;
  }
  // Some tree views move their selection with Ctrl and an arrow too (others
  // only scroll): with Ctrl alone the selection is put back afterwards.
  CList<HTREEITEM, HTREEITEM> kept;
  if (!bShift) GetSelectedList(kept);
  CallDefault(WM_KEYDOWN, wParam, lParam);
  if (!bShift) {
    for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
      const BOOL bKept = kept.Find(hItem) != nullptr;
      if (IsSelected(hItem) != bKept) SetStateDirect(hItem, bKept ? TVIS_SELECTED : 0, TVIS_SELECTED);
    }
  }
  if (!hCaret) return;
  HTREEITEM hTarget = nChar == VK_UP ? m_pTree->GetPrevVisibleItem(hCaret) : m_pTree->GetNextVisibleItem(hCaret);
  if (!hTarget) hTarget = hCaret;
  if (bShift)
    SelectRange(m_hAnchorItem ? m_hAnchorItem : hCaret, hTarget, TRUE);
  else
    FocusItem(hTarget);
}

// ---------------------------------------------------------------- hot tracking

void CJVTreeBase::SetHotItem(HTREEITEM hItem) {
  if (hItem == m_hHotItem) return;
  for (HTREEITEM hChanged : {m_hHotItem, hItem}) {
    CRect rc;
    if (hChanged && m_pTree->GetItemRect(hChanged, &rc, TRUE)) m_pTree->InvalidateRect(&rc, FALSE);
  }
  m_hHotItem = hItem;
}

void CJVTreeBase::HandleMouseMove(CPoint point) {
  if (m_pTree->GetStyle() & TVS_TRACKSELECT) {
    UINT nHit = 0;
    const HTREEITEM hItem = m_pTree->HitTest(point, &nHit);
    SetHotItem(hItem && (nHit & kOnItemParts) ? hItem : nullptr);
    m_pTree->SetTimer(kTimerHotTrack, 55);
  }
  const MSG* pMsg = CWnd::GetCurrentMessage();
  CallDefault(WM_MOUSEMOVE, pMsg ? pMsg->wParam : 0, MAKELPARAM(point.x, point.y));
}

void CJVTreeBase::HandleTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimerHotTrack) {
    CallDefault(WM_TIMER, nIDEvent, 0);
    return;
  }
  m_pTree->KillTimer(kTimerHotTrack);
  const DWORD dwPos = ::GetMessagePos();
  const CPoint pt(static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)));
  CRect rcWindow;
  m_pTree->GetWindowRect(&rcWindow);
  if (rcWindow.PtInRect(pt)) return;  // the next mouse move starts the timer again
  SetHotItem(nullptr);
}

void CJVTreeBase::HandleNcMouseMove(UINT nHitTest) {
  if (nHitTest == HTBORDER) SetHotItem(nullptr);  // on the border no item is under the pointer
  const MSG* pMsg = CWnd::GetCurrentMessage();
  if (pMsg) CallDefault(WM_NCMOUSEMOVE, pMsg->wParam, pMsg->lParam);
}

// ---------------------------------------------------------------- collapse rule

void CJVTreeBase::HandleItemExpanding(const NMTREEVIEW* pNM) {
  if (!m_bMultiSelect || (pNM->action & (TVE_COLLAPSE | TVE_EXPAND)) != TVE_COLLAPSE) return;
  const HTREEITEM hItem = pNM->itemNew.hItem;
  // The tree view would select the parent of a hidden caret: make it the
  // caret without selecting it.
  if (SelectChildren(hItem, FALSE, TRUE) && !IsSelected(hItem)) FocusItem(hItem);
}
