// Message-map lookup and command routing of CCmdTarget.
#include <windows.h>

#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID) {
  for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
      if (p->nMessage == nMsg && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID) return p;
  return nullptr;
}

namespace {

// Calls a command, update or notification handler; TRUE when it handled it.
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig) {
  AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
  switch (nSig) {
    case AfxSigCmd_v: (pTarget->*pfn)(); return TRUE;
    case AfxSigCmd_b: return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE: (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID); return TRUE;
    case AfxSigCmd_EX: return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmdUI: {
      CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
      pCmdUI->m_bContinueRouting = FALSE;
      (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
      return !pCmdUI->m_bContinueRouting;
    }
    case AfxSigNotify_v:
      (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
      return TRUE;
    case AfxSigNotify_b:
      return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                       pNotify->pResult);
    case AfxSigNotify_RANGE:
      (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                      pNotify->pResult);
      return TRUE;
    case AfxSigNotify_EX:
      return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                             pNotify->pResult);
    default: return FALSE;
  }
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // nCode: CN_UPDATE_COMMAND_UI, a WM_COMMAND code (high word 0), or
  // MAKELONG(code, message) for WM_NOTIFY and the reflected messages.
  UINT nMsg = WM_COMMAND;
  BOOL bUpdate = static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI;
  WORD wCode = LOWORD(nCode);
  if (!bUpdate && HIWORD(nCode) != 0) nMsg = HIWORD(nCode);

  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p) {
      if (p->nMessage != nMsg || nID < p->nID || nID > p->nLastID) continue;
      if (bUpdate ? p->nCode != CN_UPDATE_COMMAND_UI : (p->nCode == CN_UPDATE_COMMAND_UI || LOWORD(p->nCode) != wCode))
        continue;
      if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = p->pfn;
        return TRUE;
      }
      if (DispatchCmdMsg(this, nID, p->pfn, pExtra, p->nSig)) return TRUE;
      // An _EX handler (or an update handler that asked for it) passed it on:
      // later entries and base classes may still take it.
      if (p->nSig != AfxSigCmd_EX && p->nSig != AfxSigNotify_EX && p->nSig != AfxSigCmdUI && p->nSig != AfxSigCmd_b &&
          p->nSig != AfxSigNotify_b)
        return FALSE;
    }
  }
  return FALSE;
}
