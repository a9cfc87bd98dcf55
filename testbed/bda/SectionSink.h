// The filters that take the demultiplexer's sections: the section filter
// (listed by the filter mapper for MPEG-2 sections of no subtype at merit
// 0x200000, so only the modules' list finds it) and the TIF (DVB SI
// sections, MERIT_NORMAL, so rendering pin "1" finds it). Both count what
// they receive and keep nothing.
#pragma once

#include <Streams.h>

class CSectionSink : public CBaseRenderer {
 public:
  static CUnknown* WINAPI CreateSectionFilter(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateTif(LPUNKNOWN pUnk, HRESULT* phr);
  CSectionSink(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, REFGUID subtype);

  HRESULT CheckMediaType(const CMediaType* mt) override;
  HRESULT DoRenderSample(IMediaSample*) override { return S_OK; }

 private:
  const GUID m_subtype;
};
