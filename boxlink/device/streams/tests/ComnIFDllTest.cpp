// The common interface through boxlink.dll against the simulated box's
// scripted CAM: a whole CAM session (slot status, menu, answer, enquiry,
// list, close) reaches the handlers in order while the handlers answer the
// CAM; malformed messages on the stream are dropped; every request has its
// command layout; the link's results for a missing box, a refused or
// failed link and a closed one; and a handler that stops its own worker.
#include "BoxFixture.h"

#include "CiCommands.h"
#include "CiHandlerLog.h"
#include "DVBBoardControl.h"
#include "DVBComnIF.h"
#include "SimCamControl.h"
#include "WaitFor.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>

using namespace cicommands;
typedef std::vector<BYTE> Bytes;
typedef std::vector<std::string> Lines;

namespace {

// The handler log, filled on the worker thread and read by the test.
class CLockedLog : public CCiHandlerLog {
 public:
  void Add(const std::string& line) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    lines.push_back(line);
  }
  Lines Get() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return lines;
  }
  bool Has(const std::string& line) {
    Lines got = Get();
    return std::find(got.begin(), got.end(), line) != got.end();
  }

 private:
  std::mutex m_mutex;
};

// Writes every handler call to the log; optional reactions run first, on
// the worker thread, as an application's handlers would.
class CLoggingComnIF : public CDVBComnIF {
 public:
  explicit CLoggingComnIF(CLockedLog& log) : m_log(log) {}
  ~CLoggingComnIF() override { StopDelivery(); }

  std::function<void(BYTE slot)> onMenu, onInput, onList, onClose;

  void OnSlotStatus(BYTE s, BYTE status, _typ_SlotInfo* info) override { m_log.OnSlotStatus(s, status, info); }
  void OnCAStatus(BYTE s, BYTE tag, WORD value) override { m_log.OnCAStatus(s, tag, value); }
  void OnDisplayString(BYTE s, char* text, WORD n) override { m_log.OnDisplayString(s, text, n); }
  void OnDisplayMenu(BYTE s, WORD value, char* text, WORD n) override {
    m_log.OnDisplayMenu(s, value, text, n);
    if (onMenu) onMenu(s);
  }
  void OnDisplayList(BYTE s, WORD value, char* text, WORD n) override {
    m_log.OnDisplayList(s, value, text, n);
    if (onList) onList(s);
  }
  void OnSwitchOsdOff(BYTE s) override {
    m_log.OnSwitchOsdOff(s);
    if (onClose) onClose(s);
  }
  void OnInputRequest(BYTE s, int blind, BYTE n, DWORD keys) override {
    m_log.OnInputRequest(s, blind, n, keys);
    if (onInput) onInput(s);
  }
  void OnLscSetDescriptor(BYTE s, _typ_ConnectionDesc* d) override { m_log.OnLscSetDescriptor(s, d); }
  void OnLscConnect(BYTE s) override { m_log.OnLscConnect(s); }
  void OnLscDisconnect(BYTE s) override { m_log.OnLscDisconnect(s); }
  void OnLscSetParams(BYTE s, BYTE size, BYTE timeout) override { m_log.OnLscSetParams(s, size, timeout); }
  void OnLscEnquireStatus(BYTE s) override { m_log.OnLscEnquireStatus(s); }
  void OnLscGetNextBuffer(BYTE s, BYTE phase) override { m_log.OnLscGetNextBuffer(s, phase); }
  void OnLscTransmitBuffer(BYTE s, BYTE phase, BYTE* data, WORD n) override {
    m_log.OnLscTransmitBuffer(s, phase, data, n);
  }

 private:
  CLockedLog& m_log;
};

ISimCam* Cam() {
  static ISimCam* cam = SimulatorInterface<ISimCam>(BOXSIM_CAM_EXPORT);
  return cam;
}

}  // namespace

class ComnIFTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    ASSERT_NE(Cam(), nullptr);
    ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  }
  void TearDown() override {
    if (CDVBCommon::IsOpen() || CDVBCommon::OpenDevice(0, nullptr, TRUE)) board.EnableIsoStream(0);
    BoxTest::TearDown();
  }

  SimCamState CamState() {
    SimCamState s;
    Cam()->GetCamState(&s);
    return s;
  }
  static void Step(BYTE command, const std::vector<simcam::Message>& messages) {
    Cam()->AddStep(command);
    for (const simcam::Message& m : messages) Cam()->AddStepMessage(m.data(), DWORD(m.size()));
  }
  static void Send(const Bytes& message) { Cam()->Send(message.data(), DWORD(message.size())); }
  // The log grows while the streams' reads stay pending, so it is not
  // cleared: requests are taken from a mark on.
  void Mark() { m_mark = sim->LogCount(); }
  // The common-interface requests the box received since the mark, each as
  // its bytes.
  std::vector<Bytes> CamRequests() {
    std::vector<Bytes> out;
    for (int i = m_mark; i < sim->LogCount(); ++i) {
      SimLogEntry e;
      sim->GetLogEntry(i, &e);
      if (e.code == driverioctl::kCommandChannel && CSimCam::IsCamCommand(e.request[0]))
        out.emplace_back(e.request, e.request + e.requestLength);
    }
    return out;
  }

  CDVBBoardControl board;
  int m_mark = 0;
};

TEST_F(ComnIFTest, ScriptedSessionArrivesInOrderWhileTheHandlersAnswer) {
  using namespace simcam;
  const Bytes application = ApplicationInfo(1, 0x1234, 0x0001, "Test CAM");
  Step(kGetSlotStatus, {SlotStatus(0, 2, {0x0100, 0x0500}, application)});
  Step(kEnterMenu, {Menu(0, 3, {"Test CAM", "Main menu", "Select", "Smartcard", "Language", "Parental control"})});
  Step(kMenuAnswer, {Enquiry(0, true, 4, "Enter PIN")});
  Step(kAnswer, {List(0, 2, {"Parental control", "", "OK", "Level 12", "Level 16"})});
  Step(kCloseMmi, {Close(0)});

  CLockedLog log;
  CLoggingComnIF ci(log);
  ci.onMenu = [&](BYTE slot) { ci.MenuAnswer(slot, 3); };
  ci.onInput = [&](BYTE slot) { ci.Answer(slot, const_cast<char*>("1234"), 4); };
  ci.onList = [&](BYTE slot) { ci.CloseMMI(slot); };
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  ASSERT_EQ(ci.GetSlotStatus(0), DVB_ERR_NONE);
  ASSERT_EQ(ci.EnterModuleMenu(0), DVB_ERR_NONE);
  ASSERT_TRUE(WaitFor([&] { return log.Has("close 0"); })) << log.Get().size();

  EXPECT_EQ(log.Get(),
            (Lines{
                "status 0 2 ids 0100 0500 rest " + CCiHandlerLog::Hex(application.data(), int(application.size())),
                "menu 0 3 Test CAM|Main menu|Select|Smartcard|Language|Parental control|",
                "string 0 Enter PIN",
                "input 0 1 4 3FFFF",
                "list 0 2 Parental control||OK|Level 12|Level 16|",
                "close 0",
            }));
  EXPECT_EQ(CamRequests(), (std::vector<Bytes>{
                               {kOpenLink},
                               {kGetSlotStatus, 1},
                               {kCloseMmi, 1},
                               {kCloseMmi, 2},
                               {kEnterMenu, 1},
                               {kMenuAnswer, 1, 3},
                               {kAnswer, 1, 4, '1', '2', '3', '4'},
                               {kCloseMmi, 1},
                           }));
  EXPECT_EQ(CamState().stepsLeft, 0);
}

TEST_F(ComnIFTest, StatusAndCommunicationMessagesReachTheirHandlers) {
  using namespace simcam;
  using namespace cimessage;
  CLockedLog log;
  CLoggingComnIF ci(log);
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  const struct {
    Bytes message;
    Lines lines;
  } cases[] = {
      {SlotStatus(1, 0), {"status 1 0"}},
      {CaStatus(0, kCaWord, 0x0102), {"ca 255 0C 258"}},
      {CaStatus(1, kCaSlot, 0), {"ca 1 0D 0"}},
      {CaStatus(0, kCaByte, 7), {"ca 255 0E 7"}},
      {Text(1, "CAM removed"), {"string 1 CAM removed"}},
      {LscCommand(0, kLscConnect, TelephoneDescriptor(1, "0800123", 3, 20)),
       {"descriptor 0 1 [0800123] 3 20", "connect 0"}},
      {LscCommand(0, kLscSetParams, {128, 5}), {"params 0 128 5"}},
      {LscCommand(0, kLscEnquireStatus), {"enquire 0"}},
      {LscCommand(0, kLscGetNextBuffer, {2}), {"next 0 2"}},
      {LscData(0, kLscLastData, 2, {0xDE, 0xAD}), {"transmit 0 2 DEAD"}},
      {LscDescriptor(0, ChannelDescriptor(2, 'C', 1, 4)), {"descriptor 0 2 [C] 1 4"}},
      {LscCommand(0, kLscDisconnect), {"disconnect 0"}},
  };
  Lines expected;
  for (const auto& c : cases) {
    Send(c.message);
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
  }
  ASSERT_TRUE(WaitFor([&] { return log.Get().size() >= expected.size(); }));
  EXPECT_EQ(log.Get(), expected);
}

TEST_F(ComnIFTest, MalformedMessagesAreDroppedAndTheNextOnesArrive) {
  using namespace cimessage;
  CLockedLog log;
  CLoggingComnIF ci(log);
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  const Bytes malformed[] = {
      {0, 1, kText, 0, 0, 0},                                                       // text length -1
      {0, 1, kSlotStatus, 2, 0, 40, 0x01, 0x00},                                    // 40 CA ids in 2 bytes
      {0, 1, kLscData, 0, 1},                                                       // data length -1
      {0, 1, kLscData, 200, 1, 1, 2},                                               // data past the end
      {0, 1, kLscCommand, kLscConnect, 0x9F, 0x8C, 0x01, 0x84, 0, 0},               // length field past the end
      {0, 1, kLscDescriptor, 0, 0x9F, 0x8C, 0x01, 3, 1, 0x57, 8, 0, 0, 0x0F, '1'},  // digits past the end
      {0, 1},                                                                       // no tag
  };
  for (const Bytes& m : malformed) {
    Send(m);
    Send(simcam::Close(0));  // each bad message is followed by a good one
  }
  ASSERT_TRUE(WaitFor([&] { return log.Get().size() >= std::size(malformed); }));
  Send(simcam::Text(0, "last"));
  ASSERT_TRUE(WaitFor([&] { return log.Has("string 0 last"); }));
  Lines expected(std::size(malformed), "close 0");
  expected.push_back("string 0 last");
  EXPECT_EQ(log.Get(), expected);
}

TEST_F(ComnIFTest, RequestsSendTheirCommandLayouts) {
  CLockedLog log;
  CLoggingComnIF ci(log);
  char text[41] = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  Bytes data(65);
  for (size_t i = 0; i < data.size(); ++i) data[i] = BYTE(i + 1);
  Bytes answer = {kAnswer, 1, 30};
  answer.insert(answer.end(), text, text + 30);
  Bytes chunk3 = {kDataChunk, 60};
  chunk3.insert(chunk3.end(), data.begin() + 60, data.end());
  Bytes chunk1 = {kDataChunk, 0}, chunk2 = {kDataChunk, 30};
  chunk1.insert(chunk1.end(), data.begin(), data.begin() + 30);
  chunk2.insert(chunk2.end(), data.begin() + 30, data.begin() + 60);

  const struct {
    const char* name;
    std::function<DVB_ERROR()> call;
    std::vector<Bytes> sent;
  } cases[] = {
      {"MenuAnswer", [&] { return ci.MenuAnswer(0, 2); }, {{kMenuAnswer, 1, 2}}},
      {"SetProgram", [&] { return ci.SetProgram(0x1234); }, {{kSetProgram, 0x12, 0x34}}},
      {"ReadPSIFast", [&] { return ci.ReadPSIFast(0xABCD); }, {{kReadPsiFast, 0xAB, 0xCD}}},
      {"GetSlotStatus", [&] { return ci.GetSlotStatus(1); }, {{kGetSlotStatus, 2}}},
      {"CloseMMI", [&] { return ci.CloseMMI(0); }, {{kCloseMmi, 1}}},
      {"Answer cut to 30", [&] { return ci.Answer(0, text, 40); }, {answer}},
      {"CommsReply", [&] { return ci.CommsReply(1, 7, 9); }, {{kCommsReply, 2, 7, 9}}},
      {"AskRelease", [&] { return ci.AskRelease(); }, {{kAskRelease}}},
      {"EnterModuleMenu", [&] { return ci.EnterModuleMenu(1); }, {{kCloseMmi, 1}, {kCloseMmi, 2}, {kEnterMenu, 2}}},
      {"DataReceived 65",
       [&] { return ci.DataReceived(0, 5, data.data(), 65); },
       {chunk1, chunk2, chunk3, {kDataEnd, 1, 5, 65}}},
      {"DataReceived 0", [&] { return ci.DataReceived(1, 6, data.data(), 0); }, {{kDataEnd, 2, 6, 0}}},
  };
  for (const auto& c : cases) {
    Mark();
    EXPECT_EQ(c.call(), DVB_ERR_NONE) << c.name;
    EXPECT_EQ(CamRequests(), c.sent) << c.name;
  }
  // The box put the 65 bytes back together (the 0-byte block came last).
  Mark();
  ASSERT_EQ(ci.DataReceived(0, 5, data.data(), 65), DVB_ERR_NONE);
  SimCamState s = CamState();
  EXPECT_EQ(s.dataErrors, 0);
  EXPECT_EQ(s.dataSlot, 1);
  EXPECT_EQ(s.dataPhase, 5);
  ASSERT_EQ(s.dataLength, 65);
  EXPECT_EQ(Bytes(s.data, s.data + 65), data);
  EXPECT_EQ(s.badRequests, 0);

  Mark();
  EXPECT_EQ(ci.DataReceived(0, 5, data.data(), 255), DVB_ERR_ARGUMENT);
  EXPECT_TRUE(CamRequests().empty());
}

TEST_F(ComnIFTest, LinkResults) {
  CLockedLog log;
  CLoggingComnIF ci(log);
  EXPECT_EQ(ci.Close(), DVB_ERR_STATE);
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  EXPECT_TRUE(CamState().linkOpen);
  Mark();
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);  // closes, then opens again
  EXPECT_EQ(CamRequests(), (std::vector<Bytes>{{kCloseLink}, {kOpenLink}}));
  EXPECT_EQ(ci.Close(), DVB_ERR_NONE);
  EXPECT_FALSE(CamState().linkOpen);
  EXPECT_EQ(ci.Close(), DVB_ERR_STATE);

  // Refused by the box: 6, and the link counts as open until closed.
  SimCamState s = CamState();
  s.openAnswer = 0;
  Cam()->SetCamState(s);
  EXPECT_EQ(ci.Open(), DVB_ERR_REFUSED);
  EXPECT_EQ(ci.Close(), DVB_ERR_NONE);
  s.openAnswer = 1;
  Cam()->SetCamState(s);

  // A failing command: 7; a failed open is still undone by Close, and a
  // failed close can be tried again.
  Fault(SimFault::kFail, driverioctl::kCommandChannel, kOpenLink, 0, 1);
  EXPECT_EQ(ci.Open(), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(ci.Close(), DVB_ERR_NONE);
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, kCloseLink, 0, 1);
  EXPECT_EQ(ci.Close(), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(ci.Close(), DVB_ERR_NONE);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, kMenuAnswer, 0, 1);
  EXPECT_EQ(ci.MenuAnswer(0, 1), DVB_ERR_NO_ANSWER);

  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(ci.Open(), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(ci.Close(), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(ci.GetSlotStatus(0), DVB_ERR_NO_ANSWER);
}

TEST_F(ComnIFTest, VersionReplyIsSplitAndEndsWithinItsBytes) {
  CLockedLog log;
  CLoggingComnIF ci(log);
  CString first, second;
  ASSERT_EQ(ci.GetCIVersion(first, second), DVB_ERR_NONE);
  EXPECT_STREQ(first, "CI 1.0");
  EXPECT_STREQ(second, "Test CAM 2.3");

  SimCamState s = CamState();
  memset(s.version, 'v', sizeof(s.version));  // no terminating zero
  Cam()->SetCamState(s);
  ASSERT_EQ(ci.GetCIVersion(first, second), DVB_ERR_NONE);
  EXPECT_STREQ(first, "");
  EXPECT_EQ(std::string(second), std::string(32, 'v'));

  Fault(SimFault::kFail, driverioctl::kCommandChannel, kGetVersion, 0, 1);
  EXPECT_EQ(ci.GetCIVersion(first, second), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(std::string(second), std::string(32, 'v'));
}

TEST_F(ComnIFTest, DestroyedWhileMessagesFlowClosesTheLink) {
  CLockedLog log;
  auto* ci = new CLoggingComnIF(log);
  ASSERT_EQ(ci->Open(), DVB_ERR_NONE);
  for (int i = 0; i < 300; ++i) Send(simcam::Text(0, "message " + std::to_string(i)));
  ASSERT_TRUE(WaitFor([&] { return log.Get().size() > 10; }));
  delete ci;
  const size_t handled = log.Get().size();
  EXPECT_FALSE(CamState().linkOpen);
  // The next holder of the link receives only what is sent to it.
  CLockedLog next;
  CLoggingComnIF other(next);
  ASSERT_EQ(other.Open(), DVB_ERR_NONE);
  Send(simcam::Close(1));
  ASSERT_TRUE(WaitFor([&] { return next.Has("close 1"); }));
  EXPECT_EQ(log.Get().size(), handled);
}

TEST_F(ComnIFTest, AHandlerMayStopItsOwnWorker) {
  CLockedLog log;
  CLoggingComnIF ci(log);
  std::atomic<int> stopped{-1};
  ci.onClose = [&](BYTE) { stopped = ci.StopThread(200); };
  ASSERT_EQ(ci.Open(), DVB_ERR_NONE);
  Send(simcam::Close(0));
  Send(simcam::Text(0, "after"));
  ASSERT_TRUE(WaitFor([&] { return !ci.IsRunning(); }));
  EXPECT_EQ(stopped, 1);
  EXPECT_EQ(log.Get(), Lines{"close 0"});  // the next message waits in the ring
  ASSERT_EQ(ci.StartThread(THREAD_PRIORITY_NORMAL), 1);
  ASSERT_TRUE(WaitFor([&] { return log.Has("string 0 after"); }));
  EXPECT_EQ(log.Get(), (Lines{"close 0", "string 0 after"}));
}

TEST_F(ComnIFTest, DestroyingASupersededObjectLeavesTheLinkToItsSuccessor) {
  CLockedLog first, second;
  auto* superseded = new CLoggingComnIF(first);
  ASSERT_EQ(superseded->Open(), DVB_ERR_NONE);
  CLoggingComnIF holder(second);
  ASSERT_EQ(holder.Open(), DVB_ERR_NONE);
  Mark();
  delete superseded;
  EXPECT_TRUE(CamRequests().empty()) << "the box was told to close the successor's link";
  EXPECT_TRUE(CamState().linkOpen);
  Send(simcam::Close(1));
  ASSERT_TRUE(WaitFor([&] { return second.Has("close 1"); }));
  EXPECT_TRUE(first.Get().empty());
}
