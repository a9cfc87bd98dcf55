#include "FeedServer.h"

#include <cstdio>

#include "ConnectSequence.h"

CFeedServer::CFeedServer(CHostLink& host) : m_host(host), m_sender(m_queue, *this) {}

CFeedServer::~CFeedServer() {
  m_channel.Close();
  m_sender.Stop();
  m_channel.Stop();
}

void CFeedServer::Attach(HWND owner, HWND log) {
  m_channel.SetLogWindow(log);
  m_channel.SetServer(true);
  m_channel.SetOwner(owner);
}

bool CFeedServer::Arm(unsigned port) {
  m_port = port;
  char text[16];
  std::snprintf(text, sizeof(text), "%u", port);
  return m_channel.Create(text, AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort) && m_channel.StartReader();
}

bool CFeedServer::Start(unsigned port, int expertFlag) {
  if (m_running || !Arm(port)) return false;
  m_lists.Fetch(m_host);
  m_host.Request(kHostServerStarted, expertFlag);
  ResetCounts();
  m_running = true;
  m_sender.Start();
  return true;
}

void CFeedServer::Stop(int expertFlag) {
  m_running = false;
  // Closing first releases a send that waits on a client that stopped reading.
  if (m_channel.IsConnected()) m_channel.Close();
  m_sender.Stop();
  m_channel.Stop();
  if (!m_channel.IsOpen()) {
    m_host.Request(kHostServerStopped, expertFlag);
    ResetCounts();
  }
}

void CFeedServer::Rearm() {
  if (!m_running || m_channel.IsOpen()) return;
  m_channel.Stop();
  Arm(m_port);
}

void CFeedServer::OnChannelEvent(int kind) {
  switch (kind) {
    case CTcpChannel::kClientConnected: SendConnectSequence(*this, m_lists, m_host); break;
    case CTcpChannel::kAcceptFailed: m_channel.Stop(); break;
    case CTcpChannel::kConnectionClosed:
      m_channel.Stop();
      if (m_running) Arm(m_port);
      break;
    default: break;
  }
}

void CFeedServer::SwitchChannel(int index) {
  if (!m_running) return;
  m_switchIndex = index;
  m_host.Request(kHostSwitchChannel, reinterpret_cast<intptr_t>(&m_switchIndex));
  m_queue.Clear();
  SendChannelSwitched(*this, index);
}

int CFeedServer::Write(const BYTE* data, unsigned length, int timeoutMs) {
  return m_channel.Write(data, length, timeoutMs);
}

bool CFeedServer::IsConnected() const { return m_channel.IsOpen() && m_channel.IsConnected(); }

void CFeedServer::Disconnect() { m_channel.Shutdown(); }

void CFeedServer::ResetCounts() {
  m_queue.ResetCounts();
  m_sender.ResetSent();
}
