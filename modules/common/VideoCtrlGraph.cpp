// CVideoCtrl's graph: building it around heron and the VMR-7, rendering the
// source's pins through the preferred decoders (or the graph's own choice),
// taking the decoders out again for a restart, and taking it all apart.
#include <uuids.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include <framework/MessageBox.h>
#include <framework/SingleLock.h>

#include "GraphRot.h"
#include "VideoCtrl.h"

namespace {

// The VMR's BOB deinterlacing device, and the preference for it.
constexpr GUID kBobDevice = {0x335AA36E, 0x7884, 0x43A4, {0x9C, 0x91, 0x7F, 0x87, 0xFA, 0xF3, 0xE3, 0x7E}};
constexpr DWORD kDeinterlacePrefBob = 2;
constexpr DWORD kAllStreams = 0xFFFFFFFF;

unsigned AddressOf(const void* p) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)); }

// Every filter of the graph, held.
std::vector<ComPtr<IBaseFilter>> FiltersOf(IFilterGraph2* graph) {
  std::vector<ComPtr<IBaseFilter>> filters;
  ComPtr<IEnumFilters> e;
  if (FAILED(graph->EnumFilters(e.Put()))) return filters;
  for (;;) {
    ComPtr<IBaseFilter> f;
    if (e->Next(1, f.Put(), nullptr) != S_OK) break;
    filters.push_back(std::move(f));
  }
  return filters;
}

std::vector<ComPtr<IPin>> PinsOf(IBaseFilter* filter, HRESULT* hr) {
  std::vector<ComPtr<IPin>> pins;
  ComPtr<IEnumPins> e;
  *hr = filter->EnumPins(e.Put());
  if (FAILED(*hr)) return pins;
  for (;;) {
    ComPtr<IPin> p;
    if (e->Next(1, p.Put(), nullptr) != S_OK) break;
    pins.push_back(std::move(p));
  }
  return pins;
}

// Whether the pin offers a type of the major type.
bool OffersMajorType(IPin* pin, const GUID& major) {
  ComPtr<IEnumMediaTypes> e;
  if (FAILED(pin->EnumMediaTypes(e.Put()))) return false;
  bool found = false;
  AM_MEDIA_TYPE* mt = nullptr;
  while (!found && e->Next(1, &mt, nullptr) == S_OK) {
    found = IsEqualGUID(mt->majortype, major);
    if (mt->cbFormat) CoTaskMemFree(mt->pbFormat);
    if (mt->pUnk) mt->pUnk->Release();
    CoTaskMemFree(mt);
  }
  return found;
}

bool IsOutput(IPin* pin) {
  PIN_DIRECTION dir;
  return SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_OUTPUT;
}

bool IsConnected(IPin* pin) {
  ComPtr<IPin> peer;
  return pin->ConnectedTo(peer.Put()) == S_OK;
}

}  // namespace

HRESULT CVideoCtrl::BuildGraph() {
  if (m_hWnd) SetTimer(kAspectTimer, 1000);
  if (m_bBuilt) ReleaseGraph();
  m_bFailed = false;
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2, m_pGraph.PutVoid());
  if (FAILED(hr)) {
    Log(__LINE__, kLogInfo, "Error: Cannot create filter graph object.");
    m_bFailed = true;
    return hr;
  }
  RegisterInRot();

  const char* failure = nullptr;
  if (FAILED(hr = CoCreateInstance(CLSID_ExSourceFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   m_pSource.PutVoid())))
    failure = "Failed to create source filter instance!";
  else if (FAILED(hr = m_pGraph->AddFilter(m_pSource.Get(), L"Quillon Ex Source")))
    failure = "Failed to add source filter to the graph!";
  else {
    CSingleLock lock(&m_feedLock, TRUE);
    if (FAILED(hr = m_pSource->QueryInterface(IID_ISourceFeed, m_pVideoCtrl.PutVoid())))
      failure = "Failed to query video control interface!";
  }
  if (failure) {
    Log(__LINE__, kLogInfo, failure);
    m_bFailed = true;
    ReleaseGraph();
    return hr;
  }
  Log(__LINE__, kLogInfo, "m_pVideoCtrl: 0x%x!", AddressOf(m_pVideoCtrl.Get()));

  AddRenderer();
  hr = RenderSourcePins();
  if (FAILED(hr)) return hr;
  m_pGraph->QueryInterface(IID_IBasicAudio, m_pBasicAudio.PutVoid());
  return S_OK;
}

// The Video Mixing Renderer 7 in two-stream mode, with BOB deinterlacing when
// asked. A renderer that lacks one of the settings still renders: the failure
// is logged and the build goes on.
void CVideoCtrl::AddRenderer() {
  if (FAILED(CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              m_pRenderer.PutVoid())))
    return;
  ComPtr<IVMRFilterConfig> config;
  if (SUCCEEDED(m_pRenderer->QueryInterface(IID_IVMRFilterConfig, config.PutVoid()))) {
    const HRESULT hrStreams = config->SetNumberOfStreams(2);
    const HRESULT hrPrefs = config->SetRenderingPrefs(0);
    if (FAILED(hrStreams) || FAILED(hrPrefs))
      Log(__LINE__, kLogInfo, "VMR stream set-up refused (0x%x, 0x%x).", static_cast<unsigned>(hrStreams),
          static_cast<unsigned>(hrPrefs));
  }
  if (m_nBobMode) {
    ComPtr<IVMRDeinterlaceControl> deinterlace;
    HRESULT hr = m_pRenderer->QueryInterface(IID_IVMRDeinterlaceControl, deinterlace.PutVoid());
    if (SUCCEEDED(hr)) {
      GUID bob = kBobDevice;
      hr = deinterlace->SetDeinterlaceMode(kAllStreams, &bob);
      if (SUCCEEDED(hr)) hr = deinterlace->SetDeinterlacePrefs(kDeinterlacePrefBob);
    }
    if (FAILED(hr)) Log(__LINE__, kLogInfo, "BOB mode not available (0x%x).", static_cast<unsigned>(hr));
  }
  m_pGraph->AddFilter(m_pRenderer.Get(), L"Video Mixing Renderer");
  m_pRenderer->QueryInterface(IID_IBasicVideo, m_pBasicVideo.PutVoid());
}

HRESULT CVideoCtrl::RenderSourcePins() {
  m_pPrefVideoDecoder.Reset();
  m_pPrefAudioDecoder.Reset();
  HRESULT hr = E_FAIL;
  std::vector<ComPtr<IPin>> pins;
  if (m_pSource) pins = PinsOf(m_pSource.Get(), &hr);
  bool audioRendered = false;
  if (SUCCEEDED(hr)) {
    for (const ComPtr<IPin>& pin : pins) {
      PIN_INFO info = {};
      if (FAILED(pin->QueryPinInfo(&info))) continue;
      if (info.pFilter) info.pFilter->Release();
      if (std::wcscmp(info.achName, L"Video") == 0) RenderVideoPin(pin.Get());
      if (std::wcscmp(info.achName, L"Audio") == 0) audioRendered = RenderAudioPin(pin.Get());
    }
  }
  if (FAILED(hr) || !audioRendered) {
    Log(__LINE__, kLogInfo, "Cannot enum source pins!");
    m_bFailed = true;
    ReleaseGraph();
    return E_FAIL;
  }
  m_bBuilt = true;
  return S_OK;
}

bool CVideoCtrl::RenderVideoPin(IPin* pin) {
  bool rendered = false;
  const int choice = m_nVideoDecoder;
  if (choice >= 1 && choice <= static_cast<int>(m_VideoDecoders.size())) {
    HRESULT hr = AddFilterByDisplayName(m_pGraph.Get(), m_VideoDecoders[choice - 1], &m_pPrefVideoDecoder);
    if (SUCCEEDED(hr)) hr = ConnectToDecoder(m_pSource.Get(), m_pPrefVideoDecoder.Get());
    if (SUCCEEDED(hr)) {
      HRESULT hrPins;
      for (const ComPtr<IPin>& out : PinsOf(m_pPrefVideoDecoder.Get(), &hrPins)) {
        if (!IsOutput(out.Get()) || !OffersMajorType(out.Get(), MEDIATYPE_Video)) continue;
        if (SUCCEEDED(m_pGraph->Render(out.Get()))) {
          rendered = true;
          break;
        }
      }
    }
    if (!rendered) {
      AfxMessageBox("Error while using prefered video decoder. Using default.");
      m_nVideoDecoder = 0;
      if (m_pPrefVideoDecoder) m_pGraph->RemoveFilter(m_pPrefVideoDecoder.Get());
      m_pPrefVideoDecoder.Reset();
      rendered = SUCCEEDED(m_pGraph->Render(pin));
    }
  } else {
    rendered = SUCCEEDED(m_pGraph->Render(pin));
  }
  if (!rendered) {
    Log(__LINE__, kLogInfo, "Failed to render video pin!");
    if (m_hCommandWindow) ::PostMessage(m_hCommandWindow, WM_COMMAND, kVideoFailedCommand, 0);
  } else {
    Log(__LINE__, kLogInfo, "Video pin has been rendered successfully!!");
  }
  return rendered;
}

bool CVideoCtrl::RenderAudioPin(IPin* pin) {
  bool rendered = false;
  const int choice = m_nAudioDecoder;
  if (m_bAC3 || choice < 1 || choice > static_cast<int>(m_AudioDecoders.size())) {
    rendered = SUCCEEDED(m_pGraph->Render(pin));
  } else {
    // A preferred decoder that cannot be added or connected fails the audio
    // pin: only a failed render falls back to the graph's choice.
    HRESULT hr = AddFilterByDisplayName(m_pGraph.Get(), m_AudioDecoders[choice - 1], &m_pPrefAudioDecoder);
    if (SUCCEEDED(hr)) hr = ConnectToDecoder(m_pSource.Get(), m_pPrefAudioDecoder.Get());
    if (SUCCEEDED(hr)) {
      rendered = true;
      HRESULT hrPins;
      for (const ComPtr<IPin>& out : PinsOf(m_pPrefAudioDecoder.Get(), &hrPins)) {
        if (!IsOutput(out.Get())) continue;
        if (FAILED(m_pGraph->Render(out.Get()))) {
          AfxMessageBox("Error while using prefered audio decoder. Using default.");
          m_nAudioDecoder = 0;
          m_pGraph->RemoveFilter(m_pPrefAudioDecoder.Get());
          m_pPrefAudioDecoder.Reset();
          rendered = SUCCEEDED(m_pGraph->Render(pin));
          break;
        }
      }
    }
  }
  if (!rendered) {
    AfxMessageBox("Failed to render audio pin!");
    Log(__LINE__, kLogInfo, "Failed to render audio pin!");
  } else {
    Log(__LINE__, kLogInfo, "Audio pin has been rendered successfully!!");
  }
  return rendered;
}

HRESULT CVideoCtrl::ConnectToDecoder(IBaseFilter* upstream, IBaseFilter* downstream) {
  HRESULT hr;
  const std::vector<ComPtr<IPin>> outs = PinsOf(upstream, &hr);
  if (FAILED(hr)) {
    Log(__LINE__, kLogInfo, "Cannot enumerate upstream filter's pins");
    return hr;
  }
  for (const ComPtr<IPin>& out : outs) {
    PIN_INFO info = {};
    if (FAILED(hr = out->QueryPinInfo(&info))) {
      Log(__LINE__, kLogInfo, "Cannot obtain upstream filter's PIN_INFO");
      return hr;
    }
    if (info.pFilter) info.pFilter->Release();
    if (info.dir != PINDIR_OUTPUT || IsConnected(out.Get())) continue;
    const std::vector<ComPtr<IPin>> ins = PinsOf(downstream, &hr);
    if (FAILED(hr)) {
      Log(__LINE__, kLogInfo, "Cannot enumerate pins on downstream filter!");
      return hr;
    }
    for (const ComPtr<IPin>& in : ins) {
      PIN_INFO inInfo = {};
      if (FAILED(in->QueryPinInfo(&inInfo))) continue;
      if (inInfo.pFilter) inInfo.pFilter->Release();
      ComPtr<IPin> peer;
      const HRESULT hrPeer = in->ConnectedTo(peer.Put());
      if (FAILED(hrPeer) && hrPeer != VFW_E_NOT_CONNECTED) {
        Log(__LINE__, kLogInfo, "Failed in pIPinDownstream->ConnectedTo()!");
        continue;
      }
      if (inInfo.dir != PINDIR_INPUT || peer) continue;
      if (SUCCEEDED(m_pGraph->Connect(out.Get(), in.Get()))) return S_OK;
    }
  }
  return E_FAIL;
}

void CVideoCtrl::RemoveDecoders() {
  for (const ComPtr<IBaseFilter>& filter : FiltersOf(m_pGraph.Get())) {
    CLSID clsid = CLSID_NULL;
    filter->GetClassID(&clsid);
    if (IsEqualCLSID(clsid, CLSID_ExSourceFilter) || IsEqualCLSID(clsid, CLSID_VideoMixingRenderer) ||
        IsEqualCLSID(clsid, CLSID_VideoMixingRenderer9))
      continue;
    m_pGraph->RemoveFilter(filter.Get());
  }
  m_pPrefVideoDecoder.Reset();
  m_pPrefAudioDecoder.Reset();
}

void CVideoCtrl::RemoveAllFilters() {
  if (!m_pGraph) return;
  for (const ComPtr<IBaseFilter>& filter : FiltersOf(m_pGraph.Get())) {
    Log(__LINE__, kLogInfo, "Removing filter.... 0x%x", AddressOf(filter.Get()));
    m_pGraph->RemoveFilter(filter.Get());
  }
  Log(__LINE__, kLogInfo, "Removing filter finished.");
}

void CVideoCtrl::RegisterInRot() {
  const HRESULT hr = RegisterGraphInRot(m_pGraph.Get(), ROTFLAGS_REGISTRATIONKEEPSALIVE, &m_dwRotKey);
  if (FAILED(hr)) {
    Log(__LINE__, kLogInfo, "Failed to register filter graph with ROT!  hr=0x%x", static_cast<unsigned>(hr));
  }
}

void CVideoCtrl::RevokeFromRot() {
  if (!m_dwRotKey) return;
  Log(__LINE__, kLogInfo, "Removing graph from ROT");
  RevokeGraphFromRot(&m_dwRotKey);
}
