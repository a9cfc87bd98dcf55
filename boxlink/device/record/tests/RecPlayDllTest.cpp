// Recording through boxlink.dll from the simulated box's recorder in every
// format: the handlers of CDVBRecPlayPES receive exactly the blocks the box
// sent and the PES pieces the demultiplexer makes of them; stop and
// restart, the recorder's faults, a refused record command, an unplugged
// box and destruction while data flow. Then the player's frames and modes,
// and PES packets played back through the multiplexer into the box's player.
#include "BoxFixture.h"

#include "ByteOrder.h"
#include "DVBBoardControl.h"
#include "DVBRecPlayPES.h"
#include "PvaDemultiplexer.h"
#include "PvaMultiplexer.h"
#include "RecordCapture.h"
#include "SimRecorder.h"
#include "TestData.h"
#include "WaitFor.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// What the handlers of a recording receive, shared with the test.
struct Received {
  std::mutex mutex;
  std::vector<std::vector<BYTE>> blocks;  // OnPVAPacketArrival / OnMP2AudioArrival
  CRecordCapture pes;
  std::atomic<int> calls{0};

  void Add(std::vector<BYTE>* to, BYTE* d, int n) {
    std::lock_guard<std::mutex> lock(mutex);
    if (to) to->assign(d, d + n);
    ++calls;
  }
};

class CTestRecorder : public CDVBRecPlayPES {
 public:
  explicit CTestRecorder(Received* into) : m_into(into) {}

  void OnPVAPacketArrival(BYTE* d, int n) override { Block(d, n); }
  void OnMP2AudioArrival(BYTE* d, int n) override { Block(d, n); }
  void OnPESAudio(BYTE* d, int n) override { Pes(&IPesHandlers::OnPESAudio, d, n); }
  void OnPESVideo(BYTE* d, int n) override { Pes(&IPesHandlers::OnPESVideo, d, n); }
  void OnPESRecord(BYTE* d, int n) override { Pes(&IPesHandlers::OnPESRecord, d, n); }

 private:
  void Block(BYTE* d, int n) {
    std::lock_guard<std::mutex> lock(m_into->mutex);
    m_into->blocks.emplace_back(d, d + n);
    ++m_into->calls;
  }
  void Pes(void (IPesHandlers::*handler)(BYTE*, int), BYTE* d, int n) {
    std::lock_guard<std::mutex> lock(m_into->mutex);
    (m_into->pes.*handler)(d, n);
    ++m_into->calls;
  }
  Received* m_into;
};

// At its first pack of the program stream (inside the demultiplexer) it has
// the application pause from its own thread, waits for that call to return,
// and then pauses itself.
class CPausingRecorder : public CTestRecorder {
 public:
  explicit CPausingRecorder(Received* into) : CTestRecorder(into) {}
  ~CPausingRecorder() override {
    StopRecord();
    CloseHandle(m_inHandler);
    CloseHandle(m_applicationPaused);
  }
  void OnPESRecord(BYTE* d, int n) override {
    CTestRecorder::OnPESRecord(d, n);
    if (m_handled.exchange(true)) return;
    SetEvent(m_inHandler);
    m_applicationReturned = WaitForSingleObject(m_applicationPaused, 5000) == WAIT_OBJECT_0;
    // Not after a call that is stuck: it holds what this one would take.
    if (m_applicationReturned) PauseRecording();
  }
  // The application's side, on its own thread.
  void PauseFromTheApplication() {
    if (WaitForSingleObject(m_inHandler, 10000) != WAIT_OBJECT_0) return;
    PauseRecording();
    SetEvent(m_applicationPaused);
  }
  bool ApplicationReturned() const { return m_applicationReturned; }

 private:
  HANDLE m_inHandler = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_applicationPaused = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> m_handled{false};
  std::atomic<bool> m_applicationReturned{false};
};

}  // namespace

class RecordTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    video = ReadTestData("video.m2v");
    audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
    Programme(SimRecorderSetup::kNone);
    ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  }
  void TearDown() override {
    board.EnableIsoStream(0);
    BoxTest::TearDown();
  }
  void Programme(int fault) {
    setup = SimRecorderSetup::Of(video, audio);
    setup.fault = fault;
    sim->SetRecorder(setup);
  }
  // The bytes the recorder sends in a format that reach a worker.
  DWORD Expected(int format) {
    DWORD n = 0;
    for (const auto& p : CSimRecorder::Payloads(format, setup))
      if (p.size() <= CDVBRecPlay::kMaxRecordPacket) n += DWORD(p.size());
    return n;
  }
  // The pieces the demultiplexer makes of what a worker reads.
  std::vector<CapturedCall> Reference(int format) {
    CPvaDemultiplexer demux;
    CRecordCapture capture;
    demux.Initialise(nullptr, &capture);
    demux.SetWaitForSequenceHeader(format != 1);
    for (const auto& p : CSimRecorder::Payloads(format, setup))
      if (p.size() <= CDVBRecPlay::kMaxRecordPacket) demux.Demultiplex(p.data(), DWORD(p.size()));
    return capture.calls;
  }
  void ExpectCalls(const std::vector<CapturedCall>& got, const std::vector<CapturedCall>& want, int format) {
    ASSERT_EQ(got.size(), want.size()) << "format " << format;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].handler, want[i].handler) << i;
      EXPECT_EQ(got[i].data, want[i].data) << "format " << format << " call " << i;
    }
  }

  CDVBBoardControl board;
  std::vector<BYTE> video, audio;
  SimRecorderSetup setup;
};

TEST_F(RecordTest, EveryFormatReachesItsHandlers) {
  for (int format : {5, 4, 1, 2, 3}) {
    Received got;
    CTestRecorder recorder(&got);
    ASSERT_TRUE(recorder.StartRecord(_REC_PLAY_FORMAT(format))) << format;
    EXPECT_EQ(State().lastRecPlay, 0x80);
    EXPECT_EQ(State().recPlayArg, format);
    const DWORD expected = Expected(format);
    EXPECT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= expected; })) << format;
    EXPECT_TRUE(recorder.StopRecord());
    EXPECT_EQ(recorder.GetByteCount(), expected);
    EXPECT_FALSE(recorder.IsRunning());
    EXPECT_EQ(recorder.GetRecPlayMode(), RP_MODE_IDLE);
    std::lock_guard<std::mutex> lock(got.mutex);
    if (format == 3) {
      EXPECT_TRUE(got.blocks.empty());
    } else {
      std::vector<BYTE> all;
      for (const auto& b : got.blocks) all.insert(all.end(), b.begin(), b.end());
      std::vector<BYTE> sent;
      for (const auto& p : CSimRecorder::Payloads(format, setup)) sent.insert(sent.end(), p.begin(), p.end());
      EXPECT_EQ(all, sent) << "format " << format;
    }
    ExpectCalls(got.pes.calls, format == 2 || format == 3 ? std::vector<CapturedCall>() : Reference(format), format);
    if (format == 5) {
      EXPECT_FALSE(got.pes.Of('V').empty());
      EXPECT_FALSE(got.pes.Of('A').empty());
    }
  }
}

TEST_F(RecordTest, StopAndRestartCountFromZero) {
  Received first, second;
  CTestRecorder recorder(&first);
  ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
  ASSERT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= Expected(5); }));
  ASSERT_TRUE(recorder.StopRecord());
  EXPECT_EQ(State().lastRecPlay, 0x81);
  EXPECT_EQ(recorder.StopRecord(), FALSE);  // nothing to stop
  // The same object again: a new demultiplexer, the same pieces.
  first.pes.calls.clear();
  ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
  ASSERT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= Expected(5); }));
  ASSERT_TRUE(recorder.StopRecord());
  EXPECT_EQ(recorder.GetByteCount(), Expected(5));
  std::lock_guard<std::mutex> lock(first.mutex);
  ExpectCalls(first.pes.calls, Reference(5), 5);
}

TEST_F(RecordTest, RecorderFaults) {
  struct Row {
    int fault;
    DWORD dropped;
  } rows[] = {{SimRecorderSetup::kCutPacket, 0}, {SimRecorderSetup::kOversizePacket, 1}};
  for (const Row& row : rows) {
    Programme(row.fault);
    Received got;
    CTestRecorder recorder(&got);
    ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
    EXPECT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= Expected(5); })) << row.fault;
    EXPECT_TRUE(recorder.StopRecord());
    // The packet over the worker's buffer is dropped on arrival and
    // counted; everything behind it arrives.
    EXPECT_EQ(recorder.GetDroppedPackets(), row.dropped);
    EXPECT_EQ(recorder.GetByteCount(), Expected(5));
    std::lock_guard<std::mutex> lock(got.mutex);
    ExpectCalls(got.pes.calls, Reference(5), 5);
  }
}

TEST_F(RecordTest, StalledRecorderStopsAtOnce) {
  Programme(SimRecorderSetup::kStalled);
  Received got;
  CTestRecorder recorder(&got);
  ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
  EXPECT_TRUE(recorder.IsRunning());
  EXPECT_TRUE(recorder.StopRecord());
  EXPECT_FALSE(recorder.IsRunning());
  EXPECT_EQ(got.calls.load(), 0);
}

TEST_F(RecordTest, PauseFromAHandlerAndFromTheApplicationAtOnce) {
  // The handlers run inside the demultiplexer; the application's pause
  // does not wait for them, and a handler may pause as well.
  Received got;
  CPausingRecorder recorder(&got);
  ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
  std::thread application([&] { recorder.PauseFromTheApplication(); });
  EXPECT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= Expected(5); }));
  application.join();
  EXPECT_TRUE(recorder.ApplicationReturned()) << "the application's pause waited for a handler";
  EXPECT_TRUE(recorder.StopRecord());
  std::lock_guard<std::mutex> lock(got.mutex);
  EXPECT_FALSE(got.pes.Of('R').empty());
}

TEST_F(RecordTest, RefusedRecordLeavesNothingRunning) {
  Fault(SimFault::kFail, driverioctl::kCommandChannel, 0x80, 0, 1);
  Received got;
  {
    CTestRecorder refused(&got);
    EXPECT_FALSE(refused.StartRecord(RP_FORMAT_PVA_5));
    EXPECT_FALSE(refused.IsRunning());
    EXPECT_EQ(refused.GetRecPlayMode(), RP_MODE_IDLE);
  }
  // The slot is free: the next recorder takes it and gets everything.
  Received next;
  CTestRecorder recorder(&next);
  ASSERT_TRUE(recorder.StartRecord(RP_FORMAT_PVA_5));
  EXPECT_TRUE(WaitFor([&] { return recorder.GetByteCount() >= Expected(5); }));
  EXPECT_TRUE(recorder.StopRecord());
  EXPECT_EQ(recorder.GetByteCount(), Expected(5));
  EXPECT_EQ(got.calls.load(), 0);
}

TEST_F(RecordTest, UnpluggedDuringARecording) {
  Received got;
  std::unique_ptr<CTestRecorder> recorder(new CTestRecorder(&got));
  ASSERT_TRUE(recorder->StartRecord(RP_FORMAT_PVA_5));
  ASSERT_TRUE(WaitFor([&] { return got.calls.load() > 0; }));
  sim->Unplug();
  // The box cannot be told to stop; the worker stops all the same.
  EXPECT_FALSE(recorder->StopRecord());
  EXPECT_FALSE(recorder->IsRunning());
  recorder.reset();
}

TEST_F(RecordTest, StopAfterTheDeadBoxIsClosedEndsAWaitingReader) {
  Programme(SimRecorderSetup::kStalled);
  CDVBRecPlay recorder;
  ASSERT_EQ(recorder.Record(RP_FORMAT_PVA_5), DVB_ERR_NONE);
  BYTE buffer[CDVBRecPlay::kMaxRecordPacket];
  int read = 0;
  std::thread reader([&] { read = recorder.ReadPacket(buffer, sizeof(buffer), TRUE); });
  sim->Unplug();
  EXPECT_EQ(recorder.Stop(), DVB_ERR_NO_ANSWER);  // the box cannot be told
  // Once the application has ended the stream and closed the dead box, a stop
  // ends the waiting reader instead of leaving it blocked for ever.
  board.EnableIsoStream(0);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(recorder.Stop(), DVB_ERR_NO_DEVICE);
  reader.join();
  EXPECT_EQ(read, -2);
  EXPECT_EQ(recorder.GetRecPlayMode(), RP_MODE_IDLE);
}

TEST_F(RecordTest, DestroyedWhileDataFlow) {
  Received got;
  auto* recorder = new CTestRecorder(&got);
  ASSERT_TRUE(recorder->StartRecord(RP_FORMAT_PVA_4));
  ASSERT_TRUE(WaitFor([&] { return got.calls.load() > 0; }));
  delete recorder;  // no StopRecord: the destructor stops box and worker
  EXPECT_EQ(State().lastRecPlay, 0x81);
  const int calls = got.calls.load();
  // Whatever the box still sends goes nowhere.
  EXPECT_TRUE(WaitFor([&] { return sim->StreamBytesBuffered() == 0; }));
  EXPECT_EQ(got.calls.load(), calls);
}

TEST_F(RecordTest, HeadPacketLongerThanTheBufferStaysQueued) {
  CDVBRecPlay recorder;
  ASSERT_EQ(recorder.Record(RP_FORMAT_PVA_5), DVB_ERR_NONE);
  const auto sent = CSimRecorder::Payloads(5, setup);
  BYTE small[8], big[CDVBRecPlay::kMaxRecordPacket];
  ASSERT_TRUE(WaitFor([&] { return recorder.ReadPacket(small, sizeof(small), FALSE) == -1; }));
  EXPECT_EQ(recorder.ReadPacket(small, sizeof(small), TRUE), -1);
  EXPECT_EQ(recorder.ReadPacket(big, sizeof(big), TRUE), int(sent[0].size()));
  EXPECT_EQ(std::vector<BYTE>(big, big + sent[0].size()), sent[0]);
  EXPECT_EQ(recorder.ReadPacket(big, sizeof(big), TRUE), int(sent[1].size()));
  EXPECT_EQ(recorder.Stop(), DVB_ERR_NONE);
  EXPECT_EQ(recorder.ReadPacket(big, sizeof(big), TRUE), -2);
}

TEST_F(RecordTest, StopEndsAReaderAndAWriterThatWait) {
  Programme(SimRecorderSetup::kStalled);
  CDVBRecPlay recorder;
  ASSERT_EQ(recorder.Record(RP_FORMAT_PVA_5), DVB_ERR_NONE);
  BYTE buffer[CDVBRecPlay::kMaxRecordPacket];
  int read = 0;
  std::thread reader([&] { read = recorder.ReadPacket(buffer, sizeof(buffer), TRUE); });
  EXPECT_EQ(recorder.Stop(), DVB_ERR_NONE);
  reader.join();
  EXPECT_EQ(read, -2);
  // Output is off (input-only setting): every write fails until the stop.
  CDVBRecPlay player;
  ASSERT_EQ(player.Playback(RP_FORMAT_PVA_5), DVB_ERR_NONE);
  BYTE data[4] = {1, 2, 3, 4};
  EXPECT_EQ(player.WritePacket(data, 4, FALSE), 0);
  int written = 0;
  std::thread writer([&] { written = player.WritePacket(data, 4, TRUE); });
  EXPECT_EQ(player.Stop(), DVB_ERR_NONE);
  writer.join();
  EXPECT_EQ(written, -2);
}

class PlaybackTest : public BoxTest {
 protected:
  // Input and output streams on.
  void SetUp() override {
    BoxTest::SetUp();
    ASSERT_EQ(board.EnableIsoStream(13), DVB_ERR_NONE);
  }
  void TearDown() override {
    board.EnableIsoStream(0);
    BoxTest::TearDown();
  }
  CDVBBoardControl board;
};

TEST_F(PlaybackTest, FramesCarryPaddingCounterAndChecksum) {
  CDVBRecPlayPES player;
  EXPECT_EQ(player.WritePacket((BYTE*)"x", 1, FALSE), -2);  // not playing
  ASSERT_TRUE(player.StartPlayback(RP_FORMAT_PVA_5));
  EXPECT_EQ(State().lastRecPlay, 0x82);
  BYTE five[5] = {1, 2, 3, 4, 5};
  BYTE big[CDVBRecPlay::kMaxPayload + 1] = {};
  sim->ClearLog();
  EXPECT_EQ(player.WritePacket(five, 5, FALSE), 8);
  EXPECT_EQ(player.WritePacket(five, 4, FALSE), 4);
  EXPECT_EQ(player.WritePacket(big, sizeof(big), FALSE), -1);
  std::vector<SimLogEntry> writes;
  for (const SimLogEntry& e : Log())
    if (e.kind == SimLogEntry::kWrite) writes.push_back(e);
  ASSERT_EQ(writes.size(), 2u);
  ASSERT_EQ(writes[0].requestLength, 16u);
  ASSERT_EQ(writes[1].requestLength, 12u);
  const BYTE* f = writes[0].request;
  EXPECT_EQ(std::vector<BYTE>(f, f + 12), std::vector<BYTE>({0xAA, 0xAA, 0xAA, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
  // The counter runs on from frame to frame (15 bits).
  const WORD counter = WORD((f[12] << 8) | f[13]);
  EXPECT_EQ(WORD((writes[1].request[8] << 8) | writes[1].request[9]), WORD((counter + 1) & 0x7FFF));
  // The XOR of the little-endian words from the payload to the end is 0
  // once the checksum (stored high byte first) is swapped in.
  for (const SimLogEntry& w : writes) {
    WORD x = 0;
    const DWORD n = w.requestLength;
    for (DWORD i = 4; i + 2 <= n - 2; i += 2) x ^= WORD(w.request[i] | (w.request[i + 1] << 8));
    EXPECT_EQ(x, WORD((w.request[n - 2] << 8) | w.request[n - 1]));
  }
  EXPECT_TRUE(player.StopPlayback());
  EXPECT_EQ(player.WritePacket(five, 5, FALSE), -2);
}

TEST_F(PlaybackTest, TrickModesFollowTheirTable) {
  CDVBRecPlay player;
  struct Row {
    const char* step;
    DVB_ERROR result;
    _REC_PLAY_MODE mode;
  };
  EXPECT_EQ(player.PlaybackPause(), DVB_ERR_STATE);
  ASSERT_EQ(player.Playback(RP_FORMAT_PVA_5), DVB_ERR_NONE);
  const std::pair<std::function<DVB_ERROR()>, Row> steps[] = {
      {[&] { return player.PlaybackFast(1); }, {"fast", DVB_ERR_NONE, RP_MODE_FAST}},
      {[&] { return player.PlaybackFast(0); }, {"fast again", DVB_ERR_STATE, RP_MODE_FAST}},
      {[&] { return player.PlaybackSlow(2); }, {"slow", DVB_ERR_NONE, RP_MODE_SLOW}},
      {[&] { return player.PlaybackSlow(2); }, {"slow again", DVB_ERR_STATE, RP_MODE_SLOW}},
      {[&] { return player.PlaybackPause(); }, {"pause", DVB_ERR_NONE, RP_MODE_PAUSE}},
      {[&] { return player.PlaybackPause(); }, {"pause again", DVB_ERR_NONE, RP_MODE_PAUSE}},
      {[&] { return player.Record(RP_FORMAT_PVA_5); }, {"record", DVB_ERR_STATE, RP_MODE_PAUSE}},
      {[&] { return player.Playback(RP_FORMAT_PVA_5); }, {"play", DVB_ERR_NONE, RP_MODE_PLAY}},
      {[&] { return player.Stop(); }, {"stop", DVB_ERR_NONE, RP_MODE_IDLE}},
      {[&] { return player.Stop(); }, {"stop again", DVB_ERR_STATE, RP_MODE_IDLE}},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(s.first(), s.second.result) << s.second.step;
    EXPECT_EQ(player.GetRecPlayMode(), s.second.mode) << s.second.step;
  }
  EXPECT_EQ(State().lastRecPlay, 0x81);
}

TEST_F(PlaybackTest, DestroyedWhileTheBoxRefusesTheStop) {
  // What the object gave the driver and the intake goes back all the same:
  // the driver keeps no write event that the destructor closes, and the
  // recording slot is free for the next recorder.
  struct Row {
    const char* name;
    std::function<DVB_ERROR(CDVBRecPlay&)> start;
    bool plays;
  } rows[] = {
      {"playing", [](CDVBRecPlay& p) { return p.Playback(RP_FORMAT_PVA_5); }, true},
      {"paused",
       [](CDVBRecPlay& p) {
         const DVB_ERROR e = p.Playback(RP_FORMAT_PVA_5);
         return e != DVB_ERR_NONE ? e : p.PlaybackPause();
       },
       true},
      {"recording", [](CDVBRecPlay& p) { return p.Record(RP_FORMAT_PVA_5); }, false},
  };
  for (const Row& row : rows) {
    size_t mark = 0;
    {
      CDVBRecPlay recplay;
      ASSERT_EQ(row.start(recplay), DVB_ERR_NONE) << row.name;
      mark = size_t(sim->LogCount());
      Fault(SimFault::kFail, driverioctl::kCommandChannel, 0x81, 0, 1);
    }
    // The stream reads stay pending, so the log is never cleared: what
    // the destructor did follows the mark.
    const std::vector<SimLogEntry> log = Log();
    int stops = 0, writeEvents = 0;
    DWORD writeEvent = 0, threshold = 0;
    for (size_t i = mark; i < log.size(); ++i) {
      const SimLogEntry& e = log[i];
      if (e.code == driverioctl::kCommandChannel && e.request[0] == 0x81) {
        ++stops;
        EXPECT_NE(e.error, 0u) << row.name << ": the box refuses the stop";
      }
      if (e.code == driverioctl::kSetupWriteEvent) writeEvent = byteorder::GetLE32(e.request), ++writeEvents;
      if (e.code == driverioctl::kSetThreshold) threshold = byteorder::GetLE32(e.request);
    }
    EXPECT_EQ(stops, 1) << row.name;
    if (row.plays) {
      EXPECT_EQ(writeEvents, 1) << row.name;
      EXPECT_EQ(writeEvent, 0u) << row.name << ": the write event is taken back";
      EXPECT_EQ(threshold, 0u) << row.name;
    } else {
      EXPECT_EQ(writeEvents, 0) << row.name;
    }
    CDVBRecPlay next;
    EXPECT_EQ(next.Record(RP_FORMAT_PVA_5), DVB_ERR_NONE) << row.name;
    EXPECT_EQ(next.Stop(), DVB_ERR_NONE) << row.name;
  }
}

namespace {

// The PVA packets the multiplexer releases, one after the other.
struct PlayedPackets : IPvaPacketSink {
  std::vector<BYTE> bytes;
  int ReleasePacket(BYTE* p, DWORD n) override {
    bytes.insert(bytes.end(), p, p + n);
    return int(n);
  }
};

}  // namespace

class PesPlaybackTest : public PlaybackTest {
 protected:
  void SetUp() override {
    PlaybackTest::SetUp();
    // A recording of the fixture programme, cut into PES packets.
    const std::vector<BYTE> video = ReadTestData("video.m2v"), audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
    const SimRecorderSetup setup = SimRecorderSetup::Of(video, audio);
    CPvaDemultiplexer demux;
    CRecordCapture capture;
    demux.Initialise(nullptr, &capture);
    for (const auto& p : CSimRecorder::Payloads(5, setup)) demux.Demultiplex(p.data(), DWORD(p.size()));
    for (const CapturedCall& c : capture.calls)
      if (c.handler != 'R') pes.push_back(c.data);
    ASSERT_GT(capture.Of('V').size(), 10u);
    ASSERT_GT(capture.Of('A').size(), 10u);
  }
  std::vector<BYTE> Played() {
    std::vector<BYTE> played(sim->GetPlayed(nullptr, 0));
    sim->GetPlayed(played.data(), DWORD(played.size()));
    return played;
  }

  std::vector<std::vector<BYTE>> pes;
};

TEST_F(PesPlaybackTest, PesPacketsReachThePlayerAsValidFramesInOrder) {
  CDVBRecPlayPES player;
  ASSERT_TRUE(player.StartPlayback(RP_FORMAT_PVA_5));
  // The packets the multiplexer makes of the same PES, dropping what is
  // queued where the player's buffer is cleared.
  PlayedPackets want;
  CPvaMultiplexer reference;
  reference.Reset(&want);
  const size_t clearAt = pes.size() / 2;
  for (size_t i = 0; i < pes.size(); ++i) {
    if (i == clearAt) {
      player.InitClearBuffer();
      reference.Reset(&want);
      reference.Clear();
    }
    EXPECT_TRUE(player.WritePES(pes[i].data(), WORD(pes[i].size()))) << i;
    reference.CutPes(pes[i].data(), DWORD(pes[i].size()));
  }
  ASSERT_GT(want.bytes.size(), 100000u);
  EXPECT_EQ(sim->PlayerRejectedFrames(), 0u);
  EXPECT_EQ(Played(), want.bytes);
  // Both streams reached the player, each in counter order but for the
  // one jump where the queued packets were dropped.
  BYTE next[2] = {};
  int packets[2] = {}, jumps[2] = {};
  const std::vector<BYTE> played = Played();
  for (size_t at = 0; at + 8 <= played.size(); at += 8 + ((played[at + 6] << 8) | played[at + 7])) {
    const int stream = played[at + 2] - 1;
    if (packets[stream]++ && played[at + 3] != next[stream]) ++jumps[stream];
    next[stream] = BYTE(played[at + 3] + 1);
  }
  EXPECT_LE(jumps[0], 1);
  EXPECT_LE(jumps[1], 1);
  EXPECT_GT(packets[0], 100);
  EXPECT_GT(packets[1], 20);
  EXPECT_TRUE(player.StopPlayback());
}

TEST_F(PesPlaybackTest, NullPacketSendsNothing) {
  CDVBRecPlayPES player;
  ASSERT_TRUE(player.StartPlayback(RP_FORMAT_PVA_5));
  sim->ClearLog();
  EXPECT_FALSE(player.WritePES(nullptr, 100));
  for (const SimLogEntry& e : Log()) EXPECT_NE(e.kind, SimLogEntry::kWrite);
  EXPECT_TRUE(Played().empty());
  EXPECT_TRUE(player.StopPlayback());
}

TEST_F(PesPlaybackTest, StartPlaybackStartsTheCountersAgain) {
  CDVBRecPlayPES player;
  for (int run = 0; run < 2; ++run) {
    const size_t before = Played().size();
    ASSERT_TRUE(player.StartPlayback(RP_FORMAT_PVA_5));
    for (size_t i = 0; i < 40; ++i) player.WritePES(pes[i].data(), WORD(pes[i].size()));
    const std::vector<BYTE> played = Played();
    ASSERT_GE(played.size(), before + 8) << run;
    EXPECT_EQ(played[before + 3], 0) << run;  // the run's first packet's counter
    EXPECT_TRUE(player.StopPlayback());
  }
  EXPECT_EQ(sim->PlayerRejectedFrames(), 0u);
}
