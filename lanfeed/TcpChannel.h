// A socket with a reader thread of its own. In server mode it listens on a
// TCP port, accepts one client, puts the client's socket in place of the
// listening one and reads from it until the connection ends, reporting each
// step through OnEvent. Other threads write through Write, one at a time.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>

#include "framework/SyncObject.h"
#include "framework/WorkerThread.h"

class CTcpChannel {
 public:
  enum Event { kClientConnected = 0, kAcceptFailed = 1, kConnectionClosed = 2 };
  // Create's flag that claims the port for this channel alone
  // (SO_EXCLUSIVEADDRUSE): with SO_REUSEADDR instead, another program could
  // bind the same port while the server listens and take its clients.
  static constexpr unsigned kExclusivePort = 0x04;
  static constexpr int kNoLimit = -1;
  // Once part of a buffer went out, the rest gets at least this long before
  // the connection is given up (a cut message would corrupt the stream).
  static constexpr int kFinishLimitMs = 5000;
  // A reader that does not end within this time of Stop is terminated.
  static constexpr DWORD kReaderStopLimitMs = 5000;

  CTcpChannel() = default;
  CTcpChannel(const CTcpChannel&) = delete;
  CTcpChannel& operator=(const CTcpChannel&) = delete;
  virtual ~CTcpChannel() { Stop(); }

  bool IsOpen() const { return m_socket != INVALID_SOCKET; }
  // Ignored while the reader thread runs.
  void SetServer(bool server);

  // Creates the socket, binds it to the service's port on every interface
  // and, for a stream socket, listens. Fails when the channel holds a socket
  // already (which it keeps), or the port is 0 or beyond 65535 (last error
  // ERROR_INVALID_PARAMETER), or the port is taken.
  bool Create(const char* service, int family, int type, unsigned flags);
  bool StartReader();
  // Closes the socket without waiting for the reader. A client's connection
  // is reset, so that the port is free to listen on again at once.
  void Close();
  // Shuts the connection down in both directions but keeps the socket, so
  // the reader sees the end and reports it as kConnectionClosed.
  void Shutdown();
  // Closes the socket and ends the reader thread (bounded).
  void Stop();

  // Bytes read, 0 when nothing arrived within the limit, -1 when the
  // connection ended or failed.
  int Read(BYTE* buffer, unsigned size, int timeoutMs);
  // Sends the whole buffer: length when it went out, 0 when the socket did
  // not become writable within timeoutMs (kNoLimit: until it does or the
  // socket is closed), -1 on an error. A buffer that could only be sent in
  // part is an error that shuts the connection down. Waiting for another
  // writer to finish counts against the limit.
  int Write(const BYTE* data, unsigned length, int timeoutMs);
  bool GetPeerName(sockaddr* address);
  // The port of a service: its leading decimal digits, else its entry in the
  // service database; 0 when there is none or the number is beyond 65535.
  static u_short LookupPort(const char* service);

 protected:
  virtual void OnDataReceived(const BYTE* data, int length) {}
  virtual void OnEvent(int kind) {}
  // Called after Close closed the socket.
  virtual void OnClosed() {}
  // The reader thread's body.
  virtual void Run();

 private:
  static UINT ReaderThread(LPVOID channel);
  // 1 when s became writable, 0 when the limit passed, -1 on an error or
  // when s is no longer the channel's socket.
  int WaitWritable(SOCKET s, int timeoutMs);

  std::atomic<SOCKET> m_socket{INVALID_SOCKET};
  // Set by Shutdown: the reader ends as if the peer had closed (a socket
  // shut down by this side is not reported readable everywhere).
  std::atomic<bool> m_shutDown{false};
  CWorkerThread m_reader;
  bool m_server = false;
  // One writer at a time: messages and packets never interleave. A writer
  // with a limit waits for its turn at most that long, and a waiting writer
  // gets its turn although the sender writes back to back. The framework's
  // CMutex would do both but costs two kernel calls on every write, which
  // cuts the sender's rate by a third, and the critical section has no timed
  // wait; the standard timed mutex enters the kernel only under contention.
  std::timed_mutex m_writeLock;
};
