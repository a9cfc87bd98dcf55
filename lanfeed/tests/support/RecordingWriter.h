// A client connection for tests: keeps every buffer written whole, and can
// be told to refuse writes from the n-th on or to hold a write until
// released (a client that stops reading).
#pragma once

#include <condition_variable>
#include <mutex>
#include <vector>

#include "StreamWriter.h"

class CRecordingWriter : public CStreamWriter {
 public:
  int Write(const BYTE* data, unsigned length, int timeoutMs) override {
    std::unique_lock<std::mutex> hold(m_lock);
    limits.push_back(timeoutMs);
    ++m_entered;
    m_changed.notify_all();
    m_changed.wait(hold, [this] { return !holdWrites; });
    if (refuseFrom >= 0 && static_cast<int>(writes.size()) >= refuseFrom) return 0;
    writes.emplace_back(data, data + length);
    return static_cast<int>(length);
  }
  bool IsConnected() const override { return connected; }
  void Disconnect() override {
    std::lock_guard<std::mutex> hold(m_lock);
    connected = false;
    ++disconnects;
  }

  // Blocks writers until Release.
  void Hold() {
    std::lock_guard<std::mutex> hold(m_lock);
    holdWrites = true;
  }
  void Release() {
    std::lock_guard<std::mutex> hold(m_lock);
    holdWrites = false;
    m_changed.notify_all();
  }
  // Waits until a writer has entered Write n times in all.
  void WaitEntered(int n) {
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [&] { return m_entered >= n; });
  }
  std::vector<std::vector<BYTE>> Writes() {
    std::lock_guard<std::mutex> hold(m_lock);
    return writes;
  }

  bool connected = true;
  int refuseFrom = -1;  // index of the first write answered with 0
  int disconnects = 0;
  bool holdWrites = false;
  std::vector<std::vector<BYTE>> writes;
  std::vector<int> limits;

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  int m_entered = 0;
};
