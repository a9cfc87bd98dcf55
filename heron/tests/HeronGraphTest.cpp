// heron -> test sink in real filter graphs: what the pins deliver for the
// packets pushed through ISourceFeed.
#include "HeronRig.h"
#include "PesBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Payload(uint8_t tag, size_t n = 16) {
  Bytes b(n);
  for (size_t i = 0; i < n; i++) b[i] = static_cast<uint8_t>(tag + i);
  return b;
}

// What one received sample must be: its payload, and its time or none.
struct Expect {
  Bytes payload;
  bool stamped;
  int64_t time;
};

void CheckSamples(const std::vector<ReceivedSample>& got, const std::vector<Expect>& want, const char* pin) {
  ASSERT_GE(got.size(), want.size()) << pin;
  for (size_t i = 0; i < want.size(); i++) {
    const TestSinkSample& s = got[i].info;
    EXPECT_EQ(want[i].payload, got[i].payload) << pin << " sample " << i;
    EXPECT_EQ(want[i].stamped, s.bHasTime != FALSE) << pin << " sample " << i;
    EXPECT_EQ(want[i].stamped, s.bSyncPoint != FALSE) << pin << " sample " << i;
    if (want[i].stamped && s.bHasTime) {
      EXPECT_EQ(want[i].time, s.rtStart) << pin << " sample " << i;
      EXPECT_EQ(want[i].time, s.rtStop) << pin << " sample " << i;
    }
  }
}

// Runs the graph with the audio queue filled first, so that the first audio
// PTS is set before any video packet is taken; then pushes the video.
void RunAudioFirst(CHeronRig& rig, const std::vector<Bytes>& audio, const std::vector<Bytes>& video) {
  for (const Bytes& p : audio) rig.PushAudio(p);
  rig.PushAudioFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  ASSERT_EQ(S_OK, rig.AudioLog()->WaitForSamples(1, 10000));
  for (const Bytes& p : video) rig.PushVideo(p);
  rig.PushVideoFillers();
}

}  // namespace

TEST(HeronGraph, StripsHeadersAndStampsFromTheFirstAudioPts) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());

  // One buffer of 65535 bytes per pin, from the sink's allocator.
  ComPtr<IPin> sinkIn = FindPin(rig.VideoSink(), L"In");
  ComPtr<IMemInputPin> memIn;
  ASSERT_EQ(S_OK, sinkIn.As(&memIn, IID_IMemInputPin));
  ComPtr<IMemAllocator> alloc;
  ASSERT_EQ(S_OK, memIn->GetAllocator(alloc.Put()));
  ALLOCATOR_PROPERTIES props = {};
  ASSERT_EQ(S_OK, alloc->GetProperties(&props));
  EXPECT_EQ(1, props.cBuffers);
  EXPECT_EQ(65535, props.cbBuffer);

  RunAudioFirst(
      rig,
      {pes::AudioPts(45000, Payload(0xA1)), pes::AudioPts(45000, Payload(0xA2)),
       pes::Make({0xC0, true, 46920, 3}, Payload(0xA3)), pes::Audio(Payload(0xA4))},
      {pes::VideoPts(48600, Payload(0x11, 300)), pes::Video(Payload(0x12)), pes::VideoPts(48600, Payload(0x13)),
       pes::VideoPts(52200, Payload(0x14)), pes::VideoPts(52199, Payload(0x15)), pes::Video({})});

  CheckSamples(rig.AudioSamples(4),
               {{Payload(0xA1), true, 0},
                {Payload(0xA2), false, 0},  // the same PTS again
                {Payload(0xA3), true, 1920 * 1000 / 9},
                {Payload(0xA4), false, 0}},  // no PTS
               "audio");
  CheckSamples(rig.VideoSamples(6),
               {{Payload(0x11, 300), true, 3600 * 1000 / 9},
                {Payload(0x12), false, 0},
                {Payload(0x13), false, 0},
                {Payload(0x14), true, 7200 * 1000 / 9},
                {Payload(0x15), false, 0},  // earlier than the previous PTS
                {{}, false, 0}},            // an empty payload is still a sample
               "video");
  ASSERT_EQ(S_OK, rig.Graph().Stop());
}

TEST(HeronGraph, VideoStampsNothingWithoutAnAudioPts) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  rig.PushVideo(pes::VideoPts(3600, Payload(1)));
  rig.PushVideo(pes::VideoPts(7200, Payload(2)));
  rig.PushVideoFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  CheckSamples(rig.VideoSamples(2), {{Payload(1), false, 0}, {Payload(2), false, 0}}, "video");
}

TEST(HeronGraph, DropsAnOversizedPayloadAndPlaysOn) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  RunAudioFirst(
      rig, {pes::AudioPts(9000, Payload(0xA1))},
      {pes::VideoPts(18000, Payload(1)), pes::VideoPts(21600, Bytes(70000, 0x77)), pes::VideoPts(25200, Payload(2)),
       pes::VideoPts(28800, Bytes(65536, 0x78)), pes::Video(Payload(3)), pes::VideoPts(32400, Bytes(65535, 0x79))});
  CheckSamples(rig.VideoSamples(4),
               {{Payload(1), true, 9000 * 1000 / 9},
                {Payload(2), true, 16200 * 1000 / 9},
                {Payload(3), false, 0},
                {Bytes(65535, 0x79), true, 23400 * 1000 / 9}},  // exactly one buffer
               "video");
  LONG eos = -1;
  rig.VideoLog()->GetEndOfStreamCount(&eos);
  EXPECT_EQ(0, eos);
}

TEST(HeronGraph, DropsMalformedPacketsWithoutReadingPastThem) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  Bytes good1 = pes::Video(Payload(1));
  Bytes withPts = pes::VideoPts(900, Payload(9));
  Bytes stuffed = pes::Make({0xE0, false, 0, 40}, {});
  Bytes good2 = pes::Video(Payload(2));
  rig.PushVideo(good1);
  // Each length below is shorter than what the bytes' header declares.
  ISourceFeed* feed = rig.Feed();
  feed->DeliverVideo(withPts.data(), 13);  // PTS flag, 13 bytes
  feed->DeliverVideo(withPts.data(), 8);   // no header-data length
  feed->DeliverVideo(stuffed.data(), 48);  // header of 49 bytes
  feed->DeliverVideo(withPts.data(), 0);
  feed->DeliverVideo(withPts.data(), -100);
  feed->DeliverVideo(nullptr, 100);
  rig.PushVideo(good2);
  rig.PushVideoFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  std::vector<ReceivedSample> got = rig.VideoSamples(3);
  ASSERT_EQ(3u, got.size());
  EXPECT_EQ(Payload(1), got[0].payload);
  EXPECT_EQ(Payload(2), got[1].payload);
  EXPECT_TRUE(CHeronRig::IsFiller(got[2]));
}

TEST(HeronGraph, H264ModeConnectsWithItsFormatlessType) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.Feed()->Reset(TRUE, TRUE, 0));
  // The sink proposes no type, so heron's own offer is the one connected.
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  AM_MEDIA_TYPE mt = {};
  ASSERT_EQ(S_OK, rig.VideoLog()->GetConnectionType(&mt));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_H264_VIDEO, mt.subtype));
  EXPECT_EQ(0u, mt.cbFormat);
  FreeMediaType(mt);
  ASSERT_EQ(S_OK, rig.AudioLog()->GetConnectionType(&mt));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_AUDIO, mt.subtype));
  FreeMediaType(mt);

  RunAudioFirst(rig, {pes::AudioPts(90000, Payload(0xA1))}, {pes::VideoPts(93600, Payload(0x21))});
  std::vector<ReceivedSample> got = rig.VideoSamples(1);
  CheckSamples(got, {{Payload(0x21), true, 3600 * 1000 / 9}}, "video");
  ASSERT_EQ(1u, got.size());
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_H264_VIDEO, got[0].info.subtype));
  EXPECT_FALSE(got[0].info.bMediaTypeChanged);
}

TEST(HeronGraph, Ac3ModeConnectsAc3Audio) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.Feed()->Reset(TRUE, FALSE, 0));
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  AM_MEDIA_TYPE mt = {};
  ASSERT_EQ(S_OK, rig.AudioLog()->GetConnectionType(&mt));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_DOLBY_AC3, mt.subtype));
  EXPECT_TRUE(IsEqualGUID(FORMAT_WaveFormatEx, mt.formattype));
  EXPECT_EQ(18u, mt.cbFormat);
  FreeMediaType(mt);
  rig.PushAudio(pes::Make({0xBD, true, 1000, 0}, Payload(0x0B)));
  rig.PushAudioFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  CheckSamples(rig.AudioSamples(1), {{Payload(0x0B), true, 0}}, "audio");
}

TEST(HeronGraph, StopEmptiesTheQueuesAndRunStartsAfresh) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  RunAudioFirst(rig, {pes::AudioPts(1000, Payload(0xA1))}, {pes::VideoPts(4600, Payload(0x11))});
  CheckSamples(rig.VideoSamples(1), {{Payload(0x11), true, 3600 * 1000 / 9}}, "video");
  ASSERT_EQ(S_OK, rig.Graph().Stop());

  // Whatever was left queued (most video fillers) is gone; the time origin
  // starts again from the next first audio PTS. The video queue starts
  // empty: its first take must wait for the push that follows, even though
  // the first run left its wake event set.
  rig.VideoLog()->Clear();
  rig.AudioLog()->Clear();
  RunAudioFirst(rig, {pes::AudioPts(500000, Payload(0xB1))}, {pes::VideoPts(509000, Payload(0x22))});
  CheckSamples(rig.AudioSamples(1), {{Payload(0xB1), true, 0}}, "audio");
  CheckSamples(rig.VideoSamples(1), {{Payload(0x22), true, 9000 * 1000 / 9}}, "video");
  ASSERT_EQ(S_OK, rig.Graph().Stop());
}

TEST(HeronGraph, EmptyQueueEndsTheStreamWithAnErrorAbort) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  rig.PushVideo(pes::Video(Payload(1)));
  ASSERT_EQ(S_OK, rig.Graph().Run());
  // One packet, then nothing: the take waits its second and fails.
  LONG_PTR hr = 0;
  ASSERT_TRUE(rig.Graph().WaitForEvent(EC_ERRORABORT, 10000, &hr));
  EXPECT_EQ(E_FAIL, static_cast<HRESULT>(hr));
  EXPECT_EQ(S_OK, rig.VideoLog()->WaitForEndOfStream(5000));
  CheckSamples(rig.VideoSamples(1), {{Payload(1), false, 0}}, "video");

  // The pin waits for the next command: a stop and a run bring it back.
  ASSERT_EQ(S_OK, rig.Graph().Stop());
  rig.PushVideo(pes::Video(Payload(2)));
  rig.PushVideoFillers();
  ASSERT_EQ(S_OK, rig.Graph().Run());
  std::vector<ReceivedSample> got = rig.VideoSamples(2);
  ASSERT_EQ(2u, got.size());
  EXPECT_EQ(Payload(2), got[1].payload);
}

TEST(HeronGraph, AQueueFedWhileStoppedKeepsOnlyItsNewestPackets) {
  CHeronRig rig;
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  // Far more than the pin's bound of 8192 packets, pushed before any run.
  const int kPushed = 8192 + 50;
  for (int i = 0; i < kPushed; i++) {
    uint8_t tag[4];
    memcpy(tag, &i, 4);
    rig.PushVideo(pes::Video(Bytes(tag, tag + 4)));
  }
  ASSERT_EQ(S_OK, rig.Graph().Run());
  std::vector<ReceivedSample> got = rig.VideoSamples(3);
  ASSERT_EQ(3u, got.size());
  for (int i = 0; i < 3; i++) {
    int tag = -1;
    memcpy(&tag, got[i].payload.data(), 4);
    EXPECT_EQ(50 + i, tag);  // the 50 oldest were dropped
  }
  ASSERT_EQ(S_OK, rig.Graph().Stop());
}
