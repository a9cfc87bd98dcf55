// The memory allocator that pins share: a fixed set of equal buffers, made
// at Commit and freed once decommitted and all returned. A buffer is handed
// out and taken back under a critical section; a kernel wait happens only
// when GetBuffer finds every buffer out, so a pin that gets its buffer back
// before asking for the next one makes no system call per sample.
#pragma once

#include "CritSec.h"
#include "MediaSample.h"

#include <vector>

class CMemAllocator final : public IMemAllocator {
 public:
  // A new allocator with one reference, the caller's.
  static HRESULT Create(IMemAllocator** ppAllocator);

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* pRequest, ALLOCATOR_PROPERTIES* pActual) override;
  STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* pProps) override;
  STDMETHODIMP Commit() override;
  STDMETHODIMP Decommit() override;
  STDMETHODIMP GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                         DWORD dwFlags) override;
  STDMETHODIMP ReleaseBuffer(IMediaSample* pBuffer) override;

 private:
  CMemAllocator();
  ~CMemAllocator();
  CMemAllocator(const CMemAllocator&) = delete;
  CMemAllocator& operator=(const CMemAllocator&) = delete;

  // Frees the buffers when decommitted and none is out; under m_Lock.
  void FreeIfIdle();

  volatile LONG m_cRef = 1;
  CCritSec m_Lock;                    // guards everything below
  HANDLE m_hFree;                     // semaphore: a buffer came back to a waiter
  ALLOCATOR_PROPERTIES m_Props = {};  // as set; cbBuffer rounded up to the alignment
  BOOL m_bCommitted = FALSE;
  BYTE* m_pMemory = nullptr;          // every buffer, with its prefix
  std::vector<CMediaSample*> m_All;   // every sample made at Commit
  std::vector<CMediaSample*> m_Free;  // those not handed out
  LONG m_cWaiting = 0;                // threads waiting in GetBuffer
};
