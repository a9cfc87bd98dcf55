#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ChannelOptions.h"
#include "ChannelRecord.h"
#include "FixChannelRecord.h"

namespace {

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  return std::vector<uint8_t>(p, p + sizeof(T));
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(ChannelRecord, DefaultRecordHasTheDefaultsAtTheirFileOffsets) {
  const std::vector<uint8_t> b = BytesOf(CChannelRecord().m_record);
  ASSERT_EQ(172u, b.size());
  EXPECT_EQ(0, std::memcmp(b.data(), "QLON3.0", 8));
  for (size_t i = 8; i < 24; ++i) EXPECT_EQ(0, b[i]) << "byte " << i;
  EXPECT_EQ(0, std::memcmp(&b[24], "<edit>", 7));
  EXPECT_EQ(0, b[56]);  // transponder name empty
  EXPECT_EQ(0, b[88]);  // provider
  EXPECT_EQ(0, b[89]);
  EXPECT_EQ(12000000u, U32At(b, 92));
  EXPECT_EQ(27500000u, U32At(b, 96));
  EXPECT_EQ(1, b[112]);    // flagA
  EXPECT_EQ(255, b[149]);  // no satellite
  EXPECT_EQ(3, b[158]);    // video source
  EXPECT_EQ(0, b[159]);
  EXPECT_EQ(1, b[169]);  // flagB
  for (size_t i : {100, 110, 118, 133, 136, 140, 150, 156, 160, 166, 168}) EXPECT_EQ(0, b[i]) << "byte " << i;
}

TEST(ChannelRecord, NullSourceDiffersFromDefaultOnlyInSatelliteIndex) {
  std::vector<uint8_t> fromNull = BytesOf(CChannelRecord(static_cast<const DVB_CHANNELS*>(nullptr)).m_record);
  std::vector<uint8_t> byDefault = BytesOf(CChannelRecord().m_record);
  EXPECT_EQ(0, fromNull[149]);
  EXPECT_EQ(255, byDefault[149]);
  fromNull[149] = 255;
  EXPECT_EQ(byDefault, fromNull);
}

TEST(ChannelRecord, CopiesEvery172BytesOfASource) {
  DVB_CHANNELS source;
  for (size_t i = 0; i < sizeof(source); ++i) reinterpret_cast<uint8_t*>(&source)[i] = uint8_t(i * 7 + 3);
  CChannelRecord record(&source);
  DVB_CHANNELS out;
  record.GetRecord(&out);
  EXPECT_EQ(BytesOf(source), BytesOf(out));
  CChannelRecord copy(record);
  EXPECT_EQ(BytesOf(source), BytesOf(copy.m_record));
}

TEST(ChannelRecord, FromFavouriteEntryTakesIdsLowTypeByteAndCutName) {
  FavouriteEntry entry{};
  entry.serviceId = 0x1234;
  entry.networkId = 0x0085;
  entry.transportStreamId = 0x0441;
  entry.itemType = 0x0101;
  std::memset(entry.name, 'N', sizeof(entry.name));  // 32 characters, no NUL
  CChannelRecord record(&entry);
  const DVB_CHANNELS& r = record.m_record;
  EXPECT_EQ(1, r.itemType);
  EXPECT_EQ(1, r.serviceKind);
  EXPECT_EQ(0x1234, r.serviceId);
  EXPECT_EQ(0x0085, r.networkId);
  EXPECT_EQ(0x0441, r.transportStreamId);
  EXPECT_EQ(std::string(31, 'N'), std::string(r.channelName));
  EXPECT_EQ(0, r.channelName[31]);
  EXPECT_EQ(0, r.satelliteIndex);
  EXPECT_EQ(12000000u, r.frequency);
  EXPECT_EQ(3, r.videoSource);
  EXPECT_EQ(0, r.transponderName[0]);

  CChannelRecord fromNull(static_cast<const FavouriteEntry*>(nullptr));
  EXPECT_STREQ("<edit>", fromNull.m_record.channelName);
  EXPECT_EQ(0, fromNull.m_record.itemType);
  EXPECT_EQ(1, fromNull.m_record.serviceKind);
  EXPECT_EQ(0, fromNull.m_record.serviceId);
  EXPECT_EQ(0, fromNull.m_record.satelliteIndex);
}

TEST(ChannelRecord, FavouriteEntryHasTypeWordAndZeroWordWhateverTheKind) {
  CChannelRecord record;
  record.m_record.itemType = 1;
  record.m_record.serviceKind = 2;
  record.m_record.serviceId = 10;
  record.m_record.networkId = 20;
  record.m_record.transportStreamId = 30;
  std::memset(record.m_record.channelName, 0, 32);
  std::strcpy(record.m_record.channelName, "Sport 2");
  record.m_record.channelName[20] = 'x';  // behind the NUL: no meaning
  FavouriteEntry entry;
  std::memset(&entry, 0xAA, sizeof(entry));
  record.GetFavouriteEntry(&entry);
  const std::vector<uint8_t> b = BytesOf(entry);
  const std::vector<uint8_t> expected = {10, 0, 20, 0, 30, 0, 1, 0, 0, 0, 'S', 'p', 'o', 'r', 't', ' ', '2'};
  EXPECT_EQ(expected, std::vector<uint8_t>(b.begin(), b.begin() + 17));
  for (size_t i = 17; i < 42; ++i) EXPECT_EQ(0, b[i]) << "name padding byte " << i;
}

struct FixCase {
  const char* what;
  size_t offset;
  uint32_t width;  // bytes
  uint32_t stored;
  uint32_t expected;
};

class FixChannelRecordTable : public testing::TestWithParam<FixCase> {};

TEST_P(FixChannelRecordTable, ClampsField) {
  const FixCase& c = GetParam();
  DVB_CHANNELS r = CChannelRecord().m_record;
  auto* b = reinterpret_cast<uint8_t*>(&r);
  std::memcpy(b + c.offset, &c.stored, c.width);
  FixChannelRecord(&r);
  uint32_t got = 0;
  std::memcpy(&got, b + c.offset, c.width);
  EXPECT_EQ(c.expected, got) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FixChannelRecordTable,
    testing::Values(
        FixCase{"itemType 7 is a channel", 88, 1, 7, 1}, FixCase{"itemType 0 stays a provider", 88, 1, 0, 0},
        FixCase{"serviceKind 3 stays", 89, 1, 3, 3}, FixCase{"serviceKind 4 stays", 89, 1, 4, 4},
        FixCase{"serviceKind 9 becomes 0", 89, 1, 9, 0}, FixCase{"flagA", 112, 1, 5, 1},
        FixCase{"bandwidth", 113, 1, 200, 4}, FixCase{"bandwidth NONE stays", 113, 1, 4, 4},
        FixCase{"pinNeeded 256", 136, 4, 256, 1}, FixCase{"pinNeeded high bit", 136, 4, 0x80000000u, 1},
        FixCase{"rotor", 148, 1, 2, 1}, FixCase{"satellite 200", 149, 1, 200, 149},
        FixCase{"satellite 149", 149, 1, 149, 149}, FixCase{"satellite 148", 149, 1, 148, 148},
        FixCase{"satellite 254", 149, 1, 254, 149}, FixCase{"satellite 255", 149, 1, 255, 255},
        FixCase{"audioMode", 150, 1, 3, 2}, FixCase{"spectralInversion", 151, 1, 0xFF, 1}, FixCase{"qam", 152, 1, 6, 5},
        FixCase{"fec", 153, 1, 10, 9}, FixCase{"fec 8/9 stays", 153, 1, 9, 9}, FixCase{"reserved 154", 154, 1, 77, 0},
        FixCase{"polarisation", 155, 1, 2, 1}, FixCase{"lnb", 156, 1, 101, 100},
        FixCase{"lnb 100 stays", 156, 1, 100, 100}, FixCase{"videoSource", 158, 2, 0x0106, 5},
        FixCase{"scrambled 0x0100", 166, 2, 0x0100, 1}, FixCase{"signalType", 168, 1, 3, 2},
        FixCase{"flagB untouched", 169, 1, 9, 9}, FixCase{"frequency untouched", 92, 4, 0xFFFFFFFFu, 0xFFFFFFFFu},
        FixCase{"serviceId untouched", 160, 2, 0xFFFF, 0xFFFF}, FixCase{"padding untouched", 90, 2, 0xBEEF, 0xBEEF}));

TEST(FixChannelRecord, EndsNamesWithinTheirFieldsAndMarksTheSubVersion) {
  DVB_CHANNELS r = CChannelRecord().m_record;
  std::memset(r.channelName, 'A', 32);
  std::memset(r.transponderName, 'T', 32);
  EXPECT_EQ(&r, FixChannelRecord(&r));
  EXPECT_EQ(std::string(31, 'A'), std::string(r.channelName));
  EXPECT_EQ(std::string(31, 'T'), std::string(r.transponderName));
  EXPECT_EQ('1', r.subVersion[0]);
  EXPECT_EQ(0, r.subVersion[1]);
}

TEST(ChannelOptions, TablesReadLikeTheirListsAndEndWithAnEmptyText) {
  struct Table {
    const char* const* texts;
    std::vector<std::string> expected;
  };
  const Table tables[] = {
      {g_fecOptions, {"Auto", "1/1", "1/2", "2/3", "3/4", "4/5", "5/6", "6/7", "7/8", "8/9"}},
      {g_polarisationOptions, {"Horizontal", "Vertical"}},
      {g_qamOptions, {"QAM_TYPE NONE", "QAM_TYPE 16", "QAM_TYPE 32", "QAM_TYPE 64", "QAM_TYPE 128", "QAM_TYPE 256"}},
      {g_bandwidthOptions, {"AUTO", "6 MHz", "7 MHz", "8 MHz", "NONE"}},
      {g_signalTypeOptions, {"PAL", "NTSC", "HDTV"}},
      {g_audioModeOptions, {"Stereo", "Mono left", "Mono right"}},
      {g_videoSourceOptions, {"XPORT DVB", "Analog Tuner", "Composite JP1", "Composite Ext.", "Composite Aux.", "TV"}},
  };
  for (const Table& t : tables) {
    std::vector<std::string> walked;
    for (const char* const* p = t.texts; **p; ++p) walked.push_back(*p);
    EXPECT_EQ(t.expected, walked);
  }
}

}  // namespace
