#include "SimSectionSource.h"

#include "ByteOrder.h"

namespace {

const size_t kPacket = 188;
const BYTE kSyncByte = 0x47;

size_t SectionLength(const SimSection& s) { return s.size() < 3 ? 0 : (((s[1] & 0x0F) << 8) | s[2]) + 3; }

// Collects the sections of one PID packet by packet.
class CSectionAssembler {
 public:
  explicit CSectionAssembler(std::vector<SimSection>& out) : m_out(out) {}

  void Packet(const BYTE* p) {
    bool start = (p[1] & 0x40) != 0;
    BYTE counter = p[3] & 0x0F;
    BYTE control = (p[3] >> 4) & 3;
    if (!(control & 1)) return;  // no payload
    if (m_haveCounter && counter != BYTE((m_counter + 1) & 0x0F)) m_current.clear();
    m_haveCounter = true;
    m_counter = counter;
    size_t at = 4;
    if (control & 2) at += 1 + size_t(p[4]);
    if (at >= kPacket) return;
    if (start) {
      size_t pointer = p[at++];
      // The bytes before the pointer end the section in progress.
      if (!m_current.empty()) Append(p + at, pointer < kPacket - at ? pointer : kPacket - at);
      m_current.clear();
      at += pointer;
      m_collecting = true;
    } else if (m_current.empty()) {
      return;  // the start of this section was not seen
    }
    if (m_collecting) Append(p + at, at < kPacket ? kPacket - at : 0);
  }

 private:
  void Append(const BYTE* data, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      if (m_current.empty() && data[i] == 0xFF) {
        m_collecting = false;  // stuffing: nothing more in this packet
        return;
      }
      m_current.push_back(data[i]);
      if (m_current.size() >= 3 && m_current.size() == SectionLength(m_current)) {
        m_out.push_back(m_current);
        m_current.clear();
      }
    }
  }

  std::vector<SimSection>& m_out;
  SimSection m_current;
  bool m_collecting = false;
  bool m_haveCounter = false;
  BYTE m_counter = 0;
};

}  // namespace

std::vector<SimSection> SimSectionsOfPid(const BYTE* ts, size_t length, WORD pid) {
  std::vector<SimSection> sections;
  CSectionAssembler assembler(sections);
  for (size_t at = 0; at + kPacket <= length; at += kPacket) {
    const BYTE* p = ts + at;
    if (p[0] != kSyncByte || WORD(((p[1] & 0x1F) << 8) | p[2]) != pid) continue;
    assembler.Packet(p);
  }
  return sections;
}

std::vector<BYTE> SimPacketsOfSection(const SimSection& section, WORD pid, BYTE& counter) {
  std::vector<BYTE> out;
  size_t sent = 0;
  while (sent < section.size()) {
    BYTE p[kPacket];
    bool first = sent == 0;
    p[0] = kSyncByte;
    p[1] = BYTE((first ? 0x40 : 0) | ((pid >> 8) & 0x1F));
    p[2] = BYTE(pid);
    p[3] = BYTE(0x10 | (counter & 0x0F));
    counter = BYTE((counter + 1) & 0x0F);
    size_t at = 4;
    if (first) p[at++] = 0;  // pointer field: the section starts at once
    size_t n = section.size() - sent < kPacket - at ? section.size() - sent : kPacket - at;
    for (size_t i = 0; i < n; ++i) p[at + i] = section[sent + i];
    for (size_t i = at + n; i < kPacket; ++i) p[i] = 0xFF;
    sent += n;
    out.insert(out.end(), p, p + kPacket);
  }
  return out;
}

DWORD SimSectionCrc(const BYTE* data, size_t length) {
  DWORD crc = 0xFFFFFFFF;
  for (size_t i = 0; i < length; ++i) {
    crc ^= DWORD(data[i]) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000) ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
  }
  return crc;
}

SimSection SimSectionWithCrc(BYTE tableId, WORD extension, const std::vector<BYTE>& payload) {
  size_t length = 5 + payload.size() + 4;  // after the length field
  SimSection s = {tableId,
                  BYTE(0xB0 | ((length >> 8) & 0x0F)),
                  BYTE(length),
                  BYTE(extension >> 8),
                  BYTE(extension),
                  0xC3,  // version 1, current
                  0,
                  0};
  s.insert(s.end(), payload.begin(), payload.end());
  BYTE crc[4];
  byteorder::PutBE32(crc, SimSectionCrc(s.data(), s.size()));
  s.insert(s.end(), crc, crc + 4);
  return s;
}
