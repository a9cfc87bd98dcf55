// The time-shift filter "DVB Time-Shift" and the splitter "DVB TS Splitter"
// of the stand-in: the module only adds them to its graph (and asks the
// time-shift filter for its interface), so they carry no pins. The
// time-shift positions come from the script; a set read position is kept.
#pragma once

#include <Streams.h>

#include <TwinhanInterfaces.h>

class CPinlessFilter : public CBaseFilter {
 public:
  CPinlessFilter(LPCTSTR name, LPUNKNOWN pUnk, REFCLSID clsid, HRESULT* phr)
      : CBaseFilter(name, pUnk, &m_filterLock, clsid, phr) {}
  int GetPinCount() override { return 0; }
  CBasePin* GetPin(int) override { return nullptr; }

 private:
  CCritSec m_filterLock;
};

class CSplitterFilter : public CPinlessFilter {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  CSplitterFilter(LPUNKNOWN pUnk, HRESULT* phr) : CPinlessFilter(TEXT("Splitter"), pUnk, CLSID_TwinhanSplitter, phr) {}
};

class CTimeShiftFilter : public CPinlessFilter, public ITwinhanTimeShift {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  CTimeShiftFilter(LPUNKNOWN pUnk, HRESULT* phr);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  STDMETHODIMP SetReadPos(LONGLONG position) override;
  STDMETHODIMP GetReadPos(LONGLONG* position) override;
  STDMETHODIMP GetWritePos(LONGLONG* position) override;
  STDMETHODIMP StopTimeShift() override;
  STDMETHODIMP Reserved1() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved2() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved7() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved8() override { return E_NOTIMPL; }
  STDMETHODIMP Reserved9() override { return E_NOTIMPL; }
};
