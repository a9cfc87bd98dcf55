// Builds the box's multiplexed input stream as its firmware sends it: sync
// headers, groups of packets, and each packet's trailer with its sequence
// number and check word. Each packet comes with what the library should
// deliver for it (kind, slot, bytes), worked out here independently of the
// library's parser so tests can compare. Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <vector>

struct SimStreamPacket {
  std::vector<BYTE> body;  // the packet without its trailer, even length
  int kind = 0;            // 0: consumed by the library, not delivered
  int slot = 0;
  std::vector<BYTE> delivered;
};

class CSimStreamComposer {
 public:
  // Packet builders, one per packet type the box sends.
  static SimStreamPacket Filler(BYTE length);
  static SimStreamPacket Pva(BYTE streamId, BYTE counter, const BYTE* payload, size_t n);
  static SimStreamPacket CommonInterface(const BYTE* message, size_t n);
  static SimStreamPacket Transport(const BYTE* packet188);
  static SimStreamPacket Record(const BYTE* data, size_t n);
  static SimStreamPacket Pipe(BYTE filter, const BYTE* data, size_t n);
  // section: a whole PSI section (its bytes 1-2 hold its length).
  static SimStreamPacket Section(BYTE filter, const BYTE* section, size_t n);
  static SimStreamPacket Teletext(const BYTE* data, size_t n);
  // type 0x80-0xFF; an extra header byte when bit 5 is set.
  static SimStreamPacket HighBit(BYTE type, const BYTE* data, BYTE n);
  // A PSI section with the given table id and body bytes.
  static std::vector<BYTE> MakeSection(BYTE tableId, const BYTE* body, size_t n);

  // Appends a group: the sync header, then each packet with its trailer
  // (sequence numbers counting on from the composer's).
  void Group(const std::vector<SimStreamPacket>& packets, std::vector<BYTE>& out);
  // Appends one packet with its trailer (no sync header).
  void Packet(const SimStreamPacket& packet, std::vector<BYTE>& out);

  WORD NextSequence() const { return m_sequence; }
  void SetSequence(WORD sequence) { m_sequence = sequence; }

  // Offset of the trailer's check word of the packet that starts at `at`
  // in a composed stream of a packet of body size n.
  static size_t CheckWordOffset(size_t at, size_t bodySize) { return at + bodySize + 2; }

 private:
  WORD m_sequence = 0;
};

// Splits the two elementary streams of a programme into PVA packets
// (video stream 1, audio stream 2) and composes them into groups, as the
// box's recorder sends a programme. Used by tests and the benchmark.
class CSimProgrammeSource {
 public:
  CSimProgrammeSource(const std::vector<BYTE>& video, const std::vector<BYTE>& audio, size_t videoPiece = 6000,
                      size_t audioPiece = 2000);
  // The packets in the order the box sends them (video and audio
  // interleaved by their share of the data).
  const std::vector<SimStreamPacket>& Packets() const { return m_packets; }
  // Composes the next `groupSize` packets (cycling) into out.
  void NextGroup(CSimStreamComposer& composer, int groupSize, std::vector<BYTE>& out);

 private:
  std::vector<SimStreamPacket> m_packets;
  size_t m_next = 0;
};
