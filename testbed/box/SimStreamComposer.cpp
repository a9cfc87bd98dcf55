#include "SimStreamComposer.h"

#include "ByteOrder.h"

using byteorder::PutBE16;

namespace {

const BYTE kSync = 0xAA;

void PadEven(std::vector<BYTE>& v) {
  if (v.size() & 1) v.push_back(0);
}

SimStreamPacket WithLengthHeader(BYTE type, BYTE byte1, const BYTE* data, size_t n, int kind, int slot) {
  SimStreamPacket p;
  p.body = {type, byte1, BYTE(n >> 8), BYTE(n)};
  p.body.insert(p.body.end(), data, data + n);
  PadEven(p.body);
  p.kind = kind;
  p.slot = slot;
  p.delivered.assign(data, data + n);
  return p;
}

}  // namespace

SimStreamPacket CSimStreamComposer::Filler(BYTE length) {
  // A filler of payload length L is L + 6 bytes taken in whole words.
  SimStreamPacket p;
  p.body.assign(((length + 6u) & ~1u) - 4u, 0xFF);
  p.body[0] = 0x00;
  p.body[1] = length;
  return p;
}

SimStreamPacket CSimStreamComposer::Pva(BYTE streamId, BYTE counter, const BYTE* payload, size_t n) {
  SimStreamPacket p;
  p.body = {0x41, 0x56, streamId, counter, 0x55, 0x00, BYTE(n >> 8), BYTE(n)};
  p.body.insert(p.body.end(), payload, payload + n);
  p.delivered = p.body;
  PadEven(p.body);
  p.kind = 11;
  p.slot = 34;
  return p;
}

SimStreamPacket CSimStreamComposer::CommonInterface(const BYTE* m, size_t n) {
  return WithLengthHeader(0x43, 0, m, n, 14, 35);
}

SimStreamPacket CSimStreamComposer::Transport(const BYTE* packet188) {
  SimStreamPacket p;
  p.body.assign(packet188, packet188 + 188);
  p.body[0] = 0x47;
  return p;
}

SimStreamPacket CSimStreamComposer::Record(const BYTE* d, size_t n) { return WithLengthHeader(0x4D, 0, d, n, 12, 34); }

SimStreamPacket CSimStreamComposer::Pipe(BYTE filter, const BYTE* d, size_t n) {
  return WithLengthHeader(0x50, filter, d, n, 13, filter + 1);
}

SimStreamPacket CSimStreamComposer::Section(BYTE filter, const BYTE* section, size_t n) {
  SimStreamPacket p;
  p.body = {0x53, filter};
  p.body.insert(p.body.end(), section, section + n);
  PadEven(p.body);
  p.kind = 5;
  p.slot = filter + 1;
  p.delivered.assign(section, section + n);
  return p;
}

SimStreamPacket CSimStreamComposer::Teletext(const BYTE* d, size_t n) {
  return WithLengthHeader(0x54, 0, d, n, 13, 33);
}

SimStreamPacket CSimStreamComposer::HighBit(BYTE type, const BYTE* d, BYTE n) {
  SimStreamPacket p;
  p.body = {BYTE(type | 0x80), n};
  if (type & 0x20) p.body.push_back(0x00);
  p.body.insert(p.body.end(), d, d + n);
  PadEven(p.body);
  return p;
}

std::vector<BYTE> CSimStreamComposer::MakeSection(BYTE tableId, const BYTE* body, size_t n) {
  std::vector<BYTE> s = {tableId, BYTE(0xB0 | ((n >> 8) & 0x0F)), BYTE(n)};
  s.insert(s.end(), body, body + n);
  return s;
}

void CSimStreamComposer::Packet(const SimStreamPacket& packet, std::vector<BYTE>& out) {
  size_t at = out.size();
  out.insert(out.end(), packet.body.begin(), packet.body.end());
  BYTE trailer[4];
  PutBE16(trailer, m_sequence);
  trailer[2] = trailer[3] = 0;
  out.insert(out.end(), trailer, trailer + 4);
  m_sequence = WORD((m_sequence & 0x8000) | ((m_sequence + 1) & 0x7FFF));
  // The check word makes the XOR of all the packet's words 0.
  BYTE x[2] = {0, 0};
  for (size_t i = at; i < out.size(); i += 2) {
    x[0] ^= out[i];
    x[1] ^= out[i + 1];
  }
  out[out.size() - 2] = x[0];
  out[out.size() - 1] = x[1];
}

void CSimStreamComposer::Group(const std::vector<SimStreamPacket>& packets, std::vector<BYTE>& out) {
  if (packets.empty()) return;
  BYTE header[4] = {kSync, kSync, kSync, BYTE(packets.size() - 1)};
  out.insert(out.end(), header, header + 4);
  for (const SimStreamPacket& p : packets) Packet(p, out);
}

CSimProgrammeSource::CSimProgrammeSource(const std::vector<BYTE>& video, const std::vector<BYTE>& audio,
                                         size_t videoPiece, size_t audioPiece) {
  size_t v = 0, a = 0;
  BYTE vc = 0, ac = 0;
  while (v < video.size() || a < audio.size()) {
    // Keep both streams at the same share of their data sent.
    bool takeVideo = a >= audio.size() || (v < video.size() && double(v) / video.size() <= double(a) / audio.size());
    if (takeVideo) {
      size_t n = video.size() - v < videoPiece ? video.size() - v : videoPiece;
      m_packets.push_back(CSimStreamComposer::Pva(1, vc++, video.data() + v, n));
      v += n;
    } else {
      size_t n = audio.size() - a < audioPiece ? audio.size() - a : audioPiece;
      m_packets.push_back(CSimStreamComposer::Pva(2, ac++, audio.data() + a, n));
      a += n;
    }
  }
}

void CSimProgrammeSource::NextGroup(CSimStreamComposer& composer, int groupSize, std::vector<BYTE>& out) {
  if (m_packets.empty()) return;
  std::vector<SimStreamPacket> group;
  for (int i = 0; i < groupSize; ++i) {
    group.push_back(m_packets[m_next]);
    m_next = (m_next + 1) % m_packets.size();
  }
  composer.Group(group, out);
}
