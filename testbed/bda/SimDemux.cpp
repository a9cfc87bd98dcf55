#include "SimDemux.h"

#include <BdaPlatform.h>

#include <algorithm>
#include <set>
#include <string>

#include "SimRecord.h"

namespace {

constexpr size_t kPacketSize = 188;
constexpr long kBufferBytes = 256 * 1024;

std::string Narrow(const WCHAR* text) {
  std::string s;
  for (const WCHAR* p = text; p && *p; ++p) s += static_cast<char>(*p < 128 ? *p : '?');
  return s;
}

void SectionsType(REFGUID subtype, CMediaType* mt) {
  mt->SetType(&KSDATAFORMAT_TYPE_MPEG2_SECTIONS);
  mt->SetSubtype(&subtype);
  mt->SetFormatType(&GUID_NULL);
}

void VideoType(CMediaType* mt) {
  mt->SetType(&MEDIATYPE_Video);
  mt->SetSubtype(&MEDIASUBTYPE_MPEG2_VIDEO);
  mt->SetFormatType(&FORMAT_MPEG2Video);
  auto* info = reinterpret_cast<MPEG2VIDEOINFO*>(mt->AllocFormatBuffer(sizeof(MPEG2VIDEOINFO)));
  if (!info) return;
  ZeroMemory(info, sizeof(MPEG2VIDEOINFO));
  info->hdr.rcSource = {0, 0, 720, 576};
  info->hdr.rcTarget = info->hdr.rcSource;
  info->hdr.dwPictAspectRatioX = 4;
  info->hdr.dwPictAspectRatioY = 3;
  info->hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->hdr.bmiHeader.biWidth = 720;
  info->hdr.bmiHeader.biHeight = 576;
}

void AudioType(CMediaType* mt) {
  mt->SetType(&MEDIATYPE_Audio);
  mt->SetSubtype(&MEDIASUBTYPE_MPEG2_AUDIO);
  mt->SetFormatType(&FORMAT_WaveFormatEx);
  auto* wave = reinterpret_cast<WAVEFORMATEX*>(mt->AllocFormatBuffer(sizeof(WAVEFORMATEX)));
  if (!wave) return;
  ZeroMemory(wave, sizeof(WAVEFORMATEX));
  wave->wFormatTag = WAVE_FORMAT_MPEG;
  wave->nChannels = 2;
  wave->nSamplesPerSec = 48000;
}

}  // namespace

class CSimDemux::CInput : public CBaseInputPin {
 public:
  CInput(CSimDemux* filter, CCritSec* lock, HRESULT* phr)
      : CBaseInputPin(TEXT("MPEG-2 Stream"), filter, lock, phr, L"MPEG-2 Stream"), m_pDemux(filter) {}
  HRESULT CheckMediaType(const CMediaType* mt) override {
    return IsEqualGUID(*mt->Type(), MEDIATYPE_Stream) &&
                   (IsEqualGUID(*mt->Subtype(), KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT) ||
                    IsEqualGUID(*mt->Subtype(), MEDIASUBTYPE_MPEG2_TRANSPORT))
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
  }
  STDMETHODIMP Receive(IMediaSample* sample) override {
    HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    return m_pDemux->Demultiplex(data, sample->GetActualDataLength());
  }

 private:
  CSimDemux* m_pDemux;
};

class CSimDemux::CPidMapEnum : public CUnknown, public IEnumPIDMap {
 public:
  explicit CPidMapEnum(std::vector<ULONG> pids) : CUnknown(TEXT("PID map enumerator"), nullptr), m_pids(std::move(pids)) {}
  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IEnumPIDMap)) return GetInterface(static_cast<IEnumPIDMap*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, PID_MAP* maps, ULONG* fetched) override {
    ULONG n = 0;
    for (; n < count && m_at < m_pids.size(); ++n, ++m_at) maps[n] = {m_pids[m_at], MEDIA_ELEMENTARY_STREAM};
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    m_at = std::min<size_t>(m_pids.size(), m_at + count);
    return m_at < m_pids.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    m_at = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumPIDMap**) override { return E_NOTIMPL; }

 private:
  std::vector<ULONG> m_pids;
  size_t m_at = 0;
};

class CSimDemux::COutput : public CBaseOutputPin, public IMPEG2PIDMap {
 public:
  COutput(CSimDemux* filter, CCritSec* lock, HRESULT* phr, const WCHAR* name, const CMediaType& type)
      : CBaseOutputPin(TEXT("demux output"), filter, lock, phr, name), m_name(name), m_nameText(Narrow(name)) {
    m_type = type;
  }
  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IMPEG2PIDMap)) return GetInterface(static_cast<IMPEG2PIDMap*>(this), ppv);
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
  }
  HRESULT CheckMediaType(const CMediaType* mt) override {
    if (FAILED(SimFailure("demux pin", m_nameText.c_str()))) return S_FALSE;
    return IsEqualGUID(*mt->Type(), *m_type.Type()) && IsEqualGUID(*mt->Subtype(), *m_type.Subtype()) ? S_OK
                                                                                                     : S_FALSE;
  }
  HRESULT GetMediaType(int position, CMediaType* mt) override {
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *mt = m_type;
    return S_OK;
  }
  HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override {
    request->cBuffers = std::max<long>(request->cBuffers, 8);
    request->cbBuffer = std::max<long>(request->cbBuffer, kBufferBytes);
    ALLOCATOR_PROPERTIES actual;
    return alloc->SetProperties(request, &actual);
  }

  HRESULT STDMETHODCALLTYPE MapPID(ULONG count, ULONG* pids, MEDIA_SAMPLE_CONTENT) override {
    CAutoLock lock(&m_mapLock);
    for (ULONG i = 0; i < count; ++i) {
      m_pids.insert(pids[i]);
      SimRecordLine("demux %s MapPID %lu", m_nameText.c_str(), pids[i]);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UnmapPID(ULONG count, ULONG* pids) override {
    CAutoLock lock(&m_mapLock);
    for (ULONG i = 0; i < count; ++i) {
      m_pids.erase(pids[i]);
      SimRecordLine("demux %s UnmapPID %lu", m_nameText.c_str(), pids[i]);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumPIDMap(IEnumPIDMap** maps) override {
    if (!maps) return E_POINTER;
    std::vector<ULONG> pids;
    {
      CAutoLock lock(&m_mapLock);
      pids.assign(m_pids.begin(), m_pids.end());
    }
    CPidMapEnum* made = new (std::nothrow) CPidMapEnum(std::move(pids));
    if (!made) return E_OUTOFMEMORY;
    return made->NonDelegatingQueryInterface(IID_IEnumPIDMap, reinterpret_cast<void**>(maps));
  }

  bool Maps(ULONG pid) {
    CAutoLock lock(&m_mapLock);
    return m_pids.count(pid) != 0;
  }
  // The payloads gathered from one input sample, delivered as one sample.
  void Send(const std::vector<BYTE>& bytes) {
    if (bytes.empty() || !IsConnected()) return;
    IMediaSample* sample = nullptr;
    if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) return;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const long n = std::min<long>(sample->GetSize(), static_cast<long>(bytes.size()));
    std::copy_n(bytes.begin(), n, data);
    sample->SetActualDataLength(n);
    Deliver(sample);
    sample->Release();
  }

  const std::wstring m_name;
  std::vector<BYTE> m_pending;

 private:
  const std::string m_nameText;
  CMediaType m_type;
  CCritSec m_mapLock;  // guards m_pids
  std::set<ULONG> m_pids;
};

CUnknown* WINAPI CSimDemux::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  if (!SimMayCreate("demux", phr)) return nullptr;
  CUnknown* made = new (std::nothrow) CSimDemux(pUnk, phr);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CSimDemux::CSimDemux(LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseFilter(TEXT("BDA sim demultiplexer"), pUnk, &m_lock, CLSID_MPEG2Demultiplexer, phr) {
  m_pInput = new CInput(this, &m_lock, phr);
  CMediaType type;
  SectionsType(MEDIASUBTYPE_DVB_SI, &type);
  AddOutput(L"1", type);
  CMediaType video;
  VideoType(&video);
  AddOutput(L"2", video);
  CMediaType audio;
  AudioType(&audio);
  AddOutput(L"3", audio);
  CMediaType sections;
  SectionsType(MEDIASUBTYPE_None, &sections);
  AddOutput(L"4", sections);
}

CSimDemux::~CSimDemux() { delete m_pInput; }

void CSimDemux::AddOutput(const WCHAR* name, const CMediaType& type) {
  HRESULT hr = S_OK;
  CAutoLock lock(&m_pinLock);
  m_outputs.push_back(std::make_unique<COutput>(this, &m_lock, &hr, name, type));
}

STDMETHODIMP CSimDemux::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IMpeg2Demultiplexer)) {
    if (FAILED(SimFailure("demux QI IMpeg2Demultiplexer"))) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    return GetInterface(static_cast<IMpeg2Demultiplexer*>(this), ppv);
  }
  return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSimDemux::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  const HRESULT hr = graph ? SimFailure("demux join") : S_OK;
  return FAILED(hr) ? hr : CBaseFilter::JoinFilterGraph(graph, name);
}

int CSimDemux::GetPinCount() {
  CAutoLock lock(&m_pinLock);
  return static_cast<int>(m_outputs.size()) + 1;
}

CBasePin* CSimDemux::GetPin(int n) {
  CAutoLock lock(&m_pinLock);
  if (n == 0) return m_pInput;
  return n > 0 && static_cast<size_t>(n) <= m_outputs.size() ? m_outputs[n - 1].get() : nullptr;
}

HRESULT CSimDemux::CreateOutputPin(AM_MEDIA_TYPE* type, LPWSTR name, IPin** pin) {
  if (!type || !name || !pin) return E_POINTER;
  const HRESULT hr = SimFailure("demux CreateOutputPin");
  if (FAILED(hr)) return hr;
  SimRecordLine("demux CreateOutputPin %s", Narrow(name).c_str());
  AddOutput(name, CMediaType(*type));
  CAutoLock lock(&m_pinLock);
  return m_outputs.back()->NonDelegatingQueryInterface(IID_IPin, reinterpret_cast<void**>(pin));
}

HRESULT CSimDemux::SetOutputPinMediaType(LPWSTR, AM_MEDIA_TYPE*) { return E_NOTIMPL; }

HRESULT CSimDemux::DeleteOutputPin(LPWSTR) { return E_NOTIMPL; }

HRESULT CSimDemux::Demultiplex(const BYTE* data, long length) {
  // Delivered without the pin lock: a stop that asks for the pins must not
  // wait for a downstream filter that holds the sample until it stops.
  std::vector<COutput*> outputs;
  {
    CAutoLock lock(&m_pinLock);
    for (const auto& out : m_outputs) outputs.push_back(out.get());
  }
  for (long at = 0; at + static_cast<long>(kPacketSize) <= length; at += kPacketSize) {
    const BYTE* p = data + at;
    if (p[0] != 0x47 || !(p[3] & 0x10)) continue;
    const ULONG pid = (p[1] & 0x1F) << 8 | p[2];
    size_t start = 4;
    if (p[3] & 0x20) start += 1 + p[4];
    if (start >= kPacketSize) continue;
    for (COutput* out : outputs)
      if (out->Maps(pid)) out->m_pending.insert(out->m_pending.end(), p + start, p + kPacketSize);
  }
  for (COutput* out : outputs) {
    out->Send(out->m_pending);
    out->m_pending.clear();
  }
  return S_OK;
}
