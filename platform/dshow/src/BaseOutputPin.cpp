#include "BaseOutputPin.h"

#include "HrCheck.h"
#include "MemAllocator.h"

HRESULT CreateMemoryAllocator(IMemAllocator** ppAllocator) { return CMemAllocator::Create(ppAllocator); }

CBaseOutputPin::CBaseOutputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_OUTPUT) {}

HRESULT CBaseOutputPin::CheckConnect(IPin* pPin) {
  RETURN_IF_FAILED(CBasePin::CheckConnect(pPin));
  // A peer without IMemInputPin cannot take samples from this pin.
  if (FAILED(pPin->QueryInterface(IID_IMemInputPin, m_pInputPin.PutVoid()))) return VFW_E_NO_TRANSPORT;
  return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*) { return DecideAllocator(m_pInputPin.Get(), m_pAllocator.Put()); }

HRESULT CBaseOutputPin::BreakConnect() {
  if (m_pAllocator) m_pAllocator->Decommit();
  m_pAllocator.Reset();
  m_pInputPin.Reset();
  return S_OK;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** ppAlloc) { return CreateMemoryAllocator(ppAlloc); }

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc) {
  *ppAlloc = nullptr;
  ALLOCATOR_PROPERTIES prop = {};
  pPin->GetAllocatorRequirements(&prop);
  if (prop.cbAlign == 0) prop.cbAlign = 1;

  // Sizes an allocator and hands it to the input pin.
  auto settle = [&](IMemAllocator* pAlloc) -> HRESULT {
    RETURN_IF_FAILED(DecideBufferSize(pAlloc, &prop));
    RETURN_IF_FAILED(pPin->NotifyAllocator(pAlloc, FALSE));
    return S_OK;
  };
  // The input pin's own allocator first (it need not offer one), then ours.
  ComPtr<IMemAllocator> alloc;
  if (FAILED(pPin->GetAllocator(alloc.Put())) || FAILED(settle(alloc.Get()))) {
    RETURN_IF_FAILED(InitAllocator(alloc.Put()));
    RETURN_IF_FAILED(settle(alloc.Get()));
  }
  *ppAlloc = alloc.Detach();
  return S_OK;
}

HRESULT CBaseOutputPin::Active() {
  if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
  return CHECK_HR(m_pAllocator->Commit());
}

HRESULT CBaseOutputPin::Inactive() {
  m_bRunTimeError = FALSE;
  if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
  // Releases a streaming thread blocked in GetBuffer.
  return m_pAllocator->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                                          DWORD dwFlags) {
  if (!m_pAllocator) return E_NOINTERFACE;
  return m_pAllocator->GetBuffer(ppSample, pStartTime, pEndTime, dwFlags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* pSample) {
  if (!m_pInputPin) return VFW_E_NOT_CONNECTED;
  return m_pInputPin->Receive(pSample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream() {
  if (!m_Connected) return VFW_E_NOT_CONNECTED;
  return m_Connected->EndOfStream();
}

HRESULT CBaseOutputPin::DeliverBeginFlush() {
  if (!m_Connected) return VFW_E_NOT_CONNECTED;
  return m_Connected->BeginFlush();
}

HRESULT CBaseOutputPin::DeliverEndFlush() {
  if (!m_Connected) return VFW_E_NOT_CONNECTED;
  return m_Connected->EndFlush();
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) {
  if (!m_Connected) return VFW_E_NOT_CONNECTED;
  return m_Connected->NewSegment(tStart, tStop, dRate);
}
