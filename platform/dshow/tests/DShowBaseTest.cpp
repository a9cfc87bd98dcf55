// The base classes in a real filter graph: a counting source, a pass-through
// transform and a recording renderer, all built on them; plus media types, the
// command thread's bounded calls, the COM pointer holder and the HRESULT check.
#include <Streams.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { CoUninitialize(); }
};
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

// {7C0B6A4E-3F55-4A0B-9B8E-2A1C5B7D9E01}: a private subtype for the test stream.
const GUID kTestSubtype = {0x7C0B6A4E, 0x3F55, 0x4A0B, {0x9B, 0x8E, 0x2A, 0x1C, 0x5B, 0x7D, 0x9E, 0x01}};

CMediaType TestType() {
  CMediaType mt(&MEDIATYPE_Stream);
  mt.SetSubtype(&kTestSubtype);
  mt.SetFormatType(&GUID_NULL);
  return mt;
}

// Delivers kSamples samples: byte i of sample n is n + i, time n * 1000;
// then ends the stream.
class CCountStream : public CSourceStream {
 public:
  static constexpr int kSamples = 20;
  CCountStream(HRESULT* phr, CSource* pFilter) : CSourceStream(TEXT("count"), phr, pFilter, L"Out") {}

  HRESULT GetMediaType(CMediaType* pmt) override {
    *pmt = TestType();
    return S_OK;
  }
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override {
    ALLOCATOR_PROPERTIES req = *pRequest, actual;
    req.cBuffers = 2;
    req.cbBuffer = 64;
    return pAlloc->SetProperties(&req, &actual);
  }
  HRESULT FillBuffer(IMediaSample* pSample) override {
    if (m_n == kSamples) return S_FALSE;
    BYTE* p;
    pSample->GetPointer(&p);
    for (int i = 0; i < 8; i++) p[i] = static_cast<BYTE>(m_n + i);
    pSample->SetActualDataLength(8);
    REFERENCE_TIME t0 = m_n * 1000, t1 = t0 + 1000;
    pSample->SetTime(&t0, &t1);
    m_n++;
    return S_OK;
  }

 private:
  int m_n = 0;
};

class CCountSource : public CSource {
 public:
  explicit CCountSource(HRESULT* phr) : CSource(TEXT("count source"), nullptr, GUID_NULL, phr) {
    new CCountStream(phr, this);  // owned by the filter through its pin array
  }
};

// Copies each input sample and inverts its bytes.
class CInvert : public CTransformFilter {
 public:
  explicit CInvert(HRESULT* phr) : CTransformFilter(TEXT("invert"), nullptr, GUID_NULL, phr) {}
  HRESULT CheckInputType(const CMediaType* mt) override {
    return IsEqualGUID(*mt->Subtype(), kTestSubtype) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
  }
  HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override {
    return IsEqualGUID(*out->Subtype(), kTestSubtype) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
  }
  HRESULT GetMediaType(int i, CMediaType* pmt) override {
    if (i < 0) return E_INVALIDARG;
    if (i > 0) return VFW_S_NO_MORE_ITEMS;
    *pmt = TestType();
    return S_OK;
  }
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override {
    ALLOCATOR_PROPERTIES req = *pRequest, actual;
    req.cBuffers = 1;
    req.cbBuffer = 64;
    return pAlloc->SetProperties(&req, &actual);
  }
  HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override {
    BYTE *src, *dst;
    pIn->GetPointer(&src);
    pOut->GetPointer(&dst);
    long n = pIn->GetActualDataLength();
    for (long i = 0; i < n; i++) dst[i] = static_cast<BYTE>(~src[i]);
    pOut->SetActualDataLength(n);
    return S_OK;
  }
};

class CRecorder : public CBaseRenderer {
 public:
  explicit CRecorder(HRESULT* phr) : CBaseRenderer(GUID_NULL, TEXT("recorder"), nullptr, phr) {}
  HRESULT CheckMediaType(const CMediaType* mt) override {
    return IsEqualGUID(*mt->Subtype(), kTestSubtype) ? S_OK : S_FALSE;
  }
  HRESULT DoRenderSample(IMediaSample* p) override {
    BYTE* data;
    p->GetPointer(&data);
    REFERENCE_TIME t0 = -1, t1 = -1;
    p->GetTime(&t0, &t1);
    CAutoLock lock(&m_lock);
    m_bytes.push_back(std::vector<BYTE>(data, data + p->GetActualDataLength()));
    m_times.push_back(t0);
    return S_OK;
  }
  HRESULT EndOfStream() override {
    m_eos.Set();
    return CBaseRenderer::EndOfStream();
  }
  CCritSec m_lock;
  std::vector<std::vector<BYTE>> m_bytes;
  std::vector<REFERENCE_TIME> m_times;
  CAMEvent m_eos{TRUE};
};

// A new filter, held by its one reference.
template <class T>
ComPtr<T> Make() {
  HRESULT hr = S_OK;
  ComPtr<T> p;
  p.Attach(new T(&hr));
  EXPECT_EQ(S_OK, hr);
  p->NonDelegatingAddRef();
  return p;
}

ComPtr<IPin> PinOf(IBaseFilter* f, int n) {
  ComPtr<IEnumPins> e;
  f->EnumPins(e.Put());
  ComPtr<IPin> p;
  e->Skip(n);
  e->Next(1, p.Put(), nullptr);
  return p;
}

}  // namespace

TEST(DShowBase, MediaTypeOwnsAndComparesItsFormat) {
  CMediaType a(&MEDIATYPE_Video);
  a.SetSubtype(&kTestSubtype);
  a.SetFormatType(&FORMAT_VideoInfo);
  const BYTE fmt[] = {1, 2, 3, 4};
  ASSERT_TRUE(a.SetFormat(fmt, sizeof(fmt)));
  CMediaType b(a);
  EXPECT_NE(a.Format(), b.Format());
  EXPECT_TRUE(a == b);
  b.Format()[0] = 9;
  EXPECT_TRUE(a != b);

  CMediaType partial(&MEDIATYPE_Video);
  EXPECT_TRUE(partial.IsPartiallySpecified());
  EXPECT_TRUE(a.MatchesPartial(&partial));
  partial.SetSubtype(&MEDIASUBTYPE_MPEG2_VIDEO);
  EXPECT_FALSE(a.MatchesPartial(&partial));

  AM_MEDIA_TYPE* copy = CreateMediaType(&a);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(0, memcmp(fmt, copy->pbFormat, sizeof(fmt)));
  DeleteMediaType(copy);
  a.ResetFormatBuffer();
  EXPECT_EQ(0u, a.FormatLength());
  EXPECT_EQ(nullptr, a.Format());
}

TEST(DShowBase, SourceTransformRendererGraph) {
  ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(S_OK,
            CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid()));
  ComPtr<CCountSource> source = Make<CCountSource>();
  ComPtr<CInvert> invert = Make<CInvert>();
  ComPtr<CRecorder> recorder = Make<CRecorder>();
  ASSERT_EQ(S_OK, graph->AddFilter(source.Get(), L"source"));
  ASSERT_EQ(S_OK, graph->AddFilter(invert.Get(), L"invert"));
  ASSERT_EQ(S_OK, graph->AddFilter(recorder.Get(), L"recorder"));

  ComPtr<IPin> srcOut = PinOf(source.Get(), 0);
  ComPtr<IPin> xIn = PinOf(invert.Get(), 0);
  ComPtr<IPin> xOut = PinOf(invert.Get(), 1);
  ComPtr<IPin> recIn = PinOf(recorder.Get(), 0);
  // The transform offers nothing until its input is connected.
  EXPECT_NE(S_OK, graph->ConnectDirect(xOut.Get(), recIn.Get(), nullptr));
  ASSERT_EQ(S_OK, graph->ConnectDirect(srcOut.Get(), xIn.Get(), nullptr));
  ASSERT_EQ(S_OK, graph->ConnectDirect(xOut.Get(), recIn.Get(), nullptr));
  ComPtr<IPin> peer;
  ASSERT_EQ(S_OK, recIn->ConnectedTo(peer.Put()));
  EXPECT_EQ(xOut.Get(), peer.Get());

  ComPtr<IMediaFilter> mf;
  ASSERT_EQ(S_OK, graph.As(&mf, IID_IMediaFilter));
  mf->SetSyncSource(nullptr);
  ComPtr<IMediaControl> control;
  ASSERT_EQ(S_OK, graph.As(&control, IID_IMediaControl));
  ASSERT_TRUE(SUCCEEDED(control->Run()));
  ASSERT_TRUE(recorder->m_eos.Wait(10000));
  {
    CAutoLock lock(&recorder->m_lock);
    ASSERT_EQ(static_cast<size_t>(CCountStream::kSamples), recorder->m_bytes.size());
    for (int n = 0; n < CCountStream::kSamples; n++) {
      ASSERT_EQ(8u, recorder->m_bytes[n].size());
      EXPECT_EQ(static_cast<BYTE>(~(n + 3)), recorder->m_bytes[n][3]);
      EXPECT_EQ(n * 1000, recorder->m_times[n]);
    }
  }
  // The end of stream reached the graph as completion.
  ComPtr<IMediaEvent> events;
  ASSERT_EQ(S_OK, graph.As(&events, IID_IMediaEvent));
  long code = 0;
  EXPECT_EQ(S_OK, events->WaitForCompletion(5000, &code));
  EXPECT_EQ(EC_COMPLETE, code);
  ASSERT_EQ(S_OK, control->Stop());
  // Connections break while stopped.
  EXPECT_EQ(S_OK, graph->Disconnect(recIn.Get()));
  EXPECT_EQ(S_OK, graph->Disconnect(xOut.Get()));
  EXPECT_EQ(VFW_E_NOT_CONNECTED, recIn->ConnectedTo(peer.Put()));
  EXPECT_FALSE(peer);
}

namespace {
// Answers every command but one, which it leaves unanswered.
class CStubbornThread : public CAMThread {
 public:
  static constexpr DWORD kIgnored = 7;
  static constexpr DWORD kExit = 8;
  DWORD ThreadProc() override {
    for (;;) {
      DWORD cmd = GetRequest();
      if (cmd == kIgnored) {
        Sleep(INFINITE);  // never answers
      }
      Reply(cmd * 10);
      if (cmd == kExit) return 0;
    }
  }
};
}  // namespace

TEST(DShowBase, CommandThreadCallsAreBounded) {
  CStubbornThread t;
  t.SetReplyTimeout(300);
  ASSERT_TRUE(t.Create());
  EXPECT_EQ(30u, t.CallWorker(3));
  EXPECT_EQ(static_cast<DWORD>(VFW_E_TIMEOUT), t.CallWorker(CStubbornThread::kIgnored));
  // The caller was released; closing a thread that never ends is bounded too.
  t.Close();
  EXPECT_FALSE(t.ThreadExists());
  EXPECT_EQ(static_cast<DWORD>(E_FAIL), t.CallWorker(1));
}

namespace {
// Counts its references; deletes nothing.
struct CCounted : IUnknown {
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
};
}  // namespace

TEST(DShowBase, ComPtrHoldsExactlyOneReference) {
  CCounted a, b;
  {
    ComPtr<IUnknown> p;
    p.Share(&a);
    EXPECT_EQ(2, a.refs);
    p.Share(&a);  // sharing the same object again keeps one reference
    EXPECT_EQ(2, a.refs);
    ComPtr<IUnknown> q(std::move(p));
    EXPECT_FALSE(p);
    EXPECT_EQ(2, a.refs);
    IUnknown* copy = nullptr;
    q.CopyTo(&copy);
    EXPECT_EQ(3, a.refs);
    copy->Release();
    b.AddRef();     // as a call that hands out a reference does,
    *q.Put() = &b;  // into an out parameter: the old reference goes first
    EXPECT_EQ(1, a.refs);
    p = std::move(q);
    EXPECT_EQ(2, b.refs);
    IUnknown* detached = p.Detach();
    EXPECT_EQ(&b, detached);
    p.Attach(detached);
  }
  EXPECT_EQ(1, a.refs);
  EXPECT_EQ(1, b.refs);
}

namespace {
std::vector<std::string> g_logged;
void Record(const char* line) { g_logged.push_back(line); }

HRESULT Twice(HRESULT first, HRESULT second, int* pSteps) {
  RETURN_IF_FAILED(first);
  ++*pSteps;
  RETURN_IF_FAILED(second);
  ++*pSteps;
  return S_OK;
}
}  // namespace

TEST(DShowBase, FailedHresultIsLoggedAndUnwinds) {
  const HrLogSink previous = SetHrLogSink(&Record);
  struct Row {
    HRESULT first, second;
    HRESULT expect;
    int steps;
    size_t lines;
  } rows[] = {
      {S_OK, S_OK, S_OK, 2, 0},
      {S_FALSE, S_OK, S_OK, 2, 0},  // success codes pass
      {E_FAIL, S_OK, E_FAIL, 0, 1},
      {S_OK, VFW_E_NOT_CONNECTED, VFW_E_NOT_CONNECTED, 1, 1},
  };
  for (const Row& row : rows) {
    g_logged.clear();
    int steps = 0;
    EXPECT_EQ(row.expect, Twice(row.first, row.second, &steps));
    EXPECT_EQ(row.steps, steps);
    EXPECT_EQ(row.lines, g_logged.size());
  }
  g_logged.clear();
  const int line = __LINE__ + 1;
  EXPECT_EQ(E_POINTER, CHECK_HR(E_POINTER));
  SetHrLogSink(previous);
  ASSERT_EQ(1u, g_logged.size());
  EXPECT_EQ("DShowBaseTest.cpp(" + std::to_string(line) + "): E_POINTER failed: 0x80004003\n", g_logged[0]);
}
