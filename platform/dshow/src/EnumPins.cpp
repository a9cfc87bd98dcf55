#include "EnumPins.h"

#include "BaseFilter.h"
#include "BasePin.h"

#include <new>

CEnumPins::CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins)
    : CEnumerator(pEnumPins), m_PinCount(pEnumPins ? pEnumPins->m_PinCount : 0) {
  m_pFilter.Share(pFilter);
  if (!pEnumPins) Reset();
}

CEnumPins::~CEnumPins() = default;

LONG CEnumPins::SourceVersion() { return m_pFilter->GetPinVersion(); }

IPin* CEnumPins::FetchNext() {
  if (m_Position >= m_PinCount) return nullptr;
  CBasePin* pPin = m_pFilter->GetPin(m_Position++);
  if (pPin) pPin->AddRef();
  return pPin;
}

HRESULT CEnumPins::SkipItems(ULONG cPins) {
  ULONG left = static_cast<ULONG>(m_PinCount - m_Position);
  if (cPins > left) return S_FALSE;
  m_Position += cPins;
  return S_OK;
}

void CEnumPins::OnReset() { m_PinCount = m_pFilter->GetPinCount(); }

IEnumPins* CEnumPins::Duplicate() { return new (std::nothrow) CEnumPins(m_pFilter.Get(), this); }
