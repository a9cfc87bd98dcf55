#include "ReferenceQueue.h"

#include <atomic>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Entry {
  std::unique_ptr<BYTE[]> data;
  size_t cb = 0;
  int stream = 0;
};

class CReferenceQueue {
 public:
  CReferenceQueue() {
    InitializeCriticalSection(&m_lock);
    m_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  }
  ~CReferenceQueue() {
    CloseHandle(m_event);
    DeleteCriticalSection(&m_lock);
  }

  void Push(const BYTE* p, size_t cb, int stream) {
    Entry e;
    e.data.reset(new BYTE[cb]);
    memcpy(e.data.get(), p, cb);
    e.cb = cb;
    e.stream = stream;
    EnterCriticalSection(&m_lock);
    m_entries.push_back(std::move(e));
    LeaveCriticalSection(&m_lock);
    SetEvent(m_event);
  }

  // The oldest entry, waiting up to timeoutMs for one.
  bool Take(Entry* out, DWORD timeoutMs) {
    for (;;) {
      EnterCriticalSection(&m_lock);
      if (!m_entries.empty()) {
        *out = std::move(m_entries.front());
        m_entries.pop_front();
        LeaveCriticalSection(&m_lock);
        return true;
      }
      LeaveCriticalSection(&m_lock);
      if (WaitForSingleObject(m_event, timeoutMs) != WAIT_OBJECT_0) return false;
    }
  }

 private:
  CRITICAL_SECTION m_lock;
  HANDLE m_event;
  std::deque<Entry> m_entries;
};

double ThreadCpuSeconds() {
  FILETIME c, e, k, u;
  if (!GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u)) return 0;
  auto v = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return static_cast<double>(v(k) + v(u)) / 1e7;
}

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

ReferenceFigures RunReference(double seconds, size_t videoBytes, LONG videoWindow, size_t audioBytes,
                              LONG audioWindow) {
  CReferenceQueue queue;
  std::atomic<long> counted[2] = {{0}, {0}};
  std::atomic<bool> pushing{true};
  ReferenceFigures f;
  double consumerCpu = 0;

  double lastCounted = 0;
  std::thread consumer([&] {
    std::vector<BYTE> sample(65535);
    Entry e;
    double bytes = 0;
    for (;;) {
      if (!queue.Take(&e, 50)) {
        if (!pushing) break;  // drained after the pushers stopped
        continue;
      }
      const size_t payload = e.cb > 14 ? e.cb - 14 : 0;
      memcpy(sample.data(), e.data.get() + 14, payload);
      bytes += static_cast<double>(e.cb);
      ++counted[e.stream];
      lastCounted = Now();
    }
    f.bytes = bytes;
    consumerCpu = ThreadCpuSeconds();
  });

  std::atomic<long> pushed{0};
  auto pusher = [&](int stream, size_t cb, LONG window) {
    std::vector<BYTE> packet(cb, 0x55);
    long n = 0;
    const double start = Now();
    while (Now() - start < seconds) {
      if (n - counted[stream] >= window) {
        SwitchToThread();
        continue;
      }
      memcpy(&packet[14], &n, sizeof(n));
      queue.Push(packet.data(), packet.size(), stream);
      ++n;
    }
    pushed += n;
  };
  const double start = Now();
  std::thread video(pusher, 0, videoBytes, videoWindow);
  std::thread audio(pusher, 1, audioBytes, audioWindow);
  video.join();
  audio.join();
  pushing = false;
  consumer.join();
  f.packets = counted[0] + counted[1];
  f.seconds = lastCounted - start;
  f.cpuPerPacketUs = f.packets ? consumerCpu / f.packets * 1e6 : 0;
  return f;
}
