// A real TCP client on 127.0.0.1 for the Windows tests and the benchmark:
// connects, reads on its own thread into a stream splitter, or stays
// connected without reading (a stalled client).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "LanStreamReader.h"

// Winsock 1.1 for the life of the object.
class CWinsockSession {
 public:
  CWinsockSession() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
  }
  ~CWinsockSession() { WSACleanup(); }
};

// A port nobody listens on at the moment.
u_short FreeLoopbackPort();

// Whether another program could listen on port: a socket with option set
// (SO_REUSEADDR, SO_EXCLUSIVEADDRUSE, or 0 for none) binds address (host
// order) and the port and listens; it is closed again at once.
bool CanListenOn(u_short port, int option, u_long address);

// Dispatches this thread's messages until done() holds or limitMs passes;
// returns done().
bool PumpUntil(const std::function<bool()>& done, int limitMs = 30000);

class CLoopbackClient {
 public:
  CLoopbackClient() = default;
  CLoopbackClient(const CLoopbackClient&) = delete;
  CLoopbackClient& operator=(const CLoopbackClient&) = delete;
  ~CLoopbackClient() { Close(); }

  // receiveBuffer > 0 sets SO_RCVBUF before connecting (a small window for a
  // client that will not read).
  bool Connect(u_short port, int receiveBuffer = 0);
  // Reads everything on a thread of its own into the splitter.
  void StartReading();
  void Close();
  bool Send(const char* text);

  // Copies of what was split so far; whether the stream failed to split.
  std::vector<LanItem> Items();
  size_t ItemCount();
  bool StreamFailed();
  // True once the server ended the connection.
  bool Ended() const { return m_ended; }
  long long BytesReceived() const { return m_bytes; }
  // Items are only counted, not kept (the benchmark).
  bool countOnly = false;
  // A slow reader: a pause after each read of at most 4 KB, so the server's
  // socket fills and its sends go out in parts.
  int readPauseMs = 0;

 private:
  void ReadLoop();

  SOCKET m_socket = INVALID_SOCKET;
  std::thread m_reader;
  std::mutex m_lock;  // guards m_stream
  CLanStreamReader m_stream;
  size_t m_counted = 0;
  std::atomic<bool> m_ended{false};
  std::atomic<long long> m_bytes{0};
};
