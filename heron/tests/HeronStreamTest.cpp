// Real MPEG-2 PES made by ffmpeg (scripts/make-fixtures) through heron into
// the test sinks: the payloads rebuild ffmpeg's elementary streams, and the
// time stamps follow the PTS from the first audio PTS.
#include "HeronRig.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

struct IndexedPacket {
  Bytes bytes;
  bool video;
  bool hasPts;
  uint64_t pts;
};

std::string DataPath(const char* name) { return WinPath(TestDataPath(name)); }

std::set<uint64_t> ReadPtsList(const char* name) {
  std::ifstream f(DataPath(name));
  std::set<uint64_t> s;
  uint64_t v;
  while (f >> v) s.insert(v);
  return s;
}

// av.pes cut along pes-index.txt (offset, stream id, length, header length, PTS or -).
std::vector<IndexedPacket> ReadPackets() {
  Bytes all = ReadTestData("av.pes");
  std::ifstream f(DataPath("pes-index.txt"));
  std::vector<IndexedPacket> out;
  std::string line;
  while (std::getline(f, line)) {
    std::istringstream in(line);
    size_t offset, length, headerLength;
    std::string sid, pts;
    if (!(in >> offset >> sid >> length >> headerLength >> pts)) continue;
    if (offset + length > all.size()) break;
    IndexedPacket p;
    p.bytes.assign(all.begin() + offset, all.begin() + offset + length);
    p.video = std::stoul(sid, nullptr, 16) >= 0xE0;
    p.hasPts = pts != "-";
    p.pts = p.hasPts ? std::stoull(pts) : 0;
    out.push_back(std::move(p));
  }
  return out;
}

// The stamps the pins must give: a packet is stamped when its PTS (low 32
// bits) is greater than the one before it on its pin; the time counts from
// the first audio PTS, modulo 2^32, in 100 ns.
std::vector<int64_t> ExpectedTimes(const std::vector<IndexedPacket>& packets, bool video, uint32_t first) {
  std::vector<int64_t> times;
  uint32_t current = 0;
  for (const IndexedPacket& p : packets) {
    if (p.video != video) continue;
    uint32_t previous = current;
    if (p.hasPts) current = static_cast<uint32_t>(p.pts);
    times.push_back(current > previous ? static_cast<int64_t>(uint64_t(uint32_t(current - first)) * 1000 / 9) : -1);
  }
  return times;
}

void CheckPin(const std::vector<ReceivedSample>& got, const std::vector<int64_t>& expected, const Bytes& elementary,
              const std::set<uint64_t>& ffprobePts, uint32_t first, const char* pin) {
  ASSERT_EQ(expected.size(), got.size()) << pin;
  Bytes joined;
  int stamped = 0;
  for (size_t i = 0; i < got.size(); i++) {
    joined.insert(joined.end(), got[i].payload.begin(), got[i].payload.end());
    const TestSinkSample& s = got[i].info;
    if (expected[i] < 0) {
      EXPECT_FALSE(s.bHasTime) << pin << " sample " << i;
      continue;
    }
    stamped++;
    ASSERT_TRUE(s.bHasTime) << pin << " sample " << i;
    EXPECT_EQ(expected[i], s.rtStart) << pin << " sample " << i;
    EXPECT_TRUE(s.bSyncPoint) << pin << " sample " << i;
    // The same time follows from one of ffprobe's PTS for this stream.
    bool found = false;
    for (uint64_t pts : ffprobePts)
      found = found || static_cast<int64_t>(uint64_t(uint32_t(uint32_t(pts) - first)) * 1000 / 9) == s.rtStart;
    EXPECT_TRUE(found) << pin << " sample " << i << " at " << s.rtStart;
  }
  EXPECT_GT(stamped, 10) << pin;
  EXPECT_TRUE(joined == elementary) << pin << ": " << joined.size() << " bytes against " << elementary.size();
}

}  // namespace

TEST(HeronStream, FfmpegProgramStreamPlaysThrough) {
  std::vector<IndexedPacket> packets = ReadPackets();
  ASSERT_GT(packets.size(), 50u) << "no fixture: run scripts/make-fixtures";
  Bytes video = ReadTestData("video.m2v");
  Bytes audio = ReadTestData("audio.mp2");
  std::set<uint64_t> videoPts = ReadPtsList("v-pts.txt");
  std::set<uint64_t> audioPts = ReadPtsList("a-pts.txt");
  ASSERT_FALSE(video.empty());
  ASSERT_FALSE(audio.empty());

  // Every PTS in the PES headers is one that ffprobe reports for the stream.
  uint32_t first = 0;
  for (const IndexedPacket& p : packets) {
    if (!p.hasPts) continue;
    EXPECT_EQ(1u, (p.video ? videoPts : audioPts).count(p.pts)) << p.pts;
    if (!p.video && first == 0) first = static_cast<uint32_t>(p.pts);
  }
  ASSERT_NE(0u, first);

  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  // Audio first, so that the first audio PTS is set before video is taken.
  size_t nVideo = 0, nAudio = 0;
  for (const IndexedPacket& p : packets)
    if (!p.video) {
      rig.PushAudio(p.bytes);
      nAudio++;
    }
  rig.PushAudioFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  ASSERT_EQ(S_OK, rig.AudioLog()->WaitForSamples(1, 10000));
  for (const IndexedPacket& p : packets)
    if (p.video) {
      rig.PushVideo(p.bytes);
      nVideo++;
    }
  rig.PushVideoFillers();

  std::vector<ReceivedSample> gotVideo = rig.VideoSamples(static_cast<int>(nVideo));
  std::vector<ReceivedSample> gotAudio = rig.AudioSamples(static_cast<int>(nAudio));
  ASSERT_EQ(S_OK, rig.Graph().Stop());
  CheckPin(gotVideo, ExpectedTimes(packets, true, first), video, videoPts, first, "video");
  CheckPin(gotAudio, ExpectedTimes(packets, false, first), audio, audioPts, first, "audio");
}

TEST(HeronStream, ConnectionFormatCarriesTheStreamsPictureSize) {
  std::vector<IndexedPacket> packets = ReadPackets();
  ASSERT_FALSE(packets.empty()) << "no fixture: run scripts/make-fixtures";
  CHeronRig rig;
  for (const IndexedPacket& p : packets)
    if (p.video) rig.PushVideo(p.bytes);
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  AM_MEDIA_TYPE mt = {};
  ASSERT_EQ(S_OK, rig.VideoLog()->GetConnectionType(&mt));
  ASSERT_EQ(148u, mt.cbFormat);
  const MPEG2VIDEOINFO* vi = reinterpret_cast<const MPEG2VIDEOINFO*>(mt.pbFormat);
  EXPECT_EQ(320, vi->hdr.rcSource.right);
  EXPECT_EQ(240, vi->hdr.rcSource.bottom);
  // Square pixels at 320x240 are a 4:3 picture: aspect code 2.
  EXPECT_EQ(4u, vi->hdr.dwPictAspectRatioX);
  EXPECT_EQ(3u, vi->hdr.dwPictAspectRatioY);
  EXPECT_EQ(0x000001B3u, _byteswap_ulong(vi->dwSequenceHeader[0]));
  FreeMediaType(mt);
}
