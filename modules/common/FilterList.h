// The module's list of host filters behind _StartFilter and _StopFilter:
// a filter is known by the host's context; starting one with a known context
// re-uses its object. Both run under the module's filter lock.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <framework/SyncObject.h>

#include "HostFilter.h"
#include "ModuleHostLink.h"

class CFilterList {
 public:
  using Factory = std::function<std::unique_ptr<CHostFilter>()>;

  // makeFilter gives a new filter object (null when none can be made);
  // source is the module's source name in the host's log.
  CFilterList(const ModuleHostLink& host, const char* source, Factory makeFilter)
      : m_host(host), m_source(source), m_makeFilter(std::move(makeFilter)) {}
  CFilterList(const CFilterList&) = delete;
  CFilterList& operator=(const CFilterList&) = delete;
  ~CFilterList() { StopAll(); }

  // The device library's result; 2 without callback or context, or when no
  // filter object could be made.
  int Start(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
            void* context);
  // The device library's result of the removal; 3 when no filter has the context.
  int Stop(void* context);
  void StopAll();
  size_t Count();

  // The host's filter type as the device library numbers it.
  static int MapType(int type);

 private:
  // Lets callbacks already running on the device's thread finish.
  static constexpr int kStopSettleMs = 20;

  const ModuleHostLink& m_host;
  const char* m_source;
  Factory m_makeFilter;
  CCriticalSection m_Lock;  // guards m_filters
  std::vector<std::unique_ptr<CHostFilter>> m_filters;
};
