// The sender thread: drains the PES queue into the client connection from
// Start to Stop. While no client is connected it takes and frees packets
// without sending them, so the queue never holds stale packets for the next
// client.
#pragma once

#include <atomic>

#include "PesQueue.h"
#include "StreamWriter.h"
#include "framework/WorkerThread.h"

class CFeedSender {
 public:
  // Pause between two looks at an empty queue.
  static constexpr DWORD kIdleSleepMs = 10;
  // How long Stop waits for the thread. A send blocked on the client
  // returns once the connection is closed, which the caller does first.
  static constexpr DWORD kStopLimitMs = 5000;

  CFeedSender(CPesQueue& queue, CStreamWriter& out) : m_queue(queue), m_out(out) {}
  CFeedSender(const CFeedSender&) = delete;
  CFeedSender& operator=(const CFeedSender&) = delete;
  ~CFeedSender() { Stop(); }

  // Starts the thread at the highest priority; nothing when it runs already.
  void Start();
  // Requests the stop and waits (bounded) for the thread; false when it did
  // not end in time. Packets still queued stay in the queue.
  bool Stop();
  bool IsRunning() const { return m_worker.IsRunning(); }

  // Limit on each packet's send (CStreamWriter::kNoLimit for none).
  void SetSendLimit(int timeoutMs) { m_limitMs = timeoutMs; }
  int SendLimit() const { return m_limitMs; }
  int Sent() const { return m_sent; }
  void ResetSent() { m_sent = 0; }

  // One pass of the thread: takes the oldest packet and hands it to
  // SendPacket. False when the queue was empty.
  bool SendNext();
  // Sends one packet when a client is connected (and counts it); otherwise
  // the packet is dropped uncounted.
  void SendPacket(const BYTE* data, int length);

 private:
  static UINT SenderThread(LPVOID sender);

  CPesQueue& m_queue;
  CStreamWriter& m_out;
  CWorkerThread m_worker;
  std::atomic<int> m_limitMs{CStreamWriter::kNoLimit};
  std::atomic<int> m_sent{0};  // informational: packets handed to the connection
};
