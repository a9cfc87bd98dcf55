#include "DockingPane.h"

#include "DockingLayoutRecord.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPaneTabbedContainer.h"

CJVKDockingPane::CJVKDockingPane(CJVKDockingPaneLayout* pLayout)
    : CJVKDockingPaneBase(DockingPaneTypePane, pLayout) {}

CJVKDockingPane::~CJVKDockingPane() = default;

COLORREF CJVKDockingPane::GetItemColor() {
  if (m_hwndChild && ::IsWindow(m_hwndChild)) {
    const COLORREF clr = static_cast<COLORREF>(::SendMessage(m_hwndChild, JVK_WM_DOCKING_ITEMCOLOR, 0, 0));
    if (clr != 0) return clr;
  }
  // A palette code of the tab colour set.
  return 0x1000000 + static_cast<COLORREF>(m_nID % 8);
}

void CJVKDockingPane::Copy(const CJVKDockingPane* pPane) {
  m_szDocking = pPane->m_szDocking;
  m_strTitle = pPane->m_strTitle;
  m_nIconID = pPane->m_nIconID;
  m_dwOptions = pPane->m_dwOptions;
  m_nUserData = pPane->m_nUserData;
  m_nID = pPane->m_nID;
  m_ptMinTrackSize = pPane->m_ptMinTrackSize;
  m_ptMaxTrackSize = pPane->m_ptMaxTrackSize;
  m_hwndChild = nullptr;
}

void CJVKDockingPane::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const {
  ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
  pMinMaxInfo->ptMinTrackSize = m_ptMinTrackSize;
  pMinMaxInfo->ptMaxTrackSize = m_ptMaxTrackSize;
}

void CJVKDockingPane::OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) {
  m_pSite = pSite;
  if (lpLayout && lpLayout->hDWP == nullptr) return;
  m_rcWindow = rc;
  CWnd* pContainerWnd = m_pParentContainer ? m_pParentContainer->GetWindow() : nullptr;
  if (m_hwndChild && pContainerWnd && pContainerWnd->GetSafeHwnd() && pSite && pSite->GetSafeHwnd()) {
    CRect rcChild = rc;
    ::MapWindowPoints(pSite->GetSafeHwnd(), pContainerWnd->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rcChild), 2);
    ::MoveWindow(m_hwndChild, rcChild.left, rcChild.top, rcChild.Width(), rcChild.Height(), TRUE);
  }
}

void CJVKDockingPane::UpdateActiveState() {
  if (m_pParentContainer) m_pParentContainer->UpdateActiveState();
}

void CJVKDockingPane::SetParentContainer(CJVKDockingPaneBase* pContainer) {
  m_pParentContainer = pContainer;
  if (!m_hwndChild || !::IsWindow(m_hwndChild)) return;
  if (pContainer) {
    CWnd* pWnd = pContainer->GetWindow();
    if (pWnd && pWnd->GetSafeHwnd()) ::SetParent(m_hwndChild, pWnd->GetSafeHwnd());
    return;
  }
  // A closed pane keeps its window hidden under the manager's window.
  ::ShowWindow(m_hwndChild, SW_HIDE);
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (pManager && pManager->GetSafeHwnd()) ::SetParent(m_hwndChild, pManager->GetSafeHwnd());
  m_pSite = nullptr;
}

BOOL CJVKDockingPane::ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers*) {
  CJVKDockingPaneBase::ExchangeRecord(rec, bLoading, nullptr);
  if (bLoading) {
    m_strTitle = rec.strTitle;
    m_nID = rec.nID;
    m_nIconID = rec.nIconID;
    m_dwOptions = static_cast<DWORD>(rec.nOptions);
    m_ptMinTrackSize = CPoint(rec.nMinTrackX, rec.nMinTrackY);
    m_ptMaxTrackSize = CPoint(rec.nMaxTrackX, rec.nMaxTrackY);
    return m_nID > 0;
  }
  rec.strTitle = m_strTitle;
  rec.nID = m_nID;
  rec.nIconID = m_nIconID;
  rec.nOptions = static_cast<LONG>(m_dwOptions);
  rec.nMinTrackX = m_ptMinTrackSize.x;
  rec.nMinTrackY = m_ptMinTrackSize.y;
  rec.nMaxTrackX = m_ptMaxTrackSize.x;
  rec.nMaxTrackY = m_ptMaxTrackSize.y;
  return TRUE;
}

CJVKDockingPaneBase* CJVKDockingPane::Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD) {
  auto* pClone = static_cast<CJVKDockingPane*>(pLayout->GetManager()->CreatePaneObject(DockingPaneTypePane, pLayout));
  if (!pClone) return nullptr;
  pClone->Copy(this);
  if (pMap) (*pMap)[this] = pClone;
  return pClone;
}

BOOL CJVKDockingPane::IsAutoHidden() const { return m_pParentContainer && m_pParentContainer->IsAutoHidden(); }

void CJVKDockingPane::Attach(CWnd* pWnd) { Attach(pWnd ? pWnd->GetSafeHwnd() : nullptr); }

void CJVKDockingPane::Attach(HWND hWnd) {
  m_hwndChild = hWnd;
  if (CJVKDockingPaneManager* pManager = GetDockingPaneManager()) pManager->RedrawPanes();
  CWnd* pWnd = m_pParentContainer ? m_pParentContainer->GetWindow() : nullptr;
  if (m_hwndChild && pWnd && pWnd->GetSafeHwnd()) ::SetParent(m_hwndChild, pWnd->GetSafeHwnd());
}

void CJVKDockingPane::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle ? lpszTitle : _T("");
  if (m_pParentContainer) m_pParentContainer->OnChildChanged(FALSE);
}

void CJVKDockingPane::SetFocus() {
  if (!m_hwndChild || !::IsWindow(m_hwndChild)) return;
  if (!IsFocused()) ::SetFocus(m_hwndChild);
}

BOOL CJVKDockingPane::IsFocused() const {
  const HWND hFocus = ::GetFocus();
  return m_hwndChild && hFocus && (hFocus == m_hwndChild || ::IsChild(m_hwndChild, hFocus));
}

BOOL CJVKDockingPane::IsSelected() const {
  if (!m_pParentContainer || m_pParentContainer->GetType() != DockingPaneTypeTabbedContainer) return FALSE;
  return static_cast<CJVKDockingPaneTabbedContainer*>(m_pParentContainer)->GetSelected() == this;
}

CString CJVKDockingPane::GetTitle() const {
  const int nNewLine = m_strTitle.Find(_T('\n'));
  return nNewLine < 0 ? m_strTitle : m_strTitle.Left(nNewLine);
}

CString CJVKDockingPane::GetTabCaption() const {
  const int nNewLine = m_strTitle.Find(_T('\n'));
  return nNewLine < 0 ? m_strTitle : m_strTitle.Mid(nNewLine + 1);
}

DWORD CJVKDockingPane::GetOptions() const {
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  return m_dwOptions | (pManager ? pManager->m_dwDefaultPaneOptions : 0);
}

HICON CJVKDockingPane::GetIconHandle(int nSize) const {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  return pManager ? pManager->GetIcon(m_nIconID == -1 ? m_nID : m_nIconID, nSize) : nullptr;
}

void CJVKDockingPane::ClosePane() {
  if (CJVKDockingPaneManager* pManager = GetDockingPaneManager()) pManager->ClosePane(this);
}

void CJVKDockingPane::HidePane() {
  if (CJVKDockingPaneManager* pManager = GetDockingPaneManager()) pManager->HidePane(this);
}

void CJVKDockingPane::SetPaneId(int nID) {
  m_nID = nID;
  CString strTitle;
  if (nID > 0 && strTitle.LoadString(static_cast<UINT>(nID))) m_strTitle = strTitle;
}

void CJVKDockingPane::SetInitialRect(int left, int top, int right, int bottom) {
  m_rcWindow = CRect(left, top, right, bottom);
  m_szDocking = CSize(right - left, bottom - top);
}

void CJVKDockingPane::ShowChild(BOOL bShow) {
  if (bShow) {
    // The owner may attach or create the window now.
    if (CJVKDockingPaneManager* pManager = GetDockingPaneManager())
      pManager->Notify(DockingPaneNotifyShowWindow, reinterpret_cast<LPARAM>(this));
    if (m_hwndChild && ::IsWindow(m_hwndChild) && !::IsWindowVisible(m_hwndChild))
      ::ShowWindow(m_hwndChild, SW_SHOWNA);
  } else if (m_hwndChild && ::IsWindow(m_hwndChild) && ::IsWindowVisible(m_hwndChild)) {
    ::ShowWindow(m_hwndChild, SW_HIDE);
  }
}
