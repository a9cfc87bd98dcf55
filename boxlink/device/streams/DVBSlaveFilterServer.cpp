#include "DVBSlaveFilterServer.h"

#include "DVBNetAdapter.h"
#include "DVBTSFilter.h"
#include "FilterRules.h"
#include "framework/SingleLock.h"

#include <cstring>

using namespace slaverequest;

CDVBSlaveFilterServer* g_pSlaveFilterServer = nullptr;

CDVBSlaveFilterServer::CDVBSlaveFilterServer()
    : m_request(FALSE, TRUE, SLAVE_EVENT_REQUEST),
      m_requestTaken(FALSE, TRUE, SLAVE_EVENT_REQUEST_TAKEN),
      m_responseReady(FALSE, TRUE, SLAVE_EVENT_RESPONSE_READY),
      m_responseTaken(FALSE, TRUE, SLAVE_EVENT_RESPONSE_TAKEN),
      m_memory(kMemorySize, SLAVE_REQUEST_MEMORY_NAME),
      m_wake(FALSE, TRUE),
      m_filters(),
      m_scratchCounts(),
      m_response() {
  // Every process that loads the library puts the shared events into the
  // same initial states, whoever created them.
  m_request.ResetEvent();
  m_requestTaken.SetEvent();
  m_responseReady.ResetEvent();
  m_responseTaken.SetEvent();
}

// The library deletes its server only when none of the server's threads
// runs (see RequestStopForUnload), so nothing waits here.
CDVBSlaveFilterServer::~CDVBSlaveFilterServer() { Stop(); }

BOOL CDVBSlaveFilterServer::IsRunning() const { return m_worker.IsRunning() && !m_worker.IsStopRequested(); }

void CDVBSlaveFilterServer::Start() {
  if (IsRunning()) return;
  // A thread asked to stop may still be on its way out: it is collected
  // (waited for) before a new one starts, so a start never finds a thread
  // that is ending and starts none.
  if (m_worker.IsRunning()) m_worker.Stop(kStopWaitMs);
  m_wake.ResetEvent();
  m_worker.Start(ServerThread, this);
}

void CDVBSlaveFilterServer::Stop() {
  EndThread();
  DeleteAll();
}

void CDVBSlaveFilterServer::EndThread() {
  if (!m_worker.IsRunning()) return;
  m_worker.RequestStop();
  m_wake.SetEvent();
  // The thread ends at its next wait. A command it still runs holds the
  // slot lock, so no filter is deleted under it.
  m_worker.Stop(kStopWaitMs);
}

BOOL CDVBSlaveFilterServer::RequestStopForUnload() {
  BOOL running = m_worker.IsRunning();
  if (running) {
    m_worker.RequestStop();
    m_wake.SetEvent();
  }
  // Without the slot lock, which a command of the thread may hold. A filter
  // the thread makes after this look is asked by the thread itself (Execute).
  for (std::atomic<CDVBTSFilter*>& slot : m_filters) {
    if (CDVBTSFilter* filter = slot.load()) {
      filter->RequestWorkerStop();
      running = TRUE;
    }
  }
  return running;
}

void CDVBSlaveFilterServer::DeleteAll() {
  CSingleLock lock(&m_lock, TRUE);
  for (std::atomic<CDVBTSFilter*>& slot : m_filters) {
    CDVBTSFilter* filter = slot.exchange(nullptr);
    if (!filter) continue;
    filter->ResetFilter();
    delete filter;
  }
}

void CDVBSlaveFilterServer::ResetAllSlaveFilters() {
  CSingleLock lock(&m_lock, TRUE);
  for (std::atomic<CDVBTSFilter*>& slot : m_filters)
    if (CDVBTSFilter* filter = slot.load()) filter->ResetFilter();
}

UINT CDVBSlaveFilterServer::ServerThread(LPVOID self) { return static_cast<CDVBSlaveFilterServer*>(self)->Serve(); }

BOOL CDVBSlaveFilterServer::WaitForRequest() {
  HANDLE both[2] = {m_request.m_hObject, m_wake.m_hObject};
  // Waiting for a requester is the server's idle state; a stop ends it.
  DWORD r = WaitForMultipleObjects(2, both, FALSE, INFINITE);
  return r == WAIT_OBJECT_0 && !m_worker.IsStopRequested();
}

UINT CDVBSlaveFilterServer::Serve() {
  BYTE* memory = m_memory.GetView();
  while (WaitForRequest()) {
    Request request = ReadRequest(memory + kRequestOffset);
    MarkTaken(memory + kRequestOffset);
    m_request.ResetEvent();
    m_requestTaken.SetEvent();

    Execute(request);
    if (m_worker.IsStopRequested()) break;

    m_responseTaken.ResetEvent();
    memcpy(memory + kResponseOffset, m_response, kAreaSize);
    m_responseReady.SetEvent();
    // A requester that does not take the response in time does not hold
    // the server up; the next request overwrites it.
    HANDLE both[2] = {m_responseTaken.m_hObject, m_wake.m_hObject};
    WaitForMultipleObjects(2, both, FALSE, kResponseTakenWaitMs);
    if (m_worker.IsStopRequested()) break;
    m_responseReady.ResetEvent();
  }
  return 0;
}

void CDVBSlaveFilterServer::Execute(const Request& request) {
  CSingleLock lock(&m_lock, TRUE);
  // Every response echoes the request; one the server does not know is
  // answered with its echo alone.
  PutHead(m_response, request.number, request.command);
  if (request.command < kCreate || request.command > kByteCounts) return;
  if (request.command == kCreate) {
    BYTE number = kNoFreeSlot;
    for (int i = 0; i < kSlots; ++i) {
      if (m_filters[i].load()) continue;
      CDVBTSFilter* filter = new CDVBTSFilter;
      m_filters[i].store(filter);
      // The library may be unloading and have looked at the slots already.
      if (m_worker.IsStopRequested()) filter->RequestWorkerStop();
      number = BYTE(i + 1);
      break;
    }
    PutHead(m_response, number, request.command);
    return;
  }

  int slot = SlotOf(request.number);
  CDVBTSFilter* filter = slot >= 0 ? m_filters[slot].load() : nullptr;
  if (!filter) {
    PutResult(m_response, DVB_ERR_ARGUMENT);
    return;
  }
  DWORD result = DVB_ERR_NONE;
  switch (request.command) {
    case kDelete:
      m_filters[slot].store(nullptr);
      filter->ResetFilter();
      delete filter;
      break;
    case kReset: result = filter->ResetFilter(); break;
    case kSetNetworkFilter: {
      // The length goes to the filter as requested, and the filter refuses
      // what it cannot take. Whatever length it takes, it reads within these.
      BYTE value[filterrules::kMaxLength] = {}, mask[filterrules::kMaxLength] = {};
      memcpy(value, request.value, kMaxFilterBytes);
      memcpy(mask, request.mask, kMaxFilterBytes);
      result = filter->SetWinSockFilter(CDVBTSFilter::FILTERTYPE(request.filterType), request.pid, value, mask,
                                        request.length);
      DWORD ip = 0, netmask = 0;
      WORD port = 0;
      // Without an open adapter the address fields keep what they held.
      if (CDVBNetAdapter::GetAddress(ip, netmask, port) == DVB_ERR_NONE) PutAddress(m_response, ip, netmask, port);
      PutFilterId(m_response, filter->GetFilterID());
      break;
    }
    case kByteCount: PutByteCount(m_response, filter->GetByteCount()); break;
    case kByteCounts:
      // The counts stay here: the response has no room for them.
      result = CDVBTSFilter::GetFiltersByteCount(m_scratchCounts, request.count);
      break;
  }
  PutResult(m_response, result);
}
