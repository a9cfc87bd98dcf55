#include "SimRecorder.h"

#include <algorithm>

namespace {

const size_t kRecordPiece[4] = {0, 0, 2000, 1024};  // formats 2 and 3
// The longest PVA packet the stream parser delivers (8,194 bytes with its
// header), two bytes over a recording worker's buffer.
const size_t kOversizeLength = 8186;

std::vector<std::vector<BYTE>> Pieces(const BYTE* data, DWORD length, size_t piece) {
  std::vector<std::vector<BYTE>> out;
  for (size_t at = 0; at < length; at += piece)
    out.emplace_back(data + at, data + std::min<size_t>(length, at + piece));
  return out;
}

}  // namespace

std::vector<std::vector<BYTE>> CSimRecorder::Payloads(int format, const SimRecorderSetup& s) {
  if (s.fault == SimRecorderSetup::kStalled) return {};
  if (format == 2) return Pieces(s.audio, s.audioLength, kRecordPiece[2]);
  if (format == 3) return Pieces(s.video, s.videoLength, kRecordPiece[3]);
  if (format != 1 && format != 4 && format != 5) return {};
  SimPvaOptions options;
  options.firstPts = s.firstPts;
  options.loops = s.loops;
  options.withVideo = format != 1;
  if (format == 4) options.videoPayload = options.audioPayload = 1016;
  CSimPvaComposer composer(std::vector<BYTE>(s.video, s.video + s.videoLength),
                           std::vector<BYTE>(s.audio, s.audio + s.audioLength), options);
  std::vector<std::vector<BYTE>> packets = composer.Packets();
  const size_t at = std::min<size_t>(10, packets.size());
  if (s.fault == SimRecorderSetup::kCutPacket) {
    // An audio packet that starts a PES, cut 4 bytes into the PES header.
    std::vector<BYTE> pes = CSimPvaComposer::AudioPes(s.firstPts, s.audio, 16);
    packets.insert(packets.begin() + long(at), CSimPvaComposer::Make(2, 0, 0x10, nullptr, pes.data(), 4));
  } else if (s.fault == SimRecorderSetup::kOversizePacket) {
    std::vector<BYTE> filler(kOversizeLength - 4, 0x5A);
    BYTE pts[4] = {0, 0, 0, 0};
    packets.insert(packets.begin() + long(at), CSimPvaComposer::Make(1, 0, 0x10, pts, filler.data(), filler.size()));
  }
  return packets;
}

std::vector<SimStreamPacket> CSimRecorder::Packets(int format, const SimRecorderSetup& s) {
  std::vector<SimStreamPacket> out;
  for (const std::vector<BYTE>& payload : Payloads(format, s)) {
    if (format == 2 || format == 3) {
      out.push_back(CSimStreamComposer::Record(payload.data(), payload.size()));
      continue;
    }
    // A PVA packet is the stream packet itself: its "A" is the type byte.
    SimStreamPacket p;
    p.body = payload;
    if (p.body.size() & 1) p.body.push_back(0);
    p.kind = 11;
    p.slot = 34;
    p.delivered = payload;
    out.push_back(p);
  }
  return out;
}
