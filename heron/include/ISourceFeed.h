// The push interface of the "Quillon Professional Ex Source" filter: whole
// video and audio PES packets in, copied before the call returns.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <PinnedType.h>

// {ECC3AE33-C50A-4379-874B-59553107F929}
inline constexpr CLSID CLSID_ExSourceFilter = {
    0xECC3AE33, 0xC50A, 0x4379, {0x87, 0x4B, 0x59, 0x55, 0x31, 0x07, 0xF9, 0x29}};

// {69660CCA-FD24-46FF-A5EF-84BFF70B9F64}
inline constexpr IID IID_ISourceFeed = {0x69660CCA, 0xFD24, 0x46FF, {0xA5, 0xEF, 0x84, 0xBF, 0xF7, 0x0B, 0x9F, 0x64}};

struct ISourceFeed : public IUnknown {
  // Queues a copy of one video PES packet (header included). Always S_OK;
  // a packet that cannot be copied or is malformed is dropped.
  virtual HRESULT STDMETHODCALLTYPE DeliverVideo(BYTE* pPacket, LONG lLength) = 0;
  // The same for the audio pin.
  virtual HRESULT STDMETHODCALLTYPE DeliverAudio(BYTE* pPacket, LONG lLength) = 0;
  // Empties both queues and chooses the types offered at the next
  // connection: AC-3 audio, H.264 video (which implies MPEG audio). The
  // third argument is ignored. Always S_OK.
  virtual HRESULT STDMETHODCALLTYPE Reset(BOOL bAC3, BOOL bH264, DWORD dwReserved) = 0;
};

// COM methods are stdcall on both sides of the interface.
QUILLON_PIN_TYPE(&ISourceFeed::DeliverVideo, HRESULT(__stdcall ISourceFeed::*)(BYTE*, LONG));
QUILLON_PIN_TYPE(&ISourceFeed::DeliverAudio, HRESULT(__stdcall ISourceFeed::*)(BYTE*, LONG));
QUILLON_PIN_TYPE(&ISourceFeed::Reset, HRESULT(__stdcall ISourceFeed::*)(BOOL, BOOL, DWORD));
