#include "ToolBar.h"

#include "DockBar.h"
#include "DockContext.h"

#include "PaintManager.h"
#include "ToolBarResource.h"
#include "ToolBarSystemButtons.h"

#include <ImageManager.h>
#include <ResourceManager.h>

#include <algorithm>
#include <vector>

namespace {
// The style bits a tool bar keeps of those it was created with: the CBRS_
// bits, the gripper among them.
const DWORD kKeptBarStyle = 0x40FFFF;
// The window-style bits of those the caller passes.
const DWORD kWindowStyleBits = 0xFFBF0000;
const LPCTSTR kToolBarResourceType = MAKEINTRESOURCE(241);
// "Are you sure you want to reset the changes made to the '%s' toolbar?"
const UINT kIdsResetPrompt = 9349;
// The strip the expand button takes at the far end of a docked bar.
const int kExpandStrip = 11;
}  // namespace

BEGIN_MESSAGE_MAP(CJVKToolBar, CJVKCommandBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_MOUSEACTIVATE()
ON_WM_NCHITTEST()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_NCLBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CJVKToolBar::CJVKToolBar() { m_dwStyle = CBRS_GRIPPER; }

CJVKToolBar::~CJVKToolBar() {
  if (m_pDockBar) m_pDockBar->RemoveBar(this);
}

CJVKDockContext* CJVKToolBar::GetDockContext() {
  if (!m_pDockContext) m_pDockContext = std::make_unique<CJVKDockContext>(this);
  return m_pDockContext.get();
}

BOOL CJVKToolBar::IsDragPoint(CPoint pt) const {
  if (m_pCommandBars == nullptr || m_pCommandBars->IsCustomizeMode() || HitTestControl(pt) != nullptr) return FALSE;
  return (m_dwDockingFlags & (JVK_DOCK_TOP | JVK_DOCK_BOTTOM | JVK_DOCK_LEFT | JVK_DOCK_RIGHT | JVK_DOCK_FLOAT)) != 0;
}

void CJVKToolBar::OnLButtonDown(UINT nFlags, CPoint pt) {
  if (!IsDragPoint(pt)) {
    CJVKCommandBar::OnLButtonDown(nFlags, pt);
    return;
  }
  CPoint ptScreen = pt;
  ClientToScreen(&ptScreen);
  GetDockContext()->StartDrag(ptScreen);
}

void CJVKToolBar::OnNcLButtonDown(UINT nHitTest, CPoint pt) {
  const BOOL bEdge = nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT;
  if (m_nPosition != jvkBarFloating || !bEdge || m_pCommandBars == nullptr || m_pCommandBars->IsCustomizeMode() ||
      !GetDockContext()->StartResize(static_cast<int>(nHitTest), pt))
    CJVKCommandBar::OnNcLButtonDown(nHitTest, pt);
}

void CJVKToolBar::OnRButtonDown(UINT nFlags, CPoint pt) {
  if (m_pCommandBars == nullptr || m_pCommandBars->IsCustomizeMode()) {
    CJVKCommandBar::OnRButtonDown(nFlags, pt);
    return;
  }
  SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  SetSelected(-1, 0);
  CPoint ptScreen = pt;
  ClientToScreen(&ptScreen);
  m_pCommandBars->ShowBarsContextMenu(this, ptScreen);
}

void CJVKToolBar::OnLButtonDblClk(UINT nFlags, CPoint pt) {
  if (!IsDragPoint(pt) || !GetDockContext()->ToggleDocking()) CJVKCommandBar::OnLButtonDblClk(nFlags, pt);
}

BOOL CJVKToolBar::CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID) {
  m_dwStyle = dwStyle & kKeptBarStyle;
  LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  const DWORD dwWindowStyle = (dwStyle & kWindowStyleBits) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (!CreateEx(0, pszClass, m_strTitle, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  m_bVisible = (dwWindowStyle & WS_VISIBLE) != 0;
  m_nPosition = jvkBarTop;
  if ((m_dwStyle & CBRS_TOOLTIPS) && m_pCommandBars == nullptr) EnableToolTips(TRUE);
  return TRUE;
}

BOOL CJVKToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadImages) {
  m_nBarID = nIDResource;
  m_pControls->RemoveAll();
  HINSTANCE hInstance = AfxGetResourceHandle();
  HRSRC hResource = ::FindResource(hInstance, MAKEINTRESOURCE(nIDResource), kToolBarResourceType);
  if (hResource == nullptr) return FALSE;
  HGLOBAL hData = ::LoadResource(hInstance, hResource);
  const void* pData = hData ? ::LockResource(hData) : nullptr;
  JVKToolBarResource resource;
  if (!JVKParseToolBarResource(pData, ::SizeofResource(hInstance, hResource), resource)) return FALSE;

  std::vector<UINT> ids(resource.ids.begin(), resource.ids.end());
  SetButtons(ids.data(), static_cast<int>(ids.size()));
  if (bLoadImages) {
    std::vector<UINT> commands;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(commands), [](UINT nID) { return nID != 0; });
    const CSize szIcon(resource.cxImage, resource.cyImage);
    CJVKImageManager* pImages = m_pImageManager ? m_pImageManager : ::GetImageManager();
    if (!pImages->SetIconsFromResource(nIDResource, commands.data(), static_cast<int>(commands.size()), szIcon))
      return FALSE;
  }
  if (resource.cxImage != 16) m_szIcon = CSize(resource.cxImage, resource.cyImage);
  m_pControls->CreateOriginalControls();
  return TRUE;
}

void CJVKToolBar::SetButtons(const UINT* pIDs, int nCount) {
  CWnd* pSite = GetSite();
  BOOL bBeginGroup = FALSE;
  for (int i = 0; i < nCount; ++i) {
    if (pIDs[i] == 0) {
      bBeginGroup = TRUE;
      continue;
    }
    JVK_CREATE_CONTROL create;
    create.nID = static_cast<int>(pIDs[i]);
    create.pControl = nullptr;
    create.bFromButtonList = TRUE;
    create.nIndex = i;
    create.pMenu = nullptr;
    create.pBar = this;
    create.strCaption = m_strTitle;
    create.nType = jvkControlButton;
    create.nStyle = jvkStyleAutomatic;
    if (pSite && pSite->GetSafeHwnd()) pSite->SendMessage(JVK_WM_CREATE_CONTROL, 0, reinterpret_cast<LPARAM>(&create));

    CJVKControl* pControl = nullptr;
    if (create.pControl) {
      // A supplied control without an id of its own takes the button's.
      const int nID = create.pControl->GetID() ? create.pControl->GetID() : create.nID;
      pControl = m_pControls->AddControl(create.pControl, nID);
    } else {
      // The factory gives a menu-entry popup no id of its own.
      const BOOL bPopup = create.nType == jvkControlPopup;
      pControl = m_pControls->Add(create.nType, bPopup ? 0 : create.nID);
      if (pControl == nullptr) continue;
      if (bPopup) pControl->SetID(create.nID);
      pControl->SetStyle(create.nStyle);
    }
    if (pControl == nullptr) continue;
    if (bBeginGroup) pControl->SetBeginGroup(TRUE);
    bBeginGroup = FALSE;
    create.pControl = pControl;
    if (pSite && pSite->GetSafeHwnd()) pSite->SendMessage(JVK_WM_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&create));
  }
}

CSize CJVKToolBar::CalcDockingLayout(int nLength, DWORD dwMode) {
  CJVKPaintManager* pPaintManager = GetPaintManager();
  CRect rcBorders = pPaintManager->GetCommandBarBorders(this);
  if (m_dwStyle & CBRS_GRIPPER) {
    const CSize szGripper = pPaintManager->DrawCommandBarGripper(nullptr, this, FALSE);
    rcBorders.left += szGripper.cx;
    rcBorders.top += szGripper.cy;
  }
  if (CJVKControl* pClose = m_pControls->FindControl(JVK_ID_TOOLBAR_CLOSE)) pClose->SetHideFlag(JVK_HIDE_GENERIC, TRUE);
  if (!HasExpandButton()) return m_pControls->CalcDynamicSize(nullptr, nLength, dwMode, rcBorders, 0);

  // The expand button takes a strip at the far end: always when the
  // options say so, else only when some control found no room.
  CJVKControl* pExpand = EnsureSystemButton(JVK_ID_TOOLBAR_EXPAND);
  pExpand->SetHideFlag(JVK_HIDE_GENERIC, TRUE);
  const BOOL bHorizontal = (dwMode & LM_HORZDOCK) != 0;
  LONG& nFarBorder = bHorizontal ? rcBorders.right : rcBorders.bottom;
  BOOL bShowExpand = m_pCommandBars->GetBarOptions().bShowExpandButtonAlways;
  if (bShowExpand) nFarBorder += kExpandStrip;
  CSize sz = m_pControls->CalcDynamicSize(nullptr, nLength, dwMode, rcBorders, 0);
  if (!bShowExpand && (dwMode & LM_COMMIT)) {
    for (int i = 0; i < m_pControls->GetCount() && !bShowExpand; ++i)
      bShowExpand = (m_pControls->GetAt(i)->GetHideFlags() & JVK_HIDE_NO_ROOM) != 0;
    if (bShowExpand) {
      nFarBorder += kExpandStrip;
      sz = m_pControls->CalcDynamicSize(nullptr, nLength, dwMode, rcBorders, 0);
    }
  }
  if (bShowExpand && (dwMode & LM_COMMIT)) {
    // Where the paint manager draws it: the last 11 pixels inside a 2-pixel margin.
    pExpand->SetRect(bHorizontal ? CRect(sz.cx - 13, 2, sz.cx - 2, sz.cy - 2) : CRect(2, sz.cy - 13, sz.cx - 2, sz.cy - 2));
    pExpand->SetHideFlag(JVK_HIDE_GENERIC, FALSE);
  }
  return sz;
}

LRESULT CJVKToolBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!IsWindowVisible()) return 0;
  CRect rc(pLayout->rect);
  DWORD dwMode = LM_HORZDOCK | LM_HORZ;
  if (pLayout->hDWP) dwMode |= LM_COMMIT;
  if (m_dwDockingFlags & JVK_DOCK_STRETCHED) dwMode |= LM_STRETCH;
  if (m_dwDockingFlags & JVK_DOCK_HIDE_WRAPPED) dwMode |= JVK_LM_HIDE_WRAP;
  CSize sz = CalcDockingLayout(rc.Width(), dwMode);
  sz.cx = std::min(sz.cx, static_cast<LONG>(rc.Width()));
  sz.cy = std::min(sz.cy, static_cast<LONG>(rc.Height()));
  if (pLayout->hDWP)
    pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rc.left, rc.top, sz.cx, sz.cy,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
  pLayout->rect.top += sz.cy;
  pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
  pLayout->sizeTotal.cy += sz.cy;
  Redraw();
  return 0;
}

void CJVKToolBar::SetVisible(BOOL bVisible) {
  if (bVisible == m_bVisible) return;
  // The site's answer or the removal may drop the last other reference.
  AddBarRef();
  CJVKCommandBar::SetVisible(bVisible);
  if (m_nPosition != jvkBarFloating && m_hWnd != nullptr) {
    if (m_pCommandBars)
      m_pCommandBars->RecalcFrameLayout(FALSE);
    else if (auto* pFrame = dynamic_cast<CFrameWnd*>(GetParent()))
      pFrame->RecalcLayout();
  }
  if (m_pCommandBars) {
    NotifyVisibilityChanged();
    if (m_bTearOff && !bVisible && !m_bInPreview) m_pCommandBars->Remove(this);
  }
  ReleaseBarRef();
}

void CJVKToolBar::DelayLayout() {
  if (m_hWnd == nullptr) return;
  if (m_nPosition == jvkBarFloating) {
    const CSize sz = CalcDynamicLayout(m_nMRUWidth, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
    return;
  }
  if (m_pCommandBars) {
    m_pCommandBars->RecalcFrameLayout(TRUE);
    return;
  }
  const CRect rc = GetClientRect();
  if (rc.Width() > 0) CalcDockingLayout(rc.Width(), LM_HORZDOCK | LM_HORZ | LM_COMMIT);
  Redraw();
}

BOOL CJVKToolBar::ConfirmReset() {
  CString strFormat, strPrompt;
  GetResourceManager()->LoadString(strFormat, kIdsResetPrompt);
  strPrompt.Format(strFormat, static_cast<LPCTSTR>(m_strTitle));
  // The prompt belongs to the bar's frame.
  CWnd* pSite = GetSite();
  auto* pFrame = pSite ? dynamic_cast<CFrameWnd*>(pSite->GetTopLevelParent()) : nullptr;
  CPushRoutingFrame routing(pFrame);
  return AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void CJVKToolBar::Reset() {
  if (!m_bBuiltIn || !IsCustomizable() || m_nBarID == 0) return;
  if (!ConfirmReset()) return;
  if (CJVKControls* pOriginal = m_pControls->GetOriginalControls()) {
    m_pControls->RemoveAll();
    for (int i = 0; i < pOriginal->GetCount(); ++i) {
      if (!pOriginal->GetAt(i)->IsTemporary()) m_pControls->AddClone(pOriginal->GetAt(i), -1, TRUE);
    }
  } else {
    LoadToolBar(m_nBarID, FALSE);
  }
  OnIdleUpdateCmdUI(TRUE);
  DelayLayout();
}

BOOL CJVKToolBar::HasHiddenControls() const {
  for (int i = 0; i < m_pControls->GetCount(); ++i)
    if (m_pControls->GetAt(i)->GetHideFlags() & JVK_HIDE_NO_ROOM) return TRUE;
  return FALSE;
}

CJVKControl* CJVKToolBar::EnsureSystemButton(int nID) {
  if (CJVKControl* pControl = m_pControls->FindControl(nID)) return pControl;
  CJVKControl* pControl = nullptr;
  if (nID == JVK_ID_TOOLBAR_CLOSE)
    pControl = new CJVKControlToolBarClose;
  else
    pControl = new CJVKControlToolBarExpand;
  return m_pControls->AddControl(pControl, nID, CString(), -1, TRUE);
}
