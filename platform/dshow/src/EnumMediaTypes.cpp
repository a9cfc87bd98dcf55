#include "EnumMediaTypes.h"

#include "BasePin.h"

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pPin, CEnumMediaTypes* pEnumMediaTypes)
    : m_Position(0), m_pPin(pPin), m_Version(0), m_cRef(1) {
    if (pEnumMediaTypes) {
        m_Position = pEnumMediaTypes->m_Position;
        m_Version = pEnumMediaTypes->m_Version;
    } else {
        m_Version = pPin->GetMediaTypeVersion();
    }
    m_pPin->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes() { m_pPin->Release(); }

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IEnumMediaTypes) || IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IEnumMediaTypes*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::AddRef() { return InterlockedIncrement(&m_cRef); }

STDMETHODIMP_(ULONG) CEnumMediaTypes::Release() {
    LONG c = InterlockedDecrement(&m_cRef);
    if (c == 0) delete this;
    return c;
}

BOOL CEnumMediaTypes::AreWeOutOfSync() { return m_pPin->GetMediaTypeVersion() != m_Version; }

STDMETHODIMP CEnumMediaTypes::Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched) {
    if (!ppMediaTypes) return E_POINTER;
    if (pcFetched) *pcFetched = 0;
    else if (cMediaTypes > 1) return E_INVALIDARG;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG fetched = 0;
    while (fetched < cMediaTypes) {
        CMediaType mt;
        HRESULT hr = m_pPin->GetMediaType(m_Position, &mt);
        if (hr != S_OK) break;
        m_Position++;
        AM_MEDIA_TYPE* pmt = CreateMediaType(&mt);
        if (!pmt) break;
        ppMediaTypes[fetched++] = pmt;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cMediaTypes ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG cMediaTypes) {
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    for (ULONG i = 0; i < cMediaTypes; i++) {
        CMediaType mt;
        if (m_pPin->GetMediaType(m_Position, &mt) != S_OK) return S_FALSE;
        m_Position++;
    }
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset() {
    m_Position = 0;
    m_Version = m_pPin->GetMediaTypeVersion();
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** ppEnum) {
    if (!ppEnum) return E_POINTER;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    *ppEnum = new (std::nothrow) CEnumMediaTypes(m_pPin, this);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}
