#include <gtest/gtest.h>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"
#include "TreeDump.h"
#include "Zenk4Conversion.h"

using namespace fixtures;

namespace {

Bytes BytesOf(const Zenk4Record& z) {
  const auto* p = reinterpret_cast<const uint8_t*>(&z);
  return Bytes(p, p + sizeof(z));
}

DVB_CHANNELS FromFileBytes(const Bytes& bytes) {
  Zenk4Record z;
  std::memcpy(&z, bytes.data(), sizeof(z));
  SwapZenk4Record(&z);
  DVB_CHANNELS r;
  Zenk4ToChannel(&z, &r);
  return r;
}

TEST(Zenk4Conversion, ChannelToZenk4WritesEveryByte) {
  DVB_CHANNELS r = Channel("ZDF", 1, 0x6D66, 0x0001, 0x0437);
  r.frequency = 11953000;
  r.symbolRate = 27500000;
  r.pmtPid = 0x0064;
  r.videoPid = 0x006E;
  r.audioPid = 0x0078;
  r.pcrPid = 0x0082;
  r.teletextPid = 0x0082 + 1;
  r.fec = 4;
  r.polarisation = 1;
  r.lnb = 7;
  r.scrambled = 1;
  Zenk4Record z;
  std::memset(&z, 0xCC, sizeof(z));
  ChannelToZenk4(&r, &z);
  const Bytes expected = {
      'D',  'V',  'S',  'O',  0x6D, 0x66, 0x00, 0x64,  // magic, service id, PMT PID
      0x2E, 0xB1, 0x6B, 0x6C,                          // 11953 MHz, 27500 kS/s
      4,    0,    1,    3,                             // FEC, 0, polarisation, LNB 7 -> 3
      0x00, 0x6E, 0x00, 0x78, 0x00, 0x82,              // video, audio, PCR
      0x01, 0xFF, 0,    0,    0,    1,                 // scrambled, 0, 0, TV
      0x00, 0x83, 0x04, 0x37,                          // teletext, transport stream
      'Z',  'D',  'F',  0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0,
      0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0x00, 0x01};  // zeros, network id
  EXPECT_EQ(expected, BytesOf(z));
}

TEST(Zenk4Conversion, FrequencyAndNameEdgeCases) {
  struct Row {
    uint8_t itemType;
    uint32_t frequency;
    uint8_t expectedHigh, expectedLow;
  } rows[] = {
      {1, 11953000, 0x2E, 0xB1},
      {1, 474000000, 0x3B, 0x90},  // the low 16 bits of 474000
      {1, 999, 0, 0},              // below 1000: reads back as a provider
      {0, 11953000, 0, 0},         // providers carry no frequency
  };
  for (const Row& row : rows) {
    DVB_CHANNELS r = Channel("X", 1);
    r.itemType = row.itemType;
    r.frequency = row.frequency;
    Zenk4Record z;
    ChannelToZenk4(&r, &z);
    const Bytes b = BytesOf(z);
    EXPECT_EQ(row.expectedHigh, b[8]) << row.frequency;
    EXPECT_EQ(row.expectedLow, b[9]) << row.frequency;
  }
  DVB_CHANNELS r = Channel("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", 1);
  Zenk4Record z;
  ChannelToZenk4(&r, &z);
  EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVW", std::string(z.name));
}

TEST(Zenk4Conversion, ReadBackTable) {
  struct Row {
    const char* what;
    Zenk4Fields fields;
    uint8_t itemType, serviceKind;
    uint32_t frequency, symbolRate;
    uint8_t lnb;
    uint16_t scrambled;
  } rows[] = {
      {"satellite channel", {"ZDF", 11953, 27500, 1}, 1, 1, 11953000, 27500000, 0, 0},
      {"cut frequency", {"K", 15248, 6900, 1}, 1, 1, 15248000, 6900000, 0, 0},
      {"provider", {"Astra", 0, 27500, 1, 5, 3, 1, 0xFF}, 0, 0, 0, 27500000, 3, 1},
      {"LNB 150", {"L", 10, 0, 1, 0, 150}, 1, 1, 10000, 0, 100, 0},
      {"marker 00 01", {"S", 10, 0, 1, 0, 0, 0x00, 0x01}, 1, 1, 10000, 0, 0, 0},
      {"marker 02 00", {"S", 10, 0, 1, 0, 0, 0x02, 0x00}, 1, 1, 10000, 0, 0, 1},
      {"kind 3 kept", {"R", 10, 0, 3}, 1, 3, 10000, 0, 0, 0},
      {"kind 7 taken as 0", {"R", 10, 0, 7}, 1, 0, 10000, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const DVB_CHANNELS r = FromFileBytes(Zenk4Bytes(row.fields));
    EXPECT_EQ(row.itemType, r.itemType);
    EXPECT_EQ(row.serviceKind, r.serviceKind);
    EXPECT_EQ(row.frequency, r.frequency);
    EXPECT_EQ(row.symbolRate, r.symbolRate);
    EXPECT_EQ(row.lnb, r.lnb);
    EXPECT_EQ(row.scrambled, r.scrambled);
    EXPECT_EQ(0, std::memcmp(r.signature, "QLON3.0", 8));
    EXPECT_EQ('1', r.subVersion[0]);
    EXPECT_EQ(1, r.flagA);
    EXPECT_EQ(1, r.flagB);
    EXPECT_EQ(255, r.satelliteIndex);
    EXPECT_EQ(0, r.videoSource);
    EXPECT_EQ(0, r.ac3Pid);
  }
}

TEST(Zenk4Conversion, RoundTripKeepsIdsAndPids) {
  DVB_CHANNELS r = Channel("Das Erste", 2, 28106, 1, 1101);
  r.pmtPid = 100;
  r.pcrPid = 101;
  r.teletextPid = 104;
  r.fec = 12;  // clamped on the way back
  r.polarisation = 1;
  Zenk4Record z;
  ChannelToZenk4(&r, &z);
  const DVB_CHANNELS back = FromFileBytes(BytesOf(z));
  EXPECT_EQ("Das Erste", Name(back));
  for (auto field :
       {&DVB_CHANNELS::serviceId, &DVB_CHANNELS::networkId, &DVB_CHANNELS::transportStreamId, &DVB_CHANNELS::pmtPid,
        &DVB_CHANNELS::pcrPid, &DVB_CHANNELS::teletextPid, &DVB_CHANNELS::videoPid, &DVB_CHANNELS::audioPid})
    EXPECT_EQ(r.*field, back.*field);
  EXPECT_EQ(9, back.fec);
  EXPECT_EQ(1, back.polarisation);
  EXPECT_EQ(2, back.serviceKind);
  EXPECT_EQ(11953000u, back.frequency);
}

TEST(Zenk4Conversion, CleanNameDropsHighBitBytes) {
  char name[] =
      "M\xE4nner TV \xFC"
      "ber";
  CleanZenk4Name(name);
  EXPECT_STREQ("Mnner TV ber", name);
  const DVB_CHANNELS r = FromFileBytes(Zenk4Bytes({"Gr\xFC\xE4n", 10}));
  EXPECT_EQ("Grn", Name(r));
}

class Zenk4File : public testing::Test {
 protected:
  Zenk4File() : codec(group, disk) { group.clipboard.files[0].path = "D:\\lists\\sat.dvb"; }
  Bytes& file() { return disk.files["D:\\lists\\sat.dvb"]; }

  CTestPaneGroup group;
  CMemoryListFileSystem disk;
  CListFileCodec codec;
};

TEST_F(Zenk4File, ProvidersHoldTheirChannelsAndChildlessCopiesGo) {
  file() = Concat({Zenk4Bytes({"Astra", 0}), Zenk4Bytes({"ZDF", 11953, 27500, 1}), Zenk4Bytes({"DLF", 11953, 27500, 2}),
                   Zenk4Bytes({"Empty", 0}), Zenk4Bytes({"Hotbird", 0}), Zenk4Bytes({"RAI", 11766, 27500, 1}),
                   Zenk4Bytes({"Kind 0 dropped", 11766, 27500, 0}), Bytes(2, 0xEE)});
  group.fav().InsertItem({nullptr, "Fav", 0, 0, true, std::make_unique<CChannelRecord>()});
  EXPECT_EQ(kReadOk, codec.ReadZenk4File(kReadReplace));
  EXPECT_EQ((Lines{"Astra img0/0 bold kind1", "  ZDF img1/2 kind1", "Hotbird img0/0 bold kind1", "  RAI img1/2 kind1"}),
            DumpTree(group.tv(), true));
  EXPECT_EQ((Lines{"Astra", "  DLF"}), DumpTree(group.radio()));
  EXPECT_EQ(Lines{"Fav"}, DumpTree(group.fav())) << "a Zenk4 list has no favourites";
  EXPECT_TRUE(group.messages.empty());
}

TEST_F(Zenk4File, A130ByteFileYieldsTwoRecords) {
  file() = Concat({Zenk4Bytes({"A", 0}), Zenk4Bytes({"B", 10, 0, 1}), Bytes(2, 0)});
  codec.ReadZenk4File(kReadReplace);
  EXPECT_EQ((Lines{"A", "  B"}), DumpTree(group.tv()));
}

TEST_F(Zenk4File, EmptyFileEmptiesTvAndRadioButKeepsFavourites) {
  group.tv().InsertItem({nullptr, "Old", 0, 0, true, std::make_unique<CChannelRecord>()});
  group.radio().InsertItem({nullptr, "Old", 0, 0, true, std::make_unique<CChannelRecord>()});
  group.fav().InsertItem({nullptr, "Fav", 0, 0, true, std::make_unique<CChannelRecord>()});
  file() = Bytes();
  EXPECT_EQ(kReadOk, codec.ReadZenk4File(kReadReplace));
  EXPECT_EQ(0, group.tv().GetCount());
  EXPECT_EQ(0, group.radio().GetCount());
  EXPECT_EQ(1, group.fav().GetCount());
}

TEST_F(Zenk4File, MissingFileShowsTheMessageAndKeepsTheTrees) {
  group.tv().InsertItem({nullptr, "Old", 0, 0, true, std::make_unique<CChannelRecord>()});
  group.pendingFileName = "E:\\drop\\gone.dvb";
  EXPECT_EQ(kReadCannotOpen, codec.ReadZenk4File(kReadAppend));
  EXPECT_EQ(Lines{"Can't open file E:\\drop\\gone.dvb"}, group.messages);
  EXPECT_EQ(1, group.tv().GetCount());
}

TEST_F(Zenk4File, WriteThenReadGivesTheSameTrees) {
  file() =
      Concat({Zenk4Bytes({"Astra", 0}), Zenk4Bytes({"ZDF", 11953, 27500, 1}), Zenk4Bytes({"DLF", 11953, 27500, 2})});
  ASSERT_EQ(kReadOk, codec.ReadZenk4File(kReadReplace));
  codec.WriteChannelFile();
  EXPECT_EQ(4u * 64, file().size());  // the provider once per tree
  ASSERT_EQ(kReadOk, codec.ReadZenk4File(kReadReplace));
  EXPECT_EQ((Lines{"Astra", "  ZDF"}), DumpTree(group.tv()));
  EXPECT_EQ((Lines{"Astra", "  DLF"}), DumpTree(group.radio()));
  EXPECT_EQ(0, group.clipboard.files[0].modified);
}

}  // namespace
