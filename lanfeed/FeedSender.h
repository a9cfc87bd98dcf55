// The sender thread: drains the PES queue into the client connection from
// Start to Stop. While no client is connected it takes and frees packets
// without sending them, so the queue never holds stale packets for the next
// client.
#pragma once

#include <atomic>
#include <thread>

#include "PesQueue.h"
#include "StreamWriter.h"

class CFeedSender {
 public:
  // Pause between two looks at an empty queue.
  static constexpr int kIdleSleepMs = 10;

  CFeedSender(CPesQueue& queue, CStreamWriter& out) : m_queue(queue), m_out(out) {}
  CFeedSender(const CFeedSender&) = delete;
  CFeedSender& operator=(const CFeedSender&) = delete;
  ~CFeedSender() { Stop(); }

  // Starts the thread at the highest priority; nothing when it runs already.
  void Start();
  // Clears the running flag and waits for the thread. Packets still queued
  // stay in the queue. A send blocked on the client returns once the caller
  // has closed the connection.
  void Stop();
  bool IsRunning() const { return m_running; }

  // Limit on each packet's send (CStreamWriter::kNoLimit for none).
  void SetSendLimit(int timeoutMs) { m_limitMs = timeoutMs; }
  int SendLimit() const { return m_limitMs; }
  int Sent() const { return m_sent; }
  void ResetSent() { m_sent = 0; }

  // One pass of the thread: takes the oldest packet and sends it when a
  // client is connected. False when the queue was empty.
  bool SendNext();

 private:
  void Run();

  CPesQueue& m_queue;
  CStreamWriter& m_out;
  std::thread m_thread;
  std::atomic<bool> m_running{false};
  std::atomic<int> m_limitMs{CStreamWriter::kNoLimit};
  std::atomic<int> m_sent{0};  // informational: packets handed to the connection
};
