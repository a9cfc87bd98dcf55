#include "ServerChannel.h"

#include "LogEdit.h"

void CServerChannel::OnDataReceived(const BYTE* data, int length) {
  SendMessage(m_owner, kClientDataMessage, reinterpret_cast<WPARAM>(data), length);
}

void CServerChannel::OnEvent(int kind) {
  static const struct {
    int connected;
    const char* line;
  } kEvents[] = {
      {1, "New client connection established.\r\n"},
      {0, "New client connection failed !\r\n"},
      {0, "Client connection closed.\r\n"},
  };
  if (kind < 0 || kind > 2) return;
  m_connected = kEvents[kind].connected;
  AppendLogLine(m_log, kEvents[kind].line);
  if (m_owner && IsWindow(m_owner)) {
    PostMessage(m_owner, kEventMessage, kind, reinterpret_cast<LPARAM>(this));
    PostMessage(m_owner, kClientListMessage, 0, 0);
  }
}
