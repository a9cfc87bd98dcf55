// The base classes in a real filter graph: a counting source, a pass-through
// transform and a recording renderer, all built on them; plus media types and
// the command thread's bounded calls.
#include <Streams.h>

#include <gtest/gtest.h>

#include <cstring>
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

template <class T>
T* Make() {
    HRESULT hr = S_OK;
    T* p = new T(&hr);
    EXPECT_EQ(S_OK, hr);
    p->NonDelegatingAddRef();
    return p;
}

IPin* PinOf(IBaseFilter* f, int n) {
    IEnumPins* e;
    f->EnumPins(&e);
    IPin* p = nullptr;
    e->Skip(n);
    e->Next(1, &p, nullptr);
    e->Release();
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
    IGraphBuilder* graph = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph)));
    CCountSource* source = Make<CCountSource>();
    CInvert* invert = Make<CInvert>();
    CRecorder* recorder = Make<CRecorder>();
    ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));
    ASSERT_EQ(S_OK, graph->AddFilter(invert, L"invert"));
    ASSERT_EQ(S_OK, graph->AddFilter(recorder, L"recorder"));

    IPin* srcOut = PinOf(source, 0);
    IPin* xIn = PinOf(invert, 0);
    IPin* xOut = PinOf(invert, 1);
    IPin* recIn = PinOf(recorder, 0);
    // The transform offers nothing until its input is connected.
    EXPECT_NE(S_OK, graph->ConnectDirect(xOut, recIn, nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(srcOut, xIn, nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(xOut, recIn, nullptr));
    IPin* peer = nullptr;
    ASSERT_EQ(S_OK, recIn->ConnectedTo(&peer));
    EXPECT_EQ(xOut, peer);
    peer->Release();

    IMediaFilter* mf;
    graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&mf));
    mf->SetSyncSource(nullptr);
    mf->Release();
    IMediaControl* control;
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
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
    IMediaEvent* events;
    graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events));
    long code = 0;
    EXPECT_EQ(S_OK, events->WaitForCompletion(5000, &code));
    EXPECT_EQ(EC_COMPLETE, code);
    events->Release();
    ASSERT_EQ(S_OK, control->Stop());
    // Connections break while stopped.
    EXPECT_EQ(S_OK, graph->Disconnect(recIn));
    EXPECT_EQ(S_OK, graph->Disconnect(xOut));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, recIn->ConnectedTo(&peer));

    control->Release();
    for (IPin* p : {srcOut, xIn, xOut, recIn}) p->Release();
    graph->Release();
    source->Release();
    invert->Release();
    recorder->Release();
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
