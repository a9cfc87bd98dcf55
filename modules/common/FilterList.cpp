#include "FilterList.h"

#include <chrono>
#include <thread>

#include <framework/SingleLock.h>

int CFilterList::MapType(int type) {
  switch (type) {
    case 0:
    case 1:
    case 2: return type;
    case 5: return 3;
    case 6: return 4;
    default: return 0;
  }
}

int CFilterList::Start(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                       PFN_FILTER_CALLBACK callback, void* context) {
  CSingleLock lock(&m_Lock, TRUE);
  if (!callback || !context) return kModuleFailed;
  CHostFilter* filter = nullptr;
  for (const auto& f : m_filters)
    if (f->m_pContext.load() == context) filter = f.get();
  std::unique_ptr<CHostFilter> made;
  if (filter) {
    m_host.Log(m_source, __LINE__, kLogInfo, "Using attached filter object.");
  } else {
    m_host.Log(m_source, __LINE__, kLogInfo, "Creating new filter.");
    made = m_makeFilter ? m_makeFilter() : nullptr;
    if (!made) return kModuleFailed;
    filter = made.get();
  }
  m_host.Log(m_source, __LINE__, kLogInfo, "Setting filter parameter.");
  const int result = filter->Set(MapType(type), pid, match, mask, length);
  filter->m_wPid = pid;
  filter->m_pContext = context;
  filter->m_pfnCallback = callback;
  if (made) m_filters.push_back(std::move(made));
  return result;
}

int CFilterList::Stop(void* context) {
  CSingleLock lock(&m_Lock, TRUE);
  for (auto it = m_filters.begin(); it != m_filters.end(); ++it) {
    if ((*it)->m_pContext.load() != context) continue;
    m_host.Log(m_source, __LINE__, kLogInfo, "Stopping filter.");
    std::unique_ptr<CHostFilter> filter = std::move(*it);
    m_filters.erase(it);
    filter->m_pContext = nullptr;
    filter->m_pfnCallback = nullptr;
    const int result = filter->Remove();
    std::this_thread::sleep_for(std::chrono::milliseconds(kStopSettleMs));
    return result;
  }
  return kModuleBadArgument;
}

void CFilterList::StopAll() {
  CSingleLock lock(&m_Lock, TRUE);
  while (!m_filters.empty()) Stop(m_filters.front()->m_pContext.load());
}

size_t CFilterList::Count() {
  CSingleLock lock(&m_Lock, TRUE);
  return m_filters.size();
}
