#include "BDACore.h"

#include <d3d9.h>
#include <uuids.h>
#include <vmr9.h>

#include <cstdio>
#include <cwchar>

#include <GraphRot.h>
#include <HrCheck.h>

namespace {

// The DXVA bob deinterlacing device.
constexpr GUID kDxvaBobDevice = {0x335AA36E, 0x7884, 0x43A4, {0x9C, 0x91, 0x7F, 0x87, 0xFA, 0xF3, 0xE3, 0x7E}};
constexpr DWORD kSectionFilterMerit = 0x200000;
constexpr DWORD kDecoderMerit = 0x200001;
constexpr DWORD kAllStreams = 0xFFFFFFFF;
const char kSection[] = "Quillon";

bool IsOutputPin(IPin* pin) {
  PIN_DIRECTION direction;
  return SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT;
}

bool InfoReadable(IPin* pin) {
  PIN_INFO info = {};
  if (FAILED(pin->QueryPinInfo(&info))) return false;
  if (info.pFilter) info.pFilter->Release();
  return true;
}

bool IsConnected(IPin* pin) {
  ComPtr<IPin> other;
  return SUCCEEDED(pin->ConnectedTo(other.Put()));
}

}  // namespace

CBDACore::CBDACore(BdaModuleLink module) : m_module(std::move(module)) {
  ComPtr<IFilterMapper2> mapper;
  if (SUCCEEDED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                 mapper.PutVoid()))) {
    EnumerateFilters(mapper.Get(), MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, kDecoderMerit, &m_videoDecoders);
    EnumerateFilters(mapper.Get(), MEDIATYPE_Audio, MEDIASUBTYPE_MPEG2_AUDIO, kDecoderMerit, &m_audioDecoders);
  }
  ReadProfile();
}

CBDACore::~CBDACore() {
  if (m_bRunning) StopGraph();
  if (m_bGraphBuilt || m_bFailed) ReleaseAll();
  RevokeFromROT();
  m_pMediaControl.Reset();
  m_pGraph.Reset();
  m_pDevEnum.Reset();
  WriteProfile();
}

void CBDACore::ReadProfile() {
  m_nVideoDecoder = static_cast<int>(GetPrivateProfileIntA(kSection, "VideoDecoder", 0, kProfileFile));
  m_nAudioDecoder = static_cast<int>(GetPrivateProfileIntA(kSection, "AudioDecoder", 0, kProfileFile));
  m_nVideoRenderer = static_cast<int>(GetPrivateProfileIntA(kSection, "VideoRenderer", 0, kProfileFile));
}

void CBDACore::WriteProfile() {
  const struct {
    const char* key;
    int value;
  } values[] = {{"VideoDecoder", m_nVideoDecoder}, {"AudioDecoder", m_nAudioDecoder}, {"VideoRenderer", m_nVideoRenderer}};
  for (const auto& v : values) {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", v.value);
    WritePrivateProfileStringA(kSection, v.key, text, kProfileFile);
  }
}

HRESULT CBDACore::Fail(int line, const char* text, HRESULT hr) {
  Info(line, text);
  m_bFailed = true;
  return hr;
}

HRESULT CBDACore::FailAndRelease(int line, const char* text, HRESULT hr) {
  Info(line, text);
  m_bFailed = true;
  ReleaseAll();
  return hr;
}

void CBDACore::MessageBox(const char* text) const { ::MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONERROR); }

// ------------------------------------------------------------------ graph

HRESULT CBDACore::CreateGraph() {
  if (!m_pGraph) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                                m_pGraph.PutVoid())))
      return Fail(__LINE__, "Error: Cannot create filter graph object.");
  }
  RegisterInROT();
  return S_OK;
}

void CBDACore::RegisterInROT() {
  RevokeFromROT();
  const HRESULT hr = RegisterGraphInRot(m_pGraph.Get(), ROTFLAGS_REGISTRATIONKEEPSALIVE, &m_dwRotCookie);
  if (FAILED(hr)) {
    Log(__LINE__, 10, "Failed to register filter graph with ROT!  hr=0x%x", static_cast<unsigned>(hr));
    m_dwRotCookie = 0;
  }
}

void CBDACore::RevokeFromROT() {
  if (!m_dwRotCookie) return;
  Info(__LINE__, "Removing graph from ROT");
  RevokeGraphFromRot(&m_dwRotCookie);
}

HRESULT CBDACore::BuildGraph(int tunerIndex, HWND videoWindow) {
  HRESULT hr = CreateGraph();
  if (FAILED(hr)) return hr;
  if (m_bGraphBuilt) {
    if (m_bRunning) StopGraph();
    ReleaseAll();
    RegisterInROT();
  }
  if (!m_pDevEnum && FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                             m_pDevEnum.PutVoid())))
    return Fail(__LINE__, "LoadFilter(): Cannot CoCreate ICreateDevEnum");
  m_tuners.clear();
  EnumerateDevices(m_pDevEnum.Get(), KSCATEGORY_BDA_NETWORK_TUNER, &m_tuners);
  ComPtr<IFilterMapper2> mapper;
  if (SUCCEEDED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                 mapper.PutVoid())))
    EnumerateFilters(mapper.Get(), KSDATAFORMAT_TYPE_MPEG2_SECTIONS, MEDIASUBTYPE_None, kSectionFilterMerit,
                     &m_sectionFilters);
  // The build needs a tuner of the list and a section filter: refused before
  // anything is loaded.
  if (tunerIndex < 0 || static_cast<size_t>(tunerIndex) >= m_tuners.size())
    return Fail(__LINE__, "Error: No such BDA tuner.");
  if (m_sectionFilters.empty()) return Fail(__LINE__, "Error: No MPEG-2 section filter installed.");
  m_nTunerIndex = tunerIndex;
  hr = LoadTuner();
  if (FAILED(hr)) return Fail(__LINE__, "Error: Cannot load the BDA tuner.", hr);

  BdaNetwork kind = BdaNetwork::kNone;
  hr = FindNetworkProvider(&kind);
  if (FAILED(hr)) {
    Log(__LINE__, 127, "Cannot find Network Provider!");
    ReleaseAll();
    m_bFailed = true;
    return hr;
  }
  if (MODULE_STATUS* status = m_module.host->m_pStatus) status->m_iFrontendType = FrontendTypeOf(kind);

  hr = TakeTopology();
  if (FAILED(hr)) return hr;
  if (*m_module.useVMR9) AddVMR9();
  Info(__LINE__, "Capture and tuner device loaded!");
  hr = AddGrabber();
  if (FAILED(hr)) return hr;
  hr = ConnectGrabber();
  if (FAILED(hr)) return hr;
  hr = AddDemultiplexer();
  if (FAILED(hr)) return hr;
  if (!*m_module.useVMR9) AddVMR7();

  Info(__LINE__, "Looking for AntennaOut pin");
  ComPtr<IPin> antenna;
  if (SUCCEEDED(FindPin(m_pNetworkProvider.Get(), L"Antenna Out", &antenna))) {
    Info(__LINE__, "Antenna pin found.");
    if (FAILED(m_pGraph->Render(antenna.Get()))) Info(__LINE__, "Automatic graph rendering failed. Trying manually...");
  }
  if (!m_pDemux) {
    if (SUCCEEDED(m_pGraph->FindFilterByName(L"MPEG-2 Demultiplexer", m_pDemux.Put())))
      Info(__LINE__, "MPEG2 Demuxer found.");
    else
      return Fail(__LINE__, "MPEG2 Demuxer not found.");
  }
  hr = LoadByMoniker(m_sectionFilters.front(), &m_pSectionFilter);
  if (FAILED(hr)) return Fail(__LINE__, "Error: Cannot load the section filter.", hr);
  RemoveDecoder(&m_pVideoDecoder);
  RemoveDecoder(&m_pAudioDecoder);

  Info(__LINE__, "Demuxer interface ok!");
  if (FAILED(hr = RenderTifPin())) return hr;
  if (FAILED(hr = RenderVideoPin())) return hr;
  if (FAILED(hr = RenderAudioPin())) return hr;

  Info(__LINE__, "Connecting Demuxer and MPE");
  if (FAILED(ConnectFilters(m_pDemux.Get(), m_pSectionFilter.Get())))
    return Fail(__LINE__, "Connecting Demuxer and MPE... failed!");
  Info(__LINE__, "Connecting Demuxer and MPE...done!");

  if (FAILED(hr = CreateAc3Pin())) return hr;
  if (FAILED(hr = QueryGraphInterfaces())) return hr;

  if (m_pTifPin) {
    Info(__LINE__, "Remove TIF pid map... god knows why...");
    UnmapAllPIDs(m_pTifPin.Get());
  }
  Info(__LINE__, "Setting video window properties..");
  AttachVideoWindow(videoWindow);
  m_bGraphBuilt = true;
  m_bFailed = false;
  hr = RunGraph();
  if (m_pTifPin) UnmapAllPIDs(m_pTifPin.Get());
  return hr;
}

HRESULT CBDACore::LoadTuner() { return LoadByMoniker(m_tuners[m_nTunerIndex], &m_pTunerFilter); }

HRESULT CBDACore::TakeTopology() {
  if (FAILED(m_pTunerFilter.As(&m_pTopology, IID_IBDA_Topology))) return Fail(__LINE__, "Cannot Find IID_IBDA_Topology");
  if (FAILED(m_pTopology->GetControlNode(0, 1, 1, m_pControlNode.Put()))) return Fail(__LINE__, "Cannot GetControlNode()");
  if (FAILED(m_pControlNode.As(&m_pSignalStatistics, IID_IBDA_SignalStatistics)))
    return Fail(__LINE__, "Cannot get IBDA_SignalStatistics");
  return S_OK;
}

HRESULT CBDACore::AddGrabber() {
  HRESULT hr = CoCreateInstance(CLSID_TsGrabber, nullptr, CLSCTX_ALL, IID_IBaseFilter, m_pGrabber.PutVoid());
  if (FAILED(hr)) {
    const char text[] = "Cannot create TS grabber. Please register 'plover.ax' first.";
    MessageBox(text);
    return FailAndRelease(__LINE__, text, hr);
  }
  hr = m_pGraph->AddFilter(m_pGrabber.Get(), L"Quillon TS Grabber");
  if (FAILED(hr)) return FailAndRelease(__LINE__, "Cannot add TS grabber to the graph.", hr);
  hr = m_pGrabber.As(&m_pGrabberControl, IID_ITsGrabber);
  if (FAILED(hr)) return FailAndRelease(__LINE__, "Cannot add TS grabber to the graph.", hr);
  return S_OK;
}

HRESULT CBDACore::ConnectGrabber() {
  if (FAILED(ConnectFilters(m_pTunerFilter.Get(), m_pGrabber.Get()))) {
    HRESULT hr = LoadFilter(KSCATEGORY_BDA_RECEIVER_COMPONENT, m_pTunerFilter.Get(), &m_pReceiver);
    if (FAILED(hr)) return FailAndRelease(__LINE__, "Cannot load capture device and connect tuner", hr);
    hr = ConnectFilters(m_pReceiver.Get(), m_pGrabber.Get());
    if (FAILED(hr)) return FailAndRelease(__LINE__, "Cannot connect TS grabber to the demodulator or tuner device.", hr);
  }
  Info(__LINE__, "TS grabber connected to the graph!");
  return S_OK;
}

HRESULT CBDACore::AddDemultiplexer() {
  if (FAILED(CoCreateInstance(CLSID_MPEG2Demultiplexer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              m_pDemux.PutVoid())))
    return Fail(__LINE__, "Error while creating MPEG2 Demultiplexer.");
  Info(__LINE__, "MPEG2 Demultiplexer created.");
  if (FAILED(m_pGraph->AddFilter(m_pDemux.Get(), L"MPEG-2 Demultiplexer")))
    return Fail(__LINE__, "Error while adding MPEG2 Demultiplexer to graph.");
  Info(__LINE__, "MPEG2 Demultiplexer added to graph.");
  ConnectFilters(m_pGrabber.Get(), m_pDemux.Get());
  return S_OK;
}

void CBDACore::AddVMR7() {
  if (FAILED(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              m_pVMR.PutVoid())))
    return;
  ComPtr<IVMRFilterConfig> config;
  if (SUCCEEDED(m_pVMR.As(&config, IID_IVMRFilterConfig))) {
    config->SetNumberOfStreams(1);
    config->SetRenderingPrefs(0);
  }
  if (*m_module.bobMode) {
    ComPtr<IVMRDeinterlaceControl> deinterlace;
    if (SUCCEEDED(m_pVMR.As(&deinterlace, IID_IVMRDeinterlaceControl))) {
      GUID bob = kDxvaBobDevice;
      deinterlace->SetDeinterlaceMode(kAllStreams, &bob);
      deinterlace->SetDeinterlacePrefs(2);
    }
  }
  m_pGraph->AddFilter(m_pVMR.Get(), L"VMR7");
}

void CBDACore::AddVMR9() {
  if (FAILED(CoCreateInstance(CLSID_VideoMixingRenderer9, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              m_pVMR.PutVoid()))) {
    Log(__LINE__, 127, "Error: VMR9 not created!");
    return;
  }
  Info(__LINE__, "VMR9 created!");
  Info(__LINE__, SUCCEEDED(m_pGraph->AddFilter(m_pVMR.Get(), L"VMR9")) ? "VMR9 added to graph."
                                                                        : "Warning: Cannot add VMR9 to graph.");
  ComPtr<IVMRFilterConfig9> config;
  if (SUCCEEDED(m_pVMR.As(&config, IID_IVMRFilterConfig9))) {
    config->SetNumberOfStreams(1);
    config->SetRenderingPrefs(2);
  }
  if (*m_module.bobMode) {
    ComPtr<IVMRDeinterlaceControl9> deinterlace;
    if (SUCCEEDED(m_pVMR.As(&deinterlace, IID_IVMRDeinterlaceControl9))) {
      GUID bob = kDxvaBobDevice;
      deinterlace->SetDeinterlaceMode(kAllStreams, &bob);
      deinterlace->SetDeinterlacePrefs(2);
    }
  }
}

HRESULT CBDACore::RenderTifPin() {
  ComPtr<IPin> pin;
  if (FAILED(FindPin(m_pDemux.Get(), L"1", &pin))) return S_OK;
  Info(__LINE__, "Rendering TIF pin....");
  if (FAILED(m_pGraph->Render(pin.Get()))) return Fail(__LINE__, "TIF pin rendering failed!");
  Info(__LINE__, "TIF pin rendered ok!");
  m_pTifPin = std::move(pin);
  return S_OK;
}

HRESULT CBDACore::RenderVideoPin() {
  ComPtr<IPin> pin;
  if (FAILED(FindPin(m_pDemux.Get(), L"2", &pin))) return S_OK;
  Info(__LINE__, "Rendering video pin....");
  HRESULT hr = S_OK;
  if (!InfoReadable(pin.Get())) {
    hr = m_pGraph->Render(pin.Get());
  } else {
    if (m_nVideoDecoder >= 1 && static_cast<size_t>(m_nVideoDecoder) <= m_videoDecoders.size() &&
        FAILED(UsePreferredVideoDecoder(pin.Get()))) {
      MessageBox("Error while using prefered video decoder. Using default.");
      m_nVideoDecoder = 0;
      RemoveDecoder(&m_pVideoDecoder);
      hr = m_pGraph->Render(pin.Get());
    }
  }
  if (FAILED(hr)) {
    Info(__LINE__, "Video pin rendering failed!");
    PostMessageA(m_module.hostWindow, WM_COMMAND, kVideoPinFailedCommand, 0);
    m_bFailed = true;
    return E_FAIL;
  }
  Info(__LINE__, "Video pin rendered ok!");
  return S_OK;
}

HRESULT CBDACore::UsePreferredVideoDecoder(IPin*) {
  RETURN_IF_FAILED(LoadByMoniker(m_videoDecoders[m_nVideoDecoder - 1], &m_pVideoDecoder));
  RETURN_IF_FAILED(ConnectFilters(m_pDemux.Get(), m_pVideoDecoder.Get()));
  ComPtr<IEnumPins> pins;
  RETURN_IF_FAILED(m_pVideoDecoder->EnumPins(pins.Put()));
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
    if (!IsOutputPin(pin.Get())) continue;
    ComPtr<IEnumMediaTypes> types;
    if (FAILED(pin->EnumMediaTypes(types.Put()))) continue;
    AM_MEDIA_TYPE* type = nullptr;
    bool video = false;
    while (!video && types->Next(1, &type, nullptr) == S_OK) {
      video = IsEqualGUID(type->majortype, MEDIATYPE_Video);
      if (type->pbFormat) CoTaskMemFree(type->pbFormat);
      if (type->pUnk) type->pUnk->Release();
      CoTaskMemFree(type);
    }
    if (video) return m_pGraph->Render(pin.Get());
  }
  return E_FAIL;
}

HRESULT CBDACore::RenderAudioPin() {
  ComPtr<IPin> pin;
  if (FAILED(FindPin(m_pDemux.Get(), L"3", &pin))) return S_OK;
  Info(__LINE__, "Rendering audio pin....");
  HRESULT hr = S_OK;
  if (!InfoReadable(pin.Get()))
    hr = m_pGraph->Render(pin.Get());
  else if (m_nAudioDecoder >= 1 && static_cast<size_t>(m_nAudioDecoder) <= m_audioDecoders.size())
    hr = UsePreferredAudioDecoder(pin.Get());
  if (FAILED(hr)) {
    const char text[] = "Audio pin rendering failed!";
    MessageBox(text);
    return Fail(__LINE__, text);
  }
  Info(__LINE__, "Audio pin rendered ok!");
  return S_OK;
}

HRESULT CBDACore::UsePreferredAudioDecoder(IPin* demuxPin) {
  RETURN_IF_FAILED(LoadByMoniker(m_audioDecoders[m_nAudioDecoder - 1], &m_pAudioDecoder));
  RETURN_IF_FAILED(ConnectFilters(m_pDemux.Get(), m_pAudioDecoder.Get()));
  ComPtr<IEnumPins> pins;
  RETURN_IF_FAILED(m_pAudioDecoder->EnumPins(pins.Put()));
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
    if (!IsOutputPin(pin.Get()) || SUCCEEDED(m_pGraph->Render(pin.Get()))) continue;
    MessageBox("Error while using prefered audio decoder. Using default.");
    m_nAudioDecoder = 0;
    RemoveDecoder(&m_pAudioDecoder);
    return m_pGraph->Render(demuxPin);
  }
  return S_OK;
}

HRESULT CBDACore::CreateAc3Pin() {
  ComPtr<IMpeg2Demultiplexer> demux;
  if (FAILED(m_pDemux.As(&demux, IID_IMpeg2Demultiplexer))) return Fail(__LINE__, "Cannot QI for IID_IMpeg2Demultiplexer");
  Info(__LINE__, "Creating AC3 pin...");
  // No format block: the pin's format length is 0.
  AM_MEDIA_TYPE type = {};
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_DOLBY_AC3;
  type.formattype = FORMAT_WaveFormatEx;
  ComPtr<IPin> pin;
  if (FAILED(demux->CreateOutputPin(&type, const_cast<LPWSTR>(L"AC3 Audio"), pin.Put()))) {
    Info(__LINE__, "Cannot create AC3 pin .... :-(");
    return S_OK;
  }
  ComPtr<IMPEG2PIDMap> map;
  if (FAILED(pin.As(&map, IID_IMPEG2PIDMap))) return S_OK;
  Info(__LINE__, "Rendering AC3 pin");
  if (FAILED(m_pGraph->Render(pin.Get()))) return Fail(__LINE__, "Error rendering AC3 pin.");
  Info(__LINE__, "AC3 pin rendered ok!");
  return S_OK;
}

HRESULT CBDACore::QueryGraphInterfaces() {
  Info(__LINE__, "QI Basic video2");
  if (FAILED(m_pGraph.As(&m_pBasicVideo, IID_IBasicVideo2))) return Fail(__LINE__, "Cannot QI for Basic Video.");
  Info(__LINE__, "QI Basic audio");
  if (FAILED(m_pGraph.As(&m_pBasicAudio, IID_IBasicAudio))) return Fail(__LINE__, "Cannot QI for Basic Audio.");
  Info(__LINE__, "QI Basic mediaEventEx");
  if (FAILED(m_pGraph.As(&m_pMediaEvent, IID_IMediaEventEx))) return Fail(__LINE__, "Cannot QI for Media Event Ex.");
  return S_OK;
}

bool CBDACore::RendererConnected() const {
  if (!m_pVMR) return false;
  ComPtr<IEnumPins> pins;
  if (FAILED(m_pVMR->EnumPins(pins.Put()))) return false;
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.Put(), nullptr) == S_OK)
    if (IsConnected(pin.Get())) return true;
  return false;
}

void CBDACore::RemoveDecoder(ComPtr<IBaseFilter>* decoder) {
  if (*decoder && m_pGraph) m_pGraph->RemoveFilter(decoder->Get());
  decoder->Reset();
}

// ------------------------------------------------------- filters and pins

HRESULT CBDACore::FindPin(IBaseFilter* filter, const WCHAR* name, ComPtr<IPin>* pin) {
  if (!filter) return E_POINTER;
  ComPtr<IEnumPins> pins;
  RETURN_IF_FAILED(filter->EnumPins(pins.Put()));
  ComPtr<IPin> candidate;
  while (pins->Next(1, candidate.Put(), nullptr) == S_OK) {
    PIN_INFO info = {};
    if (FAILED(candidate->QueryPinInfo(&info))) continue;
    if (info.pFilter) info.pFilter->Release();
    if (std::wcscmp(info.achName, name) == 0) {
      *pin = std::move(candidate);
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

HRESULT CBDACore::ConnectFilters(IBaseFilter* upstream, IBaseFilter* downstream) {
  if (!upstream || !downstream) return E_POINTER;
  ComPtr<IEnumPins> outs;
  if (FAILED(upstream->EnumPins(outs.Put()))) {
    Info(__LINE__, "Cannot enumerate upstream filter's pins");
    return E_FAIL;
  }
  ComPtr<IPin> out;
  while (outs->Next(1, out.Put(), nullptr) == S_OK) {
    PIN_INFO info = {};
    if (FAILED(out->QueryPinInfo(&info))) {
      Info(__LINE__, "Cannot obtain upstream filter's PIN_INFO");
      return E_FAIL;
    }
    if (info.pFilter) info.pFilter->Release();
    if (info.dir != PINDIR_OUTPUT || IsConnected(out.Get())) continue;
    ComPtr<IEnumPins> ins;
    if (FAILED(downstream->EnumPins(ins.Put()))) {
      Info(__LINE__, "Cannot enumerate pins on downstream filter!");
      return E_FAIL;
    }
    ComPtr<IPin> in;
    while (ins->Next(1, in.Put(), nullptr) == S_OK) {
      PIN_DIRECTION direction;
      if (FAILED(in->QueryDirection(&direction)) || direction != PINDIR_INPUT) continue;
      ComPtr<IPin> other;
      const HRESULT state = in->ConnectedTo(other.Put());
      if (SUCCEEDED(state)) continue;
      if (state != VFW_E_NOT_CONNECTED) {
        Info(__LINE__, "Failed in pIPinDownstream->ConnectedTo()!");
        continue;
      }
      if (SUCCEEDED(m_pGraph->Connect(out.Get(), in.Get()))) return S_OK;
      break;  // the first unconnected input pin is the one tried
    }
  }
  return E_FAIL;
}

HRESULT CBDACore::LoadByMoniker(const DeviceEntry& entry, ComPtr<IBaseFilter>* filter) {
  ComPtr<IBindCtx> context;
  RETURN_IF_FAILED(CreateBindCtx(0, context.Put()));
  ComPtr<IMoniker> moniker;
  ULONG eaten = 0;
  RETURN_IF_FAILED(MkParseDisplayName(context.Get(), entry.displayName, &eaten, moniker.Put()));
  return m_pGraph->AddSourceFilterForMoniker(moniker.Get(), context.Get(), entry.friendlyName, filter->Put());
}

HRESULT CBDACore::LoadFilter(REFCLSID category, IBaseFilter* upstream, ComPtr<IBaseFilter>* loaded) {
  if (!m_pDevEnum && FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                             m_pDevEnum.PutVoid()))) {
    Info(__LINE__, "LoadFilter(): Cannot CoCreate ICreateDevEnum");
    return E_FAIL;
  }
  ComPtr<IEnumMoniker> monikers;
  const HRESULT hr = m_pDevEnum->CreateClassEnumerator(category, monikers.Put(), 0);
  if (FAILED(hr)) {
    Info(__LINE__, "LoadFilter(): Cannot CreateClassEnumerator");
    return hr;
  }
  if (hr == S_FALSE) {
    Info(__LINE__, "LoadFilter(): Class not found, CreateClassEnumerator returned S_FALSE");
    return E_UNEXPECTED;
  }
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.Put(), nullptr) == S_OK) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid()))) {
      Info(__LINE__, "LoadFilter(): Cannot BindToStorage");
      return E_FAIL;
    }
    WCHAR name[260];
    if (!ReadFriendlyName(moniker.Get(), name, 260)) {
      Info(__LINE__, "LoadFilter(): IPropertyBag->Read method failed");
      continue;
    }
    ComPtr<IBaseFilter> filter;
    if (FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid()))) continue;
    if (FAILED(m_pGraph->AddFilter(filter.Get(), name))) {
      Info(__LINE__, "Cannot add filter");
      return E_FAIL;
    }
    if (SUCCEEDED(ConnectFilters(upstream, filter.Get()))) {
      *loaded = std::move(filter);
      return S_OK;
    }
    const HRESULT removed = m_pGraph->RemoveFilter(filter.Get());
    if (FAILED(removed)) {
      Info(__LINE__, "Failed unloading Filter");
      return removed;
    }
  }
  return E_FAIL;
}

// ------------------------------------------------------ running and window

HRESULT CBDACore::RunGraph() {
  if (!m_pMediaControl && (!m_pGraph || FAILED(m_pGraph.As(&m_pMediaControl, IID_IMediaControl)))) return E_NOINTERFACE;
  const HRESULT hr = m_pMediaControl->Run();
  if (FAILED(hr)) {
    m_pMediaControl->Stop();
    Info(__LINE__, "Cannot run graph");
    return hr;
  }
  Info(__LINE__, "Graph is running :-)");
  m_bRunning = true;
  return hr;
}

HRESULT CBDACore::StopGraph() {
  if (!m_bRunning || !m_pMediaControl) return S_OK;
  m_pMediaControl->Pause();
  const HRESULT hr = m_pMediaControl->Stop();
  if (hr != S_OK) {
    Log(__LINE__, 127, "Error while stopping the graph.");
    return hr;
  }
  Info(__LINE__, "Graph stopped.");
  m_bRunning = false;
  return hr;
}

HRESULT CBDACore::AttachVideoWindow(HWND hwnd) {
  if (!IsWindow(hwnd) || !m_pGraph) return E_FAIL;
  if (FAILED(m_pGraph.As(&m_pVideoWindow, IID_IVideoWindow))) {
    MessageBox("QueryInterface IVideoWindow Failed\n");
    return E_FAIL;
  }
  const struct {
    const char* failure;
    std::function<HRESULT()> step;
  } steps[] = {
      {"Unable to set video window\n", [&] { return m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(hwnd)); }},
      {"Unable to put message drain\n", [&] { return m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(hwnd)); }},
      {"Unable to set the notify window\n",
       [&] {
         return m_pMediaEvent || SUCCEEDED(m_pGraph.As(&m_pMediaEvent, IID_IMediaEventEx))
                    ? m_pMediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(hwnd), kGraphEventMessage, 0)
                    : E_NOINTERFACE;
       }},
      {"Unable to set the style for the video window\n",
       [&] { return m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN); }},
  };
  for (const auto& s : steps) {
    const HRESULT hr = s.step();
    if (FAILED(hr)) {
      MessageBox(s.failure);
      return hr;
    }
  }
  UpdateVideoWindow(hwnd);
  return S_OK;
}

void CBDACore::UpdateVideoWindow(HWND hwnd) {
  if (!m_pVideoWindow || !IsWindow(hwnd)) return;
  RECT client;
  GetClientRect(hwnd, &client);
  m_pVideoWindow->SetWindowPosition(client.left - 15, client.top - 15, client.right - client.left + 30,
                                    client.bottom - client.top + 30);
  m_pVideoWindow->put_Visible(OATRUE);
}

void CBDACore::HandleGraphEvents() {
  if (!m_pMediaEvent) return;
  long code = 0;
  LONG_PTR first = 0, second = 0;
  while (m_pMediaEvent->GetEvent(&code, &first, &second, 0) == S_OK) {
    if (code == EC_STATE_CHANGE && first == State_Running && m_pTifPin) UnmapAllPIDs(m_pTifPin.Get());
    m_pMediaEvent->FreeEventParams(code, first, second);
  }
}

// ------------------------------------------------------------------- PIDs

void CBDACore::UnmapAllPIDs(IPin* pin) {
  if (!pin) return;
  ComPtr<IMPEG2PIDMap> map;
  if (FAILED(pin->QueryInterface(IID_IMPEG2PIDMap, map.PutVoid()))) return;
  ComPtr<IEnumPIDMap> maps;
  if (FAILED(map->EnumPIDMap(maps.Put()))) return;
  PID_MAP entry;
  ULONG got = 0;
  while (maps->Next(1, &entry, &got) == S_OK && got == 1) {
    ULONG pid = entry.ulPID;
    map->UnmapPID(1, &pid);
  }
}

void CBDACore::MapPin(const WCHAR* pinName, WORD pid, bool map) {
  ComPtr<IPin> pin;
  if (FAILED(FindPin(m_pDemux.Get(), pinName, &pin))) return;
  UnmapAllPIDs(pin.Get());
  if (!map) return;
  ComPtr<IMPEG2PIDMap> pidMap;
  if (FAILED(pin.As(&pidMap, IID_IMPEG2PIDMap))) return;
  ULONG p = pid;
  pidMap->MapPID(1, &p, MEDIA_ELEMENTARY_STREAM);
}

void CBDACore::MapVideoPID(WORD pid) {
  if (!m_pDemux || !pid) return;
  MapPin(L"2", pid, true);
}

void CBDACore::MapAudioPID(WORD pid, BOOL toAC3Pin) {
  if (!m_pDemux || !pid) return;
  MapPin(L"3", pid, !toAC3Pin);
  MapPin(L"AC3 Audio", pid, toAC3Pin != FALSE);
}

// ----------------------------------------------------------------- release

void CBDACore::ReleaseAll() {
  // The grabber's thread may outlive a stop that failed: nothing it hands
  // over reaches the module once the graph goes.
  if (m_module.closeDelivery) m_module.closeDelivery();
  StopGraph();
  m_pTuningSpace.Reset();
  if (m_bGraphBuilt || m_bFailed) {
    Info(__LINE__, "Releasing interfaces....");
    ComPtr<IBaseFilter>* filters[] = {&m_pNetworkProvider, &m_pTunerFilter, &m_pReceiver,      &m_pDemux, &m_pVideoDecoder,
                                      &m_pAudioDecoder,    &m_pSectionFilter, &m_pVMR, &m_pGrabber};
    for (ComPtr<IBaseFilter>* f : filters) f->Reset();
    m_pDVBSTuningSpace.Reset();
    m_pTuneRequest.Reset();
    m_pDVBSLocator.Reset();
    m_pDVBCLocator.Reset();
    m_pDVBTLocator.Reset();
    m_pTuner.Reset();
    m_pSignalStatistics.Reset();
    m_pControlNode.Reset();
    m_pTopology.Reset();
    m_pTifPin.Reset();
    m_pVideoWindow.Reset();
    m_pBasicVideo.Reset();
    m_pBasicAudio.Reset();
    m_pMediaEvent.Reset();
    m_pGrabberControl.Reset();
    if (m_pGraph) {
      ComPtr<IEnumFilters> all;
      ComPtr<IBaseFilter> filter;
      while (SUCCEEDED(m_pGraph->EnumFilters(all.Put())) && all->Next(1, filter.Put(), nullptr) == S_OK) {
        Log(__LINE__, 10, "Removing filter.... 0x%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(filter.Get())));
        if (FAILED(m_pGraph->RemoveFilter(filter.Get()))) break;
      }
      Info(__LINE__, "Removing filter finished.");
    }
  } else {
    Info(__LINE__, "no interfaces found to release ....");
  }
  if (m_module.releaseFilters) m_module.releaseFilters();
  RevokeFromROT();
  m_bGraphBuilt = false;
}
