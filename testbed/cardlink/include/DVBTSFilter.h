// One filter of the card on one PID. The filtered data reach OnDataArrival on
// the filter's own worker thread, in blocks of any size.
#pragma once

#include <memory>

#include "CardTypes.h"

class CSimFilterFeed;

class AFX_EXT_CLASS CDVBTSFilter {
 public:
  enum FILTERTYPE {
    FILTER_NONE = 0,
    FILTER_PIPE = 1,  // the PID's payload passed through
    FILTER_SECTION = 2,
  };

  CDVBTSFilter();
  virtual ~CDVBTSFilter();
  CDVBTSFilter(const CDVBTSFilter&) = delete;
  CDVBTSFilter& operator=(const CDVBTSFilter&) = delete;

  // On the worker thread.
  virtual void OnDataArrival(BYTE* data, int length);

  // Replaces the filter; data flow until ResetFilter.
  DVB_ERROR SetFilter(FILTERTYPE type, WORD pid, BYTE* match, BYTE* mask, BYTE length);
  // 5 when none is set.
  DVB_ERROR ResetFilter();

 protected:
  // Stops the worker, so that no handler runs any more: a derived class
  // whose handler uses its own members calls it first in its destructor.
  void StopDelivery();

 private:
  std::unique_ptr<CSimFilterFeed> m_pFeed;
  bool m_bSet = false;  // a filter is set (the caller's thread)
  WORD m_wPid = 0;      // the PID of the filter set
};
