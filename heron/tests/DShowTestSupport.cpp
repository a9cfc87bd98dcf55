#include "DShowTestSupport.h"

#include "../include/ISourceFeed.h"

#include <TestSinkLog.h>
#include <gtest/gtest.h>

namespace {

// COM for every test program that uses these helpers.
class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

const auto* const g_comEnvironment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

std::string WinPath(const std::string& unixPath) {
  std::string s = "Z:" + unixPath;
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

std::string HeronPath() { return WinPath(HERON_AX_PATH); }
std::string TestSinkPath() { return WinPath(TESTSINK_AX_PATH); }

int Regsvr32(const std::string& dllPath, bool unregister) {
  std::string cmd = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + dllPath + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

HRESULT CreateFromLibrary(const std::string& dllPath, REFCLSID clsid, IUnknown* pOuter, REFIID iid, void** ppv) {
  HMODULE h = LoadLibraryA(dllPath.c_str());
  if (!h) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto fn = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(h, "DllGetClassObject")));
  if (!fn) return E_NOINTERFACE;
  ComPtr<IClassFactory> factory;
  RETURN_IF_FAILED(fn(clsid, IID_IClassFactory, factory.PutVoid()));
  return factory->CreateInstance(pOuter, iid, ppv);
}

ComPtr<IBaseFilter> CreateHeron() {
  ComPtr<IBaseFilter> f;
  EXPECT_EQ(S_OK, CreateFromLibrary(HeronPath(), CLSID_ExSourceFilter, nullptr, IID_IBaseFilter, f.PutVoid()));
  return f;
}

ComPtr<IBaseFilter> CreateSink() {
  static const int registered = Regsvr32(TestSinkPath(), false);
  EXPECT_EQ(0, registered);
  ComPtr<IBaseFilter> f;
  EXPECT_EQ(S_OK, CoCreateInstance(CLSID_TestSink, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, f.PutVoid()));
  return f;
}

ComPtr<IPin> FindPin(IBaseFilter* pFilter, LPCWSTR name) {
  ComPtr<IPin> pin;
  pFilter->FindPin(name, pin.Put());
  return pin;
}

bool FirstMediaType(IPin* pPin, CMediaType* pmt) {
  ComPtr<IEnumMediaTypes> e;
  if (FAILED(pPin->EnumMediaTypes(e.Put()))) return false;
  AM_MEDIA_TYPE* p = nullptr;
  ULONG n = 0;
  if (e->Next(1, &p, &n) != S_OK || n != 1) return false;
  pmt->Set(*p);
  DeleteMediaType(p);
  return true;
}

CTestGraph::CTestGraph() {
  EXPECT_EQ(S_OK,
            CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, m_graph.PutVoid()));
  if (!m_graph) return;
  m_graph.As(&m_control, IID_IMediaControl);
  m_graph.As(&m_events, IID_IMediaEventEx);
  // No reference clock: the sink records each sample as it arrives.
  ComPtr<IMediaFilter> mf;
  m_graph.As(&mf, IID_IMediaFilter);
  if (mf) mf->SetSyncSource(nullptr);
}

CTestGraph::~CTestGraph() {
  if (m_control) m_control->Stop();
}

HRESULT CTestGraph::Add(IBaseFilter* pFilter, LPCWSTR name) { return m_graph->AddFilter(pFilter, name); }

HRESULT CTestGraph::ConnectDirect(IPin* pOut, IPin* pIn, const AM_MEDIA_TYPE* pmt) {
  return m_graph->ConnectDirect(pOut, pIn, pmt);
}

HRESULT CTestGraph::Run() {
  // A graph made of filters only (no clock set by the graph builder yet).
  ComPtr<IMediaFilter> mf;
  m_graph.As(&mf, IID_IMediaFilter);
  if (mf) mf->SetSyncSource(nullptr);
  return m_control->Run();
}

HRESULT CTestGraph::Stop() { return m_control->Stop(); }

bool CTestGraph::WaitForEvent(long code, DWORD timeoutMs, LONG_PTR* pParam1) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    long ev = 0;
    LONG_PTR p1 = 0, p2 = 0;
    // E_ABORT: nothing queued yet (Wine may also say so at once after
    // the queue ran empty), so ask again until the deadline.
    HRESULT hr = m_events->GetEvent(&ev, &p1, &p2, timeoutMs - elapsed < 100 ? timeoutMs - elapsed : 100);
    if (hr == E_ABORT) continue;
    if (hr != S_OK) return false;
    m_events->FreeEventParams(ev, p1, p2);
    if (ev == code) {
      if (pParam1) *pParam1 = p1;
      return true;
    }
  }
}
