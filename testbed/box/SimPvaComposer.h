// The box's recorder as it packs a programme into PVA packets: video
// access units with their PTS (from the pictures' temporal references and
// the frame rate) in video packets whose first one carries the PTS and a
// few bytes of the picture before, and audio frames in PES packets with a
// PTS cut into audio packets. Built from the elementary streams alone,
// without the library's code; also the faults the recorder may show.
// Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct SimPvaOptions {
  uint32_t firstPts = 900000;  // PTS of the first audio frame and picture 0
  bool withVideo = true;       // false: a radio stream (audio only)
  size_t videoPayload = 2000;  // bytes behind the header of a video packet
  size_t audioPayload = 1500;
  int framesPerAudioPes = 4;
  int loops = 1;  // the programme again, its stamps running on
  // The first picture starts this many frames later than the audio (a
  // recording that begins inside a picture's data, before any PTS).
  int skipVideoUnits = 0;
};

class CSimPvaComposer {
 public:
  typedef std::vector<BYTE> Packet;

  CSimPvaComposer(const std::vector<BYTE>& video, const std::vector<BYTE>& audio, const SimPvaOptions& options);

  // The PVA packets in the order the box sends them.
  const std::vector<Packet>& Packets() const { return m_packets; }
  size_t VideoUnits() const { return m_videoUnits; }
  size_t AudioFrames() const { return m_audioFrames; }

  static Packet Make(BYTE stream, BYTE counter, BYTE flags, const BYTE* pts4, const BYTE* payload, size_t n);
  // The audio PES packet with a PTS that holds the given frames.
  static std::vector<BYTE> AudioPes(uint32_t pts, const BYTE* frames, size_t n);

  // Start offsets of the access units of a video elementary stream (the
  // sequence or GOP header in front of a picture belongs to it), with
  // each unit's display index within the stream.
  struct Unit {
    size_t offset;
    int displayIndex;
  };
  static std::vector<Unit> AccessUnits(const std::vector<BYTE>& video, int* ticksPerFrame);
  // Offsets of the MPEG audio frames.
  static std::vector<size_t> AudioFrameOffsets(const std::vector<BYTE>& audio);

 private:
  std::vector<Packet> m_packets;
  size_t m_videoUnits = 0;
  size_t m_audioFrames = 0;
};
