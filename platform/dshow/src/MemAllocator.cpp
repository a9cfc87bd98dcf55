#include "MemAllocator.h"

#include "AutoLock.h"

#include <new>

HRESULT CMemAllocator::Create(IMemAllocator** ppAllocator) {
  if (!ppAllocator) return E_POINTER;
  *ppAllocator = nullptr;
  auto* p = new (std::nothrow) CMemAllocator;
  if (!p) return E_OUTOFMEMORY;
  if (!p->m_hFree) {
    p->Release();
    return E_OUTOFMEMORY;
  }
  *ppAllocator = p;
  return S_OK;
}

CMemAllocator::CMemAllocator() : m_hFree(CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)) {}

CMemAllocator::~CMemAllocator() {
  for (CMediaSample* p : m_All) delete p;
  delete[] m_pMemory;
  if (m_hFree) CloseHandle(m_hFree);
}

STDMETHODIMP CMemAllocator::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMemAllocator))
    return GetInterface(static_cast<IMemAllocator*>(this), ppv);
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMemAllocator::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_cRef)); }

STDMETHODIMP_(ULONG) CMemAllocator::Release() {
  const LONG cRef = InterlockedDecrement(&m_cRef);
  if (cRef == 0) delete this;
  return static_cast<ULONG>(cRef);
}

STDMETHODIMP CMemAllocator::SetProperties(ALLOCATOR_PROPERTIES* pRequest, ALLOCATOR_PROPERTIES* pActual) {
  if (!pRequest || !pActual) return E_POINTER;
  const long align = pRequest->cbAlign;
  if (align <= 0 || (align & (align - 1)) != 0) return VFW_E_BADALIGN;
  if (pRequest->cBuffers < 0 || pRequest->cbBuffer < 0 || pRequest->cbPrefix < 0) return E_INVALIDARG;
  CAutoLock lock(&m_Lock);
  if (m_bCommitted) return VFW_E_ALREADY_COMMITTED;
  if (m_Free.size() != m_All.size()) return VFW_E_BUFFERS_OUTSTANDING;
  m_Props = *pRequest;
  // Each buffer with its prefix starts on the alignment.
  const long cbWhole = (pRequest->cbBuffer + pRequest->cbPrefix + align - 1) & ~(align - 1);
  m_Props.cbBuffer = cbWhole - pRequest->cbPrefix;
  *pActual = m_Props;
  return S_OK;
}

STDMETHODIMP CMemAllocator::GetProperties(ALLOCATOR_PROPERTIES* pProps) {
  if (!pProps) return E_POINTER;
  CAutoLock lock(&m_Lock);
  *pProps = m_Props;
  return S_OK;
}

STDMETHODIMP CMemAllocator::Commit() {
  CAutoLock lock(&m_Lock);
  if (m_bCommitted) return S_OK;
  if (m_Props.cBuffers <= 0 || m_Props.cbBuffer <= 0) return VFW_E_SIZENOTSET;
  if (!m_pMemory) {
    const size_t cbWhole = static_cast<size_t>(m_Props.cbBuffer + m_Props.cbPrefix);
    const size_t align = static_cast<size_t>(m_Props.cbAlign);
    BYTE* pMemory = new (std::nothrow) BYTE[cbWhole * static_cast<size_t>(m_Props.cBuffers) + align];
    if (!pMemory) return E_OUTOFMEMORY;
    BYTE* p = reinterpret_cast<BYTE*>((reinterpret_cast<UINT_PTR>(pMemory) + align - 1) & ~(align - 1));
    try {
      for (long i = 0; i < m_Props.cBuffers; i++, p += cbWhole) {
        m_All.push_back(new CMediaSample(this, p + m_Props.cbPrefix, m_Props.cbBuffer));
        m_Free.push_back(m_All.back());
      }
    } catch (const std::bad_alloc&) {
      for (CMediaSample* s : m_All) delete s;
      m_All.clear();
      m_Free.clear();
      delete[] pMemory;
      return E_OUTOFMEMORY;
    }
    m_pMemory = pMemory;
  }
  m_bCommitted = TRUE;
  return S_OK;
}

STDMETHODIMP CMemAllocator::Decommit() {
  CAutoLock lock(&m_Lock);
  if (!m_bCommitted) return S_OK;
  m_bCommitted = FALSE;
  // Threads waiting for a buffer find the allocator decommitted.
  if (m_cWaiting) ReleaseSemaphore(m_hFree, m_cWaiting, nullptr);
  m_cWaiting = 0;
  FreeIfIdle();
  return S_OK;
}

void CMemAllocator::FreeIfIdle() {
  if (m_bCommitted || m_Free.size() != m_All.size()) return;
  for (CMediaSample* p : m_All) delete p;
  m_All.clear();
  m_Free.clear();
  delete[] m_pMemory;
  m_pMemory = nullptr;
}

STDMETHODIMP CMemAllocator::GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME*, REFERENCE_TIME*, DWORD dwFlags) {
  if (!ppBuffer) return E_POINTER;
  *ppBuffer = nullptr;
  for (;;) {
    {
      CAutoLock lock(&m_Lock);
      if (!m_bCommitted) return VFW_E_NOT_COMMITTED;
      if (!m_Free.empty()) {
        CMediaSample* p = m_Free.back();
        m_Free.pop_back();
        p->OnHandedOut();
        AddRef();  // an outstanding buffer keeps its allocator
        *ppBuffer = p;
        return S_OK;
      }
      if (dwFlags & AM_GBF_NOWAIT) return VFW_E_TIMEOUT;
      m_cWaiting++;
    }
    WaitForSingleObject(m_hFree, INFINITE);
  }
}

STDMETHODIMP CMemAllocator::ReleaseBuffer(IMediaSample* pBuffer) {
  if (!pBuffer) return E_POINTER;
  {
    CAutoLock lock(&m_Lock);
    m_Free.push_back(static_cast<CMediaSample*>(pBuffer));
    if (m_cWaiting) {
      m_cWaiting--;
      ReleaseSemaphore(m_hFree, 1, nullptr);
    }
    FreeIfIdle();
  }
  Release();
  return S_OK;
}
