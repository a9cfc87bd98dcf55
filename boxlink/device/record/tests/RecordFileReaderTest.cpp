// The recording file reader on files built here: measuring each format,
// reading units in the playback modes, finding the way back into damaged
// PVA files, jumps by time, and video held back against audio.
#include "MemoryRecordFile.h"
#include "PesTimestamp.h"
#include "RecordFileReader.h"
#include "SimPvaComposer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace recordformat;

namespace {

typedef std::vector<BYTE> Bytes;

void Append(Bytes& to, const Bytes& b) { to.insert(to.end(), b.begin(), b.end()); }

Bytes VideoPacket(DWORD pts, bool stamped, size_t payload, BYTE fill = 0x11) {
  const BYTE p[4] = {BYTE(pts >> 24), BYTE(pts >> 16), BYTE(pts >> 8), BYTE(pts)};
  const Bytes data(payload, fill);
  return CSimPvaComposer::Make(1, 0, stamped ? 0x10 : 0, stamped ? p : nullptr, data.data(), data.size());
}

Bytes AudioPacket(DWORD pts, size_t frames = 1) {
  const Bytes frame(576, 0x22);
  Bytes all;
  for (size_t i = 0; i < frames; ++i) Append(all, frame);
  const Bytes pes = CSimPvaComposer::AudioPes(pts, all.data(), all.size());
  return CSimPvaComposer::Make(2, 0, 0x10, nullptr, pes.data(), pes.size());
}

// A PVA file: per step one stamped video packet, one plain one, one audio
// packet, the stamps `step` ticks apart.
Bytes PvaFile(DWORD firstPts, int steps, DWORD step = 3600, size_t videoPayload = 1000) {
  Bytes file;
  for (int i = 0; i < steps; ++i) {
    Append(file, VideoPacket(firstPts + DWORD(i) * step, true, videoPayload));
    Append(file, VideoPacket(0, false, videoPayload));
    Append(file, AudioPacket(firstPts + DWORD(i) * step));
  }
  return file;
}

// A layer II frame: by default MPEG-1 at 192 kbit/s and 48 kHz (576 bytes).
struct FrameKind {
  BYTE version;  // the header's second byte
  BYTE rates;    // its third: bit-rate and sampling-frequency indices
  size_t size;
};
const FrameKind kMpeg1At48k = {0xFD, 0xA4, 576};
// MPEG-2 at a low sampling frequency: 64 kbit/s at 24 kHz (384 bytes).
const FrameKind kMpeg2At24k = {0xF5, 0x84, 384};

Bytes AudioFrame(BYTE fill, const FrameKind& kind = kMpeg1At48k) {
  Bytes f(kind.size, fill);
  f[0] = 0xFF;
  f[1] = kind.version;
  f[2] = kind.rates;
  f[3] = 0x00;
  return f;
}

Bytes AudioFile(int frames, const FrameKind& kind = kMpeg1At48k) {
  Bytes file;
  for (int i = 0; i < frames; ++i) Append(file, AudioFrame(BYTE(i), kind));
  return file;
}

// An audio PES packet with a PTS as a program stream carries it.
Bytes AudioPes(DWORD pts) { return CSimPvaComposer::AudioPes(pts, AudioFrame(1).data(), 576); }

struct Opened {
  CMemoryRecordFile file;
  CRecordFileReader reader;
  DWORD length = 0, duration = 0;
  WORD rate = 0;
  BOOL ok = FALSE;
  Opened(Bytes bytes, int streamFormat, int fileFormat = kFilePva) : file(std::move(bytes)) {
    reader.Attach(&file, streamFormat, fileFormat);
    ok = reader.GetFileParams(length, duration, rate);
  }
};

}  // namespace

TEST(RecordFileReaderTest, MeasuresEachFormat) {
  const DWORD kWrapStart = 0xFFFFFFFFu - 90000;  // one second before the box clock wraps
  Bytes long_ = PvaFile(900000, 700, 3600, 700);  // about 2 MB
  Bytes programStream;
  Append(programStream, AudioPes(90 * 1000));
  Append(programStream, AudioPes(90 * 41000));
  Bytes noVideoPts = VideoPacket(0, false, 100);
  Append(noVideoPts, AudioPacket(900000));
  struct Row {
    const char* name;
    Bytes file;
    int streamFormat, fileFormat;
    BOOL ok;
    DWORD duration;
    WORD sampleRate;
  } rows[] = {
      {"PVA first to last video PTS", PvaFile(900000, 50), kPva4, kFilePva, TRUE, 49 * 3600 / 90, 0},
      {"PVA longer than 1 MiB", long_, kPva5, kFilePvaReordered, TRUE, 699 * 3600 / 90, 0},
      {"PVA across the clock's wrap", PvaFile(kWrapStart, 100), kPva4, kFilePva, TRUE, 99 * 3600 / 90, 0},
      {"PVA without video PTS", noVideoPts, kPva4, kFilePva, FALSE, 0, 0},
      {"PVA, empty", {}, kPva4, kFilePva, FALSE, 0, 0},
      {"MPEG audio, 1,000 frames of 576 bytes at 48 kHz", AudioFile(1000), kMpegAudio, kFileMpegAudio, TRUE, 24000,
       48000},
      {"MPEG-2 audio, 1,000 frames of 1,152 samples at 24 kHz", AudioFile(1000, kMpeg2At24k), kMpegAudio,
       kFileMpegAudio, TRUE, 48000, 24000},
      {"MPEG audio not starting with a frame", Bytes(2000, 0x00), kMpegAudio, kFileMpegAudio, FALSE, 0, 0},
      {"program stream: the last audio PTS", programStream, kPva5, kFileProgramStream, TRUE, 41000, 0},
      {"program stream without audio", Bytes(5000, 0x47), kPva5, kFileProgramStream, TRUE, 900000, 0},
      {"audio-only PVA has no duration", PvaFile(900000, 5), kPva1, kFilePva, TRUE, 0, 0},
      {"raw has no duration", Bytes(5000, 1), kRaw, kFilePva, TRUE, 0, 0},
      {"unknown format", PvaFile(900000, 5), 6, kFilePva, FALSE, 0, 0},
  };
  for (Row& row : rows) {
    const DWORD size = DWORD(row.file.size());
    Opened o(row.file, row.streamFormat, row.fileFormat);
    EXPECT_EQ(o.ok, row.ok) << row.name;
    EXPECT_EQ(o.duration, row.duration) << row.name;
    EXPECT_EQ(o.rate, row.sampleRate) << row.name;
    EXPECT_EQ(o.length, row.ok ? size : 0) << row.name;
    EXPECT_EQ(o.file.Position(), 0u) << row.name;
  }
}

TEST(RecordFileReaderTest, SlowDoublesAndFastSkipsAudioAndRawUnits) {
  Bytes raw;
  for (int i = 0; i < 4; ++i) Append(raw, Bytes(1024, BYTE(i)));
  struct Row {
    const char* name;
    Bytes file;
    int streamFormat, mode;
    DWORD unit;
    std::vector<BYTE> fills;  // the fill byte of each unit returned
    bool doubled;
  } rows[] = {
      {"raw, normal", raw, kRaw, 2, 1024, {0, 1, 2, 3}, false},
      {"raw, slow", raw, kRaw, kModeSlow, 1024, {0, 1, 2, 3}, true},
      {"raw, fast", raw, kRaw, kModeFast, 1024, {1, 3}, false},
      {"audio, normal", AudioFile(4), kMpegAudio, 2, 576, {0, 1, 2, 3}, false},
      {"audio, slow", AudioFile(4), kMpegAudio, kModeSlow, 576, {0, 1, 2, 3}, true},
      {"audio, fast", AudioFile(4), kMpegAudio, kModeFast, 576, {1, 3}, false},
  };
  for (Row& row : rows) {
    Opened o(row.file, row.streamFormat, kFileMpegAudio);
    ASSERT_TRUE(o.ok) << row.name;
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time;
    for (BYTE fill : row.fills) {
      const DWORD n = o.reader.ReadFileBlock2(buffer, row.mode, time);
      ASSERT_EQ(n, row.doubled ? 2 * row.unit : row.unit) << row.name;
      EXPECT_EQ(buffer[row.unit - 1], fill) << row.name;
      if (row.doubled) {
        EXPECT_TRUE(std::equal(buffer, buffer + row.unit, buffer + row.unit)) << row.name;
      }
    }
    EXPECT_EQ(o.reader.ReadFileBlock2(buffer, row.mode, time), 0u) << row.name << ": the end";
  }
}

TEST(RecordFileReaderTest, DamagedPvaFilesAreReadFromTheNextPacketThatFits) {
  const Bytes good = VideoPacket(900000, true, 500, 0x33);
  Bytes oversized = {'A', 'V', 1, 0, 0x55, 0, 0xFF, 0xFF};  // a length of 65535
  Append(oversized, Bytes(300, 0x44));
  struct Row {
    const char* name;
    Bytes front;    // before the good packet
    DWORD skipped;  // bytes passed over
  } rows[] = {
      {"100 stray bytes", Bytes(100, 0xA5), 100},
      {"3 stray bytes", Bytes(3, 0xA5), 3},
      {"a length that does not fit the buffer", oversized, DWORD(oversized.size())},
      {"a header cut short", Bytes{'A', 'V', 2, 0, 0x55}, 5},
  };
  for (Row& row : rows) {
    Bytes file = row.front;
    Append(file, good);
    Append(file, good);
    CMemoryRecordFile f(file);
    CRecordFileReader reader;
    reader.Attach(&f, kPva4, kFilePva);
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time;
    for (int i = 0; i < 2; ++i) {
      ASSERT_EQ(reader.ReadFileBlock2(buffer, 2, time), good.size()) << row.name << " packet " << i;
      EXPECT_TRUE(std::equal(good.begin(), good.end(), buffer)) << row.name;
    }
    EXPECT_EQ(reader.ReadFileBlock2(buffer, 2, time), 0u) << row.name;
    EXPECT_EQ(reader.GetCounters().skippedBytes, row.skipped) << row.name;
  }
  // A packet cut by the end of the file ends it.
  Bytes cut = good;
  Append(cut, Bytes(good.begin(), good.begin() + 100));
  CMemoryRecordFile f(cut);
  CRecordFileReader reader;
  reader.Attach(&f, kPva4, kFilePva);
  BYTE buffer[CRecordFileReader::kBufferSize];
  DWORD time;
  EXPECT_EQ(reader.ReadFileBlock2(buffer, 2, time), good.size());
  EXPECT_EQ(reader.ReadFileBlock2(buffer, 2, time), 0u);
}

TEST(RecordFileReaderTest, SeeksByTimeToTheNextPacket) {
  // 101 steps of 40 ms (3,600 ticks): 4,000 ms.
  const Bytes file = PvaFile(900000, 101);
  const DWORD step = DWORD(file.size() / 101);
  struct Row {
    const char* name;
    DWORD from;  // byte position
    int seekMs;
    bool ends;
  } rows[] = {
      {"forward 1 s", 0, 1000, false},
      {"back 1 s from the middle", 50 * step, -1000, false},
      {"back beyond the start", 10 * step, -100000, false},
      {"beyond the end", 90 * step, 100000, true},
  };
  for (Row& row : rows) {
    Opened o(file, kPva4);
    ASSERT_TRUE(o.ok);
    ASSERT_EQ(o.duration, 4000u);
    o.file.Seek(row.from);
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time = 0;
    const DWORD n = o.reader.SeekFileBlock2(buffer, 2, time, row.seekMs);
    if (row.ends) {
      EXPECT_EQ(n, 0u) << row.name;
      EXPECT_EQ(time, o.duration) << row.name;
      continue;
    }
    const double target = double(row.from) + double(row.seekMs) * o.length / o.duration;
    const DWORD want = target < 0 ? 0 : DWORD(target);
    ASSERT_GT(n, 0u) << row.name;
    const DWORD at = o.file.Position() - n;
    // The packet boundary at or next behind the target.
    EXPECT_GE(at, want) << row.name;
    EXPECT_LT(at, want + 1100) << row.name;
    EXPECT_EQ(buffer[0], 'A') << row.name;
    EXPECT_EQ(time, DWORD(uint64_t(at) * o.duration / o.length)) << row.name;
  }
  // A file without a duration is not jumped in: the seek reads on.
  Opened audioOnly(file, kPva1);
  BYTE buffer[CRecordFileReader::kBufferSize];
  DWORD time;
  EXPECT_EQ(audioOnly.reader.SeekFileBlock2(buffer, 2, time, 5000), 1012u);
  EXPECT_EQ(audioOnly.file.Position(), 1012u);
}

TEST(RecordFileReaderTest, VideoWaitsUntilTheAudioCatchesUp) {
  // Video 1 s (90,000 ticks) ahead of the audio: each video packet goes out
  // once the audio has come within 33,000 ticks of it, also where the box's
  // 32-bit clock wraps.
  for (DWORD first : {DWORD(900000), DWORD(0xFFFFFFFFu - 100000)}) {
    Bytes file;
    Append(file, VideoPacket(5000, false, 100));  // before any video PTS: dropped
    for (int i = 0; i < 60; ++i) {
      Append(file, VideoPacket(first + 90000 + DWORD(i) * 3600, true, 400));
      Append(file, AudioPacket(first + DWORD(i) * 3600));
    }
    Opened o(file, kPva5, kFilePvaReordered);
    ASSERT_TRUE(o.ok);
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time;
    DWORD lastAudio = 0;
    int video = 0, audio = 0;
    while (DWORD n = o.reader.GetPVAPacket(buffer, 2, time)) {
      if (buffer[2] == 2) {
        lastAudio = DWORD(pestimestamp::Decode(buffer + 8 + 9));
        ++audio;
        continue;
      }
      const DWORD pts = (DWORD(buffer[8]) << 24) | (buffer[9] << 16) | (buffer[10] << 8) | buffer[11];
      EXPECT_EQ(pts, first + 90000 + DWORD(video) * 3600) << "in order";
      // Due by the audio, or the last ones at the end of the file.
      if (audio < 60) {
        EXPECT_LT(int32_t(pts - lastAudio), 33000) << "video " << video << " from " << first;
      }
      ++video;
      EXPECT_EQ(n, 412u);
    }
    EXPECT_EQ(audio, 60);
    EXPECT_EQ(video, 60) << "the held packets go out at the end of the file";
    EXPECT_EQ(o.reader.GetCounters().droppedVideo, 1u);
  }
}

TEST(RecordFileReaderTest, HeldVideoNeverOverrunsTheReorderBuffer) {
  // Video with no audio to release it: the buffer sends its oldest packets
  // once it runs short of room or of table entries.
  struct Row {
    const char* name;
    size_t payload;
    int packets;
  } rows[] = {
      {"large packets: bytes run short", 4000, 200},
      {"small packets: entries run short", 40, 2000},
  };
  for (Row& row : rows) {
    Bytes file;
    for (int i = 0; i < row.packets; ++i) Append(file, VideoPacket(900000 + DWORD(i) * 3600, true, row.payload, BYTE(i)));
    Opened o(file, kPva5, kFilePvaReordered);
    ASSERT_TRUE(o.ok) << row.name;
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time;
    int got = 0;
    while (DWORD n = o.reader.GetPVAPacket(buffer, 2, time)) {
      ASSERT_EQ(n, 12 + row.payload) << row.name;
      EXPECT_EQ(buffer[12], BYTE(got)) << row.name << ": in order";
      ++got;
    }
    EXPECT_EQ(got, row.packets) << row.name;
    EXPECT_EQ(o.reader.GetCounters().droppedVideo, 0u) << row.name;
  }
}
