// The server dialog's channel: writes each event into the dialog's log,
// posts it to the dialog, and passes client data to the dialog (which
// discards it).
#pragma once

#include "TcpChannel.h"

class CServerChannel : public CTcpChannel {
 public:
  static constexpr UINT kClientDataMessage = WM_USER + 1;       // wParam data, lParam length
  static constexpr UINT kEventMessage = WM_USER + 0x1234;       // wParam kind, lParam channel
  static constexpr UINT kClientListMessage = WM_USER + 0x1235;  // refresh the client list

  ~CServerChannel() override { Stop(); }

  void SetOwner(HWND owner) { m_owner = owner; }
  void SetLogWindow(HWND log) { m_log = log; }
  // From a successful accept until the connection ends or is closed.
  bool IsConnected() const { return m_connected != 0; }

 protected:
  void OnDataReceived(const BYTE* data, int length) override;
  void OnEvent(int kind) override;
  void OnClosed() override { m_connected = 0; }

 private:
  HWND m_owner = nullptr;
  std::atomic<int> m_connected{0};
  HWND m_log = nullptr;
};
