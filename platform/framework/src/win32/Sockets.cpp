#include <winsock2.h>
#include <windows.h>

#include "framework/Sockets.h"

#include <cstdlib>

namespace {
LONG g_bStarted = 0;
void AFX_CDECL SocketTerm() {
  if (InterlockedExchange(&g_bStarted, 0)) WSACleanup();
}
}  // namespace

BOOL AFXAPI AfxSocketInit(WSAData* lpwsaData) {
  // Once per module; later calls only report the data.
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return FALSE;
  if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
    WSACleanup();
    return FALSE;
  }
  if (lpwsaData != nullptr) *lpwsaData = data;
  if (InterlockedExchange(&g_bStarted, 1)) {
    WSACleanup();  // started before: keep one reference only
  } else {
    atexit(SocketTerm);  // at unload for a DLL, at exit for a program
  }
  return TRUE;
}
