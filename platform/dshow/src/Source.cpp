#include "Source.h"

#include "AutoLock.h"
#include "SourceStream.h"

#include <cwchar>

CSource::CSource(LPCTSTR pName, LPUNKNOWN lpunk, CLSID clsid, HRESULT* phr)
    : CBaseFilter(pName, lpunk, &m_cStateLock, clsid, phr), m_iPins(0), m_paStreams(nullptr) {}

CSource::~CSource() {
  // Each stream removes itself from the array as it is deleted.
  while (m_iPins > 0) delete m_paStreams[m_iPins - 1];
  delete[] m_paStreams;
}

HRESULT CSource::AddPin(CSourceStream* pStream) {
  CAutoLock lock(&m_cStateLock);
  CSourceStream** paStreams = new (std::nothrow) CSourceStream*[m_iPins + 1];
  if (!paStreams) return E_OUTOFMEMORY;
  for (int i = 0; i < m_iPins; i++) paStreams[i] = m_paStreams[i];
  paStreams[m_iPins] = pStream;
  delete[] m_paStreams;
  m_paStreams = paStreams;
  m_iPins++;
  IncrementPinVersion();
  return S_OK;
}

HRESULT CSource::RemovePin(CSourceStream* pStream) {
  CAutoLock lock(&m_cStateLock);
  for (int i = 0; i < m_iPins; i++) {
    if (m_paStreams[i] == pStream) {
      for (int j = i; j + 1 < m_iPins; j++) m_paStreams[j] = m_paStreams[j + 1];
      m_iPins--;
      if (m_iPins == 0) {
        delete[] m_paStreams;
        m_paStreams = nullptr;
      }
      IncrementPinVersion();
      return S_OK;
    }
  }
  return S_FALSE;
}

int CSource::GetPinCount() {
  CAutoLock lock(&m_cStateLock);
  return m_iPins;
}

CBasePin* CSource::GetPin(int n) {
  CAutoLock lock(&m_cStateLock);
  if (n < 0 || n >= m_iPins) return nullptr;
  return m_paStreams[n];
}

STDMETHODIMP CSource::FindPin(LPCWSTR Id, IPin** ppPin) {
  if (!Id || !ppPin) return E_POINTER;
  // Pin identifiers are the pin names.
  return CBaseFilter::FindPin(Id, ppPin);
}

int CSource::FindPinNumber(IPin* iPin) {
  CAutoLock lock(&m_cStateLock);
  for (int i = 0; i < m_iPins; i++)
    if (static_cast<IPin*>(m_paStreams[i]) == iPin) return i;
  return -1;
}
