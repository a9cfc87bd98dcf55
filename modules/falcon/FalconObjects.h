// falcon's objects on the box library's stream classes: the PES receiver
// (the library's recorder, whose handlers hand the recorded programme to
// the module), a host filter that forwards its data to the host's callback,
// and the teletext object that hands its pages to the host's teletext
// callback. Their handlers run on the library's worker threads; each
// destructor stops delivery before its members go.
#pragma once

#include <atomic>

#include <DVBRecPlayPES.h>
#include <DVBTSFilter.h>
#include <DVBTeletext.h>

#include "ModuleInterface.h"

class CFalconApp;

class CPESReceiver : public CDVBRecPlayPES {
 public:
  explicit CPESReceiver(CFalconApp& owner) : m_owner(owner) {}
  ~CPESReceiver() override { StopRecord(); }
  void OnPVAPacketArrival(BYTE* data, int length) override;
  void OnPESAudio(BYTE* data, int length) override;
  void OnPESVideo(BYTE* data, int length) override;

 private:
  CFalconApp& m_owner;
};

// The host's filter types as the box numbers them (FILTERTYPE): 0 stays 0
// (the box refuses it), 5 a section filter, 6 a section filter in the box's
// mode 13, every other type a pipe filter.
constexpr CDVBTSFilter::FILTERTYPE BoxFilterType(int hostType) {
  switch (hostType) {
    case 0: return CDVBTSFilter::FILTER_NONE;
    case 5: return CDVBTSFilter::FILTER_SECTION;
    case 6: return CDVBTSFilter::FILTER_NET_SECTION;
    default: return CDVBTSFilter::FILTER_PIPE;
  }
}

class CFalconFilter : public CDVBTSFilter {
 public:
  ~CFalconFilter() override { StopDelivery(); }
  void OnDataArrival(BYTE* data, int length) override {
    void* context = m_pContext.load();
    PFN_FILTER_CALLBACK callback = m_pfnCallback.load();
    if (context && callback) callback(context, data, length);
  }
  bool Idle() const { return !m_pContext.load() && !m_pfnCallback.load(); }

  std::atomic<void*> m_pContext{nullptr};
  std::atomic<PFN_FILTER_CALLBACK> m_pfnCallback{nullptr};
  WORD m_wPid = 0;
};

class CFalconTeletext : public CDVBTeletext {
 public:
  ~CFalconTeletext() override { StopDelivery(); }
  void OnTTXPage(BYTE* data, int length) override {
    if (PFN_TELETEXT_CALLBACK callback = m_pfnCallback.load()) callback(data, length);
  }
  std::atomic<PFN_TELETEXT_CALLBACK> m_pfnCallback{nullptr};
};
