#include "EnumMediaTypes.h"

#include "BasePin.h"

#include <new>

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pPin, CEnumMediaTypes* pEnumMediaTypes) : CEnumerator(pEnumMediaTypes) {
  m_pPin.Share(pPin);
  if (!pEnumMediaTypes) Reset();
}

CEnumMediaTypes::~CEnumMediaTypes() = default;

LONG CEnumMediaTypes::SourceVersion() { return m_pPin->GetMediaTypeVersion(); }

AM_MEDIA_TYPE* CEnumMediaTypes::FetchNext() {
  CMediaType mt;
  if (m_pPin->GetMediaType(m_Position, &mt) != S_OK) return nullptr;
  m_Position++;
  return CreateMediaType(&mt);
}

HRESULT CEnumMediaTypes::SkipItems(ULONG cMediaTypes) {
  for (ULONG i = 0; i < cMediaTypes; i++) {
    CMediaType mt;
    if (m_pPin->GetMediaType(m_Position, &mt) != S_OK) return S_FALSE;
    m_Position++;
  }
  return S_OK;
}

IEnumMediaTypes* CEnumMediaTypes::Duplicate() { return new (std::nothrow) CEnumMediaTypes(m_pPin.Get(), this); }
