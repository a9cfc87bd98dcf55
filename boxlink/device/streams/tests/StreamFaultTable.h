// Streams of the simulated box for the parser's tests, natively and
// through the intake thread under Wine: packets of every type, numbered
// packets, and the fault table (each row a damaged stream with the packets
// that must come through and the resend requests that must be written).
#pragma once

#include "SimStreamComposer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace streamfaults {

struct Delivery {
  int kind;
  int slot;
  std::vector<BYTE> data;
  bool operator==(const Delivery& o) const { return kind == o.kind && slot == o.slot && data == o.data; }
};

inline std::vector<BYTE> Bytes(size_t n, BYTE seed) {
  std::vector<BYTE> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = BYTE(seed + i * 7);
  return v;
}

// One packet of every type the parser knows, the delivered ones with odd and
// even lengths.
inline std::vector<SimStreamPacket> EveryType() {
  auto d = Bytes(301, 1);
  BYTE ts[188];
  memset(ts, 0x11, sizeof(ts));
  auto section = CSimStreamComposer::MakeSection(0x42, d.data(), 40);
  return {
      CSimStreamComposer::Filler(9),
      CSimStreamComposer::Pva(1, 0, d.data(), 183),
      CSimStreamComposer::CommonInterface(d.data(), 17),
      CSimStreamComposer::Transport(ts),
      CSimStreamComposer::Record(d.data(), 300),
      CSimStreamComposer::Pipe(7, d.data(), 64),
      CSimStreamComposer::Section(0, section.data(), section.size()),
      CSimStreamComposer::Section(3, section.data(), section.size()),
      CSimStreamComposer::Teletext(d.data(), 46),
      CSimStreamComposer::HighBit(0x81, d.data(), 5),
      CSimStreamComposer::HighBit(0xA0, d.data(), 8),
  };
}

inline std::vector<Delivery> Expected(const std::vector<SimStreamPacket>& packets) {
  std::vector<Delivery> out;
  for (const auto& p : packets)
    if (p.kind) out.push_back({p.kind, p.slot, p.delivered});
  return out;
}

// Composes the packets in groups of `group`.
inline std::vector<BYTE> Compose(const std::vector<SimStreamPacket>& packets, size_t group, CSimStreamComposer& c) {
  std::vector<BYTE> out;
  for (size_t i = 0; i < packets.size(); i += group) {
    std::vector<SimStreamPacket> g(packets.begin() + i, packets.begin() + std::min(packets.size(), i + group));
    c.Group(g, out);
  }
  return out;
}

inline std::vector<BYTE> Compose(const std::vector<SimStreamPacket>& packets, size_t group) {
  CSimStreamComposer c;
  return Compose(packets, group, c);
}

// Numbered record packets: packet i carries i in its first byte.
inline std::vector<SimStreamPacket> Numbered(int n, size_t size = 100) {
  std::vector<SimStreamPacket> out;
  for (int i = 0; i < n; ++i) {
    auto d = Bytes(size, BYTE(i));
    d[0] = BYTE(i);
    out.push_back(CSimStreamComposer::Record(d.data(), d.size()));
  }
  return out;
}

inline std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int i = from; i < to; ++i) out.push_back(i);
  return out;
}

// Sequence number k places after base, counting as the box does.
inline WORD Seq(WORD base, int k) { return WORD((base & 0x8000) | ((base + k) & 0x7FFF)); }

inline CSimStreamComposer At(WORD base) {
  CSimStreamComposer c;
  c.SetSequence(base);
  return c;
}

struct FaultRow {
  const char* name;
  // The stream, its sequence numbers counting from base.
  std::vector<BYTE> (*make)(WORD base);
  std::vector<int> delivered;  // first bytes of the packets that come through
  std::vector<WORD> resends;
};

inline const std::vector<FaultRow>& FaultRows() {
  static const std::vector<FaultRow> rows = {
      {"sequence gap, then the box resends from the missing packet",
       [](WORD base) {
         auto p = Numbered(8);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s;
         for (int i = 0; i < 8; ++i) {
           if (i == 3) {
             c.SetSequence(Seq(base, 4));  // packet 3 lost on the way
             continue;
           }
           c.Group({p[size_t(i)]}, s);
         }
         c.SetSequence(Seq(base, 3));
         for (int i = 3; i < 8; ++i) c.Group({p[size_t(i)]}, s);
         return s;
       },
       Range(0, 8),
       {3}},
      {"duplicate packet",
       [](WORD base) {
         auto p = Numbered(6);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s;
         for (int i = 0; i < 6; ++i) {
           c.Group({p[size_t(i)]}, s);
           if (i == 2) {
             c.SetSequence(Seq(base, 2));
             c.Group({p[2]}, s);
           }
         }
         return s;
       },
       Range(0, 6),
       {3}},
      {"bad check word: the rest of the group goes, the box resends",
       [](WORD base) {
         auto p = Numbered(6);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         size_t at = s.size();
         c.Group({p[2], p[3]}, s);
         s[at + 10] ^= 0x40;  // inside packet 2
         c.Group({p[4]}, s);  // the gap shows here
         c.SetSequence(Seq(base, 2));
         auto rest = Compose(std::vector<SimStreamPacket>(p.begin() + 2, p.end()), 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 6),
       {2}},
      {"length field beyond the FIFO",
       [](WORD base) {
         auto p = Numbered(4);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s = Compose(std::vector<SimStreamPacket>(p.begin(), p.begin() + 2), 1, c);
         const BYTE huge[] = {0xAA, 0xAA, 0xAA, 0x00, 0x43, 0x00, 0xFF, 0xFF, 1, 2, 3, 4};
         s.insert(s.end(), huge, huge + sizeof(huge));
         auto rest = Compose(std::vector<SimStreamPacket>(p.begin() + 2, p.end()), 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4),
       {}},
      {"just over the size limit",
       [](WORD base) {
         auto p = Numbered(3);
         auto big = Bytes(8191, 3);  // 8191 + 8 rounded up: 8200 bytes
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s = Compose({p[0]}, 1, c);
         CSimStreamComposer side;
         side.Group({CSimStreamComposer::Record(big.data(), big.size())}, s);
         auto rest = Compose({p[1], p[2]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 3),
       {}},
      {"unknown type",
       [](WORD base) {
         auto p = Numbered(4);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         const BYTE unknown[] = {0xAA, 0xAA, 0xAA, 0x00, 0x42, 0x00, 0x00, 0x04, 9, 9, 9, 9};
         s.insert(s.end(), unknown, unknown + sizeof(unknown));
         auto rest = Compose({p[2], p[3]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4),
       {}},
      {"garbage between groups, a lone 0xAA among it",
       [](WORD base) {
         auto p = Numbered(4);
         CSimStreamComposer c = At(base);
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         const BYTE junk[] = {1, 0xAA, 0xAA, 5, 0xAA, 7, 0, 0};
         s.insert(s.end(), junk, junk + sizeof(junk));
         auto rest = Compose({p[2], p[3]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4),
       {}},
  };
  return rows;
}

}  // namespace streamfaults
