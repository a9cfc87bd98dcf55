// osprey's graph object: lists the machine's BDA network tuners, builds one
// DirectShow graph around the chosen tuner (network provider with tuning
// space and tune request, tuner, an optional receiver component, the TS
// grabber, the MPEG-2 demultiplexer, the section filter, decoders and a video
// mixing renderer), runs it in the host's video window, maps PIDs on the
// demultiplexer's output pins and keeps the decoder preferences in
// "heron-BDA.ini". The tuning half (network-provider search and tune
// requests) is in BDATuning.cpp.
//
// All operations run on the host's thread.
#pragma once

#include <BdaPlatform.h>

#include <functional>

#include <ComPtr.h>
#include <framework/String.h>

#include "DeviceList.h"
#include "ModuleHostLink.h"
#include "TsGrabber.h"
#include "TuneRequestValues.h"

// What the graph object reads and writes of its module.
struct BdaModuleLink {
  const ModuleHostLink* host = nullptr;
  HWND hostWindow = nullptr;
  const BOOL* useVMR9 = nullptr;
  const BOOL* bobMode = nullptr;
  const CHANNEL_TYPE* lastTuning = nullptr;  // the module's copy of the last tuning record
  CString* deviceType = nullptr;             // "BDA DVB-S" ... while the search tries a kind
  std::function<void()> releaseFilters;      // empties the module's filter list
  std::function<void()> closeDelivery;       // lets no grabber packet into the module any more
};

class CBDACore {
 public:
  static constexpr UINT kGraphEventMessage = WM_USER + 13;
  static constexpr WPARAM kVideoPinFailedCommand = 32989;
  static constexpr char kProfileFile[] = "heron-BDA.ini";

  explicit CBDACore(BdaModuleLink module);
  ~CBDACore();
  CBDACore(const CBDACore&) = delete;
  CBDACore& operator=(const CBDACore&) = delete;

  HRESULT BuildGraph(int tunerIndex, HWND videoWindow);
  void ReleaseAll();
  HRESULT StopGraph();
  HRESULT RunGraph();
  HRESULT AttachVideoWindow(HWND hwnd);
  void UpdateVideoWindow(HWND hwnd);
  void UnmapAllPIDs(IPin* pin);
  void MapVideoPID(WORD pid);
  void MapAudioPID(WORD pid, BOOL toAC3Pin);
  void HandleGraphEvents();

  // Tuning (BDATuning.cpp).
  HRESULT FindNetworkProvider(BdaNetwork* kind);
  HRESULT CreateDVBSTuneRequest(ITuneRequest** request);
  HRESULT CreateDVBTTuneRequest(ITuneRequest** request);
  HRESULT CreateDVBCTuneRequest(ITuneRequest** request);
  // The inner step: a new tune request of the current tuning space with the
  // ids and the tuning record's locator values.
  HRESULT FillTuneRequest(BdaNetwork network, ITuneRequest** request, WORD sid, WORD tsid, WORD onid,
                          const CHANNEL_TYPE& tuning);
  HRESULT put_TuneRequest();
  // Retunes the running graph to the module's front-end kind.
  HRESULT Retune(DWORD frontendType, const CHANNEL_TYPE& tuning);
  void SetIds(WORD sid, WORD tsid, WORD onid) {
    m_wSID = sid;
    m_wTSID = tsid;
    m_wONID = onid;
  }

  bool GraphBuilt() const { return m_bGraphBuilt; }
  bool Running() const { return m_bRunning; }
  bool Failed() const { return m_bFailed; }
  IFilterGraph2* Graph() const { return m_pGraph.Get(); }
  IBasicVideo2* BasicVideo() const { return m_pBasicVideo.Get(); }
  // Whether the video renderer receives a stream: only then can it tell the
  // picture's size or hand out the picture.
  bool RendererConnected() const;
  IBasicAudio* BasicAudio() const { return m_pBasicAudio.Get(); }
  IBDA_SignalStatistics* SignalStatistics() const { return m_pSignalStatistics.Get(); }
  ITsGrabber* Grabber() const { return m_pGrabberControl.Get(); }
  IPin* TifPin() const { return m_pTifPin.Get(); }
  const DeviceList& Tuners() const { return m_tuners; }
  const DeviceList& VideoDecoders() const { return m_videoDecoders; }
  const DeviceList& AudioDecoders() const { return m_audioDecoders; }
  BdaNetwork NetworkKind() const { return m_network; }

  int m_nVideoDecoder = 0;
  int m_nAudioDecoder = 0;
  int m_nVideoRenderer = 0;

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    m_module.host->Log(".\\BDACore", line, level, format, args...);
  }
  void Info(int line, const char* text) const { Log(line, 10, "%s", text); }
  // Logs text, sets the failure flag and gives hr.
  HRESULT Fail(int line, const char* text, HRESULT hr = E_FAIL);
  // As Fail, releasing everything first.
  HRESULT FailAndRelease(int line, const char* text, HRESULT hr);
  void MessageBox(const char* text) const;

  HRESULT CreateGraph();
  void RegisterInROT();
  void RevokeFromROT();
  HRESULT LoadByMoniker(const DeviceEntry& entry, ComPtr<IBaseFilter>* filter);
  HRESULT LoadTuner();
  HRESULT LoadFilter(REFCLSID category, IBaseFilter* upstream, ComPtr<IBaseFilter>* loaded);
  HRESULT ConnectFilters(IBaseFilter* upstream, IBaseFilter* downstream);
  HRESULT FindPin(IBaseFilter* filter, const WCHAR* name, ComPtr<IPin>* pin);
  HRESULT TakeTopology();
  HRESULT AddGrabber();
  HRESULT ConnectGrabber();
  HRESULT AddDemultiplexer();
  void AddVMR7();
  void AddVMR9();
  HRESULT RenderTifPin();
  HRESULT RenderVideoPin();
  HRESULT RenderAudioPin();
  HRESULT UsePreferredVideoDecoder(IPin* pin);
  HRESULT UsePreferredAudioDecoder(IPin* pin);
  HRESULT CreateAc3Pin();
  HRESULT QueryGraphInterfaces();
  void RemoveDecoder(ComPtr<IBaseFilter>* decoder);
  void MapPin(const WCHAR* pinName, WORD pid, bool map);
  void ReadProfile();
  void WriteProfile();

  // Tuning helpers (BDATuning.cpp).
  HRESULT TryNetworkProvider(BdaNetwork network);
  HRESULT CreateTuningSpace(BdaNetwork network);
  HRESULT AddNetworkProvider(BdaNetwork network);
  HRESULT ApplyLocator(BdaNetwork network, ILocator* locator, const CHANNEL_TYPE& tuning);

  BdaModuleLink m_module;

  // Tuning.
  ComPtr<ITuningSpace> m_pTuningSpace;
  ComPtr<IDVBTuningSpace2> m_pDVBSTuningSpace;
  ComPtr<ITuneRequest> m_pTuneRequest;
  ComPtr<IDVBSLocator> m_pDVBSLocator;
  ComPtr<IDVBCLocator> m_pDVBCLocator;
  ComPtr<IDVBTLocator> m_pDVBTLocator;
  ComPtr<ITuner> m_pTuner;
  WORD m_wSID = 0, m_wTSID = 0, m_wONID = 0;
  BdaNetwork m_network = BdaNetwork::kNone;

  // Tuner topology.
  ComPtr<IBDA_Topology> m_pTopology;
  ComPtr<IUnknown> m_pControlNode;
  ComPtr<IBDA_SignalStatistics> m_pSignalStatistics;

  ComPtr<IPin> m_pTifPin;  // the demultiplexer's pin "1"

  ComPtr<IFilterGraph2> m_pGraph;
  ComPtr<IMediaControl> m_pMediaControl;
  ComPtr<ICreateDevEnum> m_pDevEnum;
  ComPtr<IVideoWindow> m_pVideoWindow;
  ComPtr<IBasicVideo2> m_pBasicVideo;
  ComPtr<IBasicAudio> m_pBasicAudio;
  ComPtr<IMediaEventEx> m_pMediaEvent;
  ComPtr<ITsGrabber> m_pGrabberControl;

  ComPtr<IBaseFilter> m_pNetworkProvider;
  ComPtr<IBaseFilter> m_pTunerFilter;
  ComPtr<IBaseFilter> m_pReceiver;
  ComPtr<IBaseFilter> m_pDemux;
  ComPtr<IBaseFilter> m_pVideoDecoder;
  ComPtr<IBaseFilter> m_pAudioDecoder;
  ComPtr<IBaseFilter> m_pSectionFilter;
  ComPtr<IBaseFilter> m_pVMR;
  ComPtr<IBaseFilter> m_pGrabber;

  DeviceList m_tuners, m_sectionFilters, m_videoDecoders, m_audioDecoders;
  DWORD m_dwRotCookie = 0;
  bool m_bGraphBuilt = false;
  bool m_bRunning = false;
  bool m_bFailed = false;
  int m_nTunerIndex = 0;
};
