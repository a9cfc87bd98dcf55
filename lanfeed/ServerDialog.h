// The plug-in's one window: a modeless dialog that starts and stops the
// server, answers the channel's events, shows statistics four times a
// second, keeps a log and the connected client, and keeps its settings and
// placement in the registry. The network work is the server engine's.
#pragma once

#include "CheckGroupBox.h"
#include "FeedServer.h"
#include "WindowHostLink.h"
#include "resource.h"

class CServerDialog : public CDialog {
  DECLARE_DYNAMIC(CServerDialog)

 public:
  explicit CServerDialog(CWnd* pParent = nullptr);
  ~CServerDialog() override;

  // The host's main window: the receiver of the plug-in's requests.
  void SetHostWindow(HWND hHost) { m_hostLink.SetWindow(hHost); }
  HWND GetHostWindow() const { return m_hostLink.Window(); }
  BOOL IsRunning() const { return m_server.IsRunning(); }
  // The "bAutostartServer" setting read at initialisation.
  BOOL IsAutostart() const { return m_bAutostart; }
  // The server the host's stream thread hands its packets to.
  CFeedServer& Server() { return m_server; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnStartStop();
  afx_msg void OnTimeoutChange();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnClientData(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSwitchChannel(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnChannelEvent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRefreshClients(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void Start();
  void Stop();
  void SaveSettings();
  void SavePlacement();
  void RestorePlacement();
  void FillLocalAddresses();
  void TakePortEntry();
  void Log(const char* text);
  void ShowStatistics();
  void ShowRunning(BOOL bRunning);

  CWindowHostLink m_hostLink;
  CFeedServer m_server;  // the TCP channel, the PES queue and its sender, the lists
  CString m_strLocalAddresses;
  CCheckGroupBox m_checkGroup;
  HICON m_hIcon = nullptr;
  BOOL m_bAutostart = FALSE;  // the autostart setting in effect
  CString m_strHostName;
  CEdit m_editLog;
  UINT m_nPort = 2000;
  int m_bExpert = 0;
  CString m_strReceived;
  CString m_strSent;
  int m_nTimeout = 100;
  int m_nTimeoutInEffect = 100;
  int m_nQueueSize = 0;
  CProgressCtrl m_progressQueue;
  int m_bAutostartCheck = 0;
  CListCtrl m_listClients;
};
