#include "LibraryObjects.h"

#include "DVBSlaveFilterServer.h"

namespace {

// The server with its named events and request memory; null when the
// memory cannot be had.
CDVBSlaveFilterServer* NewSlaveFilterServer() {
  try {
    return new CDVBSlaveFilterServer;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return nullptr;
}

}  // namespace

CDVBOwnerTable* NewOwnerTable(const char* name) { return new CDVBOwnerTable(name); }

BOOL MakeLibraryObjects(OwnerTableMaker newOwnerTable) {
  g_pSlaveFilterServer = NewSlaveFilterServer();
  if (!g_pSlaveFilterServer) return FALSE;
  try {
    g_pDVBOwnerTable = newOwnerTable(BOXLINK_OWNER_TABLE_NAME);
  } catch (CException* e) {
    e->Delete();
    g_pDVBOwnerTable = nullptr;
  } catch (...) {
    g_pDVBOwnerTable = nullptr;
  }
  if (g_pDVBOwnerTable) return TRUE;
  AfxMessageBox("Unable to allocate shared memory", MB_ICONEXCLAMATION);
  delete g_pSlaveFilterServer;
  g_pSlaveFilterServer = nullptr;
  return FALSE;
}

void ReleaseLibraryObjects() {
  delete g_pDVBOwnerTable;
  g_pDVBOwnerTable = nullptr;
  // Under the loader lock no thread can end, so none is waited for here.
  // Closing the box (CloseDevice) stops the server and deletes its filters;
  // a library unloaded with a box still open only asks their threads to
  // stop, and leaves them what they use.
  if (g_pSlaveFilterServer && !g_pSlaveFilterServer->RequestStopForUnload()) delete g_pSlaveFilterServer;
  g_pSlaveFilterServer = nullptr;
}
