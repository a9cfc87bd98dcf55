#include "SourceFilter.h"

#include <cstring>
#include <string>

#include "CardScript.h"

namespace {

CCardScript& Card() { return CCardScript::Instance(); }

// The CAM data object as the card fills and reads it (little-endian).
constexpr size_t kCamDataSize = 1680;
constexpr size_t kTitle = 0, kSubtitle = 256, kBottom = 512, kChoices = 768, kChoiceSize = 42, kChoiceRoom = 9;
constexpr size_t kCount = 1148, kBlind = 1156, kLength = 1160, kPrompt = 1164, kSelector = 1420, kAnswer = 1424;
constexpr size_t kText = 256;

void PutText(BYTE* object, size_t offset, size_t room, const std::string& text) {
  const size_t n = std::min(text.size(), room - 1);
  std::memset(object + offset, 0, room);
  std::memcpy(object + offset, text.data(), n);
}

void PutInt(BYTE* object, size_t offset, int value) {
  for (int i = 0; i < 4; ++i) object[offset + i] = static_cast<BYTE>(static_cast<unsigned>(value) >> (8 * i));
}

int GetInt(const BYTE* object, size_t offset) {
  return static_cast<int>(object[offset] | object[offset + 1] << 8 | object[offset + 2] << 16 |
                          static_cast<unsigned>(object[offset + 3]) << 24);
}

std::string GetText(const BYTE* object, size_t offset) {
  const char* text = reinterpret_cast<const char*>(object + offset);
  const void* end = std::memchr(text, 0, kText);
  return std::string(text, end ? static_cast<const char*>(end) - text : kText);
}

void FillScreen(BYTE* object, const CamScreen& screen) {
  std::memset(object, 0, kCamDataSize);
  auto text = [&](size_t i) { return i < screen.texts.size() ? screen.texts[i] : std::string(); };
  if (screen.type == 3) {
    PutInt(object, kBlind, screen.blind);
    PutInt(object, kLength, screen.length);
    PutText(object, kPrompt, kText, text(0));
    return;
  }
  PutText(object, kTitle, kText, text(0));
  PutText(object, kSubtitle, kText, text(1));
  PutText(object, kBottom, kText, text(2));
  const size_t given = screen.texts.size() > 3 ? screen.texts.size() - 3 : 0;
  for (size_t i = 0; i < given && i < kChoiceRoom; ++i) PutText(object, kChoices + i * kChoiceSize, kChoiceSize, text(3 + i));
  PutInt(object, kCount, screen.count >= 0 ? screen.count : static_cast<int>(given));
}

}  // namespace

CUnknown* WINAPI CSourceFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CSourceFilter>(pUnk, phr);
}

CSourceFilter::CSourceFilter(LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseFilter(TEXT("Card source"), pUnk, &m_filterLock, CLSID_TwinhanSource, phr),
      m_feed([this](const BYTE* payload, size_t length) { m_pin->Gather(payload, length); }) {
  Card().LoadOnce();
  m_pin = std::make_unique<CStreamPin>(this, &m_filterLock, phr);
}

CSourceFilter::~CSourceFilter() { m_feed.Stop(); }

STDMETHODIMP CSourceFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ITwinhanTunerCtrl)) return GetInterface(static_cast<ITwinhanTunerCtrl*>(this), ppv);
  if (IsEqualIID(riid, IID_ITwinhanDiSEqC)) return GetInterface(static_cast<ITwinhanDiSEqC*>(this), ppv);
  if (IsEqualIID(riid, IID_ITwinhanCardInfo)) return GetInterface(static_cast<ITwinhanCardInfo*>(this), ppv);
  if (IsEqualIID(riid, IID_ITwinhanCI)) return GetInterface(static_cast<ITwinhanCI*>(this), ppv);
  if (IsEqualIID(riid, IID_ITwinhanFourth)) return GetInterface(&m_fourth, ppv);
  if (IsEqualIID(riid, IID_ITwinhanFifth)) return GetInterface(&m_fifth, ppv);
  return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSourceFilter::Start(int mode, int r1, int r2) { return Card().Call("Start", "%d %d %d", mode, r1, r2); }

STDMETHODIMP CSourceFilter::Tune(int a, int b, int c, int d, int e) {
  return Card().Call("Tune", "%d %d %d %d %d", a, b, c, d, e);
}

STDMETHODIMP CSourceFilter::SetService(int reserved, int videoPid, int audioPid, int scrambled, int pmtPid,
                                       int serviceId, int reserved2, int reserved3) {
  const HRESULT hr = Card().Call("SetService", "%d %d %d %d %d %d %d %d", reserved, videoPid, audioPid, scrambled,
                                 pmtPid, serviceId, reserved2, reserved3);
  if (SUCCEEDED(hr)) m_feed.SetVideoPid(videoPid);
  return hr;
}

STDMETHODIMP CSourceFilter::GetSignal(BYTE* locked, int* signal, int* quality) {
  if (!locked || !signal || !quality) return E_POINTER;
  const HRESULT hr = Card().Call("GetSignal");
  if (FAILED(hr)) return hr;
  const CardSettings s = Card().Settings();
  *locked = static_cast<BYTE>(s.locked);
  *signal = s.signal;
  *quality = s.quality;
  return S_OK;
}

STDMETHODIMP CSourceFilter::AddPid(TwinhanTsCallback callback, int pid) {
  if (!callback) return E_POINTER;
  const HRESULT hr = Card().Call("AddPid", "%d", pid);
  if (SUCCEEDED(hr)) m_feed.Add(callback, pid);
  return hr;
}

STDMETHODIMP CSourceFilter::RemovePid(TwinhanTsCallback callback, int pid) {
  const HRESULT hr = Card().Call("RemovePid", "%d", pid);
  if (FAILED(hr)) return hr;
  return m_feed.Remove(callback, pid) ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CSourceFilter::SendBytes(int b0, int b1, int b2, int b3) {
  return Card().Call("SendBytes", "%02X %02X %02X %02X", b0, b1, b2, b3);
}

STDMETHODIMP CSourceFilter::Switch(int value) { return Card().Call("Switch", "%d", value); }

STDMETHODIMP CSourceFilter::GetCardCount(int* count) {
  if (!count) return E_POINTER;
  const HRESULT hr = Card().Call("GetCardCount");
  if (SUCCEEDED(hr)) *count = Card().Settings().cards;
  return hr;
}

STDMETHODIMP CSourceFilter::GetCardType(int card, int* type) {
  if (!type) return E_POINTER;
  const HRESULT hr = Card().Call("GetCardType", "%d", card);
  if (SUCCEEDED(hr)) *type = Card().Settings().type;
  return hr;
}

STDMETHODIMP CSourceFilter::SelectCard(int card) { return Card().Call("SelectCard", "%d", card); }

STDMETHODIMP CSourceFilter::GetCIState(int* present, int* state) {
  if (!present || !state) return E_POINTER;
  const HRESULT hr = Card().Call("GetCIState");
  if (FAILED(hr)) return hr;
  CamScreen screen;
  *present = Card().Settings().cam ? 1 : 0;
  *state = *present && Card().CurrentScreen(&screen) ? 3 : 1;
  return S_OK;
}

STDMETHODIMP CSourceFilter::GetCAMInfo(BYTE* info) {
  if (!info) return E_POINTER;
  const HRESULT hr = Card().Call("GetCAMInfo");
  if (FAILED(hr)) return hr;
  std::memset(info, 0, kCamInfoSize);
  const std::string name = Card().Settings().camName;
  std::memcpy(info + kCamInfoNameOffset, name.data(), std::min(name.size(), kCamInfoSize - kCamInfoNameOffset - 1));
  return S_OK;
}

STDMETHODIMP CSourceFilter::EnterCAMMenu() { return Card().Call("EnterCAMMenu"); }

STDMETHODIMP CSourceFilter::GetMMI(BYTE* object, int* type) {
  if (!object || !type) return E_POINTER;
  const HRESULT hr = Card().Call("GetMMI");
  if (FAILED(hr)) return hr;
  CamScreen screen;
  if (!Card().CurrentScreen(&screen)) {
    *type = 0;
    return S_OK;
  }
  FillScreen(object, screen);
  *type = screen.type;
  return S_OK;
}

STDMETHODIMP CSourceFilter::SendMMIAnswer(BYTE* object, int type) {
  if (!object) return E_POINTER;
  const HRESULT hr = Card().Call("SendMMIAnswer", "%d %d %d '%s'", type, GetInt(object, kSelector),
                                 GetInt(object, kLength), GetText(object, kAnswer).c_str());
  if (SUCCEEDED(hr)) Card().NextScreen();
  return hr;
}

STDMETHODIMP CSourceFilter::CloseMMI() {
  const HRESULT hr = Card().Call("CloseMMI");
  if (SUCCEEDED(hr)) Card().ClearScreens();
  return hr;
}
