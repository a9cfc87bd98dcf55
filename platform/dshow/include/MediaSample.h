// One buffer of a CMemAllocator handed out as an IMediaSample. When its last
// reference goes it returns to its allocator, its properties cleared.
#pragma once

#include "Unknown.h"

class CMemAllocator;

class CMediaSample final : public IMediaSample {
 public:
  CMediaSample(CMemAllocator* pAllocator, BYTE* pBuffer, LONG cbBuffer);
  ~CMediaSample();
  CMediaSample(const CMediaSample&) = delete;
  CMediaSample& operator=(const CMediaSample&) = delete;

  // Taken from the free list: one reference, the caller's.
  void OnHandedOut() { m_cRef = 1; }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetPointer(BYTE** ppBuffer) override;
  STDMETHODIMP_(long) GetSize() override { return m_cbBuffer; }
  STDMETHODIMP GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
  STDMETHODIMP SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
  STDMETHODIMP IsSyncPoint() override { return m_bSyncPoint ? S_OK : S_FALSE; }
  STDMETHODIMP SetSyncPoint(BOOL bIsSyncPoint) override;
  STDMETHODIMP IsPreroll() override { return m_bPreroll ? S_OK : S_FALSE; }
  STDMETHODIMP SetPreroll(BOOL bIsPreroll) override;
  STDMETHODIMP_(long) GetActualDataLength() override { return m_cbActual; }
  STDMETHODIMP SetActualDataLength(long cbActual) override;
  STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** ppMediaType) override;
  STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* pMediaType) override;
  STDMETHODIMP IsDiscontinuity() override { return m_bDiscontinuity ? S_OK : S_FALSE; }
  STDMETHODIMP SetDiscontinuity(BOOL bDiscontinuity) override;
  STDMETHODIMP GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;
  STDMETHODIMP SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;

 private:
  // Back to the state of a fresh buffer: no times, flags, type or data.
  void ClearProperties();

  CMemAllocator* const m_pAllocator;
  BYTE* const m_pBuffer;
  const LONG m_cbBuffer;
  volatile LONG m_cRef = 0;
  LONG m_cbActual = 0;
  BOOL m_bTimeValid = FALSE;
  BOOL m_bStopValid = FALSE;
  REFERENCE_TIME m_tStart = 0;
  REFERENCE_TIME m_tStop = 0;
  BOOL m_bMediaTimeValid = FALSE;
  LONGLONG m_tMediaStart = 0;
  LONGLONG m_tMediaStop = 0;
  BOOL m_bSyncPoint = FALSE;
  BOOL m_bPreroll = FALSE;
  BOOL m_bDiscontinuity = FALSE;
  AM_MEDIA_TYPE* m_pMediaType = nullptr;
};
