// The slots behind CThreadLocal. Every thread that has used a slot owns a
// record of its data, listed in one process-wide registry so that a slot
// that goes away can delete the data of every thread. The record goes when
// its thread ends, whether the framework started the thread or not: on
// Windows through a fiber-local slot's end-of-thread callback, elsewhere as
// a C++ thread_local object.
#include "framework/ThreadLocal.h"

#include "framework/SingleLock.h"
#include "framework/SyncObject.h"

#include <vector>

namespace {

struct ThreadRecord;

// Never destroyed: slots and threads may end after static destruction began.
struct Registry {
  CCriticalSection lock;
  int nNextSlot = 0;
  std::vector<ThreadRecord*> threads;
};

Registry& TheRegistry() {
  static Registry* pRegistry = new Registry;
  return *pRegistry;
}

struct ThreadRecord {
  std::vector<CNoTrackObject*> data;  // by slot; null where unused
  bool bListed = false;

  ~ThreadRecord() {
    Registry& reg = TheRegistry();
    // A destructor may use other slots and so make data again; that is
    // freed too, in a few rounds at most.
    for (int nRound = 0; nRound < 4; ++nRound) {
      std::vector<CNoTrackObject*> owned;
      {
        CSingleLock lock(&reg.lock, TRUE);
        owned.swap(data);
      }
      if (owned.empty()) break;
      for (auto it = owned.rbegin(); it != owned.rend(); ++it) delete *it;
    }
    CSingleLock lock(&reg.lock, TRUE);
    if (bListed) std::erase(reg.threads, this);
    bListed = false;
  }
};

#ifdef _WIN32
void WINAPI EndThreadRecord(void* pRecord) { delete static_cast<ThreadRecord*>(pRecord); }

// The calling thread's record; made on first use when bCreate, else null
// until then.
ThreadRecord* CurrentRecord(bool bCreate) {
  static const DWORD s_dwIndex = ::FlsAlloc(EndThreadRecord);
  if (s_dwIndex == FLS_OUT_OF_INDEXES) AfxThrowMemoryException();
  ThreadRecord* pRecord = static_cast<ThreadRecord*>(::FlsGetValue(s_dwIndex));
  if (pRecord == nullptr && bCreate) {
    pRecord = new ThreadRecord;
    ::FlsSetValue(s_dwIndex, pRecord);
  }
  return pRecord;
}
#else
thread_local ThreadRecord t_record;
ThreadRecord* CurrentRecord(bool) { return &t_record; }
#endif

}  // namespace

CThreadLocalObject::CThreadLocalObject() {
  Registry& reg = TheRegistry();
  CSingleLock lock(&reg.lock, TRUE);
  m_nSlot = reg.nNextSlot++;
}

CThreadLocalObject::~CThreadLocalObject() {
  Registry& reg = TheRegistry();
  std::vector<CNoTrackObject*> owned;
  {
    CSingleLock lock(&reg.lock, TRUE);
    for (ThreadRecord* pRecord : reg.threads) {
      if (m_nSlot < static_cast<int>(pRecord->data.size()) && pRecord->data[m_nSlot] != nullptr) {
        owned.push_back(pRecord->data[m_nSlot]);
        pRecord->data[m_nSlot] = nullptr;
      }
    }
  }
  for (CNoTrackObject* p : owned) delete p;
}

CNoTrackObject* CThreadLocalObject::GetData(CNoTrackObject* (*pfnCreate)()) {
  if (CNoTrackObject* p = GetDataNA()) return p;
  CNoTrackObject* pNew = pfnCreate();
  ThreadRecord& record = *CurrentRecord(true);
  Registry& reg = TheRegistry();
  CSingleLock lock(&reg.lock, TRUE);
  if (!record.bListed) {
    reg.threads.push_back(&record);
    record.bListed = true;
  }
  if (static_cast<int>(record.data.size()) <= m_nSlot) record.data.resize(m_nSlot + 1, nullptr);
  record.data[m_nSlot] = pNew;
  return pNew;
}

CNoTrackObject* CThreadLocalObject::GetDataNA() const {
  const ThreadRecord* pRecord = CurrentRecord(false);
  if (pRecord == nullptr) return nullptr;
  Registry& reg = TheRegistry();
  CSingleLock lock(&reg.lock, TRUE);
  return m_nSlot < static_cast<int>(pRecord->data.size()) ? pRecord->data[m_nSlot] : nullptr;
}
