// The stream intake through its real threads under the simulated box: the
// stream reader reads what the box sends, the parser dispatches to the
// slots, and consumers' workers receive exactly the packets the composer
// sent, in order. The parser's fault table runs through it too, and the
// consumers' slots are cleared when they go.
#include "StaticBoxFixture.h"

#include "PacketConsumer.h"
#include "TestData.h"
#include "StreamFaultTable.h"
#include "WaitFor.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

using namespace streamfaults;

namespace {

// Records what its worker receives.
class CRecordingConsumer : public CPacketConsumer {
 public:
  explicit CRecordingConsumer(DWORD ring = 256000) : CPacketConsumer(ring) {}
  ~CRecordingConsumer() override { Shutdown(); }

  std::vector<Delivery> Got() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_got;
  }
  size_t Count() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_got.size();
  }
  DWORD handlerMs = 0;  // a slow handler

 protected:
  void OnPacket(const PacketDesc& p) override {
    if (handlerMs) Sleep(handlerMs);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_got.push_back({int(p.kind), p.slot, std::vector<BYTE>(p.data, p.data + p.length)});
  }

 private:
  std::mutex m_mutex;
  std::vector<Delivery> m_got;
};

}  // namespace

class IntakeTest : public StaticBoxTest {
 protected:
  void SetUp() override {
    StaticBoxTest::SetUp();
    ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  }
  // The box sends the stream in pieces of the given size.
  void Send(const std::vector<BYTE>& s, size_t piece = 8192) {
    for (size_t at = 0; at < s.size(); at += piece)
      sim->QueuePipeData(driverioctl::kPipeIsoIn, s.data() + at, DWORD(std::min(piece, s.size() - at)));
  }
  WORD NextSequence() { return TheIsoStreamReader().GetParser().GetExpectedSequence(); }
};

TEST_F(IntakeTest, SlotsReceiveExactlyThePacketsSentInOrder) {
  auto packets = EveryType();
  std::vector<BYTE> s;
  CSimStreamComposer c = At(NextSequence());
  for (int round = 0; round < 20; ++round) c.Group(packets, s);
  // One consumer per slot the packets go to.
  std::map<int, std::unique_ptr<CRecordingConsumer>> consumers;
  std::map<int, std::vector<Delivery>> expected;
  for (int round = 0; round < 20; ++round)
    for (const Delivery& d : Expected(packets)) expected[d.slot].push_back(d);
  for (auto& e : expected) {
    consumers[e.first].reset(new CRecordingConsumer);
    ASSERT_EQ(consumers[e.first]->RegisterSlot(BYTE(e.first)), 0);
  }
  Send(s, 777);  // pieces that cut packets anywhere, odd lengths included
  for (auto& e : expected) {
    CRecordingConsumer& consumer = *consumers[e.first];
    EXPECT_TRUE(WaitFor([&] { return consumer.Count() >= e.second.size(); })) << e.first;
    EXPECT_EQ(consumer.Got(), e.second) << "slot " << e.first;
    EXPECT_EQ(TheIsoStreamReader().GetByteCount(BYTE(e.first)) > 0, true);
  }
  EXPECT_EQ(sim->StreamBytesBuffered(), 0u);
}

TEST_F(IntakeTest, ProgrammeFromElementaryStreams) {
  auto video = ReadTestData("video.m2v"), audio = ReadTestData("audio.mp2");
  ASSERT_FALSE(video.empty());
  CSimProgrammeSource source(video, audio);
  CRecordingConsumer recorder;
  ASSERT_EQ(recorder.RegisterSlot(34), 0);
  CSimStreamComposer c = At(NextSequence());
  std::vector<BYTE> s;
  size_t packets = source.Packets().size();
  for (size_t sent = 0; sent < packets; sent += 5) source.NextGroup(c, 5, s);
  size_t total = (packets + 4) / 5 * 5;
  Send(s);
  ASSERT_TRUE(WaitFor([&] { return recorder.Count() >= total; }));
  std::vector<BYTE> gotVideo, gotAudio;
  for (const Delivery& d : recorder.Got()) {
    std::vector<BYTE>& to = d.data[2] == 1 ? gotVideo : gotAudio;
    to.insert(to.end(), d.data.begin() + 8, d.data.end());
  }
  ASSERT_GE(gotVideo.size(), video.size());
  EXPECT_TRUE(std::equal(video.begin(), video.end(), gotVideo.begin()));
  EXPECT_TRUE(std::equal(audio.begin(), audio.end(), gotAudio.begin()));
}

TEST_F(IntakeTest, FaultTableThroughTheIntakeThread) {
  CRecordingConsumer recorder;
  ASSERT_EQ(recorder.RegisterSlot(34), 0);
  size_t before = 0;
  for (const FaultRow& row : FaultRows()) {
    size_t logStart = size_t(sim->LogCount());
    auto s = row.make(NextSequence());
    WORD base = NextSequence();
    Send(s, 1001);
    size_t want = before + row.delivered.size();
    EXPECT_TRUE(WaitFor([&] { return recorder.Count() >= want; })) << row.name;
    auto got = recorder.Got();
    std::vector<int> numbers;
    for (size_t i = before; i < got.size(); ++i) numbers.push_back(got[i].data[0]);
    EXPECT_EQ(numbers, row.delivered) << row.name;
    before = got.size();
    // Resend requests went to the interrupt-out pipe: 1, then the number.
    std::vector<WORD> resends;
    auto log = Log();
    for (size_t i = logStart; i < log.size(); ++i)
      if (const SimLogEntry& e = log[i];
          e.code == driverioctl::kWriteIntCtrlOut && e.requestLength == 3 && e.request[0] == 1)
        resends.push_back(WORD((e.request[1] << 8) | e.request[2]));
    std::vector<WORD> expected;
    for (WORD r : row.resends) expected.push_back(Seq(base, r));
    EXPECT_EQ(resends, expected) << row.name;
  }
}

TEST_F(IntakeTest, NoDataWhileTheInputIsOff) {
  CRecordingConsumer recorder;
  ASSERT_EQ(recorder.RegisterSlot(34), 0);
  // With the stream reader running, an input setting is refused and undone,
  // while both readers keep running.
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_REFUSED);
  EXPECT_TRUE(TheIsoStreamReader().IsRunning());
  EXPECT_TRUE(TheIntPipeReader().IsRunning());
  EXPECT_EQ(DriverStreams().input, 0u);
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  ASSERT_TRUE(CDVBCommon::IsOpen());
  CSimStreamComposer c = At(NextSequence());
  std::vector<BYTE> s;
  c.Group(Numbered(3), s);
  // Setting 3 has no input: the box holds its data back.
  ASSERT_EQ(board.EnableIsoStream(3), DVB_ERR_NONE);
  Send(s);
  Sleep(100);
  EXPECT_EQ(sim->StreamBytesBuffered(), s.size());
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  // The registration survived the stop; with the input on the data flow.
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  EXPECT_TRUE(WaitFor([&] { return recorder.Count() == 3; }));
}

TEST_F(IntakeTest, UnregisteredOrDestroyedConsumersGetNothingMore) {
  auto* consumer = new CRecordingConsumer;
  ASSERT_EQ(consumer->RegisterSlot(34), 0);
  CSimStreamComposer c = At(NextSequence());
  std::vector<BYTE> s;
  c.Group(Numbered(4), s);
  Send(s);
  ASSERT_TRUE(WaitFor([&] { return consumer->Count() == 4; }));
  // Destroyed while the stream runs: its slot goes with it, and later data
  // for the slot is dropped without reaching the freed object.
  delete consumer;
  EXPECT_FALSE(TheIsoStreamReader().GetByteCount(34));
  s.clear();
  c.Group(Numbered(4), s);
  Send(s);
  CRecordingConsumer later;
  ASSERT_EQ(later.RegisterSlot(35), 0);
  std::vector<BYTE> ci;
  const BYTE message[3] = {1, 2, 3};
  c.Group({CSimStreamComposer::CommonInterface(message, 3)}, ci);
  Send(ci);
  EXPECT_TRUE(WaitFor([&] { return later.Count() == 1; }));  // the stream went on
}

TEST_F(IntakeTest, SlowConsumerDropsWhenItsRingIsFullAndTheRestGoOn) {
  CRecordingConsumer slow(16000);
  slow.handlerMs = 20;
  CRecordingConsumer fast;
  ASSERT_EQ(slow.RegisterSlot(33), 0);
  ASSERT_EQ(fast.RegisterSlot(34), 0);
  CSimStreamComposer c = At(NextSequence());
  std::vector<BYTE> s;
  auto d = std::vector<BYTE>(400, 7);
  for (int i = 0; i < 100; ++i)
    c.Group({CSimStreamComposer::Teletext(d.data(), d.size()), CSimStreamComposer::Record(d.data(), d.size())}, s);
  Send(s);
  EXPECT_TRUE(WaitFor([&] { return fast.Count() == 100; }));
  EXPECT_GT(slow.GetDropped(), 0u);
  // A consumer's destructor terminates a worker stuck longer than 200 ms.
  fast.UnregisterSlot();
  auto* stuck = new CRecordingConsumer;
  stuck->handlerMs = 3000;
  ASSERT_EQ(stuck->RegisterSlot(34), 0);
  s.clear();
  c.Group({CSimStreamComposer::Record(d.data(), d.size())}, s);
  Send(s);
  ASSERT_TRUE(WaitFor([&] { return TheIsoStreamReader().GetByteCount(34) > 0; }));
  Sleep(50);  // in the handler now
  DWORD start = GetTickCount();
  delete stuck;
  EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST_F(IntakeTest, UnplugDuringReadsEndsNothingBadly) {
  CRecordingConsumer recorder;
  ASSERT_EQ(recorder.RegisterSlot(34), 0);
  Sleep(50);  // the reader is waiting for data
  sim->Unplug();
  Sleep(300);
  DWORD start = GetTickCount();
  EXPECT_EQ(board.EnableIsoStream(0), DVB_ERR_NO_DEVICE);  // setting 0 fails on a dead handle
  EXPECT_FALSE(TheIsoStreamReader().IsRunning());
  EXPECT_FALSE(TheIntPipeReader().IsRunning());
  EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST_F(IntakeTest, ReadsThatNeverCompleteAreBounded) {
  Fault(SimFault::kNeverCompletes, kSimReadFile);
  Sleep(300);
  DWORD start = GetTickCount();
  EXPECT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  EXPECT_FALSE(TheIsoStreamReader().IsRunning());
  EXPECT_LT(GetTickCount() - start, 2000u);
  sim->ClearFaults();
}

TEST_F(IntakeTest, InterruptMessagesReachTheirSlot) {
  struct Target {
    std::atomic<int> calls{0};
    BYTE last[7] = {};
  } target;
  auto callback = [](void* context, BYTE, BYTE* data, DWORD length) {
    auto* t = static_cast<Target*>(context);
    memcpy(t->last, data, length);
    ++t->calls;
  };
  ASSERT_EQ(TheIntPipeReader().RegisterCallback(callback, &target, 1), 0);
  const BYTE messages[] = {1, 9, 8, 7, 6, 5,    4,    3,      // infrared code to slot 1
                           0, 1, 1, 1, 1, 1,    1,    1,      // slot 0: nobody
                           4, 0, 0, 0, 0, 0x12, 0x34, 0x56};  // status
  sim->QueuePipeData(driverioctl::kPipeIntCtrlIn, messages, sizeof(messages));
  EXPECT_TRUE(WaitFor([&] { return TheIntPipeReader().GetLastStatus() == 0x123456; }));
  EXPECT_EQ(target.calls, 1);
  EXPECT_EQ(target.last[0], 9);
  EXPECT_EQ(TheIntPipeReader().GetByteCount(1), 7u);
  TheIntPipeReader().UnregisterCallback(1);
}
