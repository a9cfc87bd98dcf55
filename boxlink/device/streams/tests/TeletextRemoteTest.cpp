// Teletext and the box's infrared codes through boxlink.dll: blocks and
// keys reach their handlers, switching on and off talks to the box as it
// should, and destroyed consumers leave nothing registered.
#include "StreamBoxFixture.h"

#include "BoxCommands.h"
#include "DVBRemoteControl.h"
#include "DVBTSFilter.h"
#include "DVBTeletext.h"
#include "SimFilterOutput.h"

namespace {

class CRecordingTeletext : public CDVBTeletext {
 public:
  explicit CRecordingTeletext(CReceived& received) : m_received(received) {}
  void OnTTXPage(BYTE* data, int length) override { m_received.Add(data, length); }

 private:
  CReceived& m_received;
};

class CRecordingRemote : public CDVBRemoteControl {
 public:
  explicit CRecordingRemote(CReceived& received) : m_received(received) {}
  void OnRemoteControlCode(BYTE* code, int length) override { m_received.Add(code, length); }

 private:
  CReceived& m_received;
};

// Teletext blocks as the box collects them: numbered, of varying size.
std::vector<Bytes> TeletextBlocks(int count) {
  std::vector<Bytes> blocks;
  for (int i = 0; i < count; ++i) {
    Bytes block(size_t(46 * (1 + i % 5)), BYTE(0x55));
    block[0] = BYTE(i);
    blocks.push_back(block);
  }
  return blocks;
}

std::vector<SimStreamPacket> TeletextPackets(const std::vector<Bytes>& blocks) {
  std::vector<SimStreamPacket> packets;
  for (const Bytes& b : blocks) packets.push_back(CSimStreamComposer::Teletext(b.data(), b.size()));
  return packets;
}

}  // namespace

class TeletextRemoteTest : public StreamBoxTest {
 protected:
  void PressKeys(const std::vector<Bytes>& messages) {
    Bytes all;
    for (const Bytes& m : messages) all.insert(all.end(), m.begin(), m.end());
    sim->QueuePipeData(driverioctl::kPipeIntCtrlIn, all.data(), DWORD(all.size()));
  }
  // The teletext commands sent.
  std::vector<int> TeletextCommands() {
    std::vector<int> out;
    for (const SimLogEntry& e : Commands())
      if (e.request[0] >= boxcommands::kVtEnable && e.request[0] <= boxcommands::kVtGetP29P830)
        out.push_back(e.request[0]);
    return out;
  }
};

TEST_F(TeletextRemoteTest, TeletextBlocksReachTheHandler) {
  CReceived received;
  CRecordingTeletext teletext(received);
  ASSERT_EQ(teletext.TTXOn(0x30), DVB_ERR_NONE);
  EXPECT_EQ(State().vtPid, 0x30);
  EXPECT_TRUE(State().vtOn);
  auto blocks = TeletextBlocks(40);
  Send(TeletextPackets(blocks), 5, 333);
  ASSERT_TRUE(WaitFor([&] { return received.Count() == blocks.size(); }));
  EXPECT_EQ(received.Got(), blocks);

  EXPECT_EQ(teletext.TTXModifySearchTable(1, 2, 3, TTX_REQUEST(1)), 1);
  EXPECT_EQ(teletext.TTXGetP29_P830(0x12345), 1);
  SimBoxState s = State();
  EXPECT_EQ(s.vtSearch[0], 1);
  EXPECT_EQ(s.vtSearch[3], 1);
  EXPECT_EQ(s.vtP29, 0x2345);
}

TEST_F(TeletextRemoteTest, TeletextOnAndOff) {
  CReceived received;
  CRecordingTeletext teletext(received);
  sim->ClearLog();
  ASSERT_EQ(teletext.TTXOn(0x30), DVB_ERR_NONE);
  ASSERT_EQ(teletext.TTXOn(0x31), DVB_ERR_NONE);  // off, then on again
  EXPECT_EQ(TeletextCommands(), (std::vector<int>{0x90, 0x91, 0x90}));
  EXPECT_EQ(State().vtPid, 0x31);
  EXPECT_EQ(teletext.TTXOff(), DVB_ERR_NONE);
  EXPECT_FALSE(State().vtOn);
  EXPECT_EQ(teletext.TTXOff(), DVB_ERR_STATE);

  SimBoxState s = State();
  s.vtAnswer = 0;
  sim->SetState(s);
  EXPECT_EQ(teletext.TTXOn(0x30), DVB_ERR_ARGUMENT);
  s.vtAnswer = 1;
  sim->SetState(s);
  ASSERT_EQ(teletext.TTXOn(0x30), DVB_ERR_NONE);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kVtDisable, 0, 1);
  EXPECT_EQ(teletext.TTXOff(), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(teletext.TTXOff(), DVB_ERR_NONE);  // still on: the second try ends it
  ASSERT_EQ(teletext.TTXOn(0x30), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(teletext.TTXOff(), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(teletext.TTXOn(0x30), DVB_ERR_NO_DEVICE);
}

TEST_F(TeletextRemoteTest, KeysReachTheHandlerOfTheirAddress) {
  CReceived received;
  CRecordingRemote remote(received);
  EXPECT_EQ(remote.GetIR_Type(), 0);
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(2), 0xFFFF), DVB_ERR_NONE);
  EXPECT_EQ(remote.GetIR_Type(), 2);
  PressKeys({SimRemoteKey(0x10, 5, 0xA1), SimRemoteKey(0x11, 6), SimRemoteKey(0x12, 5)});
  ASSERT_TRUE(WaitFor([&] { return received.Count() == 3; }));
  EXPECT_EQ(received.Got(), (std::vector<Bytes>{{0x10, 5, 0xA1, 0}, {0x11, 6, 0, 0}, {0x12, 5, 0, 0}}));

  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(2), 5), DVB_ERR_NONE);
  PressKeys({SimRemoteKey(0x20, 6), SimRemoteKey(0x21, 5), SimRemoteKey(0x22, 7), SimRemoteKey(0x23, 5)});
  ASSERT_TRUE(WaitFor([&] { return received.Count() == 5; }));
  auto got = received.Got();
  EXPECT_EQ(got[3], (Bytes{0x21, 5, 0, 0}));
  EXPECT_EQ(got[4], (Bytes{0x23, 5, 0, 0}));

  EXPECT_EQ(remote.SetRemoteControl(IR_TYPE(0), 0), DVB_ERR_NONE);
  EXPECT_EQ(remote.GetIR_Type(), 0);
  EXPECT_EQ(remote.SetRemoteControl(IR_TYPE(0), 0), DVB_ERR_ARGUMENT);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(remote.SetRemoteControl(IR_TYPE(2), 0xFFFF), DVB_ERR_NO_DEVICE);
}

TEST_F(TeletextRemoteTest, DestroyedWhileDataFlowLeavesNothingRegistered) {
  CReceived gone, orphaned, later;
  auto* teletext = new CRecordingTeletext(gone);
  ASSERT_EQ(teletext->TTXOn(0x30), DVB_ERR_NONE);
  auto* remote = new CRecordingRemote(gone);
  ASSERT_EQ(remote->SetRemoteControl(IR_TYPE(1), 0xFFFF), DVB_ERR_NONE);
  auto blocks = TeletextBlocks(300);
  Send(TeletextPackets(blocks), 10, 1000);
  std::vector<Bytes> keys;
  for (int i = 0; i < 200; ++i) keys.push_back(SimRemoteKey(BYTE(i), 1));
  PressKeys(keys);
  ASSERT_TRUE(WaitFor([&] { return gone.Count() > 20; }));
  delete teletext;
  delete remote;
  const size_t handled = gone.Count();
  EXPECT_FALSE(State().vtOn);

  // Destroyed with the box closed: the slots go all the same.
  teletext = new CRecordingTeletext(orphaned);
  ASSERT_EQ(teletext->TTXOn(0x30), DVB_ERR_NONE);
  remote = new CRecordingRemote(orphaned);
  ASSERT_EQ(remote->SetRemoteControl(IR_TYPE(1), 0xFFFF), DVB_ERR_NONE);
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  delete teletext;
  delete remote;
  const size_t orphanedHandled = orphaned.Count();
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  CDVBTSFilter marker;
  ASSERT_EQ(marker.SetFilter(CDVBTSFilter::FILTER_SECTION, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  SimSection section = SimSectionWithCrc(0x42, 1, {1});
  std::vector<SimStreamPacket> packets = TeletextPackets(TeletextBlocks(3));
  packets.push_back(CSimStreamComposer::Section(BYTE(marker.GetFilterID() - 1), section.data(), section.size()));
  Send(packets);
  ASSERT_TRUE(WaitFor([&] { return marker.GetByteCount() > 0; }));
  DWORD counts[64] = {};
  CDVBTSFilter::GetFiltersByteCount(counts, 64);
  EXPECT_EQ(counts[33], 0u);  // no teletext consumer counted them
  // A new remote control receives the keys still queued and the next one;
  // the destroyed consumers received nothing more.
  CRecordingRemote next(later);
  ASSERT_EQ(next.SetRemoteControl(IR_TYPE(1), 0xFFFF), DVB_ERR_NONE);
  // Some 180 keys are still queued, each one interrupt read: on a loaded
  // machine draining them takes longer than the usual wait.
  PressKeys({SimRemoteKey(0xF0, 1)});
  ASSERT_TRUE(WaitFor([&] { return later.Count() > 0 && later.Got().back() == Bytes({0xF0, 1, 0, 0}); }, 60000));
  EXPECT_EQ(gone.Count(), handled);
  EXPECT_EQ(orphaned.Count(), orphanedHandled);
}

TEST_F(TeletextRemoteTest, DestroyingASupersededObjectLeavesTheSlotToItsSuccessor) {
  CReceived first, second;
  auto* teletext = new CRecordingTeletext(first);
  ASSERT_EQ(teletext->TTXOn(0x30), DVB_ERR_NONE);
  CRecordingTeletext holder(second);
  ASSERT_EQ(holder.TTXOn(0x31), DVB_ERR_NONE);
  auto* remote = new CRecordingRemote(first);
  ASSERT_EQ(remote->SetRemoteControl(IR_TYPE(1), 0xFFFF), DVB_ERR_NONE);
  CRecordingRemote remoteHolder(second);
  ASSERT_EQ(remoteHolder.SetRemoteControl(IR_TYPE(1), 0xFFFF), DVB_ERR_NONE);
  const std::vector<int> before = TeletextCommands();
  delete teletext;
  delete remote;
  EXPECT_EQ(TeletextCommands(), before) << "the box was told to stop the successor's teletext";
  EXPECT_TRUE(State().vtOn);
  EXPECT_EQ(State().vtPid, 0x31);

  auto blocks = TeletextBlocks(3);
  Send(TeletextPackets(blocks));
  PressKeys({SimRemoteKey(0x42, 1)});
  ASSERT_TRUE(WaitFor([&] { return second.Count() == blocks.size() + 1; }));
  EXPECT_EQ(first.Count(), 0u);
}
