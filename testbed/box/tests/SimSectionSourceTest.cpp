// The box's section sources and filters: the PAT and PMT of the ffmpeg
// transport stream, sections across transport packets, a continuity break,
// and which filters pass which sections.
#include "SimFilterOutput.h"
#include "SimSectionSource.h"

#include "ByteOrder.h"
#include "CommandLayouts.h"
#include "TestData.h"

#include <gtest/gtest.h>

namespace {

SimBoxState::Filter SectionFilter(WORD pid, const BYTE* data, const BYTE* mask, BYTE length) {
  SimBoxState::Filter f;
  f.used = 1;
  f.section = 1;
  f.pid = pid;
  boxcommands::BuildSectionFilter(f.params, pid, data, mask, length, 1);
  return f;
}

}  // namespace

TEST(SimSectionSource, PatAndPmtOfTheTransportStream) {
  auto ts = ReadTestData("stream.ts");
  ASSERT_FALSE(ts.empty()) << "scripts/make-fixtures makes stream.ts";
  auto pats = SimSectionsOfPid(ts.data(), ts.size(), 0);
  ASSERT_GT(pats.size(), 1u);
  const SimSection& pat = pats[0];
  EXPECT_EQ(pat[0], 0x00);
  EXPECT_EQ(SimSectionCrc(pat.data(), pat.size()), 0u);
  // One programme: its PMT PID sits in the last 2 bytes before the CRC.
  WORD pmtPid = WORD(byteorder::GetBE16(pat.data() + pat.size() - 6) & 0x1FFF);
  auto pmts = SimSectionsOfPid(ts.data(), ts.size(), pmtPid);
  ASSERT_FALSE(pmts.empty());
  EXPECT_EQ(pmts[0][0], 0x02);
  EXPECT_EQ(SimSectionCrc(pmts[0].data(), pmts[0].size()), 0u);
  for (const SimSection& s : pats) EXPECT_EQ(s, pat);
}

TEST(SimSectionSource, SectionsAcrossPacketsAndABreak) {
  std::vector<BYTE> payload(1000);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = BYTE(i * 7);
  SimSection longOne = SimSectionWithCrc(0x42, 0x1234, payload);
  SimSection shortOne = SimSectionWithCrc(0x46, 0x0001, {1, 2, 3});
  EXPECT_EQ(SimSectionCrc(longOne.data(), longOne.size()), 0u);
  BYTE counter = 0;
  std::vector<BYTE> ts = SimPacketsOfSection(longOne, 0x100, counter);
  EXPECT_EQ(ts.size(), 6u * 188);
  auto more = SimPacketsOfSection(shortOne, 0x100, counter);
  ts.insert(ts.end(), more.begin(), more.end());
  auto got = SimSectionsOfPid(ts.data(), ts.size(), 0x100);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], longOne);
  EXPECT_EQ(got[1], shortOne);
  EXPECT_TRUE(SimSectionsOfPid(ts.data(), ts.size(), 0x101).empty());

  // A lost packet in the middle drops that section only.
  std::vector<BYTE> broken(ts.begin(), ts.begin() + 2 * 188);
  broken.insert(broken.end(), ts.begin() + 3 * 188, ts.end());
  got = SimSectionsOfPid(broken.data(), broken.size(), 0x100);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], shortOne);
}

TEST(SimSectionSource, FiltersPassTheSectionsTheirDataAndMaskMatch) {
  SimSection a = SimSectionWithCrc(0x42, 0x0001, {9});
  SimSection b = SimSectionWithCrc(0x42, 0x0002, {9});
  SimSection c = SimSectionWithCrc(0x46, 0x0001, {9});
  const BYTE any[5] = {}, noMask[5] = {};
  const BYTE table42[1] = {0x42}, full[1] = {0xFF};
  // Table 0x42 or 0x46 (bit 2 ignored), extension 0x0002 (bytes 3-4).
  const BYTE ext2[5] = {0x42, 0, 0, 0x00, 0x02}, ext2Mask[5] = {0xFB, 0, 0, 0xFF, 0xFF};
  SimBoxState box;
  box.filters[0] = SectionFilter(0x100, any, noMask, 0);
  box.filters[1] = SectionFilter(0x100, table42, full, 1);
  box.filters[2] = SectionFilter(0x100, ext2, ext2Mask, 5);
  box.filters[3] = SectionFilter(0x200, table42, full, 1);
  struct Case {
    const SimSection* section;
    std::vector<int> filters;
  } cases[] = {{&a, {0, 1}}, {&b, {0, 1, 2}}, {&c, {0}}};
  for (const Case& k : cases) {
    std::vector<int> passed;
    for (int i = 0; i < 4; ++i)
      if (box.filters[i].pid == 0x100 && SimSectionMatches(box.filters[i], k.section->data(), k.section->size()))
        passed.push_back(i);
    EXPECT_EQ(passed, k.filters) << int((*k.section)[4]);
  }
  // The output carries the numbers the box answered.
  box.filterNumberBase = 10;
  auto out = SimSectionOutput(box, 0x100, {b});
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].slot, 11);
  EXPECT_EQ(out[2].slot, 13);
  EXPECT_EQ(out[2].delivered, b);
}
