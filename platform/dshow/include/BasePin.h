// The common part of input and output pins: connection and media-type
// negotiation, pin identity and the stream state.
#pragma once

#include "Unknown.h"
#include "ComPtr.h"
#include "CritSec.h"
#include "MediaType.h"
#include <strmif.h>

class CBaseFilter;

class CBasePin : public CUnknown, public IPin, public IQualityControl {
 public:
  CBasePin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, PIN_DIRECTION dir);
  ~CBasePin() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  // Pins live as long as their filter: their references are the filter's.
  STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
  STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

  // IPin
  STDMETHODIMP Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pPin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* pInfo) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* pPinDir) override;
  STDMETHODIMP QueryId(LPWSTR* Id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
  STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

  // IQualityControl
  STDMETHODIMP Notify(IBaseFilter* pSender, Quality q) override;
  STDMETHODIMP SetSink(IQualityControl* piqc) override;

  // Negotiation hooks.
  virtual HRESULT CheckMediaType(const CMediaType* pmt) = 0;
  virtual HRESULT SetMediaType(const CMediaType* pmt);
  // Type at iPosition: S_OK, VFW_S_NO_MORE_ITEMS past the end.
  virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType);
  virtual LONG GetMediaTypeVersion() { return m_TypeVersion; }
  virtual HRESULT CheckConnect(IPin* pPin);
  virtual HRESULT BreakConnect() { return S_OK; }
  virtual HRESULT CompleteConnect(IPin* pReceivePin) { return S_OK; }

  // Stream state, called by the filter under its lock.
  virtual HRESULT Active() { return S_OK; }
  virtual HRESULT Inactive() {
    m_bRunTimeError = FALSE;
    return S_OK;
  }
  virtual HRESULT Run(REFERENCE_TIME tStart) { return S_OK; }

  BOOL IsConnected() const { return m_Connected.Get() != nullptr; }
  IPin* GetConnected() const { return m_Connected.Get(); }
  BOOL IsStopped();
  CMediaType& CurrentMediaType() { return m_mt; }
  LPCWSTR Name() const { return m_pName; }
  REFERENCE_TIME CurrentStartTime() const { return m_tStart; }
  REFERENCE_TIME CurrentStopTime() const { return m_tStop; }
  double CurrentRate() const { return m_dRate; }

 protected:
  HRESULT DisconnectInternal();
  HRESULT AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt);
  HRESULT TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum);
  HRESULT AttemptConnection(IPin* pReceivePin, const CMediaType* pmt);
  void IncrementTypeVersion() { InterlockedIncrement(&m_TypeVersion); }

  WCHAR* m_pName;
  ComPtr<IPin> m_Connected;
  PIN_DIRECTION m_dir;
  CCritSec* m_pLock;  // the filter's state lock
  BOOL m_bRunTimeError;
  BOOL m_bCanReconnectWhenActive;
  BOOL m_bTryMyTypesFirst;
  CBaseFilter* m_pFilter;
  IQualityControl* m_pQSink;
  LONG volatile m_TypeVersion;
  CMediaType m_mt;
  REFERENCE_TIME m_tStart;
  REFERENCE_TIME m_tStop;
  double m_dRate;
};

// A copy of a wide string in task memory (for QueryId and friends).
HRESULT AMGetWideString(LPCWSTR psz, LPWSTR* ppszReturn);
