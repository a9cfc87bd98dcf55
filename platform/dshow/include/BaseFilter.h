// The filter side of IBaseFilter: state, clock, graph membership and pin
// enumeration. Derived filters supply their pins and share one state lock
// with them.
#pragma once

#include "Unknown.h"
#include "ComPtr.h"
#include "CritSec.h"
#include <strmif.h>
#include <control.h>

class CBasePin;

// Filter registration data, as the filter mapper takes it.
typedef REGPINTYPES AMOVIESETUP_MEDIATYPE;
typedef REGFILTERPINS AMOVIESETUP_PIN;
struct AMOVIESETUP_FILTER {
  const CLSID* clsID;
  const WCHAR* strName;
  DWORD dwMerit;
  UINT nPins;
  const AMOVIESETUP_PIN* lpPin;
};

class CBaseFilter : public CUnknown, public IBaseFilter, public IAMovieSetup {
 public:
  CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid, HRESULT* phr = nullptr);
  ~CBaseFilter() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  // IPersist
  STDMETHODIMP GetClassID(CLSID* pClsID) override;

  // IMediaFilter
  STDMETHODIMP GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* pClock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** pClock) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME tStart) override;

  // IBaseFilter
  STDMETHODIMP EnumPins(IEnumPins** ppEnum) override;
  STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* pInfo) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* pVendorInfo) override;

  // IAMovieSetup: registers the filter from GetSetupData.
  STDMETHODIMP Register() override;
  STDMETHODIMP Unregister() override;
  virtual const AMOVIESETUP_FILTER* GetSetupData() { return nullptr; }

  virtual int GetPinCount() = 0;
  virtual CBasePin* GetPin(int n) = 0;

  BOOL IsActive();
  BOOL IsStopped();
  HRESULT StreamTime(REFERENCE_TIME& rtStream);
  // Passes an event to the graph (nothing when the filter is in no graph).
  HRESULT NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2);
  IFilterGraph* GetFilterGraph() { return m_pGraph; }
  virtual LONG GetPinVersion() { return m_PinVersion; }
  void IncrementPinVersion() { InterlockedIncrement(&m_PinVersion); }

 protected:
  FILTER_STATE m_State;
  ComPtr<IReferenceClock> m_pClock;
  REFERENCE_TIME m_tStart;
  CLSID m_clsid;
  CCritSec* m_pLock;
  WCHAR* m_pName;
  IFilterGraph* m_pGraph;    // not ref-counted: the graph owns the filter
  IMediaEventSink* m_pSink;  // not ref-counted, as the graph
  LONG volatile m_PinVersion;
};
