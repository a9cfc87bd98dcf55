#include "DockingPaneBase.h"

#include "DockingLayoutRecord.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"

#include <framework/FrameWnd.h>

CJVKDockingPaneBase::CJVKDockingPaneBase(int nType, CJVKDockingPaneLayout* pLayout)
    : m_pLayout(pLayout), m_nType(nType) {
  if (m_pLayout) {
    m_pSite = m_pLayout->GetManager()->GetSite();
    m_pLayout->m_lstObjects.push_back(this);
  }
}

CJVKDockingPaneBase::~CJVKDockingPaneBase() {
  for (CaptionButton* pButton : m_arrCaptionButtons) delete pButton;
}

CJVKDockingPaneManager* CJVKDockingPaneBase::GetDockingPaneManager() const {
  return m_pLayout ? m_pLayout->GetManager() : nullptr;
}

void CJVKDockingPaneBase::Invalidate() {
  CWnd* pWnd = GetWindow();
  if (pWnd && pWnd->GetSafeHwnd()) pWnd->InvalidateRect(nullptr, FALSE);
}

void CJVKDockingPaneBase::FindPanes(int nType, CJVKDockingPaneList& lst) {
  if (m_nType == nType) lst.push_back(this);
}

void CJVKDockingPaneBase::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const {
  ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
  pMinMaxInfo->ptMaxTrackSize = CPoint(32000, 32000);
}

void CJVKDockingPaneBase::OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) {
  m_pSite = pSite;
  m_rcWindow = rc;
  // The client placeholder hands its rectangle to the frame's own client
  // window through the size-parent record.
  if (lpLayout) lpLayout->rect = rc;
}

void CJVKDockingPaneBase::OnChildChanged(BOOL bLayout) {
  if (m_pParentContainer) m_pParentContainer->OnChildChanged(bLayout);
}

BOOL CJVKDockingPaneBase::ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers*) {
  if (bLoading) {
    m_szDocking = CSize(rec.cxDocking, rec.cyDocking);
  } else {
    rec.cxDocking = m_szDocking.cx;
    rec.cyDocking = m_szDocking.cy;
  }
  return TRUE;
}

CJVKDockingPaneBase* CJVKDockingPaneBase::Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD) {
  CJVKDockingPaneBase* pClone = pLayout->GetManager()->CreatePaneObject(m_nType, pLayout);
  if (!pClone) return nullptr;
  pClone->m_szDocking = m_szDocking;
  pClone->m_rcWindow = m_rcWindow;
  if (pMap) (*pMap)[this] = pClone;
  return pClone;
}

BOOL CJVKDockingPaneBase::IsEmpty() const {
  if (m_nType != DockingPaneTypeClient) return FALSE;
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  return pManager && pManager->m_bHideClient;
}

void CJVKDockingPaneBase::DelayLayoutSite() const {
  CWnd* pSite = m_pSite;
  if (!pSite || !pSite->GetSafeHwnd()) return;
  if (pSite->IsFrameWnd()) {
    static_cast<CFrameWnd*>(pSite)->DelayRecalcLayout();
  } else if (CWnd* pFrame = pSite->GetParentFrame()) {
    static_cast<CFrameWnd*>(pFrame)->DelayRecalcLayout();
  }
}
