#include <winsock2.h>
#include <windows.h>

#include <Framework.h>

#include "LanfeedApp.h"

BOOL CLanfeedApp::InitInstance() {
  AfxSocketInit();  // without sockets the server reports that it cannot start
  SetRegistryKey("Quillon_LAN_Client");
  return TRUE;
}

CLanfeedApp theApp;
