// Recording to files and playing them back through boxlink.dll, from and into
// the simulated box: every file format (and the audio-only PVA and raw
// recordings, opened by their stream format), split and ring files, seeking and the
// trick modes against a player that plays at its own rate, status notices to
// a window, a box that stops taking data or is unplugged while it plays, and
// files that cannot be written.
#include "BoxFixture.h"

#include "DVBBoardControl.h"
#include "DVBRecPlayFile.h"
#include "ElementaryStreams.h"
#include "PvaDemultiplexer.h"
#include "RecordCapture.h"
#include "SimRecorder.h"
#include "TestData.h"
#include "WaitFor.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

using elementary::Bytes;
using elementary::OfStream;

namespace {

const UINT kStatusMessage = WM_APP + 7;
// Audio-only PVA and raw recordings have no file format: they are opened by
// their stream format.
const _REC_PLAY_FILE_FORMAT kByStreamFormat = _REC_PLAY_FILE_FORMAT(-1);

// A message-only window that counts the status notices posted to it.
class CStatusWindow {
 public:
  CStatusWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BoxFileStatus";
    RegisterClassA(&wc);
    m_hWnd = CreateWindowA("BoxFileStatus", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~CStatusWindow() { DestroyWindow(m_hWnd); }
  HWND Handle() const { return m_hWnd; }
  // Delivers what was posted and returns the notices so far.
  int Notices() {
    MSG msg;
    while (PeekMessageA(&msg, m_hWnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return s_notices;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kStatusMessage && wp == 0 && lp == 0) ++s_notices;
    return DefWindowProcA(w, m, wp, lp);
  }
  HWND m_hWnd;
  static int s_notices;
};
int CStatusWindow::s_notices = 0;

Bytes ReadFile(const std::string& name) { return ReadFileBytes(name); }

// What a recording made of these writes leaves on disk, split into parts:
// a new part when the next write would bring the part to the limit.
std::vector<Bytes> SplitParts(const std::vector<Bytes>& writes, DWORD limitKB) {
  std::vector<Bytes> parts(1);
  for (const Bytes& w : writes) {
    if ((parts.back().size() + w.size()) / 1024 >= limitKB) parts.emplace_back();
    elementary::Append(parts.back(), w.data(), w.size());
  }
  return parts;
}

// ... or as a ring: zero-padded to exactly the limit at each wrap, the
// newest writes at its start.
Bytes RingFile(const std::vector<Bytes>& writes, DWORD limitKB) {
  Bytes ring;
  size_t at = 0;
  for (const Bytes& w : writes) {
    if ((at + w.size()) / 1024 >= limitKB) {
      ring.resize(limitKB * 1024);
      std::fill(ring.begin() + long(at), ring.end(), 0);
      at = 0;
    }
    if (ring.size() < at + w.size()) ring.resize(at + w.size());
    std::copy(w.begin(), w.end(), ring.begin() + long(at));
    at += w.size();
  }
  return ring;
}

// The PVA packets of a run of them, by their length fields.
std::vector<Bytes> Packets(const Bytes& run) {
  std::vector<Bytes> out;
  for (size_t at = 0; at + 8 <= run.size();) {
    const size_t n = 8 + ((run[at + 6] << 8) | run[at + 7]);
    out.emplace_back(run.begin() + long(at), run.begin() + long(std::min(run.size(), at + n)));
    at += n;
  }
  return out;
}

// Removes a test's own folder and what it holds (one level deep).
void RemoveTestFolder(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = dir + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(path.c_str());
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

}  // namespace

class RecPlayFileTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    video = ReadTestData("video.m2v");
    audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
    Programme(1);
    // Input and output streams on.
    ASSERT_EQ(board.EnableIsoStream(13), DVB_ERR_NONE);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int n = 0;
    dir = std::string(temp) + "boxfile-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++n) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
  }
  void TearDown() override {
    board.EnableIsoStream(0);
    // A set-up that stopped before making the folder leaves it empty: clearing
    // "" would empty the working folder, the build tree.
    if (!dir.empty()) RemoveTestFolder(dir);
    BoxTest::TearDown();
  }
  void Programme(int loops) {
    setup = SimRecorderSetup::Of(video, audio);
    setup.loops = loops;
    sim->SetRecorder(setup);
  }
  // The bytes the box's recorder sends in a format, packet by packet.
  std::vector<Bytes> Sent(int format) { return CSimRecorder::Payloads(format, setup); }
  Bytes SentBytes(int format) {
    Bytes all;
    for (const Bytes& p : Sent(format)) elementary::Append(all, p.data(), p.size());
    return all;
  }
  // What the recording writes in a file format: the packets as sent, or
  // the program stream the demultiplexer makes of them, pack by pack.
  std::vector<Bytes> Writes(_REC_PLAY_FILE_FORMAT fileFormat, int format) {
    if (fileFormat != RP_FILE_PROGRAM_STREAM) return Sent(format);
    CPvaDemultiplexer demux;
    CRecordCapture capture;
    demux.Initialise(&capture, &capture);
    for (const Bytes& p : Sent(format)) demux.Demultiplex(p.data(), DWORD(p.size()));
    return capture.Of('R');
  }
  Bytes Written(_REC_PLAY_FILE_FORMAT fileFormat, int format) {
    Bytes all;
    for (const Bytes& w : Writes(fileFormat, format)) elementary::Append(all, w.data(), w.size());
    return all;
  }
  // Records the programme into `name` and waits until `done` says all of
  // it is written (by default: the file holds everything the box sent).
  // kByStreamFormat: opened by the stream format alone.
  void RecordInto(const std::string& name, _REC_PLAY_FILE_FORMAT fileFormat, int format, DWORD limitKB = 0,
                  BOOL ring = FALSE, std::function<bool(CDVBRecPlayFile&)> done = nullptr) {
    CDVBRecPlayFile rec;
    if (fileFormat == kByStreamFormat)
      ASSERT_TRUE(rec.Open(name.c_str(), _REC_PLAY_FORMAT(format), 0));
    else
      ASSERT_TRUE(rec.Open(name.c_str(), fileFormat, 0, limitKB, ring));
    ASSERT_TRUE(rec.Record());
    EXPECT_EQ(State().recPlayArg, format);
    const DWORD total = DWORD(Written(fileFormat, format).size());
    if (!done) done = [&](CDVBRecPlayFile& r) { return r.GetFileSize() >= total; };
    ASSERT_TRUE(WaitFor([&] { return done(rec); })) << name << ", dropped on arrival: " << rec.GetDroppedPackets();
    EXPECT_TRUE(rec.Stop());
    EXPECT_TRUE(rec.Close());
    EXPECT_EQ(rec.GetFileError(), 0);
  }
  // A recording longer than the library's recording ring, written here as
  // the recorder would send it: the box sends it in one burst, faster than
  // any real programme, so recorded through the box its tail could be
  // dropped on arrival.
  Bytes WriteLongRecording(const std::string& name) {
    Programme(3);
    const Bytes bytes = SentBytes(4);
    CFile out(name.c_str(), CFile::modeCreate | CFile::modeWrite);
    out.Write(bytes.data(), UINT(bytes.size()));
    return bytes;
  }
  SimPlayerStatus Player() {
    SimPlayerStatus s;
    sim->GetPlayerStatus(&s);
    return s;
  }
  // A new playback: what the player takes from now on, and its counters.
  void MarkPlayer(DWORD rate) {
    sim->SetPlayerRate(rate);
    playedMark = sim->GetPlayed(nullptr, 0);
    mark = Player();
  }
  Bytes Played() {
    Bytes played(sim->GetPlayed(nullptr, 0));
    sim->GetPlayed(played.data(), DWORD(played.size()));
    return Bytes(played.begin() + long(playedMark), played.end());
  }
  DWORD Accepted() { return Player().acceptedFrames - mark.acceptedFrames; }
  DWORD Refused() { return Player().refusedWrites - mark.refusedWrites; }

  CDVBBoardControl board;
  Bytes video, audio;
  SimRecorderSetup setup;
  std::string dir;
  CStatusWindow window;
  size_t playedMark = 0;
  SimPlayerStatus mark;
};

TEST_F(RecPlayFileTest, EveryFileFormatRecordsAndPlaysBack) {
  struct Row {
    const char* name;
    _REC_PLAY_FILE_FORMAT fileFormat;
    int format;  // what the box records and plays
  } rows[] = {
      {"PVA, audio only", kByStreamFormat, 1},
      {"MPEG audio", RP_FILE_MPEG_AUDIO, 2},
      {"raw", kByStreamFormat, 3},
      {"PVA", RP_FILE_PVA, 4},
      {"PVA, video held against audio", RP_FILE_PVA_REORDERED, 5},
      {"program stream", RP_FILE_PROGRAM_STREAM, 5},
  };
  for (const Row& row : rows) {
    const bool byStream = row.fileFormat == kByStreamFormat;
    const std::string name = dir + "rec" + std::to_string(row.format) + "-" + std::to_string(row.fileFormat) + ".rec";
    RecordInto(name, row.fileFormat, row.format);
    const Bytes file = ReadFile(name);
    EXPECT_EQ(file, Written(row.fileFormat, row.format)) << row.name;

    MarkPlayer(1000000);
    const DWORD rejected = sim->PlayerRejectedFrames();
    CDVBRecPlayFile play;
    const int before = window.Notices();
    play.SetStatusChangedMessage(window.Handle(), kStatusMessage, TRUE);
    DWORD duration, rate, position;
    _REC_PLAY_MODE mode;
    if (byStream) {
      ASSERT_TRUE(play.Open(name.c_str(), _REC_PLAY_FORMAT(row.format), 1)) << row.name;
      _REC_PLAY_FORMAT format;
      play.GetStatus(duration, rate, position, mode, format);
      EXPECT_EQ(duration, 0u) << row.name << ": no timestamps to measure";
      EXPECT_EQ(int(format), row.format);
    } else {
      ASSERT_TRUE(play.Open(name.c_str(), row.fileFormat, 1)) << row.name;
      _REC_PLAY_FILE_FORMAT fileFormat;
      play.GetStatus(duration, rate, position, mode, fileFormat);
      EXPECT_NEAR(double(duration), 3000.0, 400.0) << row.name;
      EXPECT_EQ(fileFormat, row.fileFormat);
    }
    ASSERT_TRUE(play.Playback(0)) << row.name;
    EXPECT_EQ(Player().format, row.format);
    // The end of the file stops the box's player and tells the window.
    ASSERT_TRUE(WaitFor([&] { return play.GetRecPlayMode() == RP_MODE_IDLE; })) << row.name;
    EXPECT_TRUE(WaitFor([&] { return State().lastRecPlay == 0x81; })) << row.name;
    EXPECT_TRUE(WaitFor([&] { return window.Notices() >= before + 4; })) << row.name;  // set, open, play, end
    EXPECT_EQ(sim->PlayerRejectedFrames(), rejected) << row.name;
    const Bytes played = Played();
    if (row.fileFormat == RP_FILE_MPEG_AUDIO) {
      EXPECT_EQ(played, audio) << row.name;
    } else if (row.format == 3) {
      // The frame pads the last, short block to whole words, and raw bytes
      // do not say where they end: the box plays up to 3 zeros more.
      ASSERT_GE(played.size(), file.size()) << row.name;
      EXPECT_LT(played.size() - file.size(), 4u) << row.name;
      EXPECT_TRUE(std::equal(file.begin(), file.end(), played.begin())) << row.name;
      EXPECT_TRUE(std::all_of(played.begin() + long(file.size()), played.end(), [](BYTE b) { return b == 0; }));
    } else if (row.fileFormat == RP_FILE_PVA || byStream) {
      EXPECT_EQ(played, file) << row.name;
    } else if (row.fileFormat == RP_FILE_PVA_REORDERED) {
      for (BYTE stream : {1, 2}) EXPECT_EQ(OfStream(Packets(played), stream), OfStream(Packets(file), stream)) << row.name;
    } else {
      const elementary::Elementary in = elementary::FromPesRun(file), out = elementary::FromPva(Packets(played));
      EXPECT_EQ(out.audio, in.audio) << row.name;
      ASSERT_LE(out.video.size(), in.video.size());
      EXPECT_LT(in.video.size() - out.video.size(), 4u) << row.name;  // the last tail waits for a next PES
      EXPECT_TRUE(std::equal(out.video.begin(), out.video.end(), in.video.begin())) << row.name;
    }
    EXPECT_TRUE(play.Close());
  }
}

TEST_F(RecPlayFileTest, SplitAndRingFilesHoldTheirLimit) {
  // The limit holds what is written: the program stream the recording
  // makes of the box's packets, and MPEG audio whatever the pause says
  // (only PVA recordings pause).
  const DWORD limitKB = 50;
  struct Row {
    const char* name;
    _REC_PLAY_FILE_FORMAT fileFormat;
    int format;
    BOOL ring;
    bool pause;  // toggled as the recording starts
  } rows[] = {
      {"PVA, split", RP_FILE_PVA, 4, FALSE, false},
      {"PVA, ring", RP_FILE_PVA, 4, TRUE, false},
      {"program stream, split", RP_FILE_PROGRAM_STREAM, 5, FALSE, false},
      {"program stream, ring", RP_FILE_PROGRAM_STREAM, 5, TRUE, false},
      {"MPEG audio, ring, the pause toggled", RP_FILE_MPEG_AUDIO, 2, TRUE, true},
  };
  for (const Row& row : rows) {
    const std::vector<Bytes> writes = Writes(row.fileFormat, row.format);
    const std::vector<Bytes> parts = SplitParts(writes, limitKB);
    ASSERT_GE(parts.size(), row.ring ? 2u : 3u) << row.name;
    const Bytes ring = RingFile(writes, limitKB);
    const std::string stem = dir + "limit" + std::to_string(&row - rows), name = stem + ".rec";
    const auto part = [&](size_t i) {
      char suffix[16];
      sprintf(suffix, "_%03u.rec", unsigned(i));
      return i ? stem + suffix : name;
    };

    CDVBRecPlayFile rec;
    // A ring that failed to open is no ring for the next open, which names
    // none.
    ASSERT_FALSE(rec.Open((dir + "none\\ring.rec").c_str(), RP_FILE_PVA, 0, limitKB, TRUE)) << row.name;
    ASSERT_TRUE(row.ring ? rec.Open(name.c_str(), row.fileFormat, 0, limitKB, TRUE)
                         : rec.Open(name.c_str(), row.fileFormat, 0, limitKB))
        << row.name;
    ASSERT_TRUE(rec.Record()) << row.name;
    if (row.pause) rec.PauseRecording();
    EXPECT_TRUE(WaitFor([&] {
      return row.ring ? ReadFile(name) == ring : ReadFile(part(parts.size() - 1)).size() == parts.back().size();
    })) << row.name;
    EXPECT_TRUE(rec.Stop()) << row.name;
    EXPECT_TRUE(rec.Close()) << row.name;
    EXPECT_EQ(rec.GetFileError(), 0) << row.name;
    if (row.ring) {
      EXPECT_EQ(ReadFile(name).size(), limitKB * 1024) << row.name;
      EXPECT_TRUE(ReadFile(part(1)).empty()) << row.name;
      continue;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
      const Bytes b = ReadFile(part(i));
      EXPECT_LT(b.size(), limitKB * 1024) << row.name << " part " << i;
      EXPECT_EQ(b, parts[i]) << row.name << " part " << i;
    }
    EXPECT_TRUE(ReadFile(part(parts.size())).empty()) << row.name;
  }
}

TEST_F(RecPlayFileTest, CallsDuringARecordingLeaveItIntact) {
  // A double click on Record, and calls that do not fit a recording: all
  // refused, and the recording runs on from where it stands.
  const std::string name = dir + "running.pva";
  const Bytes sent = SentBytes(4);
  CDVBRecPlayFile rec;
  ASSERT_TRUE(rec.Open(name.c_str(), RP_FILE_PVA, 0));
  ASSERT_TRUE(rec.Record());
  ASSERT_TRUE(WaitFor([&] { return rec.GetFileSize() > 0; }));
  EXPECT_FALSE(rec.Record());
  EXPECT_FALSE(rec.Playback(0));
  EXPECT_FALSE(rec.Open(name.c_str(), RP_FILE_PVA, 0));
  EXPECT_EQ(rec.GetRecPlayMode(), RP_MODE_RECORD);
  EXPECT_TRUE(WaitFor([&] { return rec.GetFileSize() >= sent.size(); }));
  EXPECT_TRUE(rec.Stop());
  EXPECT_TRUE(rec.Close());
  EXPECT_EQ(ReadFile(name), sent);
}

TEST_F(RecPlayFileTest, SeekPauseSlowAndFastAgainstThePlayersRate) {
  const std::string name = dir + "long.pva";
  const Bytes file = WriteLongRecording(name);  // about 600 KB: more than the player's threshold

  MarkPlayer(200000);
  CDVBRecPlayFile play;
  play.SetStatusChangedMessage(window.Handle(), kStatusMessage, TRUE);
  ASSERT_TRUE(play.Open(name.c_str(), RP_FILE_PVA, 1));
  const int playNotices = window.Notices();
  ASSERT_TRUE(play.Playback(0));
  ASSERT_TRUE(WaitFor([&] { return Accepted() > 50; }));
  // The playback's notice, and at least one of the rate and position.
  EXPECT_TRUE(WaitFor([&] { return window.Notices() >= playNotices + 2; }));

  // Paused, the box fills up to the driver's threshold and then turns the
  // writer away until it plays again.
  ASSERT_TRUE(play.PlaybackPause());
  EXPECT_EQ(Player().mode, CSimPlayer::kPaused);
  ASSERT_TRUE(WaitFor([&] { return Refused() > 0; }));
  EXPECT_EQ(Player().limit, 244000u);
  EXPECT_LE(Player().peakBuffered, 244000u + 1032);
  EXPECT_EQ(play.GetRecPlayMode(), RP_MODE_PAUSE);

  ASSERT_TRUE(play.PlaybackSlow(3));
  EXPECT_EQ(Player().mode, CSimPlayer::kSlow);
  EXPECT_EQ(Player().speed, 3);
  EXPECT_FALSE(play.PlaybackSlow(3)) << "already slow";
  ASSERT_TRUE(play.PlaybackFast(1));
  EXPECT_EQ(Player().mode, CSimPlayer::kFastIP);
  ASSERT_TRUE(play.PlaybackPause());

  // Two seconds back from the pause: the file goes back about two seconds'
  // worth of bytes and plays on from the next packet.
  DWORD duration, rate, position;
  _REC_PLAY_MODE mode;
  _REC_PLAY_FORMAT format;
  play.GetStatus(duration, rate, position, mode, format);
  ASSERT_GT(duration, 8000u);
  const ULONGLONG before = play.GetFilePosition();
  ASSERT_GT(before, 2 * file.size() / 9);
  const DWORD positionBefore = position;
  ASSERT_GE(positionBefore, 2000u);
  const int seekNotices = window.Notices();
  ASSERT_TRUE(play.Playback(DWORD(-2000)));
  EXPECT_EQ(Player().mode, CSimPlayer::kPlaying);
  // At once the position the jump aims at; then where the file stands.
  play.GetStatus(duration, rate, position, mode, format);
  EXPECT_LT(position, positionBefore);
  EXPECT_TRUE(WaitFor([&] { return play.GetFilePosition() < before; }));
  EXPECT_TRUE(WaitFor([&] { return window.Notices() > seekNotices; })) << "the jump is told";

  sim->SetPlayerRate(0);
  ASSERT_TRUE(WaitFor([&] { return play.GetRecPlayMode() == RP_MODE_IDLE; }));
  const int endNotices = window.Notices();
  EXPECT_EQ(sim->PlayerRejectedFrames(), 0u);
  // What lay between the target and where the reader stood played twice.
  const Bytes played = Played();
  EXPECT_GT(played.size(), file.size());
  EXPECT_TRUE(std::equal(file.end() - 20000, file.end(), played.end() - 20000));
  EXPECT_TRUE(play.Close());
  EXPECT_GT(window.Notices(), endNotices) << "the window hears of the end and the close";
}

TEST_F(RecPlayFileTest, RefusedPlaybackDoesNotJump) {
  const std::string name = dir + "refused.pva";
  const Bytes file = WriteLongRecording(name);
  MarkPlayer(200000);
  CDVBRecPlayFile play;
  ASSERT_TRUE(play.Open(name.c_str(), RP_FILE_PVA, 1));
  ASSERT_TRUE(play.Playback(0));
  ASSERT_TRUE(WaitFor([&] { return Accepted() > 20; }));
  // Slow, the worker goes on sending while the box takes its time over
  // the play command and then refuses it; a jump past the end would end
  // the playback.
  ASSERT_TRUE(play.PlaybackSlow(2));
  Fault(SimFault::kFail, driverioctl::kCommandChannel, 0x82, 300, 1);
  EXPECT_FALSE(play.Playback(DWORD(100000000)));
  EXPECT_EQ(play.GetRecPlayMode(), RP_MODE_SLOW);
  // Refused by the mode: already playing at normal speed.
  ASSERT_TRUE(play.Playback(0));
  EXPECT_FALSE(play.Playback(DWORD(100000000)));
  sim->SetPlayerRate(0);
  ASSERT_TRUE(WaitFor([&] { return play.GetRecPlayMode() == RP_MODE_IDLE; }));
  EXPECT_EQ(sim->PlayerRejectedFrames(), 0u);
  EXPECT_EQ(Played(), file) << "every packet once, in order";
  EXPECT_TRUE(play.Close());
}

TEST_F(RecPlayFileTest, BoxThatStopsTakingDataOrIsUnplugged) {
  const std::string name = dir + "faults.pva";
  const Bytes file = WriteLongRecording(name);
  struct Row {
    const char* name;
    std::function<void()> fault;
    BOOL stops;  // Stop succeeds
  } rows[] = {
      {"stops taking data", [&] { sim->SetPlayerStalled(TRUE); }, TRUE},
      {"unplugged", [&] { sim->Unplug(); }, FALSE},
  };
  for (const Row& row : rows) {
    MarkPlayer(200000);
    CDVBRecPlayFile play;
    ASSERT_TRUE(play.Open(name.c_str(), RP_FILE_PVA, 1)) << row.name;
    ASSERT_TRUE(play.Playback(0)) << row.name;
    ASSERT_TRUE(WaitFor([&] { return Accepted() > 20; })) << row.name;
    row.fault();
    if (row.stops) {
      EXPECT_TRUE(WaitFor([&] { return Refused() > 0; })) << row.name;
    }
    // The worker waits for the box step by step: Stop and Close end it.
    EXPECT_EQ(play.Stop(), row.stops) << row.name;
    EXPECT_TRUE(play.Close()) << row.name;
    EXPECT_EQ(play.GetFilePosition(), 0u);
    EXPECT_EQ(ReadFile(name), file) << row.name << ": the file is untouched";
    sim->SetPlayerStalled(FALSE);
  }
}

TEST_F(RecPlayFileTest, WriteFailuresStopTheRecordingAndKeepWhatWasWritten) {
  // Split at 50 KB: the first part is written whole, the second one fails.
  const DWORD limitKB = 50;
  const char* fullDisk = getenv("BOXLINK_DISK_FULL");
  ASSERT_NE(fullDisk, nullptr) << "the test's folder whose second part is a full disk";
  struct Row {
    const char* name;
    std::string first;
    int cause;
  } rows[] = {
      {"a part file that cannot be created (a folder of its name)", dir + "fail.pva", CFileException::accessDenied},
      {"a full disk", std::string(fullDisk) + "\\rec.pva", CFileException::diskFull},
  };
  CreateDirectoryA((dir + "fail_001.pva").c_str(), nullptr);
  Bytes firstPart;
  for (const Bytes& p : Sent(4)) {
    if ((firstPart.size() + p.size()) / 1024 >= limitKB) break;
    elementary::Append(firstPart, p.data(), p.size());
  }
  for (const Row& r : rows) {
    CDVBRecPlayFile rec;
    rec.SetStatusChangedMessage(window.Handle(), kStatusMessage, TRUE);
    ASSERT_TRUE(rec.Open(r.first.c_str(), RP_FILE_PVA, 0, limitKB, FALSE)) << r.name;
    const int before = window.Notices();
    ASSERT_TRUE(rec.Record()) << r.name;
    // The recording stops by itself, and the window is told.
    ASSERT_TRUE(WaitFor([&] { return rec.GetRecPlayMode() == RP_MODE_IDLE; })) << r.name;
    EXPECT_TRUE(WaitFor([&] { return State().lastRecPlay == 0x81; })) << r.name;
    EXPECT_EQ(rec.GetFileError(), r.cause) << r.name;
    EXPECT_TRUE(WaitFor([&] { return window.Notices() >= before + 2; })) << r.name;  // record, stop
    EXPECT_TRUE(rec.Close());
    // The first part holds everything written before the failure.
    EXPECT_EQ(ReadFile(r.first), firstPart) << r.name;
  }
  DeleteFileA(rows[1].first.c_str());
}

TEST_F(RecPlayFileTest, RefusedOpensAndDamagedFiles) {
  const std::string good = dir + "good.pva";
  RecordInto(good, RP_FILE_PVA, 4);
  const Bytes file = ReadFile(good);
  // Stray bytes between two packets in the middle, and the last packet cut
  // short.
  size_t middle = 0;
  for (const Bytes& p : Packets(file)) {
    if (middle >= file.size() / 2) break;
    middle += p.size();
  }
  Bytes damaged(file.begin(), file.begin() + long(middle));
  damaged.insert(damaged.end(), 3000, 0x41);
  damaged.insert(damaged.end(), file.begin() + long(middle), file.end() - 300);
  const std::string bad = dir + "damaged.pva";
  {
    CFile out(bad.c_str(), CFile::modeCreate | CFile::modeWrite);
    out.Write(damaged.data(), UINT(damaged.size()));
  }
  const std::string noVideo = dir + "novideo.pva";
  {
    CFile out(noVideo.c_str(), CFile::modeCreate | CFile::modeWrite);
    const Bytes audioOnly = SentBytes(1);
    out.Write(audioOnly.data(), UINT(audioOnly.size()));
  }
  struct Row {
    const char* name;
    std::function<BOOL(CDVBRecPlayFile&)> step;
    BOOL result;
  } rows[] = {
      {"a file that is not there", [&](CDVBRecPlayFile& f) { return f.Open((dir + "none.pva").c_str(), RP_FILE_PVA, 1); },
       FALSE},
      {"PVA without video timestamps", [&](CDVBRecPlayFile& f) { return f.Open(noVideo.c_str(), RP_FILE_PVA, 1); }, FALSE},
      {"file format 4", [&](CDVBRecPlayFile& f) { return f.Open(good.c_str(), _REC_PLAY_FILE_FORMAT(4), 1); }, FALSE},
      {"record on a file opened for playback",
       [&](CDVBRecPlayFile& f) { return f.Open(good.c_str(), RP_FILE_PVA, 1) && f.Record(); }, FALSE},
      {"a second open", [&](CDVBRecPlayFile& f) { return f.Open(good.c_str(), RP_FILE_PVA, 1) && f.Open(good.c_str(), RP_FILE_PVA, 1); },
       FALSE},
      {"playback on a file opened for recording",
       [&](CDVBRecPlayFile& f) { return f.Open((dir + "new.pva").c_str(), RP_FILE_PVA, 0) && f.Playback(0); }, FALSE},
      {"a damaged file plays", [&](CDVBRecPlayFile& f) { return f.Open(bad.c_str(), RP_FILE_PVA, 1) && f.Playback(0); },
       TRUE},
  };
  for (const Row& row : rows) {
    CDVBRecPlayFile f;
    EXPECT_EQ(row.step(f), row.result) << row.name;
  }
  // The damaged file played up to its cut packet, around the stray bytes.
  CDVBRecPlayFile play;
  MarkPlayer(0);
  ASSERT_TRUE(play.Open(bad.c_str(), RP_FILE_PVA, 1));
  ASSERT_TRUE(play.Playback(0));
  ASSERT_TRUE(WaitFor([&] { return play.GetRecPlayMode() == RP_MODE_IDLE; }));
  const std::vector<Bytes> played = Packets(Played()), recorded = Packets(file);
  ASSERT_EQ(played.size(), recorded.size() - 1);
  EXPECT_TRUE(std::equal(played.begin(), played.end(), recorded.begin()));
}
