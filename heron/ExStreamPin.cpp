#include "ExStreamPin.h"

#include "ExSourceFilter.h"

CExStreamPin::CExStreamPin(LPCTSTR pObjectName, HRESULT* phr, CExSourceFilter* pFilter, LPCWSTR pPinName, BOOL bVideo,
                           size_t cWakeAbove, size_t cTakeAtLeast)
    : CSourceStream(pObjectName, phr, pFilter, pPinName),
      m_Stamper(bVideo, &CExSourceFilter::s_dwFirstPts),
      m_cWakeAbove(cWakeAbove),
      m_cTakeAtLeast(cTakeAtLeast) {}

CExStreamPin::~CExStreamPin() = default;

void CExStreamPin::LogDueDrops() {
  m_Queue.Drops().LogDue(Name(), [](const char* line) { OutputDebugStringA(line); });
}

void CExStreamPin::Push(const BYTE* pPacket, LONG cbPacket) {
  CPacketQueue::Entry entry;
  const CPacketQueue::EPush r = CPacketQueue::MakeEntry(pPacket, cbPacket, &entry);
  CAutoLock lock(&m_QueueLock);
  if (r != CPacketQueue::EPush::Queued) {
    m_Queue.NoteRefused(r);
    LogDueDrops();
    return;
  }
  m_Queue.Append(std::move(entry));
  LogDueDrops();
  if (m_Queue.Count() > m_cWakeAbove && m_Wake.Signal()) m_evWake.Set();
}

void CExStreamPin::EmptyQueue() {
  CAutoLock lock(&m_QueueLock);
  m_Queue.Clear();
}

HRESULT CExStreamPin::OnThreadStartPlay() {
  CAutoLock lock(&m_QueueLock);
  if (m_Queue.Count() <= m_cWakeAbove) {
    m_Wake.Clear();
    m_evWake.Reset();
  }
  return S_OK;
}

HRESULT CExStreamPin::Take(BYTE* pDst, DWORD cbCapacity, DWORD* pcbPayload) {
  // A head dropped for its size gives the queue one more chance to fill.
  for (int attempt = 0; attempt < 2; attempt++) {
    m_QueueLock.Lock();
    if (m_Queue.Count() < m_cTakeAtLeast && !m_Wake.BeginWait()) {
      m_QueueLock.Unlock();
      const BOOL bWoken = m_evWake.Wait(kWakeWaitMs);
      m_QueueLock.Lock();
      if (m_Wake.EndWait(bWoken != FALSE)) m_evWake.Reset();
    }
    CPacketQueue::TakeResult r = m_Queue.TakeHead(pDst, cbCapacity);
    if (r.cDropped) LogDueDrops();
    if (r.bTaken && r.bHasPts) m_Stamper.OnPts(r.dwPts);
    m_QueueLock.Unlock();
    if (r.bTaken) {
      *pcbPayload = r.cbPayload;
      return S_OK;
    }
    if (!r.cDropped) break;
  }
  return E_FAIL;
}

HRESULT CExStreamPin::FillBuffer(IMediaSample* pSample) {
  if (!pSample) return E_POINTER;
  CAutoLock lock(&m_FillLock);
  BYTE* pData = nullptr;
  RETURN_IF_FAILED(pSample->GetPointer(&pData));
  const long cbSize = pSample->GetSize();
  m_Stamper.BeginFill();
  DWORD cbPayload = 0;
  RETURN_IF_FAILED(Take(pData, cbSize > 0 ? static_cast<DWORD>(cbSize) : 0, &cbPayload));
  pSample->SetActualDataLength(static_cast<long>(cbPayload));
  int64_t time = 0;
  if (m_Stamper.Stamp(&time)) {
    REFERENCE_TIME tStart = time, tStop = time;
    pSample->SetTime(&tStart, &tStop);
    pSample->SetSyncPoint(TRUE);
  } else {
    pSample->SetTime(nullptr, nullptr);
    pSample->SetSyncPoint(FALSE);
  }
  return S_OK;
}

HRESULT CExStreamPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) {
  if (!pAlloc || !pRequest) return E_POINTER;
  CAutoLock lock(m_pFilter->pStateLock());
  ALLOCATOR_PROPERTIES request = *pRequest;
  request.cBuffers = 1;
  request.cbBuffer = kBufferSize;
  ALLOCATOR_PROPERTIES actual = {};
  RETURN_IF_FAILED(pAlloc->SetProperties(&request, &actual));
  return actual.cbBuffer < kBufferSize ? E_FAIL : S_OK;
}

HRESULT CExStreamPin::GetMediaType(int iPosition, CMediaType* pMediaType) {
  if (!pMediaType) return E_POINTER;
  CAutoLock lock(m_pFilter->pStateLock());
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
  return MakeMediaType(pMediaType);
}

HRESULT CExStreamPin::CheckMediaType(const CMediaType* pMediaType) {
  if (!pMediaType) return E_POINTER;
  return IsEqualGUID(*pMediaType->Subtype(), OfferedSubtype()) ? S_OK : E_INVALIDARG;
}

HRESULT CExStreamPin::SetMediaType(const CMediaType* pMediaType) {
  CAutoLock lock(m_pFilter->pStateLock());
  RETURN_IF_FAILED(CSourceStream::SetMediaType(pMediaType));
  if ((pMediaType->FormatLength() == 0 || !pMediaType->Format()) && !AcceptsNoFormat(pMediaType)) return E_UNEXPECTED;
  return S_OK;
}
