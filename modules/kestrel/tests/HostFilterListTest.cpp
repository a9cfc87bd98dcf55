// The host's filters on transport packets: what each type hands to the
// host, the packets that are logged or dropped, and section re-assembly.
#include "HostFilterList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Received {
  std::vector<std::vector<BYTE>> blocks;
};

int OnData(void* context, const BYTE* data, int length) {
  static_cast<Received*>(context)->blocks.emplace_back(data, data + length);
  return 0;
}

// A packet of pid: adaptation-field control afc, an adaptation field of
// adaptationLength when afc is 3, then the payload bytes, padded with 0xFF.
std::vector<BYTE> Packet(WORD pid, std::vector<BYTE> payload, int afc = 1, int adaptationLength = -1) {
  std::vector<BYTE> p = {0x47, static_cast<BYTE>(pid >> 8), static_cast<BYTE>(pid), static_cast<BYTE>(afc << 4)};
  if (afc == 3) {
    p.push_back(static_cast<BYTE>(adaptationLength));
    p.insert(p.end(), std::min<size_t>(adaptationLength, 183), 0x00);
  }
  p.insert(p.end(), payload.begin(), payload.end());
  p.resize(188, 0xFF);
  return p;
}

class HostFilterListTest : public ::testing::Test {
 protected:
  CHostFilterList m_list{[this](int level, const char* text) { m_log += std::to_string(level) + " " + text + "\n"; }};
  std::string m_log;
};

TEST_F(HostFilterListTest, EachTypeGetsItsPartOfThePacketsOfItsPid) {
  Received payload, whole, other;
  m_list.Add(CHostFilterList::kPayload, 100, 0, 0, 0, OnData, &payload);
  m_list.Add(CHostFilterList::kWholePacket, 100, 0, 0, 0, OnData, &whole);
  m_list.Add(CHostFilterList::kPayload2, 200, 0, 0, 0, OnData, &other);
  struct Case {
    int afc, adaptationLength;
    size_t payloadBytes;  // 0: not served
    const char* log;
  } cases[] = {
      {1, -1, 184, ""},
      {3, 7, 176, ""},
      {3, 182, 1, ""},
      {0, -1, 184, "127 RESERVED for future use\n"},
      {2, -1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.afc * 1000 + c.adaptationLength);
    payload.blocks.clear();
    whole.blocks.clear();
    m_log.clear();
    const std::vector<BYTE> packet = Packet(100, {1, 2, 3}, c.afc, c.adaptationLength);
    m_list.Dispatch(packet.data());
    ASSERT_EQ(1u, whole.blocks.size());
    EXPECT_EQ(packet, whole.blocks[0]);
    ASSERT_EQ(c.payloadBytes ? 1u : 0u, payload.blocks.size());
    if (c.payloadBytes) {
      EXPECT_EQ(c.payloadBytes, payload.blocks[0].size());
      EXPECT_EQ(std::vector<BYTE>(packet.end() - c.payloadBytes, packet.end()), payload.blocks[0]);
    }
    EXPECT_EQ(c.log, m_log);
  }
  EXPECT_TRUE(other.blocks.empty());
}

TEST_F(HostFilterListTest, PacketsWithTheErrorBitOrAnImpossibleAdaptationLengthAreNotServed) {
  Received whole;
  m_list.Add(CHostFilterList::kWholePacket, 100, 0, 0, 0, OnData, &whole);
  std::vector<BYTE> broken = Packet(100, {});
  broken[1] |= 0x80;
  m_list.Dispatch(broken.data());
  EXPECT_EQ("10 Invalid transport stream packet received.\n", m_log);
  m_list.Dispatch(Packet(100, {}, 3, 183).data());
  m_list.Dispatch(Packet(100, {}, 3, 255).data());
  EXPECT_TRUE(whole.blocks.empty());
  m_list.Dispatch(Packet(100, {}).data());
  EXPECT_EQ(1u, whole.blocks.size()) << "the stream goes on";
}

TEST_F(HostFilterListTest, SectionsAreGatheredFromTheirStartAndServedWhenTheyMatch) {
  Received pat, late;
  m_list.Add(CHostFilterList::kSections, 0, 0x00, 0xFF, 0, OnData, &pat);
  m_list.Add(CHostFilterList::kPayload, 0, 0, 0, 0, OnData, &late);
  // The middle of a section: the filter waits, and the packet goes no further.
  m_list.Dispatch(Packet(0, {5, 0xAA, 0xAA}).data());
  EXPECT_TRUE(pat.blocks.empty());
  EXPECT_TRUE(late.blocks.empty());

  // A section over two packets: all 184 bytes of the first after the
  // pointer field, then the rest up to the 0xFF stuffing.
  std::vector<BYTE> first(183, 0x11);
  first[0] = 0x00;  // table id
  first.insert(first.begin(), 0x00);  // pointer field
  m_list.Dispatch(Packet(0, first).data());
  EXPECT_TRUE(pat.blocks.empty());
  m_list.Dispatch(Packet(0, {0x22, 0x33}).data());
  ASSERT_EQ(1u, pat.blocks.size());
  std::vector<BYTE> section(first.begin() + 1, first.end());
  section.push_back(0x22);
  section.push_back(0x33);
  EXPECT_EQ(section, pat.blocks[0]);

  // A section of another table is gathered and dropped.
  m_list.Dispatch(Packet(0, {0x00, 0x02, 0xB0}).data());
  EXPECT_EQ(1u, pat.blocks.size());
  m_list.Dispatch(Packet(0, {0x00, 0x00, 0xB0, 0x0D}).data());
  ASSERT_EQ(2u, pat.blocks.size());
  EXPECT_EQ((std::vector<BYTE>{0x00, 0xB0, 0x0D}), pat.blocks[1]);
}

TEST_F(HostFilterListTest, ASectionThatOutgrowsItsBufferIsDroppedAndTheNextIsServed) {
  Received sections;
  m_list.Add(CHostFilterList::kSections, 18, 0x4E, 0xFE, 0, OnData, &sections);
  m_list.Dispatch(Packet(18, std::vector<BYTE>(184, 0x4E)).data());
  for (int i = 0; i < 400; ++i) m_list.Dispatch(Packet(18, std::vector<BYTE>(184, 0x01)).data());
  EXPECT_TRUE(sections.blocks.empty());
  m_list.Dispatch(Packet(18, {0x00, 0x4F, 0x01}).data());
  ASSERT_EQ(1u, sections.blocks.size());
  EXPECT_EQ((std::vector<BYTE>{0x4F, 0x01}), sections.blocks[0]);
}

TEST_F(HostFilterListTest, EntriesAreRemovedByTheirContext) {
  Received a, b;
  m_list.Add(CHostFilterList::kPayload, 100, 0, 0, 0, OnData, &a);
  m_list.Add(CHostFilterList::kPayload, 8191, 0, 0, 0, OnData, &b);
  WORD pid = 0;
  EXPECT_TRUE(m_list.Remove(&b, &pid));
  EXPECT_EQ(8191, pid);
  EXPECT_FALSE(m_list.Remove(&b, &pid));
  EXPECT_FALSE(m_list.Remove(nullptr, &pid));
  EXPECT_EQ(1u, m_list.Count());
}

}  // namespace
