#include "CommandBarsFrame.h"

#include "Control.h"
#include "PaintManager.h"
#include "ShortcutManager.h"

CJVKCommandBarsFrameBase::~CJVKCommandBarsFrameBase() {
  if (m_pCommandBars == nullptr) return;
  CJVKCommandBars* pCommandBars = m_pCommandBars;
  m_pCommandBars = nullptr;
  pCommandBars->InternalRelease();
}

BOOL CJVKCommandBarsFrameBase::PreTranslateMessage(MSG* pMsg) {
  if (m_bTranslateBarsFirst && m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg)) return TRUE;
  if (CFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (!m_bTranslateBarsFirst && m_pCommandBars) return m_pCommandBars->PreTranslateFrameMessage(pMsg);
  return FALSE;
}

BOOL CJVKCommandBarsFrameBase::OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (m_pCommandBars && m_pCommandBars->OnFrameWndMsg(nMessage, wParam, lParam, pResult)) return TRUE;
  if (nMessage == JVK_WM_CONTROL_NOTIFY) {
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader == nullptr) return FALSE;
    LRESULT lResult = 0;
    AFX_NOTIFY notify = {&lResult, pHeader};
    if (!OnCmdMsg(static_cast<UINT>(pHeader->idFrom), MAKELONG(pHeader->code, WM_NOTIFY), &notify, nullptr))
      return FALSE;
    if (pResult) *pResult = lResult;
    return TRUE;
  }
  return CFrameWnd::OnWndMsg(nMessage, wParam, lParam, pResult);
}

BOOL CJVKCommandBarsFrame::InitCommandBars(CRuntimeClass* pCommandBarsClass) {
  if (CJVKPaintManager::GetCurrent() == nullptr) CJVKPaintManager::SetTheme(0);
  CObject* pObject = pCommandBarsClass ? pCommandBarsClass->CreateObject() : nullptr;
  auto* pCommandBars = dynamic_cast<CJVKCommandBars*>(pObject);
  if (pCommandBars == nullptr) {
    delete pObject;
    return FALSE;
  }
  if (m_pCommandBars) m_pCommandBars->InternalRelease();
  m_pCommandBars = pCommandBars;
  m_pCommandBars->SetSite(this);
  m_pCommandBars->EnableDocking();
  return TRUE;
}

BOOL CJVKCommandBarsFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (m_pCommandBars && m_pCommandBars->GetShortcutManager()->GetWorkingTable()) m_hAccelTable = nullptr;
  return TRUE;
}
