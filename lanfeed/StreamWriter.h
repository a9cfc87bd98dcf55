// What the sender and the connect sequence need of the client connection.
#pragma once

#include <WinTypes.h>

class CStreamWriter {
 public:
  // No limit on the wait for the socket.
  static constexpr int kNoLimit = -1;

  virtual ~CStreamWriter() = default;
  // Sends the whole buffer. Returns length when it went out whole, 0 when
  // nothing could be sent within timeoutMs (kNoLimit: no limit), -1 on a
  // failure. A buffer cut part way is a failure and ends the connection,
  // because the client could not find the next message in the stream.
  virtual int Write(const BYTE* data, unsigned length, int timeoutMs) = 0;
  virtual bool IsConnected() const = 0;
  // Ends the client's connection; the server then listens for the next one.
  virtual void Disconnect() = 0;
};
