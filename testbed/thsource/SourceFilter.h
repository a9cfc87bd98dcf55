// The stand-in of the card source filter "Twinhan DVB Source": the output pin
// "Stream 1" and the tuner control, DiSEqC, card information and CI
// interfaces (plus the two that are only held) over the scripted card
// (CardScript.h). Every call is recorded and may be told to fail.
#pragma once

#include <Streams.h>

#include <TwinhanInterfaces.h>

#include <memory>

#include "PidFeed.h"
#include "StreamPin.h"

// The two interfaces the module only holds: nothing beyond IUnknown.
struct ITwinhanHeld : public IUnknown {};

class CSourceFilter : public CBaseFilter,
                      public ITwinhanTunerCtrl,
                      public ITwinhanDiSEqC,
                      public ITwinhanCardInfo,
                      public ITwinhanCI {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  ~CSourceFilter() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  int GetPinCount() override { return 1; }
  CBasePin* GetPin(int n) override { return n == 0 ? m_pin.get() : nullptr; }

  // ITwinhanTunerCtrl
  STDMETHODIMP Start(int mode, int reserved1, int reserved2) override;
  STDMETHODIMP Tune(int a, int b, int c, int d, int e) override;
  STDMETHODIMP SetService(int reserved, int videoPid, int audioPid, int scrambled, int pmtPid, int serviceId,
                          int reserved2, int reserved3) override;
  STDMETHODIMP GetSignal(BYTE* locked, int* signal, int* quality) override;
  STDMETHODIMP AddPid(TwinhanTsCallback callback, int pid) override;
  STDMETHODIMP RemovePid(TwinhanTsCallback callback, int pid) override;
  STDMETHODIMP Reserved2() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved5() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved6() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved7() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved9() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved10() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved11() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved12() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved13() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved14() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved15() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved16() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved17() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved18() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved19() override { return E_NOTIMPL; }

  // ITwinhanDiSEqC (Reserved1 to 3 are ITwinhanCardInfo's too)
  STDMETHODIMP Reserved1() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
  STDMETHODIMP SendBytes(int byte0, int byte1, int byte2, int byte3) override;

  // ITwinhanCardInfo
  STDMETHODIMP Switch(int value) override;
  STDMETHODIMP GetCardCount(int* count) override;
  STDMETHODIMP GetCardType(int card, int* type) override;
  STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
  STDMETHODIMP SelectCard(int card) override;

  // ITwinhanCI
  STDMETHODIMP GetCIState(int* present, int* state) override;
  STDMETHODIMP GetCAMInfo(BYTE* info) override;
  STDMETHODIMP EnterCAMMenu() override;
  STDMETHODIMP GetMMI(BYTE* object, int* type) override;
  STDMETHODIMP SendMMIAnswer(BYTE* object, int type) override;
  STDMETHODIMP CloseMMI() override;

 private:
  friend CUnknown* CreateComObject<CSourceFilter>(LPUNKNOWN pUnk, HRESULT* phr);
  CSourceFilter(LPUNKNOWN pUnk, HRESULT* phr);

  // Each held interface answers with an object of its own that lives with the filter.
  class CHeld : public ITwinhanHeld {
   public:
    explicit CHeld(CSourceFilter* owner) : m_owner(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_owner->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }

   private:
    CSourceFilter* m_owner;
  };

  CCritSec m_filterLock;
  std::unique_ptr<CStreamPin> m_pin;
  CPidFeed m_feed;
  CHeld m_fourth{this}, m_fifth{this};
};
