#include "Control.h"

#include "Controls.h"
#include "ImageManager.h"
#include "PaintManager.h"
#include "ResourceManager.h"
#include "SoundManager.h"

namespace {
LONG g_nLiveControls = 0;

CJVKControlParentBar* TopLevelBar(CJVKControlParentBar* pBar) {
  while (pBar != nullptr && pBar->GetParentBar() != nullptr) pBar = pBar->GetParentBar();
  return pBar;
}

CPoint PointIn(const MSG& msg, HWND hWnd) {
  CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
  if (msg.hwnd != hWnd) ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
  return pt;
}

// The press on a tool-bar button: moves select the button while the pointer
// is over it, the release ends the press. Everything else is dispatched.
class CButtonPressLoop : public CTrackingLoop {
 public:
  CButtonPressLoop(CWnd* pBar, CJVKControl* pControl, CRect rc) : CTrackingLoop(pBar), m_pControl(pControl), m_rc(rc) {}
  BOOL m_bInside = TRUE;  // no movement seen counts as inside

 protected:
  Action OnTrackMessage(MSG& msg) override {
    if (msg.message == WM_LBUTTONUP) return actionEnd;
    if (msg.message == WM_MOUSEMOVE) {
      const CPoint pt = PointIn(msg, m_pWnd->m_hWnd);
      m_bInside = m_rc.PtInRect(pt);
      if (m_pControl->SetSelected(m_pControl->GetRect().PtInRect(pt) ? 1 : 0)) m_pControl->RedrawParent();
      return actionContinue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return actionContinue;
  }

 private:
  CJVKControl* m_pControl;
  CRect m_rc;
};
}  // namespace

IMPLEMENT_DYNCREATE(CJVKControl, CCmdTarget)

// Accessibility clients query the control through its interface map.
BEGIN_INTERFACE_MAP(CJVKControl, CCmdTarget)
  JVK_ACCESSIBLE_INTERFACE_PART(CJVKControl)
END_INTERFACE_MAP()

CJVKControl::CJVKControl() { __atomic_add_fetch(&g_nLiveControls, 1, __ATOMIC_ACQ_REL); }

CJVKControl::~CJVKControl() { __atomic_sub_fetch(&g_nLiveControls, 1, __ATOMIC_ACQ_REL); }

LONG CJVKControl::GetLiveCount() { return __atomic_load_n(&g_nLiveControls, __ATOMIC_ACQUIRE); }

CString CJVKControl::GetTooltip(CPoint, CRect*, int*) { return m_strTooltipText; }

void CJVKControl::SetBeginGroup(BOOL bBeginGroup) {
  m_bBeginGroup = bBeginGroup;
  if (m_pParent) m_pParent->DelayLayout();
}

void CJVKControl::SetEnabled(BOOL bEnabled) {
  if (m_bEnabled == bEnabled) return;
  m_bEnabled = bEnabled;
  RedrawParent();
}

void CJVKControl::SetChecked(BOOL bChecked) {
  if (m_bChecked == bChecked) return;
  m_bChecked = bChecked;
  RedrawParent();
}

BOOL CJVKControl::IsCaptionVisible() const {
  if (m_pParent && m_pParent->GetType() == jvkBarTypePopup) return TRUE;
  if (GetCaption().IsEmpty()) return FALSE;
  switch (GetStyle()) {
    case jvkStyleCaption:
    case jvkStyleIconAndCaption: return TRUE;
    case jvkStyleIcon: return FALSE;
    default: break;
  }
  switch (m_nType) {
    case jvkControlButton:
    case jvkControlButtonPopup:
    case jvkControlSplitButtonPopup: return GetImage(0) == nullptr;
    case jvkControlPopup:
    case jvkControlLabel: return TRUE;
    default: return FALSE;
  }
}

BOOL CJVKControl::Compare(CJVKControl* pOther) {
  return pOther != nullptr && GetStyle() == pOther->GetStyle() && m_nType == pOther->m_nType &&
         m_nId == pOther->m_nId && m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
         GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
         m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
         m_strCustomCaption == pOther->m_strCustomCaption && m_strParameter == pOther->m_strParameter &&
         m_nCustomStyle == pOther->m_nCustomStyle &&
         (m_dwHideFlags & JVK_HIDE_CUSTOMIZE) == (pOther->m_dwHideFlags & JVK_HIDE_CUSTOMIZE);
}

CJVKImageManagerIcon* CJVKControl::GetImage(int nWidth) const {
  if (m_nCustomIconId == 0 && m_nIconId <= 0 && m_nId == 0) return nullptr;
  return GetImageManager()->GetImage(static_cast<UINT>(GetIconId()), nWidth);
}

CSize CJVKControl::GetSize(CDC* pDC) { return GetPaintManager()->DrawControl(pDC, this, FALSE); }

void CJVKControl::Draw(CDC* pDC) { GetPaintManager()->DrawControl(pDC, this, TRUE); }

namespace {
template <typename MAP>
void CopyMap(MAP& to, const MAP& from) {
  to.RemoveAll();
  POSITION pos = from.GetStartPosition();
  while (pos != nullptr) {
    UINT nKey;
    BOOL bValue;
    from.GetNextAssoc(pos, nKey, bValue);
    to.SetAt(nKey, bValue);
  }
}
}  // namespace

void CJVKControl::Copy(CJVKControl* pFrom, BOOL) {
  m_nId = pFrom->m_nId;
  m_nTag = pFrom->m_nTag;
  m_dwFlags = pFrom->m_dwFlags;
  m_nType = pFrom->m_nType;
  m_strCaption = pFrom->m_strCaption;
  m_strCustomCaption = pFrom->m_strCustomCaption;
  m_strShortcutText = pFrom->m_strShortcutText;
  m_strShortcutTextAuto = pFrom->m_strShortcutTextAuto;
  m_strTooltipText = pFrom->m_strTooltipText;
  m_strDescriptionText = pFrom->m_strDescriptionText;
  m_strParameter = pFrom->m_strParameter;
  m_nCustomIconId = pFrom->m_nCustomIconId;
  m_nIconId = pFrom->m_nIconId;
  m_bTemporary = pFrom->m_bTemporary;
  m_strCategory = pFrom->m_strCategory;
  m_dwHideFlags = pFrom->m_dwHideFlags;
  m_bDefaultItem = pFrom->m_bDefaultItem;
  m_bEnabled = pFrom->m_bEnabled;
  m_bChecked = pFrom->m_bChecked;
  m_nCustomStyle = pFrom->m_nCustomStyle;
  m_nStyle = pFrom->m_nStyle;
  m_bBeginGroup = pFrom->m_bBeginGroup;
  m_bCloseSubMenuOnClick = pFrom->m_bCloseSubMenuOnClick;
  CopyMap(m_mapDocTemplatesAssigned, pFrom->m_mapDocTemplatesAssigned);
  CopyMap(m_mapDocTemplatesExcluded, pFrom->m_mapDocTemplatesExcluded);
}

CJVKControl* CJVKControl::Clone(BOOL bRecursive) {
  CJVKControl* pClone = static_cast<CJVKControl*>(GetRuntimeClass()->CreateObject());
  pClone->Copy(this, bRecursive);
  return pClone;
}

BOOL CJVKControl::OnLButtonDblClk(CPoint pt) {
  OnClick(FALSE, pt);
  return TRUE;
}

void CJVKControl::OnMouseHover() {
  if (m_pParent == nullptr) return;
  const BOOL bWasOpen = m_pParent->SetPopuped(-1, FALSE);
  if (bWasOpen && m_pParent->GetTrackingMode() == jvkTrackingPopups && m_pParent->GetType() != jvkBarTypePopup)
    m_pParent->SetTrackingMode(jvkTrackingOff);
}

void CJVKControl::OnHoverLeave(CJVKControl*) {
  if (m_pParent == nullptr) return;
  m_pParent->SetPopuped(-1, FALSE);
  m_pParent->SetSelected(-1, FALSE);
}

BOOL CJVKControl::SetSelected(int nSelected) {
  if (nSelected == m_bSelected) return FALSE;
  if (nSelected == 2 && m_pParent) m_pParent->SetPopuped(-1, FALSE);
  m_bSelected = nSelected;
  if (m_pParent) {
    m_pParent->OnControlSelected(nSelected != 0, this);
    RedrawParent();
  }
  return TRUE;
}

void CJVKControl::SetID(int nID) {
  if (nID == m_nId) return;
  CString str;
  if (nID > 0 && GetResourceManager()->LoadString(str, static_cast<UINT>(nID)) && !str.IsEmpty()) {
    const int nNewLine = str.Find('\n');
    if (nNewLine >= 0) {
      m_strDescriptionText = str.Left(nNewLine);
      // The second substring: up to a further newline.
      CString strTip = str.Mid(nNewLine + 1);
      const int nNext = strTip.Find('\n');
      m_strTooltipText = nNext >= 0 ? strTip.Left(nNext) : strTip;
    } else {
      m_strDescriptionText = m_strTooltipText = str;
    }
    if (m_strCaption.IsEmpty()) m_strCaption = m_strTooltipText;
  }
  m_nId = nID;
}

void CJVKControl::SetCaption(const CString& strCaption) {
  CString strText = strCaption;
  const int nTab = strText.Find('\t');
  if (nTab >= 0) {
    m_strShortcutTextAuto = strText.Mid(nTab + 1);
    strText = strText.Left(nTab);
  }
  if (strText == m_strCaption) return;
  m_strCaption = strText;
  if (m_pParent) m_pParent->DelayLayout();
}

BOOL CJVKControl::IsCursorOver() const {
  if (m_pParent == nullptr || m_pParent->GetBarWnd() == nullptr) return FALSE;
  CPoint pt;
  ::GetCursorPos(&pt);
  m_pParent->GetBarWnd()->ScreenToClient(&pt);
  return m_rcControl.PtInRect(pt);
}

void CJVKControl::RedrawParent() {
  if (m_pParent && m_pParent->GetBarWnd()) m_pParent->Redraw();
}

CJVKControlCommandBars* CJVKControl::GetCommandBars() const {
  if (m_pParent && m_pParent->GetCommandBars()) return m_pParent->GetCommandBars();
  return m_pControls ? m_pControls->GetCommandBars() : nullptr;
}

CJVKPaintManager* CJVKControl::GetPaintManager() const {
  if (m_pParent && m_pParent->GetOwnPaintManager()) return m_pParent->GetOwnPaintManager();
  if (CJVKControlCommandBars* pBars = GetCommandBars())
    if (pBars->GetPaintManager()) return pBars->GetPaintManager();
  if (CJVKPaintManager::GetCurrent() == nullptr) CJVKPaintManager::SetTheme(0);
  return CJVKPaintManager::GetCurrent();
}

CJVKImageManager* CJVKControl::GetImageManager() const {
  if (m_pParent && m_pParent->GetOwnImageManager()) return m_pParent->GetOwnImageManager();
  if (CJVKControlCommandBars* pBars = GetCommandBars())
    if (pBars->GetImageManager()) return pBars->GetImageManager();
  return ::GetImageManager();
}

LRESULT CJVKControl::NotifySite(UINT nCode) {
  if (m_pParent == nullptr) return 0;
  CWnd* pSite = TopLevelBar(m_pParent)->GetSite();
  if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr) return 0;
  JVK_CONTROL_NOTIFY notify = {};
  notify.hdr.idFrom = static_cast<UINT_PTR>(m_nId);
  notify.hdr.code = nCode;
  notify.pControl = this;
  return pSite->SendMessage(JVK_WM_CONTROL_NOTIFY, static_cast<WPARAM>(m_nId), reinterpret_cast<LPARAM>(&notify));
}

BOOL CJVKControl::CloseMenus(BOOL bForReturn) {
  CJVKControlParentBar* pTop = TopLevelBar(m_pParent);
  if (pTop == nullptr) return FALSE;
  if (bForReturn) {
    if (!pTop->IsReturningCommand()) return FALSE;
    pTop->SetReturnedCommand(m_nId);
  }
  CJVKControlCommandBars* pBars = GetCommandBars();
  if (pTop->IsRecursive() || pBars == nullptr)
    pTop->SetTrackingMode(jvkTrackingOff);
  else
    pBars->ClosePopups();
  return TRUE;
}

void CJVKControl::Execute() {
  // Closing the menus may drop the bar's hold on this control.
  InternalAddRef();
  m_bPressed = 2;
  const int nID = m_nId;
  CJVKControlParentBar* pTop = TopLevelBar(m_pParent);
  CWnd* pSite = pTop ? pTop->GetSite() : nullptr;
  if (CloseMenus(TRUE)) {
    InternalRelease();
    return;
  }
  CJVKControlCommandBars* pBars = GetCommandBars();
  if (pBars && nID != 0) {
    pBars->AddUsedCommand(nID);
    if (m_pParent && m_pParent->GetType() == jvkBarTypePopup && m_pParent->GetOpener())
      pBars->AddUsedCommand(m_pParent->GetOpener()->m_nId);
  }
  if (m_bCloseSubMenuOnClick) CloseMenus(FALSE);
  if (nID != 0) GetSoundManager()->RequestSound(CJVKSoundManager::kMenuCommand);
  if (nID != 0) {
    if (NotifySite(JVK_NOTIFY_EXECUTE) == 0 && pSite && pSite->GetSafeHwnd())
      pSite->SendMessage(WM_COMMAND, static_cast<WPARAM>(static_cast<UINT>(nID)), 0);
    // A menu that stays open shows the new state.
    if (!m_bCloseSubMenuOnClick && m_pParent) {
      m_pParent->UpdateCommandUI();
      m_pParent->Redraw();
    }
  }
  InternalRelease();
}

void CJVKControl::ClickToolBarButton(CRect rc) {
  if (m_pParent == nullptr || m_pParent->GetBarWnd() == nullptr) return;
  if (rc.IsRectEmpty()) rc = m_rcControl;
  InternalAddRef();
  CWnd* pBar = m_pParent->GetBarWnd();
  m_pParent->SetSelected(m_nIndex, FALSE);
  m_bPressed = 1;
  pBar->Invalidate(FALSE);
  // The shared loop ends on the release, on a lost capture and on a quit
  // (posted again); only a release executes.
  CButtonPressLoop loop(pBar, this, rc);
  const BOOL bReleased = loop.Track() == CTrackingLoop::trackEnded;
  const BOOL bExecute = bReleased && m_bSelected != 0 && loop.m_bInside;
  if (m_pParent) {
    if (m_bSelected) {
      m_pParent->SetSelected(-1, FALSE);
      m_pParent->SetLastPressed(m_nIndex);
    }
    m_bPressed = 0;
    m_pParent->Redraw();
  } else {
    m_bPressed = 0;
  }
  if (bExecute) Execute();
  InternalRelease();
}
