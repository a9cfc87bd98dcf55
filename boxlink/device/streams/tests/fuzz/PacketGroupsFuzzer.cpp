// Streams the box could send, composed from the fuzz input by the simulated
// box's composer: groups of packets of every type with any lengths and
// contents, correct trailers and check words, fed to the stream parser in
// blocks of any size. Every packet must come through exactly as the
// composer says it should, with no resend request. A last byte may damage
// one byte of the stream: then the parser need only stay inside its buffers.
//
// Input: block selector, group size, then per packet a type selector, a
// parameter byte, two length bytes and the packet's data (repeated when the
// input runs short).
#include "../StreamFaultTable.h"
#include "StreamParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using streamfaults::Delivery;

class RecordingSink : public IStreamParserSink {
 public:
  void Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) override {
    if (length > streamparser::kPacketBuffer) __builtin_trap();
    deliveries.push_back({kind, slot, std::vector<BYTE>(data, data + length)});
  }
  int RequestResend(WORD) override {
    ++resends;
    return 0;
  }
  std::vector<Delivery> deliveries;
  int resends = 0;
};

class Input {
 public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Empty() const { return m_at >= m_size; }
  BYTE Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  // n bytes: the input's next ones, then a pattern when it runs out.
  std::vector<BYTE> Bytes(size_t n) {
    std::vector<BYTE> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = m_at < m_size ? m_data[m_at++] : BYTE(i * 7 + 1);
    return out;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

// The largest payload that keeps every packet type within the parser's limit.
const size_t kMaxData = streamparser::kMaxPacket - 12;

SimStreamPacket NextPacket(Input& in) {
  const BYTE type = in.Byte();
  const BYTE param = in.Byte();
  size_t n = ((size_t(in.Byte()) << 8) | in.Byte()) % (kMaxData + 1);
  const BYTE filter = param;
  switch (type % 9) {
    case 0: return CSimStreamComposer::Filler(BYTE(n));
    case 1: {
      auto d = in.Bytes(n);
      return CSimStreamComposer::Pva(param, BYTE(n), d.data(), n);
    }
    case 2: {
      auto d = in.Bytes(n);
      return CSimStreamComposer::CommonInterface(d.data(), n);
    }
    case 3: {
      auto d = in.Bytes(188);
      return CSimStreamComposer::Transport(d.data());
    }
    case 4: {
      auto d = in.Bytes(n);
      return CSimStreamComposer::Record(d.data(), n);
    }
    case 5: {
      auto d = in.Bytes(n);
      return CSimStreamComposer::Pipe(filter, d.data(), n);
    }
    case 6: {
      n %= 0x1000;  // a section's length field has 12 bits
      auto d = in.Bytes(n);
      auto section = CSimStreamComposer::MakeSection(param, d.data(), n);
      return CSimStreamComposer::Section(filter, section.data(), section.size());
    }
    case 7: {
      auto d = in.Bytes(n);
      return CSimStreamComposer::Teletext(d.data(), n);
    }
    default: {
      auto d = in.Bytes(BYTE(n));
      return CSimStreamComposer::HighBit(param, d.data(), BYTE(n));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // The last byte: 0 leaves the stream whole, else picks a byte to damage.
  const BYTE damage = data[size - 1];
  Input in(data, size - 1);
  const size_t block = size_t(in.Byte()) * 53 % 9000 + 1;
  const size_t groupSize = size_t(in.Byte()) + 1;

  std::vector<Delivery> expected;
  std::vector<BYTE> stream;
  CSimStreamComposer composer;
  std::vector<SimStreamPacket> group;
  // Enough packets to wrap the parser's FIFO a few times, not more.
  size_t composed = 0;
  while (!in.Empty() && composed < 3 * 2 * streamparser::kFifoWords) {
    group.push_back(NextPacket(in));
    const SimStreamPacket& p = group.back();
    // Filters are numbered 0..62: packets of others reach no slot.
    if (p.kind && p.slot < streamparser::kSlotCount) expected.push_back({p.kind, p.slot, p.delivered});
    composed += p.body.size() + streamparser::kTrailerSize;
    if (group.size() == groupSize) {
      composer.Group(group, stream);
      group.clear();
    }
  }
  composer.Group(group, stream);
  if (damage && !stream.empty()) stream[damage * 131 % stream.size()] ^= damage;

  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  for (size_t at = 0; at < stream.size(); at += block)
    parser.Feed(stream.data() + at, DWORD(std::min(block, stream.size() - at)));
  if (damage) return 0;
  if (sink.deliveries != expected || sink.resends != 0) __builtin_trap();
  return 0;
}
