// CDVBCommon's side of the owner table shared between processes.
#include "DVBCommon.h"

#include "DVBOwnerTable.h"

BOOL CDVBCommon::GetCurrentDevApp(WORD index, const char*& module, const char*& appId) {
  module = nullptr;
  appId = nullptr;
  if (index >= GetNumberOfDevices() || !g_pDVBOwnerTable) return FALSE;
  return g_pDVBOwnerTable->GetOwner(index, module, appId);
}

BOOL CDVBCommon::CloseCurrentApp(WORD index, DWORD timeoutMs) {
  if (index >= GetNumberOfDevices() || !g_pDVBOwnerTable) return FALSE;
  return g_pDVBOwnerTable->RequestClose(index, timeoutMs);
}

const char* CDVBCommon::GetAppCloseMessage() {
  return g_pDVBOwnerTable ? g_pDVBOwnerTable->GetMessageName() : "MSG_" BOXLINK_OWNER_TABLE_NAME;
}
