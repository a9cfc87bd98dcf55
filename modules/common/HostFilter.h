// One filter that the host started with _StartFilter: the device library's
// filter object behind it (a back-end derives from this class) and the
// host's callback with its context, to which every data block of the filter
// is forwarded. The device library's worker thread forwards while the host's
// thread may clear the callback, so both are atomic.
#pragma once

#include <atomic>

#include "ModuleInterface.h"

class CHostFilter {
 public:
  CHostFilter() = default;
  CHostFilter(const CHostFilter&) = delete;
  CHostFilter& operator=(const CHostFilter&) = delete;
  virtual ~CHostFilter() = default;

  // The device library's result of setting / removing the filter.
  virtual int Set(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length) = 0;
  virtual int Remove() = 0;

  // Hands one block of filtered data to the host when callback and context are set.
  void Forward(const BYTE* data, int length) {
    void* context = m_pContext.load();
    PFN_FILTER_CALLBACK callback = m_pfnCallback.load();
    if (context && callback) callback(context, data, length);
  }

  std::atomic<void*> m_pContext{nullptr};
  std::atomic<PFN_FILTER_CALLBACK> m_pfnCallback{nullptr};
  WORD m_wPid = 0;
};
