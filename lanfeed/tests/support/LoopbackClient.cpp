#include "LoopbackClient.h"

u_short FreeLoopbackPort() {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  int size = sizeof(address);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(s);
  return ntohs(address.sin_port);
}

bool CanListenOn(u_short port, int option, u_long address) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return false;
  BOOL on = TRUE;
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_addr.s_addr = htonl(address);
  where.sin_port = htons(port);
  const bool listens =
      (option == 0 || setsockopt(s, SOL_SOCKET, option, reinterpret_cast<const char*>(&on), sizeof(on)) == 0) &&
      bind(s, reinterpret_cast<const sockaddr*>(&where), sizeof(where)) == 0 && listen(s, SOMAXCONN) == 0;
  closesocket(s);
  return listens;
}

bool PumpUntil(const std::function<bool()>& done, int limitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) >= limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool CLoopbackClient::Connect(u_short port, int receiveBuffer) {
  m_socket = socket(AF_INET, SOCK_STREAM, 0);
  if (m_socket == INVALID_SOCKET) return false;
  if (receiveBuffer > 0)
    setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer), sizeof(receiveBuffer));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  if (connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    return false;
  }
  return true;
}

void CLoopbackClient::StartReading() {
  m_reader = std::thread([this] { ReadLoop(); });
}

void CLoopbackClient::ReadLoop() {
  std::vector<BYTE> buffer(readPauseMs > 0 ? 4096 : 64 * 1024);
  for (;;) {
    const int n = recv(m_socket, reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0);
    if (n <= 0) break;
    if (readPauseMs > 0) Sleep(readPauseMs);
    m_bytes += n;
    std::lock_guard<std::mutex> hold(m_lock);
    m_stream.Feed(buffer.data(), static_cast<size_t>(n));
    if (countOnly) {
      m_counted += m_stream.items.size();
      m_stream.items.clear();
    }
  }
  m_ended = true;
}

void CLoopbackClient::Close() {
  if (m_socket != INVALID_SOCKET) {
    shutdown(m_socket, SD_BOTH);
    closesocket(m_socket);
    m_socket = INVALID_SOCKET;
  }
  if (m_reader.joinable()) m_reader.join();
}

std::vector<LanItem> CLoopbackClient::Items() {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_stream.items;
}

size_t CLoopbackClient::ItemCount() {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_counted + m_stream.items.size();
}

bool CLoopbackClient::StreamFailed() {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_stream.Failed();
}

bool CLoopbackClient::Send(const char* text) {
  const int length = static_cast<int>(strlen(text));
  return send(m_socket, text, length, 0) == length;
}
