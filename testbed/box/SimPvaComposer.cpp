#include "SimPvaComposer.h"

#include "ByteOrder.h"

#include <algorithm>

namespace {

const BYTE kPtsFlag = 0x10;
const int kAudioTicksPerFrame = 2160;  // 1,152 samples at 48 kHz

bool StartCode(const std::vector<BYTE>& v, size_t i) { return i + 3 < v.size() && !v[i] && !v[i + 1] && v[i + 2] == 1; }

// 90 kHz ticks per frame by the sequence header's frame-rate code.
int TicksPerFrame(BYTE code) {
  static const int kTicks[16] = {3600, 3754, 3750, 3600, 3003, 3000, 1800, 1502, 1500};
  return code < 9 ? kTicks[code] : 3600;
}

void PutPts(BYTE* p, uint64_t v) {
  p[0] = BYTE(0x21 | ((v >> 29) & 0x0E));
  p[1] = BYTE(v >> 22);
  p[2] = BYTE((v >> 14) | 1);
  p[3] = BYTE(v >> 7);
  p[4] = BYTE((v << 1) | 1);
}

// Frame length of an MPEG-1 layer II header at 48/44.1/32 kHz.
size_t FrameBytes(const BYTE* h) {
  static const int kKbits[16] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
  static const int kHz[4] = {44100, 48000, 32000, 0};
  int kbits = kKbits[h[2] >> 4], hz = kHz[(h[2] >> 2) & 3];
  return kbits && hz ? size_t(144000 * kbits / hz + ((h[2] >> 1) & 1)) : 0;
}

}  // namespace

CSimPvaComposer::Packet CSimPvaComposer::Make(BYTE stream, BYTE counter, BYTE flags, const BYTE* pts4,
                                              const BYTE* payload, size_t n) {
  size_t length = n + (pts4 ? 4 : 0);
  Packet p = {'A', 'V', stream, counter, 0x55, flags, BYTE(length >> 8), BYTE(length)};
  if (pts4) p.insert(p.end(), pts4, pts4 + 4);
  p.insert(p.end(), payload, payload + n);
  return p;
}

std::vector<BYTE> CSimPvaComposer::AudioPes(uint32_t pts, const BYTE* frames, size_t n) {
  std::vector<BYTE> pes = {0, 0, 1, 0xC0, BYTE((n + 8) >> 8), BYTE(n + 8), 0x81, 0x80, 0x05, 0, 0, 0, 0, 0};
  PutPts(pes.data() + 9, pts);
  pes.insert(pes.end(), frames, frames + n);
  return pes;
}

std::vector<CSimPvaComposer::Unit> CSimPvaComposer::AccessUnits(const std::vector<BYTE>& v, int* ticksPerFrame) {
  std::vector<Unit> units;
  size_t unitStart = 0;
  bool open = false;  // a sequence or GOP header waits for its picture
  int gopBase = 0, pictures = 0;
  *ticksPerFrame = 3600;
  for (size_t i = 0; i + 5 < v.size(); ++i) {
    if (!StartCode(v, i)) continue;
    BYTE code = v[i + 3];
    if (code == 0xB3 || code == 0xB8) {
      if (!open) unitStart = i;
      open = true;
      if (code == 0xB3 && i + 7 < v.size()) *ticksPerFrame = TicksPerFrame(v[i + 7] & 0x0F);
      if (code == 0xB8) gopBase = pictures;
    } else if (code == 0x00) {
      int temporal = (v[i + 4] << 2) | (v[i + 5] >> 6);
      units.push_back({open ? unitStart : i, gopBase + temporal});
      ++pictures;
      open = false;
    }
    i += 3;
  }
  return units;
}

std::vector<size_t> CSimPvaComposer::AudioFrameOffsets(const std::vector<BYTE>& a) {
  std::vector<size_t> frames;
  for (size_t i = 0; i + 4 <= a.size();) {
    size_t n = a[i] == 0xFF && (a[i + 1] & 0xF0) == 0xF0 ? FrameBytes(&a[i]) : 0;
    if (!n || i + n > a.size()) break;
    frames.push_back(i);
    i += n;
  }
  return frames;
}

CSimPvaComposer::CSimPvaComposer(const std::vector<BYTE>& video, const std::vector<BYTE>& audio,
                                 const SimPvaOptions& o) {
  int ticks = 3600;
  std::vector<Unit> units = o.withVideo ? AccessUnits(video, &ticks) : std::vector<Unit>();
  std::vector<size_t> frames = AudioFrameOffsets(audio);
  frames.push_back(audio.size());
  const size_t nFrames = frames.size() - 1;
  const int loopPictures = int(units.size());
  BYTE videoCounter = 0, audioCounter = 0;
  std::vector<BYTE> carry;  // pre bytes: the tail of the picture before
  size_t frame = 0;
  const size_t totalUnits = units.size() * size_t(o.loops), totalFrames = nFrames * size_t(o.loops);
  size_t picture = size_t(o.skipVideoUnits);
  while (picture < totalUnits || frame < totalFrames) {
    // Decode time of the next picture and of the next audio PES.
    const uint64_t videoAt = uint64_t(picture) * ticks;
    const uint64_t audioAt = uint64_t(frame) * kAudioTicksPerFrame;
    if (picture < totalUnits && (frame >= totalFrames || videoAt <= audioAt)) {
      const int loop = int(picture / units.size());
      const Unit& u = units[picture % units.size()];
      const size_t end =
          picture % units.size() + 1 < units.size() ? units[picture % units.size() + 1].offset : video.size();
      std::vector<BYTE> data(carry);
      data.insert(data.end(), video.begin() + long(u.offset), video.begin() + long(end));
      const size_t pre = carry.size();
      // The next picture's first packet takes up to 3 bytes of this one.
      const size_t keep = std::min(picture % 4, data.size());
      carry.assign(data.end() - long(keep), data.end());
      data.resize(data.size() - keep);
      BYTE pts[4];
      byteorder::PutBE32(pts, uint32_t(o.firstPts + uint64_t(loop * loopPictures + u.displayIndex) * ticks + ticks));
      size_t at = 0;
      bool first = true;
      while (at < data.size()) {
        size_t room = o.videoPayload - (first ? 4 : 0);
        size_t n = std::min(room, data.size() - at);
        m_packets.push_back(
            Make(1, videoCounter++, first ? BYTE(kPtsFlag | pre) : 0, first ? pts : nullptr, data.data() + at, n));
        at += n;
        first = false;
      }
      ++picture;
      ++m_videoUnits;
    } else {
      const size_t count = std::min(size_t(o.framesPerAudioPes), totalFrames - frame);
      std::vector<BYTE> bytes;
      for (size_t k = 0; k < count; ++k) {
        size_t f = (frame + k) % nFrames;
        bytes.insert(bytes.end(), audio.begin() + long(frames[f]), audio.begin() + long(frames[f + 1]));
      }
      std::vector<BYTE> pes =
          AudioPes(uint32_t(o.firstPts + uint64_t(frame) * kAudioTicksPerFrame), bytes.data(), bytes.size());
      for (size_t at = 0; at < pes.size(); at += o.audioPayload) {
        size_t n = std::min(o.audioPayload, pes.size() - at);
        m_packets.push_back(Make(2, audioCounter++, at == 0 ? kPtsFlag : 0, nullptr, pes.data() + at, n));
      }
      frame += count;
      m_audioFrames += count;
    }
  }
}
