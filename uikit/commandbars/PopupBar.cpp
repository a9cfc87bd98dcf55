#include "PopupBar.h"

#include "ControlButton.h"
#include "ControlPopup.h"
#include "PaintManager.h"
#include "ShadowWnd.h"
#include "CommandBars.h"
#include "ToolBar.h"
#include "SiteMessages.h"
#include "SoundManager.h"

#include <ColorManager.h>
#include <KeyboardManager.h>
#include <MouseManager.h>
#include <MultiMonitor.h>
#include <ShadowManager.h>

#include <cstdlib>
#include <vector>

namespace {

// The keyboard moves of CJVKCommandBar::ProcessSpecialKey.
enum : int {
  kKeyNext = 0,
  kKeyPrevious = 1,
  kKeyCollapse = 2,
  kKeyExpand = 3,
  kKeyLeave = 4,
  kKeyFirst = 6,
  kKeyLast = 7,
};

// MFS_SYNCACTIVE: the frame's caption stays active while the popup shows.
const DWORD kSyncActive = 0x0100;
const DWORD kPopupStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kSyncActive;
const DWORD kEventMenuPopupStart = 0x0006;
const DWORD kEventMenuPopupEnd = 0x0007;
const LONG kObjIdMenu = -3;
// The expand button: a button of the popup drawn as the expand glyph.
const DWORD kExpandFlags = 0x1A;
// The animation kinds: unfold, slide, fade, none.
const int kAnimateNone = 5;

JVKLayoutRect ToLayout(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// The expand button at the foot of a collapsed popup.
class CJVKControlPopupExpand : public CJVKControlButton {
 public:
  CJVKControlPopupExpand() {
    m_nId = JVK_ID_POPUP_EXPAND;
    m_dwFlags = kExpandFlags;
    m_bTemporary = TRUE;
  }
  void Execute() override {
    if (m_pParent) m_pParent->ExpandBar();
  }
  void OnMouseHover() override {
    CJVKControlCommandBars* pBars = GetCommandBars();
    if (m_pParent && (pBars == nullptr || pBars->GetBarOptions().bShowFullAfterDelay)) Execute();
  }
  CSize GetSize(CDC* pDC) override {
    CJVKPaintManager* pPaint = GetPaintManager();
    return pPaint->DrawSpecialControl(jvkSpecialPopupExpand, pDC, this, m_pParent, FALSE);
  }
  void Draw(CDC* pDC) override {
    GetPaintManager()->DrawSpecialControl(jvkSpecialPopupExpand, pDC, this, m_pParent, TRUE);
  }
};

}  // namespace

BOOL (*CJVKPopupBar::s_pfnWorkArea)(RECT& rcWork, const RECT& rcExclude) = nullptr;

IMPLEMENT_DYNCREATE(CJVKPopupBar, CWnd)

BEGIN_MESSAGE_MAP(CJVKPopupBar, CJVKCommandBar)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_CANCELMODE()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CJVKPopupBar::CJVKPopupBar() {
  m_nType = jvkBarTypePopup;
  m_nPosition = jvkBarPopup;
}

CJVKPopupBar::~CJVKPopupBar() { RemoveOwnShadows(); }

CJVKPopupBar* CJVKPopupBar::CreatePopupBar(CJVKControlCommandBars* pBars) {
  auto* pBar = new CJVKPopupBar;
  pBar->SetCommandBars(pBars);
  return pBar;
}

CJVKControlParentBar* CJVKPopupBar::CloneBar(BOOL bRecursive) {
  CJVKPopupBar* pClone = CreatePopupBar(m_pCommandBars);
  pClone->m_strTitle = m_strTitle;
  pClone->m_bShowShadow = m_bShowShadow;
  pClone->m_rcBorders = m_rcBorders;
  pClone->m_bTearOff = m_bTearOff;
  pClone->m_strTearOffCaption = m_strTearOffCaption;
  pClone->m_nTearOffId = m_nTearOffId;
  pClone->m_nTearOffWidth = m_nTearOffWidth;
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetID() == JVK_ID_POPUP_EXPAND) continue;
    CJVKControl* pCopy = pControl->Clone(bRecursive);
    if (pCopy) pClone->m_pControls->AddControl(pCopy);
  }
  return pClone;
}

CWnd* CJVKPopupBar::GetSite() {
  if (m_pOwnerWnd) return m_pOwnerWnd;
  if (m_pCommandBars) return m_pCommandBars->GetSite();
  if (m_pOpener && m_pOpener->GetParentBar()) return m_pOpener->GetParentBar()->GetSite();
  return CJVKCommandBar::GetSite();
}

CJVKControlParentBar* CJVKPopupBar::GetParentBar() { return m_pOpener ? m_pOpener->GetParentBar() : nullptr; }

CWnd* CJVKPopupBar::NotificationOwner() {
  CJVKControlParentBar* pTop = this;
  while (pTop->GetParentBar()) pTop = pTop->GetParentBar();
  return pTop->GetSite();
}

int CJVKPopupBar::GetFirstVisible(BOOL bIndex) const {
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetHideFlags() == 0) return bIndex ? i : pControl->GetID();
  }
  return -1;
}

CRect CJVKPopupBar::GetScrollButtonRect(BOOL bUp) const {
  const JVKLayoutRect& r = bUp ? m_layout.m_rectScrollUp : m_layout.m_rectScrollDown;
  return CRect(r.left, r.top, r.right, r.bottom);
}

// ------------------------------------------------------------- opening

BOOL CJVKPopupBar::CreatePopupWindow() {
  CWnd* pSite = GetSite();
  HWND hSite = pSite ? pSite->GetSafeHwnd() : nullptr;
  DWORD dwExStyle = WS_EX_TOOLWINDOW;
  if (hSite && (::GetWindowLong(hSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) dwExStyle |= WS_EX_LAYOUTRTL;
  LPCTSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  return CreateEx(dwExStyle, pszClass, m_strTitle, kPopupStyle, 0, 0, 0, 0, hSite, nullptr);
}

BOOL CJVKPopupBar::Popup(CJVKControl* pOpener, BOOL bSelectFirst) {
  m_pOpener = pOpener;
  if (!m_hWnd && !CreatePopupWindow()) return FALSE;
  CalcAnchor(pOpener);
  return Open(bSelectFirst);
}

BOOL CJVKPopupBar::PopupAt(int x, int y, DWORD dwFlags, const RECT* prcExclude, BOOL bSelectFirst) {
  m_pOpener = nullptr;
  if (!m_hWnd && !CreatePopupWindow()) return FALSE;
  m_xAnchor = x;
  m_yAnchor = y;
  m_dwPlacement = dwFlags;
  m_rcExclude = prcExclude ? CRect(*prcExclude) : CRect(0, 0, 0, 0);
  return Open(bSelectFirst);
}

void CJVKPopupBar::CalcAnchor(CJVKControl* pOpener) {
  m_dwPlacement = 0;
  m_rcExclude.SetRectEmpty();
  CJVKControlParentBar* pParent = pOpener ? pOpener->GetParentBar() : nullptr;
  CWnd* pParentWnd = pParent ? pParent->GetBarWnd() : nullptr;
  if (pParentWnd == nullptr) return;
  CWnd* pSite = GetSite();
  const BOOL bSiteRtl = pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL);
  if ((pOpener->GetFlags() & JVK_FLAG_LEFT_POPUP) || bSiteRtl) m_dwPlacement |= JVK_POPUP_OPENS_LEFT;
  switch (pParent->GetPosition()) {
    case jvkBarLeft:
    case jvkBarPopup:
      if (auto* pParentPopup = dynamic_cast<CJVKPopupBar*>(pParent);
          pParentPopup && (pParentPopup->m_dwPlacement & JVK_POPUP_OPENS_LEFT))
        m_dwPlacement = JVK_POPUP_OPENS_LEFT;
      break;
    case jvkBarRight: m_dwPlacement = JVK_POPUP_OPENS_LEFT; break;
    default: m_dwPlacement |= JVK_POPUP_DROPS_BELOW; break;
  }
  CRect rc = pOpener->GetRect();
  if (pOpener->GetType() == jvkControlComboBox && pParent->GetType() != jvkBarTypePopup)
    m_dwPlacement |= JVK_POPUP_DROPS_BELOW;
  else
    pOpener->AdjustExcludeRect(rc);
  pParentWnd->ClientToScreen(&rc);
  m_rcExclude = rc;
  if (m_dwPlacement & JVK_POPUP_DROPS_BELOW) {
    m_xAnchor = rc.left;
    m_yAnchor = rc.bottom;
  } else {
    m_xAnchor = rc.right;
    m_yAnchor = rc.top;
  }
}

BOOL CJVKPopupBar::Open(BOOL bSelectFirst) {
  AddBarRef();
  ++m_nLock;
  ++m_nRedrawLock;
  if (CWnd* pOwner = NotificationOwner(); pOwner && pOwner->GetSafeHwnd())
    pOwner->SendMessage(JVK_WM_POPUP_OPENED, 0, reinterpret_cast<LPARAM>(this));
  CJVKMouseManager* pMouse = GetMouseManager();
  m_bExpanded = (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) || pMouse->m_bOpenExpanded;
  m_bHasHidden = FALSE;
  UpdateShortcutTexts();

  const CSize sz = CalcPopupSize();
  const CRect rc = PlacePopup(sz);
  const UINT nFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (IsWindowVisible() ? SWP_NOZORDER : 0);
  SetWindowPos(&wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);

  CJVKControlParentBar* pParent = GetParentBar();
  BOOL bOpened = m_hWnd != nullptr && (m_pOpener == nullptr || (pParent && pParent->GetBarWnd()));
  if (!bOpened) {
    if (m_hWnd) DestroyWindow();
  } else {
    CJVKCommandBar::SetTrackingMode(jvkTracking, bSelectFirst, FALSE);
    m_dwPending &= ~(kLayoutPending | kRedrawPending);
    OnIdleUpdateCmdUI(TRUE);
    ::NotifyWinEvent(kEventMenuPopupStart, m_hWnd, kObjIdMenu, 0);
    Animate();
    GetSoundManager()->RequestSound(CJVKSoundManager::kMenuPopup);
    UpdateShadows();
  }
  --m_nRedrawLock;
  if (--m_nLock == 0 && m_hWnd) {
    m_dwPending &= ~kRedrawPending;
    Invalidate(FALSE);
  }
  ReleaseBarRef();
  return bOpened;
}

void CJVKPopupBar::UpdateShortcutTexts() {
  if (m_pCommandBars == nullptr) return;
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    CString strText;
    if (pControl->GetID() > 0 && (pControl->GetHideFlags() & ~(JVK_HIDE_SCROLL | JVK_HIDE_RARELY_USED)) == 0 &&
        m_pCommandBars->FindShortcutText(pControl->GetID(), strText))
      pControl->m_strShortcutTextAuto = strText;
  }
}

CRect CJVKPopupBar::PlacePopup(CSize sz) {
  RECT rcWork = {};
  if (s_pfnWorkArea == nullptr || !s_pfnWorkArea(rcWork, m_rcExclude)) {
    if (m_rcExclude.IsRectEmpty()) {
      const RECT rcPoint = {m_xAnchor, m_yAnchor, m_xAnchor + 1, m_yAnchor + 1};
      GetMultiMonitor()->GetWorkAreaFromRect(rcWork, rcPoint);
    } else {
      GetMultiMonitor()->GetWorkAreaFromRect(rcWork, m_rcExclude);
    }
  }
  const JVKPopupPlacement placement =
      JVKPlacePopup(ToLayout(rcWork), ToLayout(m_rcExclude), m_xAnchor, m_yAnchor, sz.cx, sz.cy, m_dwPlacement);
  m_dwPlacement = placement.dwFlags;
  m_bScrolling = placement.bMustScroll && m_nType == jvkBarTypePopup;
  const CRect rc(placement.rect.left, placement.rect.top, placement.rect.right, placement.rect.bottom);
  if (m_bScrolling) {
    m_layout.LayoutFromFirst(0, rc.Height());
  }
  ApplyLayout();
  return rc;
}

// ----------------------------------------------------------- measuring

void CJVKPopupBar::RecalcRarelyUsed() {
  CJVKControlCommandBars* pOptionsBars = m_pCommandBars;
  std::vector<CJVKRarelyUsedEntry> entries;
  std::vector<int> indexes;
  const BOOL bAlwaysFull = pOptionsBars == nullptr || pOptionsBars->GetBarOptions().bAlwaysShowFullMenus;
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetID() == JVK_ID_POPUP_EXPAND) continue;
    CJVKRarelyUsedEntry e;
    e.bUsed = bAlwaysFull || pOptionsBars == nullptr || !pOptionsBars->IsControlRarelyUsed(pControl);
    e.bVisible = (pControl->GetHideFlags() & ~(JVK_HIDE_SCROLL | JVK_HIDE_RARELY_USED)) == 0;
    entries.push_back(e);
    indexes.push_back(i);
  }
  m_bHasHidden = JVKHideRarelyUsed(entries, bAlwaysFull, m_bExpanded);
  for (size_t k = 0; k < entries.size(); ++k)
    m_pControls->GetAt(indexes[k])->SetHideFlag(JVK_HIDE_RARELY_USED, entries[k].bHidden);
}

CJVKControl* CJVKPopupBar::EnsureExpandButton() {
  for (int i = 0; i < m_pControls->GetCount(); ++i)
    if (m_pControls->GetAt(i)->GetID() == JVK_ID_POPUP_EXPAND) return m_pControls->GetAt(i);
  auto* pExpand = new CJVKControlPopupExpand;
  m_pControls->AddControl(pExpand, JVK_ID_POPUP_EXPAND);
  return pExpand;
}

CSize CJVKPopupBar::CalcPopupSize() {
  m_bInLayout = TRUE;
  CJVKPaintManager* pPaint = GetPaintManager();
  RECT rcWork = {};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
  CClientDC dc(this);
  CFont* pOldFont = dc.SelectObject(pPaint->GetFont(this, FALSE));

  RecalcRarelyUsed();
  CJVKControl* pExpand = nullptr;
  if (m_bHasHidden) {
    pExpand = EnsureExpandButton();
    pExpand->SetHideFlags(0);
  } else {
    for (int i = 0; i < m_pControls->GetCount(); ++i)
      if (m_pControls->GetAt(i)->GetID() == JVK_ID_POPUP_EXPAND) m_pControls->GetAt(i)->SetHideFlags(JVK_HIDE_GENERIC);
  }

  m_layout.m_entries.clear();
  m_layoutIndex.clear();
  m_layout.m_metrics.borders = {m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom};
  m_layout.m_metrics.nSeparator = 0;
  m_layout.m_metrics.nGripper =
      m_bTearOff ? pPaint->DrawTearOffStrip(nullptr, CRect(0, 0, 100, 100), FALSE, FALSE).cy : 0;
  m_layout.m_metrics.nExpand = pExpand ? pExpand->GetSize(&dc).cy : 0;
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl == pExpand) continue;
    pControl->SetHideFlag(JVK_HIDE_SCROLL, FALSE);
    CJVKPopupEntry e;
    e.bVisible = pControl->GetHideFlags() == 0;
    e.bBeginGroup = pControl->GetBeginGroup();
    if (e.bVisible) {
      if (e.bBeginGroup && m_layout.m_metrics.nSeparator == 0)
        m_layout.m_metrics.nSeparator = pPaint->DrawCommandBarSeparator(&dc, this, pControl, FALSE).cy;
      const CSize szControl = pControl->GetSize(&dc);
      e.cx = szControl.cx;
      e.cy = szControl.cy;
    }
    m_layout.m_entries.push_back(e);
    m_layoutIndex.push_back(i);
  }
  const JVKLayoutSize sz = m_layout.Measure(rcWork.right);
  ApplyLayout();
  dc.SelectObject(pOldFont);
  m_bInLayout = FALSE;
  return CSize(sz.cx, sz.cy);
}

void CJVKPopupBar::ApplyLayout() {
  for (size_t k = 0; k < m_layout.m_entries.size() && k < m_layoutIndex.size(); ++k) {
    CJVKControl* pControl = m_pControls->GetAt(m_layoutIndex[k]);
    if (pControl == nullptr) continue;
    const CJVKPopupEntry& e = m_layout.m_entries[k];
    pControl->SetHideFlag(JVK_HIDE_SCROLL, e.bScrolledOut);
    if (e.bVisible && !e.bScrolledOut) pControl->SetRect(CRect(e.rect.left, e.rect.top, e.rect.right, e.rect.bottom));
  }
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetID() != JVK_ID_POPUP_EXPAND) continue;
    const JVKLayoutRect& r = m_layout.m_rectExpand;
    pControl->SetRect(CRect(r.left, r.top, r.right, r.bottom));
  }
}

void CJVKPopupBar::ScrollLayout(BOOL bFromFirst) {
  CRect rc;
  GetClientRect(&rc);
  if (bFromFirst)
    m_layout.LayoutFromFirst(m_layout.m_nFirst, rc.Height());
  else
    m_layout.LayoutFromEnd(m_layout.m_nEnd, rc.Height());
  ApplyLayout();
  Invalidate(FALSE);
}

void CJVKPopupBar::DelayLayout() {
  if (m_bInLayout || m_hWnd == nullptr || !IsWindowVisible()) return;
  // A control that changed its size: the popup measures and places again.
  const CSize sz = CalcPopupSize();
  const CRect rc = PlacePopup(sz);
  SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateShadows();
  Invalidate(FALSE);
}

// ----------------------------------------------------------- expanding

void CJVKPopupBar::ExpandBar() {
  if (m_bExpanded || !m_bHasHidden || m_hWnd == nullptr) return;
  m_bExpanded = TRUE;
  m_bExpanding = TRUE;
  SetSelected(-1, 0);
  // Which controls were rarely used (hidden) before: their bands grow.
  std::vector<BOOL> wasHidden(static_cast<size_t>(m_pControls->GetCount()));
  for (int i = 0; i < m_pControls->GetCount(); ++i)
    wasHidden[static_cast<size_t>(i)] = (m_pControls->GetAt(i)->GetHideFlags() & JVK_HIDE_RARELY_USED) != 0;
  CRect rcOld;
  GetWindowRect(&rcOld);
  RemoveOwnShadows();
  const CSize sz = CalcPopupSize();
  const CRect rc = PlacePopup(sz);
  // The frame shows through while the popup changes its place.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (CWnd* pSite = GetSite(); pSite && pSite->GetSafeHwnd()) pSite->UpdateWindow();
  SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
  AnimateExpansion(wasHidden, rc.top >= rcOld.top);
  GetSoundManager()->RequestSound(CJVKSoundManager::kMenuPopup);
  UpdateShadows();
  Invalidate(FALSE);
  m_bExpanding = FALSE;
  // Popups opened from now on in this session open expanded.
  GetMouseManager()->m_bOpenExpanded = TRUE;
}

// ----------------------------------------------------- shadows, animation

void CJVKPopupBar::RemoveOwnShadows() {
  if (m_hWnd) JVKRemoveShadows(GetShadowManager(), m_hWnd);
}

void CJVKPopupBar::UpdateShadows() {
  if (!m_bShowShadow || m_nPosition != jvkBarPopup || m_hWnd == nullptr) return;
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return;
  CJVKPaintManager* pPaint = GetPaintManager();
  if (!pPaint->m_bShadow) return;
  CJVKShadowManager* pShadows = GetShadowManager();
  const BOOL bThemed = pPaint->IsFlatTheme();
  BOOL bDropShadow = FALSE;
  ::SystemParametersInfo(SPI_GETDROPSHADOW, 0, &bDropShadow, 0);
  if (!bThemed && !(pShadows->IsLayeredAvailable() && bDropShadow)) return;
  JVKRemoveShadows(pShadows, m_hWnd);
  const COLORREF clr = pPaint->m_clrShadow ? pPaint->m_clrShadow : GetColorManager()->GetColor(COLOR_BTNSHADOW);
  JVKCreatePopupShadows(pShadows, m_hWnd, m_rcExclude, bThemed, clr);
}

int CJVKPopupBar::AnimationKind() const {
  if (m_pCommandBars == nullptr) return kAnimateNone;
  const LONG nOption = m_pCommandBars->GetBarOptions().nAnimation;
  switch (nOption) {
    case 0: {
      BOOL bAnimation = FALSE;
      if (!::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation) return kAnimateNone;
      BOOL bFade = FALSE;
      if (!::SystemParametersInfo(SPI_GETMENUFADE, 0, &bFade, 0)) return 3;
      return bFade ? 4 : 3;
    }
    case 1: {
      static const int kinds[3] = {4, 3, 2};
      return kinds[std::rand() % 3];
    }
    default: return nOption >= 2 && nOption <= 5 ? static_cast<int>(nOption) : kAnimateNone;
  }
}

void CJVKPopupBar::AnimateExpansion(const std::vector<BOOL>& wasHidden, BOOL bDownwards) {
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return;
  if (::GetWindow(m_hWnd, GW_CHILD)) return;
  const int nKind = AnimationKind();
  if (nKind < 2 || nKind > 4) return;
  CRect rc;
  GetClientRect(&rc);
  // Bands of neighbouring controls that were alike (shown or hidden); the
  // first reaches up to the top, the last down to the bottom.
  std::vector<RECT> bands;
  std::vector<BOOL> hidden;
  for (int i = 0; i < m_pControls->GetCount() && i < static_cast<int>(wasHidden.size()); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetID() == JVK_ID_POPUP_EXPAND || pControl->GetHideFlags() != 0) continue;
    const BOOL bHidden = wasHidden[static_cast<size_t>(i)];
    if (!hidden.empty() && hidden.back() == bHidden) continue;
    const int nTop = bands.empty() ? rc.top : pControl->GetRect().top;
    if (!bands.empty()) bands.back().bottom = nTop;
    bands.push_back(CRect(rc.left, nTop, rc.right, rc.bottom));
    hidden.push_back(bHidden);
  }
  if (bands.empty()) return;
  CClientDC dc(this);
  CDC dcMemory;
  dcMemory.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
  CBitmap* pOld = dcMemory.SelectObject(&bitmap);
  DrawCommandBar(&dcMemory);
  GetPaintManager()->AnimateExpanding(&dc, &dcMemory, rc, bands.data(), hidden.data(), static_cast<int>(bands.size()),
                                      bDownwards);
  dcMemory.SelectObject(pOld);
}

void CJVKPopupBar::Animate() {
  auto* pParent = dynamic_cast<CJVKCommandBar*>(GetParentBar());
  if (pParent && !pParent->IsAnimatingPopups()) return;
  if (pParent) pParent->SetAnimatePopups(FALSE);
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return;
  if (::GetWindow(m_hWnd, GW_CHILD)) return;
  const int nKind = AnimationKind();
  if (nKind < 2 || nKind > 4) return;
  if (pParent) pParent->UpdateWindow();
  if (CWnd* pSite = GetSite(); pSite && pSite->GetSafeHwnd()) pSite->UpdateWindow();
  CRect rc;
  GetClientRect(&rc);
  CClientDC dc(this);
  CDC dcMemory;
  dcMemory.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
  CBitmap* pOld = dcMemory.SelectObject(&bitmap);
  DrawCommandBar(&dcMemory);
  GetPaintManager()->AnimatePopup(&dc, &dcMemory, rc, nKind);
  dcMemory.SelectObject(pOld);
  ValidateRect(nullptr);
}

// ------------------------------------------------------------ tracking

BOOL CJVKPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
  AddBarRef();
  const BOOL bChanged = CJVKCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
  if (bChanged && nMode == jvkTrackingOff) {
    if (m_hWnd) ::NotifyWinEvent(kEventMenuPopupEnd, m_hWnd, kObjIdMenu, 0);
    CWnd* pSite = GetSite();
    if (m_hWnd) DestroyWindow();
    // A popup that closed itself (Escape, a click elsewhere) tells the bar
    // of its control, which then shows no open popup.
    if (m_pOpener && m_pOpener->GetPopuped() && m_pOpener->GetParentBar())
      m_pOpener->GetParentBar()->SetPopuped(-1, FALSE);
    if (pSite && pSite->GetSafeHwnd()) pSite->SendMessage(JVK_WM_POPUP_CLOSED, 0, reinterpret_cast<LPARAM>(this));
    ::Sleep(1);
    m_pOpener = nullptr;
    if (pSite && pSite->GetSafeHwnd()) pSite->UpdateWindow();
  }
  ReleaseBarRef();
  return bChanged;
}

BOOL CJVKPopupBar::ProcessSpecialKey(int nCode) {
  if (nCode != kKeyNext && nCode != kKeyPrevious && nCode != kKeyFirst && nCode != kKeyLast)
    return CJVKCommandBar::ProcessSpecialKey(nCode);
  // The walk skips the commands a collapsed popup hides.
  const int nStep = nCode == kKeyNext || nCode == kKeyFirst ? 1 : -1;
  const int nStart = nCode == kKeyFirst || nCode == kKeyLast ? -1 : m_nSelected;
  const int nIndex = m_pControls->GetNextIndex(nStart, nStep, TRUE, FALSE, !m_bExpanded);
  if (nIndex < 0) return FALSE;
  SetSelected(nIndex, 2);
  return TRUE;
}

int CJVKPopupBar::OnHookKeyDown(UINT nKey, LPARAM lParam) {
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return CJVKCommandBar::OnHookKeyDown(nKey, lParam);
  if (nKey == VK_DOWN && HasHiddenRarelyUsed()) {
    const int nNext = m_pControls->GetNextIndex(m_nSelected, 1, TRUE, FALSE, TRUE);
    if (::GetKeyState(VK_CONTROL) < 0 || nNext <= m_nSelected) ExpandBar();
  }
  const int nCode = ArrowKeyCode(nKey);
  auto* pParent = dynamic_cast<CJVKCommandBar*>(GetParentBar());
  if (pParent && m_nPopuped < 0 && (nCode == kKeyCollapse || nCode == kKeyExpand)) {
    CJVKControl* pSelected = m_pControls->GetAt(m_nSelected);
    const BOOL bOpensSubmenu =
        pSelected && pSelected->GetEnabled() && dynamic_cast<CJVKControlPopup*>(pSelected) != nullptr;
    const BOOL bParentIsPopup = pParent->GetType() == jvkBarTypePopup;
    if (nCode == kKeyCollapse && bParentIsPopup) {
      // Left in a submenu closes this level.
      ProcessSpecialKey(kKeyLeave);
      return JVK_HOOK_HANDLED;
    }
    if (!bParentIsPopup && (nCode == kKeyCollapse || !bOpensSubmenu)) {
      // Beside a menu bar: the neighbouring entry of the bar opens.
      pParent->AddBarRef();
      pParent->ProcessSpecialKey(nCode == kKeyCollapse ? kKeyPrevious : kKeyNext);
      pParent->ReleaseBarRef();
      return JVK_HOOK_HANDLED;
    }
  }
  return CJVKCommandBar::OnHookKeyDown(nKey, lParam);
}

BOOL CJVKPopupBar::SetSelected(int nIndex, int nBy) {
  CJVKControl* pControl = m_pControls->GetAt(nIndex);
  if (m_bScrolling && pControl && (pControl->GetHideFlags() & JVK_HIDE_SCROLL)) {
    // A control scrolled out comes into view first.
    if (nIndex < m_layout.m_nFirst) {
      m_layout.m_nFirst = nIndex;
      ScrollLayout(TRUE);
    } else {
      m_layout.m_nEnd = nIndex + 1;
      ScrollLayout(FALSE);
    }
  }
  return CJVKCommandBar::SetSelected(nIndex, nBy);
}

BOOL CJVKPopupBar::ExecuteDefaultItem() {
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetHideFlags() == 0 && pControl->GetDefaultItem() && pControl->GetEnabled()) {
      pControl->Execute();
      return TRUE;
    }
  }
  return FALSE;
}

// ------------------------------------------------------------ tear-off

void CJVKPopupBar::SetTearOffPopup(const CString& strCaption, UINT nID, int nWidth) {
  m_bTearOff = TRUE;
  m_strTearOffCaption = strCaption;
  m_nTearOffId = nID;
  m_nTearOffWidth = nWidth;
}

CRect CJVKPopupBar::GetGripperRect() const {
  const JVKLayoutRect& r = m_layout.m_rectGripper;
  return CRect(r.left, r.top, r.right, r.bottom);
}

void CJVKPopupBar::OnLButtonDown(UINT nFlags, CPoint pt) {
  const BOOL bCustomize = m_pCommandBars && m_pCommandBars->IsCustomizeMode();
  if (m_bTearOff && !bCustomize && GetGripperRect().PtInRect(pt)) {
    TrackTearOff();
    return;
  }
  CJVKCommandBar::OnLButtonDown(nFlags, pt);
}

void CJVKPopupBar::TearOff() {
  auto* pBars = dynamic_cast<CJVKCommandBars*>(m_pCommandBars);
  if (pBars == nullptr) return;
  if (auto* pExisting = dynamic_cast<CJVKToolBar*>(pBars->FindCommandBar(m_nTearOffId))) {
    pExisting->SetPosition(jvkBarFloating);
    pExisting->SetVisible(TRUE);
    pBars->RecalcFrameLayout(FALSE);
    m_pTornOff = pExisting;
    return;
  }
  CJVKToolBar* pBar = pBars->Add(m_strTearOffCaption, jvkBarFloating);
  if (pBar == nullptr) return;
  pBar->SetBarID(m_nTearOffId);
  pBar->SetMRUWidth(m_nTearOffWidth);
  pBar->SetTearOff(TRUE);
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetID() == JVK_ID_POPUP_EXPAND) continue;
    if (CJVKControl* pCopy = pBar->GetControls()->AddClone(pControl, -1, TRUE)) {
      pCopy->SetHideFlag(JVK_HIDE_SCROLL | JVK_HIDE_RARELY_USED, FALSE);
    }
  }
  const CSize sz = pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
  pBar->SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  m_pTornOff = pBar;
}

void CJVKPopupBar::TrackTearOff() {
  if (::GetCapture() != nullptr) return;
  ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
  CJVKMouseManager* pMouse = GetMouseManager();
  ++pMouse->m_nLock;
  AddBarRef();
  CRect rcPopup;
  GetWindowRect(&rcPopup);
  rcPopup.InflateRect(JVK_TEAROFF_MARGIN, JVK_TEAROFF_MARGIN);
  m_bTearingOff = TRUE;
  m_pTornOff = nullptr;
  BOOL bOutside = FALSE;
  BOOL bTorn = FALSE;
  SetCapture();
  for (;;) {
    if (::GetCapture() != m_hWnd) break;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&msg);
    const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
    if (bGot == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (bGot == -1 || msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message != WM_MOUSEMOVE) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
      continue;
    }
    const DWORD dwPos = ::GetMessagePos();
    const CPoint pt(static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)));
    const BOOL bNowOutside = !rcPopup.PtInRect(pt);
    if (bNowOutside != bOutside) {
      bOutside = bNowOutside;
      if (bOutside) {
        ShowWindow(SW_HIDE);
        TearOff();
      } else {
        ShowWindow(SW_SHOWNA);
        // Back inside: the torn-off bar goes (a torn-off bar that hides
        // leaves its command bars).
        if (m_pTornOff) m_pTornOff->SetVisible(FALSE);
        m_pTornOff = nullptr;
      }
      // Hiding the popup may have cost it the capture.
      if (::GetCapture() != m_hWnd) SetCapture();
    }
    if (m_pTornOff && m_pTornOff->GetSafeHwnd()) {
      CRect rcBar;
      m_pTornOff->GetWindowRect(&rcBar);
      m_pTornOff->SetWindowPos(nullptr, pt.x - rcBar.Width() / 2, pt.y - JVK_TEAROFF_MARGIN, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (m_hWnd && ::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_bTearingOff = FALSE;
  --pMouse->m_nLock;
  bTorn = m_pTornOff != nullptr;
  m_pTornOff = nullptr;
  // The bar stays; the popups that led to it end.
  if (bTorn) pMouse->SendTrackLost();
  ReleaseBarRef();
}

// ------------------------------------------------------------ messages

void CJVKPopupBar::OnMouseMove(UINT nFlags, CPoint pt) {
  if (m_bTearOff && GetGripperRect().PtInRect(pt)) {
    if (!m_bGripperHot) {
      m_bGripperHot = TRUE;
      SetTimer(JVK_TIMER_GRIPPER, JVK_SCROLL_PERIOD, nullptr);
      if (m_nPopuped < 0) SetSelected(-1, 0);
      Invalidate(FALSE);
    }
    return;
  }
  if (m_bScrolling) {
    const BOOL bDown = GetScrollButtonRect(FALSE).PtInRect(pt);
    const BOOL bUp = GetScrollButtonRect(TRUE).PtInRect(pt);
    const UINT_PTR nTimer = bDown ? JVK_TIMER_SCROLL_DOWN : bUp ? JVK_TIMER_SCROLL_UP : 0;
    if (nTimer != m_nScrollTimer) {
      if (m_nScrollTimer) CWnd::KillTimer(m_nScrollTimer);
      m_nScrollTimer = nTimer;
      if (nTimer) SetTimer(nTimer, JVK_SCROLL_PERIOD, nullptr);
    }
    if (nTimer) {
      // Over a scroll button no control is selected.
      if (m_nPopuped < 0) SetSelected(-1, 0);
      return;
    }
  }
  CJVKCommandBar::OnMouseMove(nFlags, pt);
}

void CJVKPopupBar::OnScrollTimer(UINT_PTR nIDEvent) {
  const int nCount = static_cast<int>(m_layout.m_entries.size());
  if (nIDEvent == JVK_TIMER_SCROLL_DOWN) {
    if (m_layout.m_nEnd >= nCount) {
      CWnd::KillTimer(nIDEvent);
      m_nScrollTimer = 0;
      return;
    }
    ++m_layout.m_nEnd;
    ScrollLayout(FALSE);
  } else {
    if (m_layout.m_nFirst <= 0) {
      CWnd::KillTimer(nIDEvent);
      m_nScrollTimer = 0;
      return;
    }
    --m_layout.m_nFirst;
    ScrollLayout(TRUE);
  }
}

void CJVKPopupBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == JVK_TIMER_SCROLL_DOWN || nIDEvent == JVK_TIMER_SCROLL_UP) {
    OnScrollTimer(nIDEvent);
    return;
  }
  if (nIDEvent == JVK_TIMER_GRIPPER) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (!GetGripperRect().PtInRect(pt) && !m_bTearingOff) {
      m_bGripperHot = FALSE;
      CWnd::KillTimer(JVK_TIMER_GRIPPER);
      Invalidate(FALSE);
    }
    return;
  }
  CJVKCommandBar::OnTimer(nIDEvent);
}

void CJVKPopupBar::OnCancelMode() {
  // The system takes the input elsewhere (a dialog, another application):
  // the popup ends.
  SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
}

void CJVKPopupBar::OnDestroy() {
  // Windows the popup hosts go back to the site before the popup goes.
  CWnd* pSite = GetSite();
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild;) {
    HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
    ::ShowWindow(hChild, SW_HIDE);
    ::SetParent(hChild, pSite ? pSite->GetSafeHwnd() : nullptr);
    hChild = hNext;
  }
  if (m_nScrollTimer) CWnd::KillTimer(m_nScrollTimer);
  m_nScrollTimer = 0;
  CWnd::KillTimer(JVK_TIMER_GRIPPER);
  m_bGripperHot = FALSE;
  CJVKCommandBar::OnDestroy();
}

LRESULT CJVKPopupBar::OnFloatStatus(WPARAM wParam, LPARAM) {
  return (wParam & FS_SYNCACTIVE) && (GetStyle() & kSyncActive) ? TRUE : FALSE;
}

// ------------------------------------------------------------- drawing

void CJVKPopupBar::DrawCommandBar(CDC* pDC) {
  CJVKCommandBar::DrawCommandBar(pDC);
  if (m_bTearOff && m_pControls->GetCount() > 0)
    GetPaintManager()->DrawTearOffStrip(pDC, GetGripperRect(), m_bGripperHot, TRUE);
  if (!m_bScrolling) return;
  const COLORREF clr = GetColorManager()->GetColor(COLOR_BTNTEXT);
  CBrush brush(clr);
  CPen pen(PS_SOLID, 1, clr);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = pDC->SelectObject(&pen);
  for (BOOL bUp : {FALSE, TRUE}) {
    const CRect rc = GetScrollButtonRect(bUp);
    if (rc.IsRectEmpty()) continue;
    const CPoint m = rc.CenterPoint();
    const POINT triangle[3] = {{m.x - 3, m.y}, {m.x + 3, m.y}, {m.x, bUp ? m.y - 3 : m.y + 3}};
    pDC->Polygon(triangle, 3);
  }
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
}

// ------------------------------------------------------ popup tool bar

IMPLEMENT_DYNCREATE(CJVKPopupToolBar, CJVKPopupBar)

CJVKPopupToolBar::CJVKPopupToolBar() { m_nType = jvkBarTypeToolBar; }

CJVKPopupToolBar* CJVKPopupToolBar::CreatePopupToolBar(CJVKControlCommandBars* pBars) {
  auto* pBar = new CJVKPopupToolBar;
  pBar->SetCommandBars(pBars);
  return pBar;
}

CSize CJVKPopupToolBar::CalcPopupSize() {
  m_bInLayout = TRUE;
  CRect rcBorders = m_rcBorders;
  int nGripper = 0;
  if (m_bTearOff) {
    nGripper = GetPaintManager()->DrawTearOffStrip(nullptr, CRect(0, 0, 100, 100), FALSE, FALSE).cy;
    rcBorders.top += nGripper;
  }
  for (int i = 0; i < m_pControls->GetCount(); ++i)
    m_pControls->GetAt(i)->SetHideFlag(JVK_HIDE_SCROLL | JVK_HIDE_RARELY_USED, FALSE);
  const CSize sz = m_pControls->CalcDynamicSize(nullptr, m_nMRUWidth, LM_HORZDOCK | LM_HORZ | LM_COMMIT, rcBorders, 0);
  // The geometry the popup's own layout would have given: no scrolling, the
  // gripper over the full width.
  m_layout.m_entries.clear();
  m_layoutIndex.clear();
  m_layout.m_rectGripper = {m_rcBorders.left, m_rcBorders.top, static_cast<int>(sz.cx) - m_rcBorders.right,
                            m_rcBorders.top + nGripper};
  m_layout.m_rectScrollUp = m_layout.m_rectScrollDown = {};
  m_bInLayout = FALSE;
  return sz;
}

// ------------------------------------------------------ TrackPopupMenu

void JVKRunPopupLoop(CJVKPopupBar* pPopup) {
  pPopup->AddBarRef();
  while (pPopup->GetTrackingMode() != jvkTrackingOff) {
    MSG msg;
    const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
    if (bGot == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (bGot == -1) break;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (pPopup->GetTrackingMode() != jvkTrackingOff) pPopup->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  pPopup->ReleaseBarRef();
}

int JVKTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pOwner, const RECT* prcExclude,
                      CJVKControlCommandBars* pBars) {
  if (hMenu == nullptr || !::IsMenu(hMenu)) return FALSE;
  CJVKPopupBar* pPopup = CJVKPopupBar::CreatePopupBar(pBars);
  pPopup->SetOwnerWindow(pOwner);
  pPopup->GetControls()->LoadMenu(CMenu::FromHandle(hMenu));
  pPopup->SetReturnCommand((nFlags & JVK_TPM_RETURNCMD) != 0);
  pPopup->SetRecursive((nFlags & JVK_TPM_RECURSE) != 0);

  CJVKMouseManager* pMouse = GetMouseManager();
  const BOOL bRecursive = (nFlags & JVK_TPM_RECURSE) != 0;
  if (bRecursive) {
    pMouse->LockTrackedBars(TRUE);
  } else {
    pMouse->SendTrackLost();
    ::ReleaseCapture();
  }
  const DWORD dwPlacement =
      (nFlags & JVK_TPM_RIGHTALIGN) ? (JVK_POPUP_DROPS_BELOW | JVK_POPUP_OPENS_LEFT) : JVK_POPUP_DROPS_BELOW;
  BOOL bShown = pPopup->PopupAt(x, y, dwPlacement, prcExclude);
  if (bShown) {
    JVKRunPopupLoop(pPopup);
  }
  if (bRecursive) pMouse->LockTrackedBars(FALSE);
  const int nResult = !bShown ? FALSE : (nFlags & JVK_TPM_RETURNCMD) ? pPopup->GetReturnedCommand() : TRUE;
  pPopup->ReleaseBarRef();
  return nResult;
}
