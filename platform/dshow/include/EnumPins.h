// IEnumPins over a CBaseFilter's pins; fails with VFW_E_ENUM_OUT_OF_SYNC once
// the filter's pin set changes.
#pragma once

#include <windows.h>
#include <strmif.h>

class CBaseFilter;

class CEnumPins : public IEnumPins {
public:
    CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins);
    virtual ~CEnumPins();
    CEnumPins(const CEnumPins&) = delete;
    CEnumPins& operator=(const CEnumPins&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cPins) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** ppEnum) override;

private:
    BOOL AreWeOutOfSync();

    int m_Position;
    int m_PinCount;
    CBaseFilter* m_pFilter;
    LONG m_Version;
    LONG volatile m_cRef;
};
