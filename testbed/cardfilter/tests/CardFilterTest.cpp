// The card filter stand-in as kestrel meets it: registered under the card's
// class identifier with its two output pins and four controls, answering
// from its script, delivering the stream's packets of the asked PIDs on its
// own thread and the AV PIDs' elementary streams on its pins through the
// installed decoders, and failing any call it is told to.
#include <B2C2Interfaces.h>
#include <CardFilterSim.h>
#include <Streams.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <cstdlib>
#include <set>
#include <string>

#include "DShowTestSupport.h"
#include "TestData.h"
#include "PlaybackRig.h"
#include "TestDecoders.h"

namespace {

std::string CardFilterPath() { return WinPath(CARDFILTER_AX_PATH); }

std::string ModulesData(const char* name) { return std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/" + name; }
std::string StreamTs() { return ModulesData("stream.ts"); }

class CardFilterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(0, Regsvr32(CardFilterPath(), false)); }

  // A filter made by class identifier; the script is loaded after the filter
  // (so into the library that COM loaded) and applies to every call after.
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_B2C2MPEG2Filter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                           m_filter.PutVoid())));
    HMODULE library = GetModuleHandleA(CardFilterPath().c_str());
    ASSERT_NE(nullptr, library);
    m_load = reinterpret_cast<CardFilterSimLoadScriptProc>(reinterpret_cast<void*>(GetProcAddress(library, "CardFilterSimLoadScript")));
    m_record = reinterpret_cast<CardFilterSimRecordProc>(reinterpret_cast<void*>(GetProcAddress(library, "CardFilterSimRecord")));
    ASSERT_TRUE(m_load && m_record);
    Script("");
  }

  void Script(const std::string& text) { m_load(text.c_str()); }

  std::string Record() {
    std::string text(m_record(nullptr, 0) + 1, '\0');
    m_record(&text[0], static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
  }

  template <typename T>
  ComPtr<T> Query(REFIID iid) {
    ComPtr<T> p;
    EXPECT_TRUE(SUCCEEDED(m_filter->QueryInterface(iid, p.PutVoid())));
    return p;
  }

  ComPtr<IBaseFilter> m_filter;
  CardFilterSimLoadScriptProc m_load = nullptr;
  CardFilterSimRecordProc m_record = nullptr;
};

TEST_F(CardFilterTest, OffersTheAudioAndVideoOutputPinsAndTheControls) {
  for (LPCWSTR name : {L"Audio", L"Video"}) {
    ComPtr<IPin> pin = FindPin(m_filter.Get(), name);
    ASSERT_TRUE(pin) << "pin " << (name[0] == L'A' ? "Audio" : "Video");
    PIN_DIRECTION direction;
    ASSERT_EQ(S_OK, pin->QueryDirection(&direction));
    EXPECT_EQ(PINDIR_OUTPUT, direction);
  }
  for (const IID* iid : {&IID_IB2C2MPEG2TunerCtrl2, &IID_IB2C2MPEG2DataCtrl4, &IID_IB2C2MPEG2AVCtrl,
                         &IID_IB2C2MPEG2TimeshiftCtrl, &IID_IB2C2MPEG2TimeshiftCtrl2}) {
    ComPtr<IUnknown> control;
    EXPECT_EQ(S_OK, m_filter->QueryInterface(*iid, control.PutVoid()));
  }
}

TEST_F(CardFilterTest, TunerAnswersFromTheDeclaredSignal) {
  struct Case {
    const char* script;
    DWORD type, performance, acquisition;
    long length;
    bool locked;
    long strength, quality;
    float snr;
    long uncorrected, total;
  } cases[] = {
      {"", 0, 0x7B, 0, 56, true, 80, 70, 11.5f, 0, 1000},
      {"tuner 2\ncaps 31 2\nsignal 0 10 20 3.5 0.001 7 900", 2, 0x31, 2, 56, false, 10, 20, 3.5f, 7, 900},
      {"tuner 1\ncaps 0 0 3", 1, 0, 0, 3, true, 80, 70, 11.5f, 0, 1000},
  };
  auto tuner = Query<IB2C2MPEG2TunerCtrl2>(IID_IB2C2MPEG2TunerCtrl2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    Script(c.script);
    B2C2TunerCapabilities caps = {};
    long length = sizeof(caps);
    ASSERT_EQ(S_OK, tuner->GetTunerCapabilities(&caps, &length));
    EXPECT_EQ(c.type, caps.dwTunerType);
    EXPECT_EQ(c.performance, caps.dwPerformanceMonitoring);
    EXPECT_EQ(c.acquisition, caps.dwAcquisitionCapabilities);
    EXPECT_EQ(c.length, length);
    EXPECT_EQ(c.locked, SUCCEEDED(tuner->CheckLock()));
    long strength = 0, quality = 0, uncorrected = 0, total = 0;
    float snr = 0;
    ASSERT_EQ(S_OK, tuner->GetSignalStrength(&strength));
    ASSERT_EQ(S_OK, tuner->GetSignalQuality(&quality));
    ASSERT_EQ(S_OK, tuner->GetSNR(&snr));
    ASSERT_EQ(S_OK, tuner->GetUncorrectedBlocks(&uncorrected));
    ASSERT_EQ(S_OK, tuner->GetTotalBlocks(&total));
    EXPECT_EQ(c.strength, strength);
    EXPECT_EQ(c.quality, quality);
    EXPECT_FLOAT_EQ(c.snr, snr);
    EXPECT_EQ(c.uncorrected, uncorrected);
    EXPECT_EQ(c.total, total);
  }
}

TEST_F(CardFilterTest, RecordsEveryCallWithItsValues) {
  auto tuner = Query<IB2C2MPEG2TunerCtrl2>(IID_IB2C2MPEG2TunerCtrl2);
  auto data = Query<IB2C2MPEG2DataCtrl4>(IID_IB2C2MPEG2DataCtrl4);
  auto av = Query<IB2C2MPEG2AVCtrl>(IID_IB2C2MPEG2AVCtrl);
  EXPECT_EQ(S_OK, tuner->SetFrequency(11778));
  EXPECT_EQ(S_OK, tuner->SetPolarity(1));
  EXPECT_EQ(S_OK, tuner->SetTunerStatus());
  long pids[] = {18, 8191};
  long count = 2;
  EXPECT_EQ(S_OK, data->AddPIDs(&count, pids));
  EXPECT_EQ(2, count);
  EXPECT_EQ(S_OK, av->SetAudioVideoPIDs(257, 256));
  EXPECT_EQ("SetFrequency 11778\nSetPolarity 1\nSetTunerStatus\nAddPIDs 18 8191\nSetAudioVideoPIDs 257 256\n", Record());
  BYTE mac[6] = {};
  ASSERT_EQ(S_OK, data->GetHardwareMacAddress(mac));
  EXPECT_EQ(0x00, mac[0]);
  EXPECT_EQ(0x56, mac[5]);
}

TEST_F(CardFilterTest, FailsAnyCallAsToldAfterItsGoodCallsForItsTimes) {
  auto tuner = Query<IB2C2MPEG2TunerCtrl2>(IID_IB2C2MPEG2TunerCtrl2);
  auto data = Query<IB2C2MPEG2DataCtrl4>(IID_IB2C2MPEG2DataCtrl4);
  auto timeshift = Query<IB2C2MPEG2TimeshiftCtrl>(IID_IB2C2MPEG2TimeshiftCtrl);
  Script("fail SetFrequency 80004005 skip 1 times 2\nfail AddPIDs 8007001F\nfail GetFileSize 80070005\n"
         "fail Run 80004005");
  EXPECT_EQ(S_OK, tuner->SetFrequency(1));
  EXPECT_EQ(E_FAIL, tuner->SetFrequency(2));
  EXPECT_EQ(E_FAIL, tuner->SetFrequency(3));
  EXPECT_EQ(S_OK, tuner->SetFrequency(4));
  long pid = 100, count = 1;
  EXPECT_EQ(static_cast<HRESULT>(0x8007001F), data->AddPIDs(&count, &pid));
  EXPECT_EQ(0, count) << "a refused add takes no PID";
  LONGLONG size = -1;
  EXPECT_EQ(E_ACCESSDENIED, timeshift->GetFileSize(&size));
  EXPECT_EQ(-1, size) << "a failed query leaves its result alone";
  EXPECT_EQ(E_FAIL, m_filter->Run(0));
  EXPECT_EQ(State_Stopped, [&] {
    FILTER_STATE state;
    m_filter->GetState(0, &state);
    return state;
  }());
}

// The packets the data thread hands over, by PID, with the thread they came on.
struct Delivered {
  std::atomic<long> count{0};
  std::atomic<long> badPackets{0};
  std::atomic<DWORD> thread{0};
  std::atomic<long> pidMask{0};  // bit 0: 256, bit 1: 257, bit 2: another PID
  std::atomic<long> width{0}, height{0}, aspect{0};
};
Delivered g_delivered;

UINT WINAPI OnPacket(USHORT pid, BYTE* packet) {
  const USHORT inPacket = static_cast<USHORT>(((packet[1] & 0x1F) << 8) | packet[2]);
  if (packet[0] != 0x47 || inPacket != pid) ++g_delivered.badPackets;
  g_delivered.pidMask |= pid == 256 ? 1 : pid == 257 ? 2 : 4;
  g_delivered.thread = GetCurrentThreadId();
  ++g_delivered.count;
  return 0;
}

UINT WINAPI OnPicture(USHORT width, USHORT height, DWORD aspect) {
  g_delivered.width = width;
  g_delivered.height = height;
  g_delivered.aspect = static_cast<long>(aspect);
  return 0;
}

bool WaitFor(const std::function<bool()>& done, DWORD limitMs = 5000) {
  for (DWORD i = 0; i < limitMs / 10 && !done(); ++i) Sleep(10);
  return done();
}

TEST_F(CardFilterTest, DeliversThePacketsOfTheAskedPidsOnItsOwnThreadUntilTheCallbackIsReset) {
  auto data = Query<IB2C2MPEG2DataCtrl4>(IID_IB2C2MPEG2DataCtrl4);
  auto av = Query<IB2C2MPEG2AVCtrl>(IID_IB2C2MPEG2AVCtrl);
  Script("ts " + StreamTs() + "\npicture 720 576 3");
  g_delivered.count = 0;
  g_delivered.pidMask = 0;
  ASSERT_EQ(S_OK, av->SetVideoCallback(OnPicture));
  ASSERT_EQ(S_OK, data->SetTsCallback(OnPacket));
  EXPECT_TRUE(WaitFor([] { return g_delivered.aspect == 3; }));
  EXPECT_EQ(720, g_delivered.width);
  EXPECT_EQ(576, g_delivered.height);
  EXPECT_EQ(0, g_delivered.count) << "no PID asked for yet";

  long pid = 256, count = 1;
  ASSERT_EQ(S_OK, data->AddPIDs(&count, &pid));
  EXPECT_TRUE(WaitFor([] { return g_delivered.count > 100; }));
  EXPECT_EQ(1, g_delivered.pidMask) << "only the asked PID";
  EXPECT_NE(GetCurrentThreadId(), g_delivered.thread);
  ASSERT_EQ(S_OK, av->SetAudioVideoPIDs(257, 0));
  EXPECT_TRUE(WaitFor([] { return g_delivered.pidMask == 3; })) << "the audio PID too";
  EXPECT_EQ(0, g_delivered.badPackets);

  long packets = 0, bytes = 0;
  ASSERT_EQ(S_OK, data->GetDataReceptionStats(&packets, &bytes));
  EXPECT_GT(packets, 0);
  EXPECT_EQ(packets * 188, bytes);

  ASSERT_EQ(S_OK, data->SetTsCallback(nullptr));
  const long after = g_delivered.count;
  Sleep(100);
  EXPECT_EQ(after, g_delivered.count) << "nothing after the reset returned";
}

TEST_F(CardFilterTest, TimeshiftTakesItsFileWithoutTheFolderAndReportsSizeAndPosition) {
  auto timeshift = Query<IB2C2MPEG2TimeshiftCtrl>(IID_IB2C2MPEG2TimeshiftCtrl);
  Script("timeshift 3500000 700000");
  ASSERT_EQ(S_OK, timeshift->SetFilename(L"Q:\\no such folder\\Timeshift.ts"));
  wchar_t name[MAX_PATH] = {};
  ASSERT_EQ(S_OK, timeshift->GetFilename(name, MAX_PATH));
  EXPECT_STREQ(L"Q:\\no such folder\\Timeshift.ts", name);
  EXPECT_EQ(E_INVALIDARG, timeshift->GetFilename(name, 5)) << "a short buffer";
  LONGLONG size = 0, position = 0;
  ASSERT_EQ(S_OK, timeshift->GetFileSize(&size));
  ASSERT_EQ(S_OK, timeshift->GetFilePosition(&position));
  EXPECT_EQ(3500000, size);
  EXPECT_EQ(700000, position);
  ASSERT_EQ(S_OK, timeshift->SetFilePosition(1000000));
  ASSERT_EQ(S_OK, timeshift->GetFilePosition(&position));
  EXPECT_EQ(1000000, position);
  EXPECT_EQ(S_OK, timeshift->SetOption(1, 0));
  EXPECT_NE(std::string::npos, Record().find("SetFilename Q:\\no such folder\\Timeshift.ts\n"));
}

}  // namespace

namespace {

// The name of the filter downstream of a rendered pin.
std::wstring DownstreamFilterName(IPin* pin) {
  ComPtr<IPin> peer;
  if (FAILED(pin->ConnectedTo(peer.Put()))) return L"";
  PIN_INFO info = {};
  if (FAILED(peer->QueryPinInfo(&info))) return L"";
  FILTER_INFO filter = {};
  if (info.pFilter) {
    info.pFilter->QueryFilterInfo(&filter);
    if (filter.pGraph) filter.pGraph->Release();
    info.pFilter->Release();
  }
  return filter.achName;
}

TEST_F(CardFilterTest, OutputPinsPlayTheElementaryStreamsOfTheAVPidsThroughTheInstalledDecoders) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Script("ts " + StreamTs());
  auto av = Query<IB2C2MPEG2AVCtrl>(IID_IB2C2MPEG2AVCtrl);
  ASSERT_EQ(S_OK, av->SetAudioVideoPIDs(257, 256));
  ComPtr<IFilterGraph2> graph;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2, graph.PutVoid()));
  ASSERT_EQ(S_OK, graph->AddFilter(m_filter.Get(), L"Skystar2 Source Filter"));
  for (LPCWSTR name : {L"Audio", L"Video"}) {
    ComPtr<IPin> pin = FindPin(m_filter.Get(), name);
    ASSERT_TRUE(pin);
    EXPECT_TRUE(SUCCEEDED(graph->Render(pin.Get())));
    EXPECT_NE(std::wstring::npos, DownstreamFilterName(pin.Get()).find(L"Quillon Test")) << "pin " << (name[0] == L'A');
  }
  ComPtr<ITestSinkLog> video = StandInLog(graph.Get(), CLSID_TestVideoDecoderA);
  if (!video) video = StandInLog(graph.Get(), CLSID_TestVideoDecoderB);
  ComPtr<ITestSinkLog> audio = StandInLog(graph.Get(), CLSID_TestMpegAudioDecoder);
  ASSERT_TRUE(video && audio);
  LONG count = -1;
  ComPtr<IMediaControl> control;
  ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaControl, control.PutVoid()));
  // Paused, a live source delivers nothing and says it cannot cue.
  EXPECT_TRUE(SUCCEEDED(control->Pause()));
  FILTER_STATE state = State_Stopped;
  EXPECT_EQ(VFW_S_CANT_CUE, m_filter->GetState(0, &state));
  EXPECT_EQ(State_Paused, state);
  Sleep(300);
  ASSERT_EQ(S_OK, video->GetSampleCount(&count));
  EXPECT_EQ(0, count);
  EXPECT_TRUE(SUCCEEDED(control->Run()));

  // Each pin delivers its PID's stream from the first PES start on, one PES
  // payload a sample, over and over.
  const std::vector<uint8_t> m2v = ReadFileBytes(ModulesData("video.m2v")), mp2 = ReadFileBytes(ModulesData("audio.mp2"));
  ASSERT_FALSE(m2v.empty() || mp2.empty());
  EXPECT_TRUE(WaitFor([&] {
    return JoinedPayloads(video.Get(), nullptr).size() > m2v.size() &&
           JoinedPayloads(audio.Get(), nullptr).size() > mp2.size();
  }, 30000));
  const std::vector<uint8_t> videoPayloads = JoinedPayloads(video.Get(), nullptr);
  EXPECT_TRUE(IsRotationOf(videoPayloads, m2v));
  EXPECT_EQ(std::vector<uint8_t>(m2v.begin(), m2v.begin() + 4), std::vector<uint8_t>(videoPayloads.begin(), videoPayloads.begin() + 4))
      << "the first sample starts the stream";
  EXPECT_TRUE(IsRotationOf(JoinedPayloads(audio.Get(), nullptr), mp2));
  TestSinkSample first = {};
  ASSERT_EQ(S_OK, video->GetSample(0, &first, nullptr, 0));
  EXPECT_FALSE(first.bHasTime) << "shown as it comes";

  // Stopped, the pins deliver nothing more.
  EXPECT_TRUE(SUCCEEDED(control->Stop()));
  ASSERT_EQ(S_OK, video->GetSampleCount(&count));
  Sleep(200);
  LONG after = -1;
  ASSERT_EQ(S_OK, video->GetSampleCount(&after));
  EXPECT_EQ(count, after);
  graph->RemoveFilter(m_filter.Get());
}

}  // namespace
