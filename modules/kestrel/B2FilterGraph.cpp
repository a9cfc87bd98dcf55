#include "B2FilterGraph.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// {B87BEB7B-8D29-423F-AE4D-6582C10175AC}
const CLSID kVideoMixingRenderer7 = {0xB87BEB7B, 0x8D29, 0x423F, {0xAE, 0x4D, 0x65, 0x82, 0xC1, 0x01, 0x75, 0xAC}};
constexpr long kRendererStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr WORD kNullPid = 8191;
constexpr ULONG kMaxFilters = 20;

const char kNoDecoder[] =
    "Cannot find %s decoder filter. Please install necessary MPEG2 third party decoders (WinDVD, PowerDVD, Elecard, "
    "...).\n\nRender %s OUT pin";

}  // namespace

CB2FilterGraph::~CB2FilterGraph() { ReleaseVideoWindow(); }

void CB2FilterGraph::ReleaseVideoWindow() {
  if (m_pVideoWindow) {
    m_pVideoWindow->put_Visible(OAFALSE);
    m_pVideoWindow->put_Owner(0);
  }
  m_pVideoWindow.Reset();
  m_hAttached = nullptr;
}

HRESULT CB2FilterGraph::AddVideoRenderer() {
  if (!m_pGraph) {
    m_error.SetLastError("No filter graph; add Video Renderer", CB2FilterGraphError::kNotInitialized);
    return E_FAIL;
  }
  m_bVMR9 = FALSE;  // the name of the Video Mixing Renderer 9 is never used
  HRESULT hr = Step(CoCreateInstance(kVideoMixingRenderer7, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     m_pVideoRenderer.PutVoid()),
                    "Create VMR Filter");
  if (FAILED(hr)) return hr;
  ComPtr<IVMRFilterConfig> config;
  if (SUCCEEDED(m_pVideoRenderer->QueryInterface(IID_IVMRFilterConfig, config.PutVoid()))) {
    config->SetNumberOfStreams(1);
    config->SetRenderingPrefs(0);
  }
  return Step(m_pGraph->AddFilter(m_pVideoRenderer.Get(), L"Vider Mixing Renderer"), "Add VMR Filter to Filter Graph");
}

HRESULT CB2FilterGraph::GetAVPins() {
  if (m_pAudioPin && m_pVideoPin) return S_OK;
  if (!m_pSourceFilter) {
    m_error.SetLastError("Not Initialize, enumerate B2C2 Filter AV pins", CB2FilterGraphError::kNotInitialized);
    return E_FAIL;
  }
  ComPtr<IEnumPins> pins;
  HRESULT hr = Step(m_pSourceFilter->EnumPins(pins.Put()), "Enumerate B2C2 Filter pins");
  if (FAILED(hr)) return hr;
  ComPtr<IPin> pin;
  while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
    PIN_INFO info = {};
    if (FAILED(pin->QueryPinInfo(&info))) continue;
    if (info.pFilter) info.pFilter->Release();
    if (info.dir != PINDIR_OUTPUT) continue;
    if (std::wcsstr(info.achName, L"Audio") && !m_pAudioPin) m_pAudioPin.Share(pin.Get());
    if (std::wcsstr(info.achName, L"Video") && !m_pVideoPin) m_pVideoPin.Share(pin.Get());
  }
  return S_OK;
}

HRESULT CB2FilterGraph::SetPvrPids(long audio, long video) {
  if (!audio && !video) return S_OK;
  if (!m_pAVCtrl) {
    m_error.SetLastError("No PVR control interface; SetPvrPids", CB2FilterGraphError::kNotInitialized);
    return E_FAIL;
  }
  const HRESULT hr = m_pAVCtrl->SetAudioVideoPIDs(audio, video);
  m_bAudioOnly = (video == 0 || video == kNullPid) ? TRUE : FALSE;
  if (!m_bAudioRendered || !m_bVideoRendered) RenderAVPins();
  return hr;
}

void CB2FilterGraph::RenderPin(IPin* pin, const char* kind, const char* name, BYTE* rendered) {
  if (*rendered) return;
  const HRESULT hr = m_pGraph->Render(pin);
  if (FAILED(hr)) {
    char text[256];
    std::snprintf(text, sizeof(text), kNoDecoder, kind, name);
    Throw(text, static_cast<DWORD>(hr));
  }
  *rendered = TRUE;
}

void CB2FilterGraph::RenderAVPins() {
  if (!m_pAudioPin) Throw("No Audio OUT pin; render OUT pins", CB2FilterGraphError::kNotInitialized);
  RenderPin(m_pAudioPin.Get(), "audio", "Audio", &m_bAudioRendered);
  if (!m_bAudioOnly) {
    if (!m_pVideoPin) Throw("No Video OUT pin; render OUT pins", CB2FilterGraphError::kNotInitialized);
    RenderPin(m_pVideoPin.Get(), "video", "Video", &m_bVideoRendered);
  }
  if (m_hAttached) SetVideoWindow(m_hAttached);
}

void CB2FilterGraph::SetVideoWindow(HWND window) {
  m_hAttached = window;
  if (!m_pVideoWindow) {
    const HRESULT hr = m_pGraph ? m_pGraph->QueryInterface(IID_IVideoWindow, m_pVideoWindow.PutVoid()) : E_FAIL;
    if (FAILED(hr)) Throw("Get Video Renderer from Filter Graph", static_cast<DWORD>(hr));
  }
  HRESULT hr = m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(window));
  if (FAILED(hr)) Throw("Set Video Renderer window", static_cast<DWORD>(hr));
  hr = m_pVideoWindow->put_WindowStyle(kRendererStyle);
  if (FAILED(hr)) Throw("Set Video Renderer window style", static_cast<DWORD>(hr));
  m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(window));
  UpdateVideoSize(window);
}

void CB2FilterGraph::UpdateVideoSize(HWND window) {
  if (!m_pVideoWindow) Throw("No video window; update Video Size", CB2FilterGraphError::kNotInitialized);
  RECT client = {};
  ::GetClientRect(window, &client);
  m_pVideoWindow->SetWindowPosition(client.left - kVideoBorder, client.top - kVideoBorder,
                                    client.right - client.left + 2 * kVideoBorder,
                                    client.bottom - client.top + 2 * kVideoBorder);
}

void CB2FilterGraph::DisconnectAll() {
  if (!m_pGraph) return;
  ComPtr<IEnumFilters> filters;
  if (FAILED(m_pGraph->EnumFilters(filters.Put()))) return;
  ComPtr<IBaseFilter> filter;
  while (filters->Next(1, filter.Put(), nullptr) == S_OK) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.Put()))) continue;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.Put(), nullptr) == S_OK) m_pGraph->Disconnect(pin.Get());
  }
}

void CB2FilterGraph::RemoveRenderFilters() {
  if (!m_pGraph) return;
  ReleaseVideoWindow();
  m_pVideoRenderer.Reset();
  // Collected first: removing a filter while enumerating would upset the enumeration.
  std::vector<ComPtr<IBaseFilter>> others;
  ComPtr<IEnumFilters> filters;
  if (FAILED(m_pGraph->EnumFilters(filters.Put()))) return;
  ComPtr<IBaseFilter> filter;
  for (ULONG n = 0; n < kMaxFilters && filters->Next(1, filter.Put(), nullptr) == S_OK; ++n) {
    CLSID clsid = {};
    if (SUCCEEDED(filter->GetClassID(&clsid)) && clsid == CLSID_B2C2MPEG2Filter) continue;
    others.emplace_back();
    others.back().Share(filter.Get());
  }
  for (auto& other : others) m_pGraph->RemoveFilter(other.Get());
  ClearRendered();
}
