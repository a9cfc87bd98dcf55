// The test sink: a renderer stand-in that records every sample it receives,
// read back by tests through ITestSinkLog.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <PinnedType.h>

// {DDE479BF-616F-4D84-8B50-69CC4699010E}
inline constexpr CLSID CLSID_TestSink = {0xDDE479BF, 0x616F, 0x4D84, {0x8B, 0x50, 0x69, 0xCC, 0x46, 0x99, 0x01, 0x0E}};

// {BEDA0EF3-BA4E-4B78-8F53-A43D7E4BDC7F}
inline constexpr IID IID_ITestSinkLog = {0xBEDA0EF3, 0xBA4E, 0x4B78, {0x8F, 0x53, 0xA4, 0x3D, 0x7E, 0x4B, 0xDC, 0x7F}};

// One received sample.
struct TestSinkSample {
  LONG lLength;       // actual data length
  BOOL bHasTime;      // start time set
  BOOL bHasStopTime;  // stop time set too
  LONGLONG rtStart;   // 100 ns
  LONGLONG rtStop;
  BOOL bSyncPoint;
  BOOL bDiscontinuity;
  BOOL bMediaTypeChanged;  // the sample carried a new media type
  GUID subtype;            // of the sample's new type, else of the connection
  DWORD dwTag;             // the first four payload bytes, little-endian (0 when shorter)
  LONGLONG llArrival;      // QueryPerformanceCounter when received
};

struct ITestSinkLog : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetSampleCount(LONG* pCount) = 0;
  // Copies the record and up to cbPayload bytes of its payload (payloads
  // are kept unless SetKeepPayloads(FALSE)).
  virtual HRESULT STDMETHODCALLTYPE GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload) = 0;
  // S_OK once at least count samples are recorded, S_FALSE after timeoutMs.
  virtual HRESULT STDMETHODCALLTYPE WaitForSamples(LONG count, DWORD timeoutMs) = 0;
  // End-of-stream notifications received.
  virtual HRESULT STDMETHODCALLTYPE GetEndOfStreamCount(LONG* pCount) = 0;
  // S_OK once an end of stream arrived, S_FALSE after timeoutMs.
  virtual HRESULT STDMETHODCALLTYPE WaitForEndOfStream(DWORD timeoutMs) = 0;
  // The connection's media type (free it with FreeMediaType); VFW_E_NOT_CONNECTED.
  virtual HRESULT STDMETHODCALLTYPE GetConnectionType(AM_MEDIA_TYPE* pmt) = 0;
  virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
  // FALSE records only the fields of TestSinkSample (a null sink for benchmarks).
  virtual HRESULT STDMETHODCALLTYPE SetKeepPayloads(BOOL bKeep) = 0;
};

// COM methods are stdcall on both sides of the interface.
QUILLON_PIN_TYPE(&ITestSinkLog::GetSampleCount, HRESULT(__stdcall ITestSinkLog::*)(LONG*));
QUILLON_PIN_TYPE(&ITestSinkLog::GetSample, HRESULT(__stdcall ITestSinkLog::*)(LONG, TestSinkSample*, BYTE*, LONG));
QUILLON_PIN_TYPE(&ITestSinkLog::WaitForSamples, HRESULT(__stdcall ITestSinkLog::*)(LONG, DWORD));
QUILLON_PIN_TYPE(&ITestSinkLog::GetEndOfStreamCount, HRESULT(__stdcall ITestSinkLog::*)(LONG*));
QUILLON_PIN_TYPE(&ITestSinkLog::WaitForEndOfStream, HRESULT(__stdcall ITestSinkLog::*)(DWORD));
QUILLON_PIN_TYPE(&ITestSinkLog::GetConnectionType, HRESULT(__stdcall ITestSinkLog::*)(AM_MEDIA_TYPE*));
QUILLON_PIN_TYPE(&ITestSinkLog::Clear, HRESULT(__stdcall ITestSinkLog::*)());
QUILLON_PIN_TYPE(&ITestSinkLog::SetKeepPayloads, HRESULT(__stdcall ITestSinkLog::*)(BOOL));
