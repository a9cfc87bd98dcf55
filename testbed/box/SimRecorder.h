// The box's recorder: what it sends on the stream while it records in each
// of its formats, built from a programme's elementary streams. Formats 1
// (audio only), 4 and 5 are PVA packets (type 0x41, slot 34, kind 11), 4 in
// the 1,024-byte packets the system itself builds; format 2 is the MPEG
// audio stream and format 3 raw bytes (the video stream), both in recording
// packets (type 0x4D, kind 12). Faults: a stalled recorder (acknowledges,
// sends nothing), a PVA packet cut inside its PES header, and a packet of
// 8,194 bytes (longer than a recording worker reads). Portable.
#pragma once

#include "SimPvaComposer.h"
#include "SimStreamComposer.h"

#include <WinTypes.h>

#include <vector>

struct SimRecorderSetup {
  enum Fault { kNone = 0, kStalled, kCutPacket, kOversizePacket };
  // The programme (not owned; must outlive the recording).
  const BYTE* video = nullptr;
  DWORD videoLength = 0;
  const BYTE* audio = nullptr;
  DWORD audioLength = 0;
  DWORD firstPts = 900000;
  int loops = 1;  // PVA formats: the programme this many times, its stamps running on
  int fault = kNone;
  // The pace at which the box sends the recording on the stream, as a
  // real box does at the programme's rate; 0 sends it all at once.
  DWORD bytesPerSecond = 0;

  // The programme of two elementary streams (which must outlive it).
  static SimRecorderSetup Of(const std::vector<BYTE>& video, const std::vector<BYTE>& audio) {
    SimRecorderSetup s;
    s.video = video.data();
    s.videoLength = DWORD(video.size());
    s.audio = audio.data();
    s.audioLength = DWORD(audio.size());
    return s;
  }
};

class CSimRecorder {
 public:
  // The payload of each packet the recorder sends (PVA packets whole).
  static std::vector<std::vector<BYTE>> Payloads(int format, const SimRecorderSetup& setup);
  // The same as the box's stream packets.
  static std::vector<SimStreamPacket> Packets(int format, const SimRecorderSetup& setup);
};
