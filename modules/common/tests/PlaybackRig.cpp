#include "PlaybackRig.h"

#include <uuids.h>

#include <algorithm>
#include <fstream>

#include <DShowTestSupport.h>
#include <TestData.h>

namespace {

const char kStubClass[] = "QuillonPlaybackHostStub";
std::vector<WPARAM> g_commands;  // of every stub; the tests' thread only
int g_closes = 0;

}  // namespace

bool RegisterPlaybackFilters() {
  static const bool ok = Regsvr32(HeronPath(), false) == 0 && Regsvr32(WinPath(TESTDECODERS_AX_PATH), false) == 0;
  return ok;
}

CHostWindowStub::CHostWindowStub(int width, int height) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kStubClass;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassA(&wc);
  RECT r = {0, 0, width, height};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  m_hWnd = CreateWindowA(kStubClass, "Quillon", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                         r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  g_commands.clear();
  g_closes = 0;
}

CHostWindowStub::~CHostWindowStub() {
  if (m_hWnd) DestroyWindow(m_hWnd);
}

std::vector<WPARAM> CHostWindowStub::Commands() const { return g_commands; }

void CHostWindowStub::ClearCommands() { g_commands.clear(); }

int CHostWindowStub::Closes() const { return g_closes; }

LRESULT CALLBACK CHostWindowStub::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    g_commands.push_back(wParam);
    return 0;
  }
  if (msg == WM_CLOSE) {
    g_closes++;
    return 0;
  }
  return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::vector<ProgrammePacket> ReadProgramme() {
  const std::vector<uint8_t> all = ReadFileBytes(WinPath(TestDataPath("av.pes")));
  std::vector<ProgrammePacket> packets;
  size_t at = 0;
  while (at + 6 <= all.size()) {
    const size_t length = 6 + (static_cast<size_t>(all[at + 4]) << 8 | all[at + 5]);
    if (at + length > all.size()) break;
    packets.push_back({std::vector<uint8_t>(all.begin() + at, all.begin() + at + length), all[at + 3] >= 0xE0});
    at += length;
  }
  return packets;
}

std::vector<uint8_t> ReadProgrammeFile(const char* name) { return ReadFileBytes(WinPath(TestDataPath(name))); }

std::vector<int64_t> ReadPtsList(const char* stream) {
  std::ifstream in(WinPath(TestDataPath((std::string(stream) + "-pts.txt").c_str())));
  std::vector<int64_t> list;
  int64_t v;
  while (in >> v) list.push_back(v);
  return list;
}

ComPtr<IBaseFilter> FindFilter(IFilterGraph2* graph, REFCLSID clsid) {
  ComPtr<IEnumFilters> e;
  if (!graph || FAILED(graph->EnumFilters(e.Put()))) return {};
  for (;;) {
    ComPtr<IBaseFilter> f;
    if (e->Next(1, f.Put(), nullptr) != S_OK) return {};
    CLSID id;
    if (SUCCEEDED(f->GetClassID(&id)) && IsEqualCLSID(id, clsid)) return f;
  }
}

ComPtr<ITestSinkLog> StandInLog(IFilterGraph2* graph, REFCLSID clsid) {
  ComPtr<ITestSinkLog> log;
  ComPtr<IBaseFilter> f = FindFilter(graph, clsid);
  if (f) f.As(&log, IID_ITestSinkLog);
  return log;
}

std::vector<uint8_t> JoinedPayloads(ITestSinkLog* log, std::vector<int64_t>* stampedTimes) {
  std::vector<uint8_t> joined;
  LONG count = 0;
  log->GetSampleCount(&count);
  std::vector<BYTE> payload(65536);
  for (LONG i = 0; i < count; i++) {
    TestSinkSample s;
    if (FAILED(log->GetSample(i, &s, payload.data(), static_cast<LONG>(payload.size())))) break;
    joined.insert(joined.end(), payload.begin(), payload.begin() + s.lLength);
    if (s.bHasTime && stampedTimes) stampedTimes->push_back(s.rtStart);
  }
  return joined;
}

bool IsRotationOf(const std::vector<uint8_t>& payloads, const std::vector<uint8_t>& whole) {
  constexpr size_t kProbe = 256;
  if (whole.size() < kProbe || payloads.size() < whole.size()) return false;
  // A steady tone repeats its frames: every offset where the start fits is tried.
  for (auto at = whole.begin();
       (at = std::search(at, whole.end(), payloads.begin(), payloads.begin() + kProbe)) != whole.end(); ++at) {
    const size_t k = static_cast<size_t>(at - whole.begin());
    size_t i = 0;
    while (i < payloads.size() && payloads[i] == whole[(k + i) % whole.size()]) ++i;
    if (i == payloads.size()) return true;
  }
  return false;
}

bool AllPinsConnected(IBaseFilter* filter) {
  ComPtr<IEnumPins> e;
  if (!filter || FAILED(filter->EnumPins(e.Put()))) return false;
  for (;;) {
    ComPtr<IPin> pin;
    if (e->Next(1, pin.Put(), nullptr) != S_OK) return true;
    ComPtr<IPin> peer;
    if (pin->ConnectedTo(peer.Put()) != S_OK) return false;
  }
}
