// Helpers for the tests that run heron in real filter graphs under Windows
// (Wine): loading the filters, and a graph with its events. COM pointers are
// held by platform/dshow's ComPtr.
#pragma once

#include <Streams.h>

#include <string>
#include <vector>

// The Windows form (Z:\...) of a path of the build machine.
std::string WinPath(const std::string& unixPath);
std::string HeronPath();
std::string TestSinkPath();

// Runs regsvr32 (/u to unregister) on a library; its exit code, or -1.
int Regsvr32(const std::string& dllPath, bool unregister);

// Creates a class from a library through its DllGetClassObject, without the
// registry (the library stays loaded).
HRESULT CreateFromLibrary(const std::string& dllPath, REFCLSID clsid, IUnknown* pOuter, REFIID iid, void** ppv);

// A new heron filter, and the test sink (registered on first use).
ComPtr<IBaseFilter> CreateHeron();
ComPtr<IBaseFilter> CreateSink();

ComPtr<IPin> FindPin(IBaseFilter* pFilter, LPCWSTR name);
// The pin's one offered media type (position 0).
bool FirstMediaType(IPin* pPin, CMediaType* pmt);

// A filter graph without a reference clock (the sink renders at once), with
// heron and a test sink on each of its pins.
class CTestGraph {
 public:
  CTestGraph();
  ~CTestGraph();

  IGraphBuilder* Graph() { return m_graph.Get(); }
  HRESULT Add(IBaseFilter* pFilter, LPCWSTR name);
  HRESULT ConnectDirect(IPin* pOut, IPin* pIn, const AM_MEDIA_TYPE* pmt = nullptr);
  HRESULT Run();
  HRESULT Stop();
  // Waits (bounded) for an event with this code; its first parameter.
  bool WaitForEvent(long code, DWORD timeoutMs, LONG_PTR* pParam1 = nullptr);

 private:
  ComPtr<IGraphBuilder> m_graph;
  ComPtr<IMediaControl> m_control;
  ComPtr<IMediaEventEx> m_events;
};
