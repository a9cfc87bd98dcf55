// condor.dll driven by the stand-in host in its call order, against the card
// source stand-in (thsource.ax) and the decoder stand-ins under the two
// class identifiers condor builds with: the card count before and during a
// session, the card types, tuning, playing in the host's window, the
// picture format read from the stream, filters, the time-shift arithmetic,
// and every injected card failure.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <DShowTestSupport.h>
#include <DvbChannels.h>
#include <ThSourceSim.h>
#include <TwinhanInterfaces.h>

#include "HostLog.h"
#include "HostProcess.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"
#include "ModuleResources.h"

namespace {

const char kCondor[] = CONDOR_PATH;

std::string StreamTs() { return std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/stream.ts"; }

// A transport stream of one packet on PID 0x100 holding a sequence header
// of 720 x 576 with the aspect code given, written for the card to receive.
std::string SequenceHeaderTs(int aspectCode) {
  std::vector<char> packet(188, '\xFF');
  const unsigned char head[] = {0x47, 0x41, 0x00, 0x10, 0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02, 0x40,
                                static_cast<unsigned char>(aspectCode << 4 | 3)};
  std::copy(std::begin(head), std::end(head), packet.begin());
  const std::string path = std::string(std::getenv("QUILLON_TEST_DATA")) + "/condor_aspect" +
                           std::to_string(aspectCode) + ".ts";
  std::ofstream(path, std::ios::binary).write(packet.data(), static_cast<std::streamsize>(packet.size()));
  return path;
}

class CondorTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(0, Regsvr32(WinPath(THSOURCE_AX_PATH), false));
    ASSERT_EQ(0, Regsvr32(WinPath(FIXEDDECODERS_AX_PATH), false));
  }

  CondorTest() : m_watcher(m_log) {
    m_watcher.Start();
    SetEnvironmentVariableA(FIXED_DECODER_ABSENT_VARIABLE, nullptr);
  }
  ~CondorTest() override {
    host.Unload();
    m_watcher.Stop();
    SetEnvironmentVariableA(FIXED_DECODER_ABSENT_VARIABLE, nullptr);
  }

  // The card's script goes into the stand-in that COM loads (the same file).
  void Script(const std::string& script) {
    HMODULE card = LoadLibraryA(WinPath(THSOURCE_AX_PATH).c_str());
    ASSERT_TRUE(card);
    m_record = reinterpret_cast<ThSourceSimRecordProc>(GetProcAddress(card, "ThSourceSimRecord"));
    auto load = reinterpret_cast<ThSourceSimLoadScriptProc>(GetProcAddress(card, "ThSourceSimLoadScript"));
    ASSERT_TRUE(m_record && load);
    load(script.c_str());
  }
  // A script and the module.
  void Load(const std::string& script) {
    Script(script);
    std::string error;
    ASSERT_TRUE(host.Load(kCondor, &error)) << error;
  }

  std::string Record() {
    std::string text(m_record(nullptr, 0) + 1, '\0');
    m_record(text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
  }
  bool Recorded(const std::string& line) { return ("\n" + Record()).find("\n" + line + "\n") != std::string::npos; }
  size_t RecordedCount(const std::string& line) {
    const std::string record = "\n" + Record();
    size_t n = 0;
    for (size_t at = record.find("\n" + line + "\n"); at != std::string::npos; at = record.find("\n" + line + "\n", at + 1))
      ++n;
    return n;
  }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }

  // The module's graph, as it registered it in the Running Object Table.
  ComPtr<IFilterGraph> ModuleGraph() {
    ComPtr<IFilterGraph> graph;
    ComPtr<IRunningObjectTable> table;
    ComPtr<IEnumMoniker> monikers;
    ComPtr<IBindCtx> context;
    if (FAILED(GetRunningObjectTable(0, table.Put())) || FAILED(table->EnumRunning(monikers.Put())) ||
        FAILED(CreateBindCtx(0, context.Put())))
      return graph;
    char pid[32];
    std::snprintf(pid, sizeof(pid), " pid %08x", static_cast<unsigned>(GetCurrentProcessId()));
    const std::wstring suffix(pid, pid + std::strlen(pid));
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.Put(), nullptr) == S_OK) {
      LPOLESTR name = nullptr;
      if (FAILED(moniker->GetDisplayName(context.Get(), nullptr, &name))) continue;
      const std::wstring text = name;
      CoTaskMemFree(name);
      if (text.find(L"FilterGraph ") == std::wstring::npos || text.size() < suffix.size() ||
          text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        continue;
      ComPtr<IUnknown> object;
      if (SUCCEEDED(table->GetObject(moniker.Get(), object.Put())))
        object->QueryInterface(IID_IFilterGraph, graph.PutVoid());
      break;
    }
    return graph;
  }

  // The names of the filters in the module's graph.
  std::vector<std::wstring> GraphFilters() {
    std::vector<std::wstring> names;
    ComPtr<IFilterGraph> graph = ModuleGraph();
    ComPtr<IEnumFilters> filters;
    if (!graph || FAILED(graph->EnumFilters(filters.Put()))) return names;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.Put(), nullptr) == S_OK) {
      FILTER_INFO info = {};
      filter->QueryFilterInfo(&info);
      if (info.pGraph) info.pGraph->Release();
      names.push_back(info.achName);
    }
    return names;
  }
  bool InGraph(const std::wstring& name) {
    for (const auto& n : GraphFilters())
      if (n == name) return true;
    return false;
  }
  bool HostGot(WPARAM command) {
    for (WPARAM c : host.Commands())
      if (c == command) return true;
    return false;
  }

  CModuleHost host;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;  // answers the module's message boxes
  ThSourceSimRecordProc m_record = nullptr;
};

TEST_F(CondorTest, ExportsAtItsOrdinalsAndDescribesItself) {
  HMODULE module = LoadLibraryA(kCondor);
  ASSERT_TRUE(module);
  const char* const later[] = {"_SetApplicationHandle", "_MakeSnapshot", "_GetDeviceCount", "_SetDolbyMode"};
  for (WORD i = 0; i < 4; ++i)
    EXPECT_EQ(GetProcAddress(module, later[i]), GetProcAddress(module, MAKEINTRESOURCEA(35 + i))) << later[i];
  FreeLibrary(module);

  Load("");
  host.ResetRecords();
  ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, host.Window()));
  EXPECT_TRUE(Logged("MOD_condor: Module successfully initialized."));
  for (int index : {0, 1, 7}) {
    char title[256] = {}, name[256] = {}, version[16] = {};
    ASSERT_EQ(1, host.fn.QLONExModuleInfo(index, title, name, version));
    EXPECT_STREQ("Quillon Ex Twinhan DVB S/C/T CI DVB Module", title);
    EXPECT_STREQ("condor", name);
    EXPECT_STREQ("1.41", version);
  }
  // The stubs.
  EXPECT_EQ(3, host.fn.StartPlayback("x.mpg"));
  EXPECT_EQ(3, host.fn.StartRecord("x.mpg", 0));
  EXPECT_EQ(3, host.fn.StartTimeshift("x.ts"));
  EXPECT_EQ(2, host.fn.StopTeletext());
  EXPECT_EQ(1, host.fn.SetColorValues(128, 128, 128));
  EXPECT_EQ(0, host.fn.SetDolbyMode(1));
  // The volume serial of C:\ behind the fixed 000D.
  const std::string mac = host.fn.GetDeviceMAC();
  DWORD serial = 0;
  if (GetVolumeInformationA("C:\\", nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
    char expected[32];
    std::snprintf(expected, sizeof(expected), "000D%04X", static_cast<unsigned>(serial));
    EXPECT_EQ(expected, mac);
  }
}

TEST_F(CondorTest, CardCountBeforeTheOpenAndWhileOpenLeavesTheLiveGraph) {
  Load("cards 2\n");
  ASSERT_EQ(1, host.Open(0));  // asks _GetDeviceCount first, as the host does
  EXPECT_EQ(2u, RecordedCount("GetCardCount"));  // once for the count, once in the open
  EXPECT_TRUE(Recorded("SelectCard 1"));
  EXPECT_TRUE(Recorded("Start 1 0 0"));
  EXPECT_EQ(2, host.fn.GetDeviceCount());
  EXPECT_EQ(2u, RecordedCount("GetCardCount"));  // the stored count
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(host.PumpUntil([&] { return HostGot(32803); }, 10000));
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, WhatEachCardTypeSetsUpAndHowItTunes) {
  const CHANNEL_TYPE satellite = {{11954000, 0, 27500000, 9750000, 1, 0, 0}};
  const CHANNEL_TYPE cable = {{346000000, 0, 6900000, 64, 0, 0, 0}};
  const CHANNEL_TYPE terrestrial = {{506000000, 0, 0, 8, 0, 0, 0}};
  struct Case {
    int type;
    DWORD frontend;
    bool offset60;  // the card type 5 mark
    const CHANNEL_TYPE* tuning;
    int result;
    const char* tuned;  // the tuner's "tune" line, null: not tuned
    bool switched;  // the card information switched after a satellite tuning without supply
  } cases[] = {
      {1, 1, false, &satellite, 0, "Tune 11954 27500 0 1 0", true},
      {2, 1, false, &satellite, 0, "Tune 11954 27500 0 1 0", true},
      {3, 2, false, &cable, 0, "Tune 346000000 6900 64 0 0", false},
      {4, 3, false, &terrestrial, 0, "Tune 506000000 8 1 0 0", false},
      {5, 3, true, &terrestrial, 0, "Tune 506000000 8 1 0 0", false},
      {7, 0, false, &satellite, 2, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Load("type " + std::to_string(c.type) + "\n");
    host.ResetRecords();
    ASSERT_EQ(1, host.Open(0));
    EXPECT_EQ(c.frontend, host.status.m_iFrontendType);
    EXPECT_EQ(c.offset60 ? 1u : CModuleHost::kSentinel, host.status.m_dwCleared60);
    host.status.m_iVideoWidth = host.status.m_iVideoHeight = 99;
    EXPECT_EQ(c.result, host.fn.SetTunerChannel(*c.tuning, nullptr));
    if (c.tuned) {
      EXPECT_TRUE(Recorded(c.tuned)) << Record();
    } else {
      EXPECT_TRUE(Logged("Error: Could not find supported Twinhan CardType! "));
    }
    EXPECT_EQ(c.switched, Recorded("Switch 0"));
    EXPECT_EQ(0u, host.status.m_iVideoWidth);
    EXPECT_EQ(0u, host.status.m_iVideoHeight);
    EXPECT_EQ(1, host.Close());
    host.Unload();
  }
}

TEST_F(CondorTest, TunesAndPlaysThroughTheDecoderInTheHostsWindow) {
  Load("signal 1 77 66\nts " + StreamTs() + "\n");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_TRUE(InGraph(FIRST_VIDEO_DECODER_NAME));
  EXPECT_TRUE(InGraph(TWINHAN_RENDERER_NAME));
  host.ShowWindowSized(640, 480);
  host.status.m_pFilterGraph = nullptr;
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(Logged("Videowindow initialized."));
  EXPECT_TRUE(host.PumpUntil([&] { return HostGot(32803); }, 10000));
  ASSERT_NE(nullptr, host.status.m_pFilterGraph);

  host.channel = {};
  host.channel.pmtPid = 0x20;
  host.channel.serviceId = 7;
  const CHANNEL_TYPE tuning = {{11954000, 0, 27500000, 9750000, 1, 18, 0}};
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_TRUE(Recorded("Tune 11954 27500 1 1 0"));
  EXPECT_EQ(0, host.fn.SetPids(0x100, 0x101, 0, 0));
  EXPECT_TRUE(Recorded("SetService 0 256 257 0 32 7 0 0"));
  EXPECT_TRUE(Recorded("AddPid 256"));
  EXPECT_TRUE(Recorded("AddPid 257"));
  // The recorder hands PES packets to the host; the picture format comes from the stream.
  EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > 10; }, 20000));
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iVideoWidth == 320; }, 10000));
  EXPECT_EQ(240u, host.status.m_iVideoHeight);
  // The status timer: the tuner's answers and the data rate.
  EXPECT_TRUE(host.PumpUntil([&] { return host.HasDataRate(); }, 10000));
  EXPECT_EQ(1u, host.status.m_bLocked);
  EXPECT_EQ(77u, host.status.m_iSignalValue);
  EXPECT_EQ(77u, host.status.m_iSignalValue2);
  EXPECT_EQ(66u, host.status.m_iQuality);

  EXPECT_EQ(1, host.fn.SetWindowPositions(nullptr, 0, 0, 640, 480, 0));
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_TRUE(Recorded("SetService 0 0 0 0 0 0 0 0"));
  EXPECT_EQ(nullptr, host.status.m_pChannel);
  EXPECT_EQ(1, host.fn.DeleteVideoWindow());
  EXPECT_TRUE(Logged("Closed videowindow."));
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, WithOnlyTheSecondDecoderTheRendererComesWithTheRendering) {
  SetEnvironmentVariableA(FIXED_DECODER_ABSENT_VARIABLE, "first");
  Load("");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_TRUE(InGraph(SECOND_VIDEO_DECODER_NAME));
  EXPECT_FALSE(InGraph(FIRST_VIDEO_DECODER_NAME));
  EXPECT_FALSE(InGraph(TWINHAN_RENDERER_NAME));
  const size_t before = GraphFilters().size();
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(host.PumpUntil([&] { return HostGot(32803); }, 10000));
  EXPECT_GT(GraphFilters().size(), before);  // a renderer joined
  EXPECT_EQ(1, host.Close());

  SetEnvironmentVariableA(FIXED_DECODER_ABSENT_VARIABLE, "both");
  EXPECT_EQ(0, host.Open(0));
}

TEST_F(CondorTest, TheAspectCodeOfTheStreamSetsTheMonitorModeAndRepaintsOnce) {
  Load("ts " + SequenceHeaderTs(3) + "\npace 20\n");
  ASSERT_EQ(1, host.Open(0));
  host.channel = {};
  EXPECT_EQ(0, host.fn.SetPids(0x100, 0, 0, 0));
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iMPEGAspect == 1; }, 10000));
  EXPECT_EQ(720u, host.status.m_iVideoWidth);
  EXPECT_EQ(576u, host.status.m_iVideoHeight);
  host.PumpUntil([] { return false; }, 500);  // the same header again and again
  EXPECT_EQ(1u, host.PaintMessages());
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, HostFiltersGetSectionsOfTheirPidUntilStopped) {
  Load("ts " + StreamTs() + "\n");
  ASSERT_EQ(1, host.Open(0));
  int pat = 0;
  const BYTE value[1] = {0}, mask[1] = {0xFF};
  EXPECT_EQ(0, host.fn.StartFilter(5, 0, value, mask, 1, CModuleHost::FilterCallback(), &pat));
  EXPECT_TRUE(host.PumpUntil([&] { return !host.FilterData().empty(); }, 10000));
  EXPECT_EQ(0, host.fn.StopFilter(&pat));
  EXPECT_TRUE(Logged("Stopping filter."));
  EXPECT_EQ(3, host.fn.StopFilter(&pat));
  EXPECT_EQ(3, host.fn.StopFilter(nullptr));
  EXPECT_TRUE(Recorded("RemovePid 0"));
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, AFilterWhosePidTheSourceRefusesStaysAndAnswers3) {
  Load("fail AddPid 80004005\n");
  ASSERT_EQ(1, host.Open(0));
  int context = 0;
  const BYTE zero[1] = {0};
  EXPECT_EQ(3, host.fn.StartFilter(1, 18, zero, zero, 1, CModuleHost::FilterCallback(), &context));
  EXPECT_EQ(3, host.fn.StopFilter(&context));  // the entry stayed; the source refuses its removal too
  EXPECT_TRUE(Logged("Stopping filter."));
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, TimeShiftSeekAndPlayPositionInWholeMegabytes) {
  struct Case {
    LONGLONG written;
    int perMille;
    const char* readSet;
    DWORD position;  // what the timer shows with the read position at 3 000 000
  } cases[] = {
      {7500000, 500, "SetReadPos 3000000", 428},
      {7500000, 1000, "SetReadPos 7000000", 428},
      {7500000, 0, "SetReadPos 0", 428},
      {999999, 500, "SetReadPos 0", 0},  // under a megabyte written: position 0, no crash
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    Load("timeshift " + std::to_string(c.written) + " 3000000\n");
    host.ResetRecords();
    ASSERT_EQ(1, host.Open(0));
    host.status.m_iRecPlayState = 1;
    EXPECT_EQ(0, host.fn.SeekPlayback(c.perMille));
    host.status.m_iRecPlayState = 0;
    EXPECT_EQ(5, host.fn.SeekPlayback(c.perMille));
    host.status.m_iRecPlayState = 3;
    EXPECT_EQ(5, host.fn.SeekPlayback(c.perMille));
    EXPECT_TRUE(Recorded(c.readSet)) << Record();
    host.status.m_iPlayPosition = 12345;
    Script("timeshift " + std::to_string(c.written) + " 3000000\n");
    EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iPlayPosition != 12345; }, 5000));
    EXPECT_EQ(c.position, host.status.m_iPlayPosition);
    EXPECT_EQ(static_cast<uint64_t>(c.written), host.status.m_llRecordedSize);
    host.status.m_iRecPlayState = 0;
    EXPECT_EQ(1, host.Close());
    host.Unload();
  }
}

TEST_F(CondorTest, TimeShiftControlsAndTheirFailures) {
  Load("timeshift 5000000 0\nfail GetWritePos 80004005 times 1\nfail StopTimeShift 80004005 times 1\n");
  ASSERT_EQ(1, host.Open(0));
  host.status.m_iRecPlayState = 3;
  host.status.m_iPlaySpeed = 0;
  EXPECT_EQ(5, host.fn.SeekPlayback(500));
  EXPECT_TRUE(Logged("MPEG2 Timeshift interface GetWritePos method failed, error: 0x80004005"));
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));
  EXPECT_EQ(4u, host.status.m_iPlaySpeed);
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));
  EXPECT_EQ(0u, host.status.m_iPlaySpeed);
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Error while trying to stop the timeshift record!."));
  EXPECT_EQ(1, host.fn.DeleteVideoWindow() + 1);  // no window: 0
  EXPECT_EQ(0, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Timeshift recording successfully stopped."));
  EXPECT_EQ(0u, host.status.m_iRecPlayState);
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorTest, InjectedSourceFailuresFailTheOpenOrAreAnswered) {
  struct Case {
    const char* script;
    int open;
  } cases[] = {
      {"fail GetCardCount 80004005\n", 0},  // no count: no card
      {"fail GetCardType 80004005\n", 1},   // front-end type 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    Load(c.script);
    host.ResetRecords();
    EXPECT_EQ(c.open, host.Open(0));
    if (c.open) {
      EXPECT_EQ(0u, host.status.m_iFrontendType);
    }
    host.Close();
    host.Unload();
  }
  Load("fail Tune 80004005\nfail SendBytes 80004005\nfail GetSignal 80004005\n");
  ASSERT_EQ(1, host.Open(0));
  const CHANNEL_TYPE tuning = {{11954000, 0, 27500000, 9750000, 1, 13, 0}};
  EXPECT_EQ(2, host.fn.SetTunerChannel(tuning, nullptr));
  const BYTE message[4] = {0xE0, 0x10, 0x38, 0xF0};
  EXPECT_EQ(2, host.fn.SendDiSEqC(message, 4, 0));
  EXPECT_TRUE(Recorded("SendBytes E0 10 38 F0"));
  host.status.m_bLocked = 7;
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_bLocked == 0; }, 5000));
  EXPECT_EQ(1, host.Close());
}

// The CAM dialog on a card with a CAM slot, found among the host window's children.
class CondorCamTest : public CondorTest {
 protected:
  HWND OpenDialog(const std::string& script) {
    Load("type 2\n" + script);
    if (host.Open(0) != 1) return nullptr;
    host.fn.EnterCAMDialog(2, 0);
    return FindWindowExA(host.Window(), nullptr, "#32770", nullptr);
  }
  std::vector<std::string> ListLines(HWND dialog) {
    std::vector<std::string> lines;
    const LRESULT count = SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char line[300] = {};
      SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
  std::string Text(HWND dialog, int id) {
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
  }
  // Shown by the dialog itself (the host window around it may be hidden).
  static bool Shown(HWND dialog) { return (GetWindowLongA(dialog, GWL_STYLE) & WS_VISIBLE) != 0; }
  void Click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(CondorCamTest, AMenuAChoiceAPasswordEnquiryAndTheClose) {
  HWND dialog = OpenDialog("cam Test CAM  \nmenu Main menu|Smart card|Press OK|Status|Pin|Language\n"
                           "enquiry 1 4 Enter PIN\nlist Pick|One||Yes|No\n");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Shown(dialog));
  char title[32] = {};
  GetWindowTextA(dialog, title, sizeof(title));
  EXPECT_STREQ("CAM Slot 1", title);
  EXPECT_EQ("Test CAM", Text(dialog, IDC_CAM_SLOT));  // right-trimmed
  EXPECT_TRUE(Recorded("EnterCAMMenu"));
  EXPECT_EQ((std::vector<std::string>{"Main menu", "Smart card", "1. Status", "2. Pin", "3. Language", "Press OK"}),
            ListLines(dialog));

  Click(dialog, IDC_CAM_DIGIT0 + 4);  // no fourth choice: nothing is sent
  EXPECT_EQ("Error while sending answer (Wrong value)!", Text(dialog, IDC_CAM_STATUS));
  EXPECT_FALSE(Recorded("SendMMIAnswer 1 4 0 ''"));
  Click(dialog, IDC_CAM_DIGIT0 + 2);
  EXPECT_TRUE(Recorded("SendMMIAnswer 1 2 0 ''")) << Record();

  // The enquiry asks for 4 hidden characters.
  EXPECT_EQ((std::vector<std::string>{"Enter PIN"}), ListLines(dialog));
  EXPECT_NE(0, SendDlgItemMessageA(dialog, IDC_CAM_ANSWER, EM_GETPASSWORDCHAR, 0, 0));
  SetDlgItemTextA(dialog, IDC_CAM_ANSWER, "123");
  Click(dialog, IDC_CAM_SEND);
  EXPECT_EQ("Error while sending answer (Wrong length)!", Text(dialog, IDC_CAM_STATUS));
  SetDlgItemTextA(dialog, IDC_CAM_ANSWER, "1234");
  Click(dialog, IDC_CAM_SEND);
  EXPECT_TRUE(Recorded("SendMMIAnswer 3 3 4 '1234'")) << Record();
  EXPECT_EQ("", Text(dialog, IDC_CAM_ANSWER));

  // A list: shown without numbers, and not for choosing in the list box.
  EXPECT_EQ((std::vector<std::string>{"Pick", "One", "Yes", "No"}), ListLines(dialog));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CAM_LIST)));
  Click(dialog, IDC_CAM_CLOSE);
  EXPECT_TRUE(Recorded("CloseMMI"));
  EXPECT_FALSE(Shown(dialog));
  EXPECT_EQ(1, host.Close());
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(CondorCamTest, ADoubleClickChoosesAndTheCountIsBoundedByTheDialog) {
  HWND dialog = OpenDialog("cam CAM\ncount 1000\nmenu Big|Sub|End|a|b|c|d|e|f|g|h|i\n");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(12u, ListLines(dialog).size());  // title, subtitle, nine choices, bottom
  SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_SETCURSEL, 2, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CAM_LIST, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CAM_LIST)));
  EXPECT_TRUE(Recorded("SendMMIAnswer 1 1 0 ''")) << Record();
  EXPECT_EQ(1, host.Close());
}

TEST_F(CondorCamTest, FailingCamCallsShowNothingAndCardsWithoutSlotOnlyEmptyTheList) {
  HWND dialog = OpenDialog("cam CAM\nmenu M|S|B|x\nfail GetMMI 80004005\nfail GetCAMInfo 80004005\n");
  ASSERT_TRUE(dialog);
  EXPECT_EQ("", Text(dialog, IDC_CAM_SLOT));
  EXPECT_TRUE(Recorded("CloseMMI"));  // nothing to show with the menu open: closed
  EXPECT_FALSE(Shown(dialog));
  EXPECT_EQ(1, host.Close());
  host.Unload();

  Load("type 1\ncam CAM\nmenu M|S|B|x\n");
  ASSERT_EQ(1, host.Open(0));
  host.fn.EnterCAMDialog(2, 0);
  EXPECT_FALSE(Recorded("EnterCAMMenu"));
  HWND plain = FindWindowExA(host.Window(), nullptr, "#32770", nullptr);
  ASSERT_TRUE(plain);
  EXPECT_TRUE(ListLines(plain).empty());
  EXPECT_EQ(1, host.Close());
}

// tvhost runs sessions of the module from steps: without a card the open
// fails with the module's message box, which the host answers, and a later
// session with a card tunes and plays.
TEST(CondorHost, TvhostRunsSessionsWithAndWithoutACard) {
  ASSERT_EQ(0, Regsvr32(WinPath(THSOURCE_AX_PATH), false));
  ASSERT_EQ(0, Regsvr32(WinPath(FIXEDDECODERS_AX_PATH), false));
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string base = std::string(temp) + "condor-" + std::to_string(GetCurrentProcessId());
  const std::string steps = base + "-steps.txt", log = base + "-host.log", script = base + "-card.txt",
                    record = base + "-record.txt";
  SetEnvironmentVariableA(THSOURCE_SCRIPT_VARIABLE, script.c_str());
  SetEnvironmentVariableA(THSOURCE_RECORD_VARIABLE, record.c_str());
  const auto run = [&] {
    return RunHost(TVHOST_PATH, "--module \"" + std::string(kCondor) + "\" --session \"" + steps +
                                    "\" --exit-after 100 --log \"" + log + "\"");
  };

  std::ofstream(script) << "cards 0\n";
  std::ofstream(steps) << "open 0\nclose\n";
  ASSERT_EQ(0u, run());
  const auto none = Lines(ReadText(log));
  EXPECT_TRUE(Has(none, "step open 0 -> 0")) << ReadText(log);
  EXPECT_TRUE(HasPrefix(none, "messagebox \"condor\": There is no Twinhan card detected")) << ReadText(log);

  std::ofstream(script) << "cards 1\ntype 3\nts " << StreamTs() << "\n";
  std::ofstream(steps) << "open 0\nwindow 1\ntune 346000000 0\npids 256 257\nwait 1000\nclose\n";
  DeleteFileA(record.c_str());
  ASSERT_EQ(0u, run());
  const auto played = Lines(ReadText(log));
  for (const char* line : {"step open 0 -> 1", "step window 1 -> 1", "step tune 346000000 0 -> 0",
                           "step pids 256 257 -> 0", "step close -> 1"})
    EXPECT_TRUE(Has(played, line)) << line << "\n" << ReadText(log);
  const auto card = Lines(ReadText(record));
  EXPECT_TRUE(Has(card, "SetService 0 256 257 0 0 0 0 0")) << ReadText(record);
  EXPECT_TRUE(Has(card, "AddPid 256"));
  for (const std::string& f : {steps, log, script, record}) DeleteFileA(f.c_str());
  SetEnvironmentVariableA(THSOURCE_SCRIPT_VARIABLE, nullptr);
  SetEnvironmentVariableA(THSOURCE_RECORD_VARIABLE, nullptr);
}

}  // namespace
