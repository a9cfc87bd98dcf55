#include "TransformOutputPin.h"

#include "TransformFilter.h"
#include "HrCheck.h"

CTransformOutputPin::CTransformOutputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                                         LPCWSTR pName)
    : CBaseOutputPin(pObjectName, pTransformFilter, pTransformFilter->FilterLock(), phr, pName),
      m_pTransformFilter(pTransformFilter) {}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) {
  return m_pTransformFilter->DecideBufferSize(pAlloc, pProp);
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* pmt) {
  CTransformInputPin* pIn = m_pTransformFilter->InputPin();
  if (!pIn->IsConnected()) return E_INVALIDARG;
  return m_pTransformFilter->CheckTransform(&pIn->CurrentMediaType(), pmt);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* pmt) {
  RETURN_IF_FAILED(CBasePin::SetMediaType(pmt));
  return m_pTransformFilter->SetMediaType(PINDIR_OUTPUT, pmt);
}

HRESULT CTransformOutputPin::GetMediaType(int iPosition, CMediaType* pMediaType) {
  if (!m_pTransformFilter->InputPin()->IsConnected()) return E_UNEXPECTED;
  return m_pTransformFilter->GetMediaType(iPosition, pMediaType);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pPin) {
  // Output types follow from the input's, so the input connects first.
  if (!m_pTransformFilter->InputPin()->IsConnected()) return E_UNEXPECTED;
  RETURN_IF_FAILED(m_pTransformFilter->CheckConnect(PINDIR_OUTPUT, pPin));
  return CBaseOutputPin::CheckConnect(pPin);
}

HRESULT CTransformOutputPin::BreakConnect() {
  m_pTransformFilter->BreakConnect(PINDIR_OUTPUT);
  return CBaseOutputPin::BreakConnect();
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* pReceivePin) {
  RETURN_IF_FAILED(m_pTransformFilter->CompleteConnect(PINDIR_OUTPUT, pReceivePin));
  return CBaseOutputPin::CompleteConnect(pReceivePin);
}
