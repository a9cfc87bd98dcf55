// The outside filters of "thSource.ax" (source, time-shift, splitter), the
// two video decoders that condor creates by class identifier, and the
// source's and time-shift filter's interfaces. The filters publish no header,
// so this one fixes each operation's place in its interface: the operations
// condor calls stand at their slots, with unused slots (Reserved*) between
// them. Every operation answers an HRESULT, 0 on success. The module and the
// stand-in (testbed/thsource) share this header.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "TwinhanTypes.h"

// {7CDF271B-B889-4CFB-9F61-9D5E7C180894}
inline constexpr CLSID CLSID_TwinhanSource = {
    0x7CDF271B, 0xB889, 0x4CFB, {0x9F, 0x61, 0x9D, 0x5E, 0x7C, 0x18, 0x08, 0x94}};
// {46B443C1-9674-11D6-83AD-00E04C4CC6B4}
inline constexpr CLSID CLSID_TwinhanTimeShift = {
    0x46B443C1, 0x9674, 0x11D6, {0x83, 0xAD, 0x00, 0xE0, 0x4C, 0x4C, 0xC6, 0xB4}};
// {93274581-5423-11D4-901A-5254AB1F8709}
inline constexpr CLSID CLSID_TwinhanSplitter = {
    0x93274581, 0x5423, 0x11D4, {0x90, 0x1A, 0x52, 0x54, 0xAB, 0x1F, 0x87, 0x09}};
// The video decoders, first and second choice.
// {F50B3F13-19C4-11CF-AA9A-02608C9BABA2}
inline constexpr CLSID CLSID_FirstVideoDecoder = {
    0xF50B3F13, 0x19C4, 0x11CF, {0xAA, 0x9A, 0x02, 0x60, 0x8C, 0x9B, 0xAB, 0xA2}};
// {DD1C057A-FE99-477C-835F-3A89EF577C6F}
inline constexpr CLSID CLSID_SecondVideoDecoder = {
    0xDD1C057A, 0xFE99, 0x477C, {0x83, 0x5F, 0x3A, 0x89, 0xEF, 0x57, 0x7C, 0x6F}};

// The names the filters get in the graph.
#define TWINHAN_SOURCE_NAME L"Twinhan DVB Source"
#define TWINHAN_TIMESHIFT_NAME L"DVB Time-Shift"
#define TWINHAN_SPLITTER_NAME L"DVB TS Splitter"
#define FIRST_VIDEO_DECODER_NAME L"Elecard Video Decoder"
#define SECOND_VIDEO_DECODER_NAME L"Cyberlink Video Decoder"
#define TWINHAN_RENDERER_NAME L"Vider Mixing Renderer"
// The source's output pin that carries the programme.
#define TWINHAN_STREAM_PIN L"Stream 1"

// Called by the source on its own thread with every 188-byte packet of a PID
// that was added with this callback.
typedef void(__stdcall* TwinhanTsCallback)(BYTE* packet);

// {8430234F-D800-42A6-948E-237A0BE659A0}
inline constexpr IID IID_ITwinhanTunerCtrl = {
    0x8430234F, 0xD800, 0x42A6, {0x94, 0x8E, 0x23, 0x7A, 0x0B, 0xE6, 0x59, 0xA0}};
struct ITwinhanTunerCtrl : public IUnknown {
  STDMETHOD(Start)(int mode, int reserved1, int reserved2) = 0;  // 1
  STDMETHOD(Reserved2)() = 0;
  // Card-type specific arguments (TwinhanTuning.h).
  STDMETHOD(Tune)(int a, int b, int c, int d, int e) = 0;  // 3
  // All zero resets the service.
  STDMETHOD(SetService)(int reserved, int videoPid, int audioPid, int scrambled, int pmtPid, int serviceId,
                        int reserved2, int reserved3) = 0;  // 4
  STDMETHOD(Reserved5)() = 0;
  STDMETHOD(Reserved6)() = 0;
  STDMETHOD(Reserved7)() = 0;
  STDMETHOD(GetSignal)(BYTE* locked, int* signal, int* quality) = 0;  // 8
  STDMETHOD(Reserved9)() = 0;
  STDMETHOD(Reserved10)() = 0;
  STDMETHOD(Reserved11)() = 0;
  STDMETHOD(Reserved12)() = 0;
  STDMETHOD(Reserved13)() = 0;
  STDMETHOD(Reserved14)() = 0;
  STDMETHOD(Reserved15)() = 0;
  STDMETHOD(Reserved16)() = 0;
  STDMETHOD(Reserved17)() = 0;
  STDMETHOD(Reserved18)() = 0;
  STDMETHOD(Reserved19)() = 0;
  STDMETHOD(AddPid)(TwinhanTsCallback callback, int pid) = 0;     // 20
  STDMETHOD(RemovePid)(TwinhanTsCallback callback, int pid) = 0;  // 21
};

// {965AE5D0-C66B-4CA5-BB24-50CFDB240E29}
inline constexpr IID IID_ITwinhanDiSEqC = {
    0x965AE5D0, 0xC66B, 0x4CA5, {0xBB, 0x24, 0x50, 0xCF, 0xDB, 0x24, 0x0E, 0x29}};
struct ITwinhanDiSEqC : public IUnknown {
  STDMETHOD(Reserved1)() = 0;
  STDMETHOD(Reserved2)() = 0;
  STDMETHOD(Reserved3)() = 0;
  STDMETHOD(SendBytes)(int byte0, int byte1, int byte2, int byte3) = 0;  // 4
};

// {C9CB1F43-255E-45C8-A52E-CFE876757DFA}
inline constexpr IID IID_ITwinhanCardInfo = {
    0xC9CB1F43, 0x255E, 0x45C8, {0xA5, 0x2E, 0xCF, 0xE8, 0x76, 0x75, 0x7D, 0xFA}};
struct ITwinhanCardInfo : public IUnknown {
  STDMETHOD(Switch)(int value) = 0;                // 1
  STDMETHOD(GetCardCount)(int* count) = 0;         // 2
  STDMETHOD(GetCardType)(int card, int* type) = 0;  // 3
  STDMETHOD(Reserved4)() = 0;
  STDMETHOD(SelectCard)(int card) = 0;  // 5
};

// Two more interfaces of the source that condor only holds.
// {F5F565DA-F1D2-4C06-B1C6-FE63AEEEE8D8}
inline constexpr IID IID_ITwinhanFourth = {
    0xF5F565DA, 0xF1D2, 0x4C06, {0xB1, 0xC6, 0xFE, 0x63, 0xAE, 0xEE, 0xE8, 0xD8}};
// {3F91196E-C493-4EAA-B77F-EB1F443051CC}
inline constexpr IID IID_ITwinhanFifth = {
    0x3F91196E, 0xC493, 0x4EAA, {0xB7, 0x7F, 0xEB, 0x1F, 0x44, 0x30, 0x51, 0xCC}};

// {39D4FB19-934D-4884-BC31-4A2D0DB874DA}
inline constexpr IID IID_ITwinhanCI = {
    0x39D4FB19, 0x934D, 0x4884, {0xBC, 0x31, 0x4A, 0x2D, 0x0D, 0xB8, 0x74, 0xDA}};
struct ITwinhanCI : public IUnknown {
  // present: a CAM is in the slot; state 3: the CAM has something to show.
  STDMETHOD(GetCIState)(int* present, int* state) = 0;  // 1
  // info: kCamInfoSize bytes, the CAM's name at kCamInfoNameOffset.
  STDMETHOD(GetCAMInfo)(BYTE* info) = 0;  // 2
  STDMETHOD(EnterCAMMenu)() = 0;          // 3
  // object: the kCamDataSize-byte CAM data object (CamDataObject.h).
  STDMETHOD(GetMMI)(BYTE* object, int* type) = 0;        // 4
  STDMETHOD(SendMMIAnswer)(BYTE* object, int type) = 0;  // 5
  STDMETHOD(CloseMMI)() = 0;                             // 6
};

// {657FFB61-9673-11D6-83C8-00E04C4CC6B4}
inline constexpr IID IID_ITwinhanTimeShift = {
    0x657FFB61, 0x9673, 0x11D6, {0x83, 0xC8, 0x00, 0xE0, 0x4C, 0x4C, 0xC6, 0xB4}};
struct ITwinhanTimeShift : public IUnknown {
  STDMETHOD(Reserved1)() = 0;
  STDMETHOD(Reserved2)() = 0;
  STDMETHOD(Reserved3)() = 0;
  STDMETHOD(SetReadPos)(LONGLONG position) = 0;   // 4
  STDMETHOD(GetReadPos)(LONGLONG* position) = 0;  // 5
  STDMETHOD(GetWritePos)(LONGLONG* position) = 0;  // 6
  STDMETHOD(Reserved7)() = 0;
  STDMETHOD(Reserved8)() = 0;
  STDMETHOD(Reserved9)() = 0;
  STDMETHOD(StopTimeShift)() = 0;  // 10
};
