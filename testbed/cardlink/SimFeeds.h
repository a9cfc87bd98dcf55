// The worker threads of the simulated card: a feed that hands a filter's or
// teletext object's data to its handler in chunks, and the common
// interface's link that hands the CAMs' messages to its handlers in order.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "SimCard.h"

class CDVBComnIF;

class CSimFilterFeed {
 public:
  using Handler = std::function<void(BYTE*, int)>;
  explicit CSimFilterFeed(Handler handler) : m_handler(std::move(handler)) {}
  ~CSimFilterFeed() { Stop(); }
  CSimFilterFeed(const CSimFilterFeed&) = delete;
  CSimFilterFeed& operator=(const CSimFilterFeed&) = delete;

  // Delivers the blocks once, each cut into random chunks when chunked.
  void Start(std::vector<std::vector<BYTE>> blocks, bool chunked, unsigned seed);
  // Bounded: the worker checks for the stop between chunks.
  void Stop();
  bool Running() const { return m_worker.IsRunning() != FALSE; }

 private:
  static UINT Run(LPVOID self);

  Handler m_handler;
  std::vector<std::vector<BYTE>> m_blocks;  // set before the worker starts
  bool m_chunked = false;
  unsigned m_seed = 1;
  CWorkerThread m_worker;
};

class CSimCiLink {
 public:
  explicit CSimCiLink(CDVBComnIF& owner) : m_owner(owner) {}
  ~CSimCiLink() { Stop(); }
  CSimCiLink(const CSimCiLink&) = delete;
  CSimCiLink& operator=(const CSimCiLink&) = delete;

  void Start();
  void Stop();
  bool Running() const { return m_worker.IsRunning() != FALSE; }
  // Queues the messages of an event for the worker.
  void Post(const std::vector<SimCiMessage>& messages);

 private:
  static UINT Run(LPVOID self);
  void Deliver(const SimCiMessage& m);

  CDVBComnIF& m_owner;
  CCriticalSection m_lock;  // guards m_queue
  std::deque<SimCiMessage> m_queue;
  CWorkerThread m_worker;
};
