// The plug-in's application object: Windows Sockets 1.1 and the registry key
// of the settings (HKEY_CURRENT_USER\Software\Quillon_LAN_Client\lanfeed).
#pragma once

class CLanfeedApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
