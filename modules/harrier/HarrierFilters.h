// harrier's objects on the card library's stream classes: a host filter
// (a card filter that forwards its data to the host's callback with the
// host's context, and keeps the PID) and the teletext object that hands its
// pages to the host's teletext callback. Their handlers run on the
// library's worker threads; each destructor stops delivery first.
#pragma once

#include <atomic>

#include <DVBTSFilter.h>
#include <DVBTeletext.h>

#include "HostFilter.h"

class CCardHostFilter : public CDVBTSFilter, public CHostFilter {
 public:
  ~CCardHostFilter() override { StopDelivery(); }
  int Set(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length) override {
    return SetFilter(static_cast<FILTERTYPE>(type), pid, const_cast<BYTE*>(match), const_cast<BYTE*>(mask), length);
  }
  int Remove() override { return ResetFilter(); }
  void OnDataArrival(BYTE* data, int length) override { Forward(data, length); }
};

class CHostTeletext : public CDVBTeletext {
 public:
  ~CHostTeletext() override { StopDelivery(); }
  void OnTTXPage(BYTE* data, int length) override {
    if (PFN_TELETEXT_CALLBACK callback = m_pfnCallback.load()) callback(data, length);
  }
  std::atomic<PFN_TELETEXT_CALLBACK> m_pfnCallback{nullptr};
};
