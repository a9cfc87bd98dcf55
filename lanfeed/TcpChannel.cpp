#include "TcpChannel.h"

#include <algorithm>
#include <chrono>

#include "SelectWait.h"
#include "ServerSettings.h"

namespace {

// Waits on one socket in slices, so that a wait without limit still notices
// when another thread closes the socket.
constexpr int kWaitSliceMs = 100;

timeval Timeval(int ms) {
  const SelectWait wait = ToSelectWait(ms);
  return {wait.seconds, wait.microseconds};
}

}  // namespace

void CTcpChannel::SetServer(bool server) {
  if (!m_reader.IsRunning()) m_server = server;
}

u_short CTcpChannel::LookupPort(const char* service) {
  const int32_t number = LeadingPortNumber(service);
  if (number >= 0) return static_cast<u_short>(number);
  if (!service) return 0;
  const servent* entry = getservbyname(service, nullptr);
  return entry ? ntohs(entry->s_port) : 0;
}

bool CTcpChannel::Create(const char* service, int family, int type, unsigned flags) {
  if (IsOpen()) return false;
  SOCKET s = socket(family, type, 0);
  if (s == INVALID_SOCKET) return false;
  auto fail = [s] {
    const int error = WSAGetLastError();
    closesocket(s);
    WSASetLastError(error);
    return false;
  };
  const u_short port = LookupPort(service);
  if (port == 0) {
    closesocket(s);
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (flags & kExclusivePort) {
    BOOL on = TRUE;
    if (setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof(on)) != 0)
      return fail();
  }
  sockaddr_in address{};
  address.sin_family = static_cast<short>(family);
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  address.sin_port = htons(port);
  if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return fail();
  if (type == SOCK_STREAM && listen(s, SOMAXCONN) != 0) return fail();
  m_shutDown = false;
  m_socket = s;
  return true;
}

bool CTcpChannel::StartReader() {
  if (!IsOpen()) return false;
  return m_reader.Start(ReaderThread, this) != FALSE;
}

UINT CTcpChannel::ReaderThread(LPVOID channel) {
  static_cast<CTcpChannel*>(channel)->Run();
  return 1;
}

void CTcpChannel::Close() {
  const SOCKET s = m_socket.exchange(INVALID_SOCKET);
  if (s == INVALID_SOCKET) return;
  shutdown(s, SD_BOTH);
  closesocket(s);
  OnClosed();
}

void CTcpChannel::Shutdown() {
  const SOCKET s = m_socket;
  if (s == INVALID_SOCKET) return;
  shutdown(s, SD_BOTH);
  m_shutDown = true;
}

void CTcpChannel::Stop() {
  if (IsOpen()) {
    Close();
    Sleep(50);
  }
  // The reader may be writing a log line into a window of this thread; the
  // stop serves such sent messages while it waits, so it is not cut off.
  m_reader.StopOrTerminate(kReaderStopLimitMs, 1);
}

void CTcpChannel::Run() {
  if (m_server) {
    const SOCKET listening = m_socket;
    const SOCKET client = accept(listening, nullptr, nullptr);
    if (client == INVALID_SOCKET) {
      if (IsOpen()) OnEvent(kAcceptFailed);
      return;
    }
    // Writes wait with select and send what fits, so a stalled client can
    // never hold a writer inside send.
    u_long nonBlocking = 1;
    ioctlsocket(client, FIONBIO, &nonBlocking);
    // The port stays held exclusively until every connection accepted on it
    // has ended. Closed gracefully, the connection of a client that stopped
    // reading would last as long as that client keeps its window shut, and
    // listening could not open again meanwhile: closing resets it instead.
    const linger reset = {1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof(reset));
    SOCKET expected = listening;
    if (!m_socket.compare_exchange_strong(expected, client)) {  // closed meanwhile
      closesocket(client);
      return;
    }
    shutdown(listening, SD_BOTH);
    closesocket(listening);
    OnEvent(kClientConnected);
  }
  BYTE buffer[2048];
  while (IsOpen() && !m_shutDown) {
    const int n = Read(buffer, sizeof(buffer), 100);
    if (n == -1) break;
    if (n > 0) OnDataReceived(buffer, n);
    Sleep(0);
  }
  if (IsOpen()) OnEvent(kConnectionClosed);
}

int CTcpChannel::Read(BYTE* buffer, unsigned size, int timeoutMs) {
  const SOCKET s = m_socket;
  if (!buffer || size == 0 || s == INVALID_SOCKET) return 0;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(s, &readable);
  timeval wait = Timeval(timeoutMs);
  if (select(0, &readable, nullptr, nullptr, timeoutMs < 0 ? nullptr : &wait) <= 0) return 0;
  const int n = recv(s, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
  if (n > 0) return n;
  if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) return 0;
  return -1;
}

int CTcpChannel::WaitWritable(SOCKET s, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    int slice = kWaitSliceMs;
    if (timeoutMs >= 0) {
      const int left = timeoutMs - static_cast<int>(GetTickCount() - start);
      slice = std::clamp(left, 0, kWaitSliceMs);
    }
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait = Timeval(slice);
    const int r = select(0, nullptr, &writable, &failed, &wait);
    if (r == SOCKET_ERROR || FD_ISSET(s, &failed)) return -1;
    if (r > 0) return 1;
    if (m_socket != s) return -1;
    if (timeoutMs >= 0 && static_cast<int>(GetTickCount() - start) >= timeoutMs) return 0;
  }
}

int CTcpChannel::Write(const BYTE* data, unsigned length, int timeoutMs) {
  // The sender may hold the turn without limit while a client does not read:
  // a writer with a limit (on the host's UI thread) waits at most that long.
  std::unique_lock<std::timed_mutex> turn(m_writeLock, std::defer_lock);
  if (timeoutMs < 0) {
    turn.lock();
  } else {
    const DWORD start = GetTickCount();
    if (!turn.try_lock_for(std::chrono::milliseconds(timeoutMs))) return 0;
    timeoutMs = std::max(0, timeoutMs - static_cast<int>(GetTickCount() - start));
  }
  const SOCKET s = m_socket;
  if (s == INVALID_SOCKET || !data) return 0;
  if (length == 0) return 0;
  // The client's socket does not block: a send takes what fits at once, and
  // only when nothing fits does the writer wait for writability.
  const int finishMs = timeoutMs < 0 ? kNoLimit : std::max(timeoutMs, kFinishLimitMs);
  unsigned sent = 0;
  while (sent < length) {
    const int n = send(s, reinterpret_cast<const char*>(data) + sent, static_cast<int>(length - sent), 0);
    if (n > 0) {
      sent += static_cast<unsigned>(n);
      continue;
    }
    if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
      const int ready = WaitWritable(s, sent == 0 ? timeoutMs : finishMs);
      if (ready > 0) continue;
      if (ready == 0 && sent == 0) return 0;
    }
    if (sent > 0 && m_socket == s) Shutdown();
    return -1;
  }
  return static_cast<int>(length);
}

bool CTcpChannel::GetPeerName(sockaddr* address) {
  const SOCKET s = m_socket;
  int size = sizeof(sockaddr_in);
  return s != INVALID_SOCKET && address && getpeername(s, address, &size) == 0;
}
