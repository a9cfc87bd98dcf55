#include "PinlessFilters.h"

#include "CardScript.h"

namespace {
CCardScript& Card() { return CCardScript::Instance(); }
}  // namespace

CUnknown* WINAPI CSplitterFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CSplitterFilter>(pUnk, phr);
}

CUnknown* WINAPI CTimeShiftFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CTimeShiftFilter>(pUnk, phr);
}

CTimeShiftFilter::CTimeShiftFilter(LPUNKNOWN pUnk, HRESULT* phr)
    : CPinlessFilter(TEXT("Time-shift"), pUnk, CLSID_TwinhanTimeShift, phr) {
  Card().LoadOnce();
}

STDMETHODIMP CTimeShiftFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ITwinhanTimeShift)) return GetInterface(static_cast<ITwinhanTimeShift*>(this), ppv);
  return CPinlessFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CTimeShiftFilter::SetReadPos(LONGLONG position) {
  const HRESULT hr = Card().Call("SetReadPos", "%lld", position);
  if (SUCCEEDED(hr)) Card().SetReadPos(position);
  return hr;
}

STDMETHODIMP CTimeShiftFilter::GetReadPos(LONGLONG* position) {
  if (!position) return E_POINTER;
  const HRESULT hr = Card().Call("GetReadPos");
  if (SUCCEEDED(hr)) *position = Card().Settings().readPos;
  return hr;
}

STDMETHODIMP CTimeShiftFilter::GetWritePos(LONGLONG* position) {
  if (!position) return E_POINTER;
  const HRESULT hr = Card().Call("GetWritePos");
  if (SUCCEEDED(hr)) *position = Card().Settings().writePos;
  return hr;
}

STDMETHODIMP CTimeShiftFilter::StopTimeShift() { return Card().Call("StopTimeShift"); }
