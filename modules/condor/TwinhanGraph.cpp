#include "TwinhanGraph.h"

#include <uuids.h>

#include <cstdio>
#include <vector>

#include <GraphRot.h>
#include <ModuleInterface.h>

namespace {

constexpr int kMaxFiltersRemoved = 10;
constexpr LONG kChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

template <typename T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>* to) {
  if (!from) return E_NOINTERFACE;
  return from->QueryInterface(iid, to->PutVoid());
}

}  // namespace

HRESULT CTwinhanGraph::CreateGraph() {
  const HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                      m_pGraph.PutVoid());
  if (SUCCEEDED(hr)) RegisterInRot();
  return hr;
}

// Registered for graph viewers; registration flags 0: the table does not
// keep the graph alive.
void CTwinhanGraph::RegisterInRot() {
  RegisterGraphInRot(m_pGraph.Get(), 0, &m_dwRotKey);
}

HRESULT CTwinhanGraph::AddFilter(REFCLSID clsid, LPCWSTR name, ComPtr<IBaseFilter>* filter) {
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IBaseFilter,
                                filter->PutVoid());
  if (SUCCEEDED(hr)) hr = m_pGraph->AddFilter(filter->Get(), name);
  return hr;
}

int CTwinhanGraph::GetCardCount() {
  if (m_pGraph) return m_iMaxCard;
  if (FAILED(CreateGraph()) || FAILED(AddFilter(CLSID_TwinhanSource, TWINHAN_SOURCE_NAME, &m_pSource))) {
    RemoveFilters(true);
    ReleaseAll();
    return 0;
  }
  int count = 0;
  const bool asked = SUCCEEDED(Query(m_pSource.Get(), IID_ITwinhanCardInfo, &m_pCardInfo)) &&
                     SUCCEEDED(m_pCardInfo->GetCardCount(&count));
  m_iMaxCard = asked ? count : 0;
  RemoveFilters(true);
  ReleaseAll();
  return m_iMaxCard;
}

HRESULT CTwinhanGraph::AddDecoderAndRenderer() {
  if (SUCCEEDED(AddFilter(CLSID_FirstVideoDecoder, FIRST_VIDEO_DECODER_NAME, &m_pDecoder))) {
    m_bUseVMR = true;
  } else if (SUCCEEDED(AddFilter(CLSID_SecondVideoDecoder, SECOND_VIDEO_DECODER_NAME, &m_pDecoder))) {
    m_bUseVMR = false;
  } else {
    return E_FAIL;
  }
  if (!m_bUseVMR) return S_OK;
  if (SUCCEEDED(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                 m_pRenderer.PutVoid()))) {
    ComPtr<IVMRFilterConfig> config;
    if (SUCCEEDED(Query(m_pRenderer.Get(), IID_IVMRFilterConfig, &config))) {
      config->SetNumberOfStreams(1);
      config->SetRenderingPrefs(0);
    }
    m_pGraph->AddFilter(m_pRenderer.Get(), TWINHAN_RENDERER_NAME);
  }
  return S_OK;
}

HRESULT CTwinhanGraph::OpenGraph(int cardIndex) {
  m_iCardIndex = cardIndex;
  if (m_pGraph) return E_FAIL;
  if (FAILED(CreateGraph())) return E_FAIL;
  Log(__LINE__, kLogInfo, "Create instance of thSource.ax.");
  if (FAILED(AddFilter(CLSID_TwinhanSource, TWINHAN_SOURCE_NAME, &m_pSource))) {
    Log(__LINE__, kLogError, "Create instance of thSource.ax failed.");
    return E_FAIL;
  }
  Log(__LINE__, kLogInfo, "Instance of thSource.ax successfully created.");
  if (FAILED(AddFilter(CLSID_TwinhanTimeShift, TWINHAN_TIMESHIFT_NAME, &m_pTimeShiftFilter)) ||
      FAILED(AddFilter(CLSID_TwinhanSplitter, TWINHAN_SPLITTER_NAME, &m_pSplitter)) ||
      FAILED(AddDecoderAndRenderer()))
    return E_FAIL;

  IBaseFilter* source = m_pSource.Get();
  if (FAILED(Query(m_pGraph.Get(), IID_IMediaControl, &m_pMediaControl)) ||
      FAILED(Query(source, IID_ITwinhanTunerCtrl, &m_pTuner)) || FAILED(Query(source, IID_ITwinhanDiSEqC, &m_pDiSEqC)) ||
      FAILED(Query(source, IID_ITwinhanCardInfo, &m_pCardInfo)) || FAILED(Query(source, IID_ITwinhanFourth, &m_pFourth)))
    return E_FAIL;
  if (cardIndex == 1) {
    int count = 0;
    m_iMaxCard = SUCCEEDED(m_pCardInfo->GetCardCount(&count)) ? count : 0;
  }
  if (cardIndex < 0 || cardIndex > m_iMaxCard) return E_FAIL;
  m_pCardInfo->SelectCard(cardIndex);
  if (FAILED(Query(source, IID_ITwinhanCI, &m_pCI)) || FAILED(Query(source, IID_ITwinhanFifth, &m_pFifth)) ||
      FAILED(Query(m_pTimeShiftFilter.Get(), IID_ITwinhanTimeShift, &m_pTimeShift)))
    return E_FAIL;
  return S_OK;
}

HRESULT CTwinhanGraph::RenderGraph(HWND videoWindow) {
  if (!m_pSource) return E_FAIL;
  ComPtr<IPin> pin;
  const HRESULT found = m_pSource->FindPin(TWINHAN_STREAM_PIN, pin.Put());
  if (SUCCEEDED(found)) m_pGraph->Render(pin.Get());
  pin.Reset();
  if (SUCCEEDED(Query(m_pGraph.Get(), IID_IVideoWindow, &m_pVideoWindow))) AttachVideoWindow(videoWindow);
  Query(m_pGraph.Get(), IID_IBasicAudio, &m_pBasicAudio);
  Query(m_pGraph.Get(), IID_IBasicVideo, &m_pBasicVideo);
  return found;
}

void CTwinhanGraph::AttachVideoWindow(HWND window) {
  if (!m_pVideoWindow) return;
  m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(window));
  m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(window));
  m_pVideoWindow->put_WindowStyle(kChildStyle);
}

bool CTwinhanGraph::PlaceRenderer(int left, int top, int width, int height) {
  return m_pVideoWindow && SUCCEEDED(m_pVideoWindow->SetWindowPosition(left, top, width, height));
}

void CTwinhanGraph::StopAndDisconnect() {
  if (m_pMediaControl) m_pMediaControl->Stop();
  if (m_pGraph) {
    ComPtr<IEnumFilters> filters;
    if (SUCCEEDED(m_pGraph->EnumFilters(filters.Put()))) {
      ComPtr<IBaseFilter> filter;
      while (filters->Next(1, filter.Put(), nullptr) == S_OK) {
        ComPtr<IEnumPins> pins;
        if (FAILED(filter->EnumPins(pins.Put()))) continue;
        ComPtr<IPin> pin;
        while (pins->Next(1, pin.Put(), nullptr) == S_OK) m_pGraph->Disconnect(pin.Get());
      }
    }
  }
  SetService(0, 0, 0, 0, 0);
}

void CTwinhanGraph::RemoveFilters(bool all) {
  if (!m_pGraph) return;
  // Collected first: removing a filter while enumerating would upset the enumeration.
  std::vector<ComPtr<IBaseFilter>> found;
  ComPtr<IEnumFilters> filters;
  if (FAILED(m_pGraph->EnumFilters(filters.Put()))) return;
  ComPtr<IBaseFilter> filter;
  while (static_cast<int>(found.size()) < kMaxFiltersRemoved && filters->Next(1, filter.Put(), nullptr) == S_OK) {
    CLSID clsid = {};
    if (all || (SUCCEEDED(filter->GetClassID(&clsid)) && IsEqualCLSID(clsid, CLSID_VideoRenderer))) {
      found.emplace_back();
      found.back().Share(filter.Get());
    }
  }
  for (auto& f : found) m_pGraph->RemoveFilter(f.Get());
}

void CTwinhanGraph::ReleaseAll() {
  RevokeGraphFromRot(&m_dwRotKey);
  m_pTimeShift.Reset();
  m_pCI.Reset();
  m_pFifth.Reset();
  m_pFourth.Reset();
  m_pCardInfo.Reset();
  m_pDiSEqC.Reset();
  m_pTuner.Reset();
  m_pRenderer.Reset();
  m_pDecoder.Reset();
  m_pSplitter.Reset();
  m_pTimeShiftFilter.Reset();
  m_pSource.Reset();
  m_pBasicVideo.Reset();
  m_pBasicAudio.Reset();
  m_pVideoWindow.Reset();
  m_pMediaControl.Reset();
  m_pGraph.Reset();
  m_bUseVMR = false;
}

int CTwinhanGraph::ReadCardType(int cardIndex) {
  int type = 0;
  if (!m_pCardInfo || FAILED(m_pCardInfo->GetCardType(cardIndex, &type))) return 0;
  return type;
}

int CTwinhanGraph::Tune(int cardType, const CHANNEL_TYPE& tuning, int videoSource) {
  if (!m_pTuner) return kModuleFailed;
  const TwinhanTuneCall call = TuneCallFor(cardType, tuning, videoSource);
  if (!call.supported) {
    Log(__LINE__, kLogError, "Error: Could not find supported Twinhan CardType! ");
    return kModuleFailed;
  }
  const auto& a = call.args;
  const HRESULT hr = m_pTuner->Tune(a[0], a[1], a[2], a[3], a[4]);
  if (call.switchAfter && m_pCardInfo) m_pCardInfo->Switch(0);
  return hr == S_OK ? kModuleOk : kModuleFailed;
}

int CTwinhanGraph::SendDiSEqC(const BYTE message[4]) {
  if (!m_pDiSEqC) return kModuleFailed;
  return m_pDiSEqC->SendBytes(message[0], message[1], message[2], message[3]) == S_OK ? kModuleOk : kModuleFailed;
}

HRESULT CTwinhanGraph::Run() { return m_pMediaControl ? m_pMediaControl->Run() : E_FAIL; }

HRESULT CTwinhanGraph::Pause() { return m_pMediaControl ? m_pMediaControl->Pause() : E_FAIL; }

bool CTwinhanGraph::SetVolume(long volume) { return m_pBasicAudio && SUCCEEDED(m_pBasicAudio->put_Volume(volume)); }

bool CTwinhanGraph::GetCurrentImage(std::vector<BYTE>* dib) {
  if (!m_pBasicVideo) return false;
  long width = 0, height = 0;
  if (FAILED(m_pBasicVideo->GetVideoSize(&width, &height)) || width <= 0 || height <= 0) return false;
  // Room for the header and a 32-bit picture: the renderer cannot always report the size first.
  long size = static_cast<long>(sizeof(BITMAPINFOHEADER)) + width * height * 4;
  dib->assign(static_cast<size_t>(size), 0);
  if (FAILED(m_pBasicVideo->GetCurrentImage(&size, reinterpret_cast<long*>(dib->data())))) return false;
  dib->resize(static_cast<size_t>(size));
  return true;
}

bool CTwinhanGraph::AddPid(TwinhanTsCallback callback, WORD pid) {
  return m_pTuner && m_pTuner->AddPid(callback, pid) == S_OK;
}

bool CTwinhanGraph::RemovePid(TwinhanTsCallback callback, WORD pid) {
  return m_pTuner && m_pTuner->RemovePid(callback, pid) == S_OK;
}

void CTwinhanGraph::GetSignal(BYTE* locked, int* signal, int* quality) {
  *locked = 0;
  *signal = *quality = 0;
  if (m_pTuner && FAILED(m_pTuner->GetSignal(locked, signal, quality))) *locked = 0, *signal = *quality = 0;
}

HRESULT CTwinhanGraph::SetService(WORD video, WORD audio, int scrambled, WORD pmtPid, WORD serviceId) {
  if (!m_pTuner) return E_FAIL;
  return m_pTuner->SetService(0, video, audio, scrambled, pmtPid, serviceId, 0, 0);
}

HRESULT CTwinhanGraph::StartTuner() { return m_pTuner ? m_pTuner->Start(1, 0, 0) : E_FAIL; }
