// An output pin of a CSource with its own streaming thread: while the filter
// is active the thread fills samples (FillBuffer) and delivers them.
#pragma once

#include "AMThread.h"
#include "BaseOutputPin.h"

class CSource;

class CSourceStream : public CAMThread, public CBaseOutputPin {
 public:
  CSourceStream(LPCTSTR pObjectName, HRESULT* phr, CSource* pms, LPCWSTR pName);
  ~CSourceStream() override;

  STDMETHODIMP QueryId(LPWSTR* Id) override;

 protected:
  // S_OK: deliver the sample; S_FALSE: end of stream; an error: end of
  // stream and EC_ERRORABORT, then wait for the next command.
  virtual HRESULT FillBuffer(IMediaSample* pSample) = 0;
  virtual HRESULT OnThreadCreate() { return S_OK; }
  virtual HRESULT OnThreadDestroy() { return S_OK; }
  virtual HRESULT OnThreadStartPlay() { return S_OK; }

  HRESULT Active() override;
  HRESULT Inactive() override;

  enum Command { CMD_INIT, CMD_PAUSE, CMD_RUN, CMD_STOP, CMD_EXIT };
  HRESULT Init() { return static_cast<HRESULT>(CallWorker(CMD_INIT)); }
  HRESULT Exit() { return static_cast<HRESULT>(CallWorker(CMD_EXIT)); }
  using CBaseOutputPin::Run;
  HRESULT Run() { return static_cast<HRESULT>(CallWorker(CMD_RUN)); }
  HRESULT Pause() { return static_cast<HRESULT>(CallWorker(CMD_PAUSE)); }
  HRESULT Stop() { return static_cast<HRESULT>(CallWorker(CMD_STOP)); }

  DWORD ThreadProc() override;
  virtual HRESULT DoBufferProcessingLoop();

  // The single type at position 0 is checked by default.
  HRESULT CheckMediaType(const CMediaType* pMediaType) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
  virtual HRESULT GetMediaType(CMediaType* pMediaType) { return E_UNEXPECTED; }

  CSource* m_pFilter;
};
