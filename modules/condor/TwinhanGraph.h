// condor's DirectShow graph around the card source filters of "thSource.ax":
// the source, time-shift filter and splitter, a video decoder (first or
// second choice by class identifier) and, with the first choice, the Video
// Mixing Renderer 7; the source's tuner, DiSEqC, card-information and CI
// interfaces and the time-shift interface. It detects the cards and their
// type, tunes, sends DiSEqC, renders the source's programme pin into the
// module's video window and takes everything apart again.
//
// Lives on the host's thread; the source's thread only calls the TS callback
// that is added with AddPid.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <strmif.h>

#include <functional>

#include <ComPtr.h>
#include <ModuleHostLink.h>
#include <TwinhanInterfaces.h>

#include "TwinhanTuning.h"

class CTwinhanGraph {
 public:
  CTwinhanGraph(const ModuleHostLink& host, const char* source) : m_host(host), m_source(source) {}
  ~CTwinhanGraph() { ReleaseAll(); }
  CTwinhanGraph(const CTwinhanGraph&) = delete;
  CTwinhanGraph& operator=(const CTwinhanGraph&) = delete;

  // The card count behind _GetDeviceCount: a graph with the source only,
  // asked and released again. While a device is open (a graph exists) the
  // stored count, so the live graph is left alone.
  int GetCardCount();
  // Builds the graph, takes the interfaces and selects the card.
  HRESULT OpenGraph(int cardIndex);
  // Renders the source's programme pin and attaches the video window.
  HRESULT RenderGraph(HWND videoWindow);
  // Stops, disconnects every pin and resets the tuner's service.
  void StopAndDisconnect();
  // Removes every filter (all), or only those of the old video renderer class.
  void RemoveFilters(bool all);
  void ReleaseAll();
  // The type of a card (0 when it cannot be read).
  int ReadCardType(int cardIndex);
  // 0 or 2.
  int Tune(int cardType, const CHANNEL_TYPE& tuning, int videoSource);
  int SendDiSEqC(const BYTE message[4]);

  HRESULT Run();
  HRESULT Pause();
  // Lets the renderer's window be a child of window.
  void AttachVideoWindow(HWND window);
  // Places the renderer's window in its owner's client area.
  bool PlaceRenderer(int left, int top, int width, int height);
  bool SetVolume(long volume);
  // The current image as a packed DIB; false when the renderer has none.
  bool GetCurrentImage(std::vector<BYTE>* dib);

  // Packets of pid go to callback from now on; false when the source refused.
  bool AddPid(TwinhanTsCallback callback, WORD pid);
  bool RemovePid(TwinhanTsCallback callback, WORD pid);
  // The tuner's locked flag, signal and quality; all 0 without the tuner.
  void GetSignal(BYTE* locked, int* signal, int* quality);
  HRESULT SetService(WORD video, WORD audio, int scrambled, WORD pmtPid, WORD serviceId);
  HRESULT StartTuner();

  IGraphBuilder* Graph() const { return m_pGraph.Get(); }
  ITwinhanCardInfo* CardInfo() const { return m_pCardInfo.Get(); }
  ITwinhanCI* CI() const { return m_pCI.Get(); }
  ITwinhanTimeShift* TimeShift() const { return m_pTimeShift.Get(); }
  bool HasVideoWindow() const { return static_cast<bool>(m_pVideoWindow); }
  bool UsesVMR() const { return m_bUseVMR; }
  int MaxCard() const { return m_iMaxCard; }
  void SetMaxCard(int count) { m_iMaxCard = count; }

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    m_host.Log(m_source, line, level, format, args...);
  }
  HRESULT CreateGraph();
  HRESULT AddFilter(REFCLSID clsid, LPCWSTR name, ComPtr<IBaseFilter>* filter);
  HRESULT AddDecoderAndRenderer();
  void RegisterInRot();

  const ModuleHostLink& m_host;
  const char* const m_source;

  ComPtr<IGraphBuilder> m_pGraph;
  ComPtr<IMediaControl> m_pMediaControl;
  ComPtr<IVideoWindow> m_pVideoWindow;
  ComPtr<IBasicAudio> m_pBasicAudio;
  ComPtr<IBasicVideo> m_pBasicVideo;
  ComPtr<IBaseFilter> m_pSource, m_pTimeShiftFilter, m_pSplitter, m_pDecoder, m_pRenderer;
  ComPtr<ITwinhanTunerCtrl> m_pTuner;
  ComPtr<ITwinhanDiSEqC> m_pDiSEqC;
  ComPtr<ITwinhanCardInfo> m_pCardInfo;
  ComPtr<IUnknown> m_pFourth, m_pFifth;
  ComPtr<ITwinhanCI> m_pCI;
  ComPtr<ITwinhanTimeShift> m_pTimeShift;
  DWORD m_dwRotKey = 0;
  bool m_bUseVMR = false;
  int m_iMaxCard = 1;
  int m_iCardIndex = 0;
};
