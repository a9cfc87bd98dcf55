// The USB infrared receiver through boxlink.dll against the simulated
// receiver: scripted reads of RC-5 code words give the expected press and
// release reports, reception is switched on and off, a close while the
// worker reads leaves the receiver to the read until it has finished, and a
// derived object stops the delivery before its own members go.
#include "BoxFixture.h"

#include "SimIrReceiver.h"
#include "USBRemoteControl.h"
#include "WaitFor.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace {

ISimIrReceiver* IrSimulator() {
  static ISimIrReceiver* ir = SimulatorInterface<ISimIrReceiver>(BOXSIM_IR_RECEIVER_EXPORT);
  return ir;
}

// What the handlers reported, in order ("raw 080C", "press 000C",
// "release 000C"); outlives the object that fills it.
class CReports {
 public:
  void Add(const std::string& report) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_reports.push_back(report);
  }
  std::vector<std::string> Get() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reports;
  }
  size_t Count() { return Get().size(); }

 private:
  std::mutex m_mutex;
  std::vector<std::string> m_reports;
};

std::string Report(const char* what, WORD word) {
  char text[32];
  snprintf(text, sizeof(text), "%s %04X", what, word);
  return text;
}

class CRecordingRemote : public CUSBRemoteControl {
 public:
  explicit CRecordingRemote(CReports& reports) : m_reports(reports) {}

 protected:
  void OnRC5Code(WORD code) override { m_reports.Add(Report("raw", code)); }
  void OnRemoteControlCode(BYTE* data, int length) override {
    if (length != 2) {
      m_reports.Add("length " + std::to_string(length));
      return;
    }
    WORD word = WORD(data[0] | data[1] << 8);
    m_reports.Add(Report(word & 0x8000 ? "press" : "release", WORD(word & 0x7FFF)));
  }

 private:
  CReports& m_reports;
};

// A remote whose handlers use a member that its destructor takes down,
// after it has stopped the delivery; a handler that finds it down reports so.
class CGuardedRemote : public CUSBRemoteControl {
 public:
  explicit CGuardedRemote(CReports& reports) : m_reports(reports) {}
  ~CGuardedRemote() override {
    StopDelivery();
    m_alive = false;
    m_reports.Add("gone");
  }

 protected:
  void OnRC5Code(WORD code) override { m_reports.Add(m_alive ? Report("raw", code) : "called after destruction"); }
  void OnRemoteControlCode(BYTE*, int) override {
    if (!m_alive) m_reports.Add("called after destruction");
  }

 private:
  CReports& m_reports;
  volatile bool m_alive = true;
};

// RC-5 words: a key (address 0, command 12) with either toggle bit, and
// another key (address 5, command 16).
const WORD kKey = 0x000C, kKeyToggled = 0x080C, kOther = 0x0150;

// One receiver record: the code word and two bytes the decoder ignores.
void Record(std::vector<BYTE>& out, WORD code) {
  BYTE r[4] = {BYTE(code), BYTE(code >> 8), 0xEE, 0xFF};
  out.insert(out.end(), r, r + 4);
}

struct Read {
  std::vector<WORD> codes;
  DWORD extraBytes;  // bytes after the records
};

struct Script {
  const char* name;
  std::vector<Read> reads;
  std::vector<std::string> expected;
};

}  // namespace

class USBRemoteControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ir = IrSimulator();
    ASSERT_NE(ir, nullptr) << "the library's test build must be loaded, with boxsim.dll";
    ir->Reset();
    ir->SetPresent(1);
  }
  void TearDown() override { ir->Reset(); }

  void Queue(const std::vector<Read>& reads) {
    std::vector<BYTE> bytes;
    std::vector<DWORD> lengths;
    for (const Read& r : reads) {
      size_t before = bytes.size();
      for (WORD code : r.codes) Record(bytes, code);
      bytes.insert(bytes.end(), r.extraBytes, 0xAA);
      lengths.push_back(DWORD(bytes.size() - before));
    }
    ir->QueueReads(bytes.data(), lengths.data(), int(lengths.size()));
  }

  ISimIrReceiver* ir = nullptr;
};

TEST_F(USBRemoteControlTest, ScriptsGiveTheirPressAndReleaseReports) {
  const std::string press = Report("press", kKey), release = Report("release", kKey);
  const Script scripts[] = {
      {"a held key repeats in reads that follow each other: one press, one release after the silence",
       {{{kKey}, 0}, {{kKey}, 0}, {{kKey}, 0}},
       {Report("raw", kKey), press, Report("raw", kKey), Report("raw", kKey), release}},
      {"the toggle bit changes: the key is released and pressed again",
       {{{kKey}, 0}, {{kKeyToggled}, 0}},
       {Report("raw", kKey), press, Report("raw", kKeyToggled), release, press, release}},
      {"another key in the same read releases the first",
       {{{kKey, kOther}, 0}},
       {Report("raw", kKey), press, Report("raw", kOther), release, Report("press", kOther),
        Report("release", kOther)}},
      {"bytes short of a whole record are ignored, also a read of them alone",
       {{{kKey}, 2}, {{}, 3}},
       {Report("raw", kKey), press, release}},
  };
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.name);
    CReports reports;
    CRecordingRemote remote(reports);
    ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(1), 0), DVB_ERR_NONE);
    EXPECT_EQ(remote.GetIR_Type(), 1);
    EXPECT_EQ(ir->Mode(), 4u);
    EXPECT_TRUE(ir->HasEvent());
    EXPECT_TRUE(ir->LastOpenFlags() & FILE_FLAG_OVERLAPPED);
    Queue(s.reads);
    ASSERT_TRUE(WaitFor([&] { return reports.Count() >= s.expected.size(); })) << reports.Count();
    EXPECT_EQ(reports.Get(), s.expected);
    EXPECT_EQ(ir->ScriptLeft(), 0);
  }
  // Every object closed its receiver.
  EXPECT_EQ(ir->OpenHandles(), 0);
}

TEST_F(USBRemoteControlTest, SwitchingReceptionOnAndOff) {
  CReports reports;
  CRecordingRemote remote(reports);
  EXPECT_EQ(remote.SetRemoteControl(IR_TYPE(0), 0), DVB_ERR_NONE) << "off when off already";

  ir->SetPresent(0);
  EXPECT_EQ(remote.SetRemoteControl(IR_TYPE(3), 0), DVB_ERR_FAILED) << "no receiver present";
  EXPECT_EQ(remote.GetIR_Type(), 0);

  ir->SetPresent(1);
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(3), 0), DVB_ERR_NONE);
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(3), 0), DVB_ERR_NONE) << "switching on again reopens";
  EXPECT_EQ(ir->OpenHandles(), 1);
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(0), 0), DVB_ERR_NONE);
  EXPECT_EQ(remote.GetIR_Type(), 0);
  EXPECT_EQ(ir->Mode(), 0u);
  EXPECT_FALSE(ir->HasEvent());
  ASSERT_TRUE(WaitFor([&] { return ir->OpenHandles() == 0; }));
  // Off, the receiver is not read.
  Queue({{{kKey}, 0}});
  EXPECT_EQ(ir->ScriptLeft(), 1);
  EXPECT_EQ(reports.Count(), 0u);
}

TEST_F(USBRemoteControlTest, CloseDuringAReadLeavesTheReceiverToTheReadUntilItEnds) {
  CReports reports;
  CRecordingRemote remote(reports);
  ir->HoldReads(TRUE);
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(1), 0), DVB_ERR_NONE);
  ASSERT_TRUE(WaitFor([&] { return ir->HeldReads() == 1; }));

  // Switched off while the worker's read waits in the driver: reception
  // ends and the read is cancelled at once, but the device handle and the
  // context the read uses stay until the read has left them.
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(0), 0), DVB_ERR_NONE);
  EXPECT_EQ(ir->Mode(), 0u);
  ASSERT_TRUE(WaitFor([&] { return ir->OpenHandles() == 0; }));
  EXPECT_EQ(ir->HeldReads(), 0);
  EXPECT_EQ(ir->ClosedDuringRead(), 0);
  ir->HoldReads(FALSE);

  // The worker carries on: reception works again.
  ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(1), 0), DVB_ERR_NONE);
  Queue({{{kKey}, 0}});
  ASSERT_TRUE(WaitFor([&] { return reports.Count() >= 3; }));
  EXPECT_EQ(reports.Get(), std::vector<std::string>({Report("raw", kKey), Report("press", kKey),
                                                     Report("release", kKey)}));
}

TEST_F(USBRemoteControlTest, DestroyedWhileAReadWaits) {
  CReports reports;
  {
    CRecordingRemote remote(reports);
    ir->HoldReads(TRUE);
    ASSERT_EQ(remote.SetRemoteControl(IR_TYPE(1), 0), DVB_ERR_NONE);
    ASSERT_TRUE(WaitFor([&] { return ir->HeldReads() == 1; }));
  }
  // The worker ended within its stop time and let go of the receiver.
  EXPECT_EQ(ir->OpenHandles(), 0);
  EXPECT_EQ(ir->ClosedDuringRead(), 0);
  EXPECT_EQ(reports.Count(), 0u);
}

TEST_F(USBRemoteControlTest, ADerivedRemoteStopsTheDeliveryBeforeItsMembersGo) {
  // Keys keep coming while each object is destroyed.
  for (int round = 0; round < 10; ++round) {
    std::vector<Read> reads;
    for (int i = 0; i < 200; ++i) reads.push_back({{i % 2 ? kKey : kOther}, 0});
    Queue(reads);
    CReports reports;
    auto* remote = new CGuardedRemote(reports);
    ASSERT_EQ(remote->SetRemoteControl(IR_TYPE(1), 0), DVB_ERR_NONE);
    ASSERT_TRUE(WaitFor([&] { return reports.Count() >= 10; }));
    delete remote;
    std::vector<std::string> got = reports.Get();
    EXPECT_EQ(got.back(), "gone") << "round " << round;
    EXPECT_EQ(std::count(got.begin(), got.end(), "called after destruction"), 0) << "round " << round;
    ir->Reset();
    ir->SetPresent(1);
  }
}
