// The slave filter server: lets another process have network filters set in
// the box through the process that holds it. Each process that opens a box
// runs one server thread, which waits for a request in named shared memory,
// creates, sets, resets or deletes one of up to 16 filters of its own
// process on the requester's behalf, and writes a response back. The
// events and the memory are shared by name with every process of the
// library; the requester's side of the exchange is not in the library.
#pragma once

#include "DVBSharedMemory.h"
#include "SlaveRequest.h"

#include <Framework.h>

#include <atomic>

class CDVBTSFilter;

class CDVBSlaveFilterServer {
 public:
  // Creates or opens the four events and the request memory, and puts the
  // events into their initial states (request and response ready reset,
  // request taken and response taken set). Throws the framework's memory
  // exception when the memory cannot be had.
  CDVBSlaveFilterServer();
  virtual ~CDVBSlaveFilterServer();
  CDVBSlaveFilterServer(const CDVBSlaveFilterServer&) = delete;
  CDVBSlaveFilterServer& operator=(const CDVBSlaveFilterServer&) = delete;

  // Starts the server thread unless it runs. A thread still ending after a
  // Stop is waited for (bounded) and replaced.
  void Start();
  // Ends the thread, waiting for it at most kStopWaitMs, then deletes every
  // slave filter. The filters are bound to the box handle that is closing.
  void Stop();
  // For the library's unload, under the loader lock, where no thread can
  // end: asks the server thread and every slave filter's worker to stop and
  // waits for none of them. TRUE when any of them ran: the server and its
  // filters are then left to those threads, not deleted.
  BOOL RequestStopForUnload();
  // Removes the box filter of every slave filter in use; the objects stay.
  void ResetAllSlaveFilters();
  BOOL IsRunning() const;

  // How long the server waits for the requester to take a response.
  static const DWORD kResponseTakenWaitMs = 100;
  // Longest wait for the thread to end: one box command and its cancel.
  static const DWORD kStopWaitMs = 12000;

 private:
  void EndThread();
  static UINT ServerThread(LPVOID self);
  UINT Serve();
  // Waits for the request event or the stop; TRUE for a request.
  BOOL WaitForRequest();
  void Execute(const slaverequest::Request& request);
  void DeleteAll();

  CEvent m_request;
  CEvent m_requestTaken;
  CEvent m_responseReady;
  CEvent m_responseTaken;
  CDVBSharedMemory m_memory;
  CEvent m_wake;  // this process's own: ends the thread's waits on a stop

  CCriticalSection m_lock;  // the slots; held while a command runs
  // Written under m_lock; read without it at unload.
  std::atomic<CDVBTSFilter*> m_filters[slaverequest::kSlots];
  DWORD m_scratchCounts[slaverequest::kMaxCountedSlots];
  BYTE m_response[slaverequest::kAreaSize];  // kept from one response to the next
  CWorkerThread m_worker;
};

// The library's server, made when the library loads; null before and after,
// and in programs that link the library's objects directly.
extern CDVBSlaveFilterServer* g_pSlaveFilterServer;
