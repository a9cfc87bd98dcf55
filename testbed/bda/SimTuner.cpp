#include "SimTuner.h"

#include <BdaPlatform.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "BdaSim.h"
#include "NetworkProvider.h"
#include "SimRecord.h"

namespace {
constexpr size_t kPacketSize = 188;
constexpr size_t kPacketsPerSample = 64;
constexpr DWORD kSamplePauseMs = 2;  // keeps the loop from taking a whole core
}  // namespace

class CSimTuner::CAntennaInput : public CBaseInputPin {
 public:
  CAntennaInput(CSimTuner* filter, CCritSec* lock, HRESULT* phr, REFGUID networkType)
      : CBaseInputPin(TEXT("Antenna In"), filter, lock, phr, L"Antenna In"), m_networkType(networkType) {}
  HRESULT CheckMediaType(const CMediaType* mt) override {
    return IsEqualGUID(*mt->Type(), KSDATAFORMAT_TYPE_BDA_ANTENNA) && IsEqualGUID(*mt->Subtype(), m_networkType) &&
                   SUCCEEDED(SimFailure("tuner antenna"))
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
  }

 private:
  const GUID m_networkType;
};

class CSimTuner::CTsOutput : public CSourceStream {
 public:
  CTsOutput(CSimTuner* filter, HRESULT* phr) : CSourceStream(TEXT("MPEG2 Transport"), phr, filter, L"MPEG2 Transport") {}

 protected:
  HRESULT GetMediaType(CMediaType* mt) override {
    mt->SetType(&MEDIATYPE_Stream);
    mt->SetSubtype(&KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT);
    mt->SetFormatType(&GUID_NULL);
    return S_OK;
  }
  HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override {
    request->cBuffers = std::max<long>(request->cBuffers, 8);
    request->cbBuffer = std::max<long>(request->cbBuffer, kPacketSize * kPacketsPerSample);
    ALLOCATOR_PROPERTIES actual;
    return alloc->SetProperties(request, &actual);
  }
  HRESULT OnThreadCreate() override {
    char path[MAX_PATH] = {};
    m_stream.clear();
    m_at = 0;
    if (GetEnvironmentVariableA(BDASIM_TS_VARIABLE, path, sizeof(path)) == 0) return S_OK;
    std::ifstream in(path, std::ios::binary);
    m_stream.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    m_stream.resize(m_stream.size() / kPacketSize * kPacketSize);
    return S_OK;
  }
  HRESULT FillBuffer(IMediaSample* sample) override {
    Sleep(kSamplePauseMs);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const size_t room = std::min<size_t>(sample->GetSize(), kPacketSize * kPacketsPerSample) / kPacketSize * kPacketSize;
    size_t n = 0;
    while (!m_stream.empty() && n < room) {
      const size_t take = std::min(room - n, m_stream.size() - m_at);
      std::copy_n(m_stream.begin() + m_at, take, data + n);
      n += take;
      m_at = (m_at + take) % m_stream.size();
    }
    sample->SetActualDataLength(static_cast<long>(n));
    sample->SetTime(nullptr, nullptr);
    return S_OK;
  }

 private:
  std::vector<BYTE> m_stream;
  size_t m_at = 0;
};

class CSimTuner::CSignalNode : public CUnknown, public DefaultIBDA_SignalStatistics {
 public:
  CSignalNode() : CUnknown(TEXT("BDA sim control node"), nullptr) {}
  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IBDA_SignalStatistics) && FAILED(SimFailure("node QI IBDA_SignalStatistics"))) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    if (IsEqualIID(riid, IID_IBDA_SignalStatistics))
      return GetInterface(static_cast<IBDA_SignalStatistics*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE get_SignalStrength(LONG* value) override { return Answer(value, kStrength); }
  HRESULT STDMETHODCALLTYPE get_SignalQuality(LONG* value) override { return Answer(value, kQuality); }
  HRESULT STDMETHODCALLTYPE get_SignalPresent(BOOLEAN* value) override { return Answer<BOOLEAN>(value, TRUE); }
  HRESULT STDMETHODCALLTYPE get_SignalLocked(BOOLEAN* value) override { return Answer<BOOLEAN>(value, TRUE); }

 private:
  template <class T>
  static HRESULT Answer(T* out, T value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
  }
};

namespace {
CUnknown* Make(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, REFGUID type) {
  CUnknown* made = new (std::nothrow) CSimTuner(pUnk, phr, clsid, type);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}
}  // namespace

CUnknown* WINAPI CSimTuner::CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, CLSID_BdaSimTunerS, DVB_SATELLITE_TV_NETWORK_TYPE);
}
CUnknown* WINAPI CSimTuner::CreateTerrestrial(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, CLSID_BdaSimTunerT, DVB_TERRESTRIAL_TV_NETWORK_TYPE);
}
CUnknown* WINAPI CSimTuner::CreateCable(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, CLSID_BdaSimTunerC, DVB_CABLE_TV_NETWORK_TYPE);
}

CSimTuner::CSimTuner(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, REFGUID networkType)
    : CSource(TEXT("BDA sim tuner"), pUnk, clsid, phr) {
  m_pInput = new CAntennaInput(this, pStateLock(), phr, networkType);
  new CTsOutput(this, phr);  // registers itself with the filter, which deletes it
}

CSimTuner::~CSimTuner() { delete m_pInput; }

STDMETHODIMP CSimTuner::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IBDA_Topology)) {
    if (FAILED(SimFailure("tuner QI IBDA_Topology"))) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    return GetInterface(static_cast<IBDA_Topology*>(this), ppv);
  }
  return CSource::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CSimTuner::GetPin(int n) { return n == 0 ? m_pInput : CSource::GetPin(n - 1); }

STDMETHODIMP CSimTuner::Stop() {
  const HRESULT hr = CSource::Stop();
  const HRESULT injected = SimFailure("tuner Stop");
  return FAILED(injected) ? injected : hr;
}

HRESULT CSimTuner::GetControlNode(ULONG, ULONG, ULONG, IUnknown** node) {
  if (!node) return E_POINTER;
  const HRESULT hr = SimFailure("tuner GetControlNode");
  if (FAILED(hr)) return hr;
  CSignalNode* made = new (std::nothrow) CSignalNode();
  if (!made) return E_OUTOFMEMORY;
  return made->NonDelegatingQueryInterface(IID_IUnknown, reinterpret_cast<void**>(node));
}
