// The TS grabber filter ("plover.ax") that osprey puts between the tuner and
// the demultiplexer: it passes the transport stream through and hands each
// 188-byte packet of the PIDs it was given to a callback on its streaming
// thread. The filter publishes no header, so this one fixes its identifiers
// and method order; the module and the test stand-in share it.
#pragma once

#include <windows.h>
#include <unknwn.h>

// {5B1897D8-15D1-477E-B899-C2C18459705C}
inline constexpr CLSID CLSID_TsGrabber = {0x5B1897D8, 0x15D1, 0x477E, {0xB8, 0x99, 0xC2, 0xC1, 0x84, 0x59, 0x70, 0x5C}};
// {5B1897D8-15D1-477E-B899-A5C18459705C}
inline constexpr IID IID_ITsGrabber = {0x5B1897D8, 0x15D1, 0x477E, {0xB8, 0x99, 0xA5, 0xC1, 0x84, 0x59, 0x70, 0x5C}};

// Called with the PID in the low 16 bits and one whole transport packet.
typedef void(__cdecl* PFN_TS_PACKET)(unsigned pid, const BYTE* packet);

struct ITsGrabber : public IUnknown {
  // From now on, every packet of pid goes to callback; context names the
  // addition for DelPIDs.
  virtual HRESULT STDMETHODCALLTYPE AddPIDs(WORD pid, PFN_TS_PACKET callback, void* context) = 0;
  // Removes what was added with context.
  virtual HRESULT STDMETHODCALLTYPE DelPIDs(void* context) = 0;
  // A slot the module never calls.
  virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
  // 0 on success.
  virtual HRESULT STDMETHODCALLTYPE StopTimeshift() = 0;
};
