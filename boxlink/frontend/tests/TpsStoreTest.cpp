// The DVB-T parameter store on the settings a test sets: what is written
// per channel, what a fresh machine retrieves, the mode numbers and the
// channels' keys.
#include "SimFrontendSettings.h"
#include "TpsRecord.h"
#include "TpsStore.h"

#include <gtest/gtest.h>

namespace {

const char kKey[] = "SOFTWARE\\Kelvane\\boxlink\\DVB-T\\059";

DWORD Stored(CSimFrontendSettings& settings, const char* name) {
  DWORD value = 0xDEADBEEF;
  settings.ReadKeyDWord(kKey, name, value);
  return value;
}

TEST(TpsStore, StoresAChannelAndRetrievesItsParameters) {
  CSimFrontendSettings settings;
  CTpsStore store(settings);
  store.StoreTPS(kKey, Tps(1, 3, 4, 0, 2, 1, -167));  // 16-QAM, 8K with 1/8
  EXPECT_EQ(Stored(settings, "TPS-Hierarchy"), 3u);
  EXPECT_EQ(Stored(settings, "TPS-Constellation"), 1u);
  EXPECT_EQ(Stored(settings, "TPS-CodeRateLP"), 0u);
  EXPECT_EQ(Stored(settings, "TPS-CodeRateHP"), 4u);
  EXPECT_EQ(Stored(settings, "Mode"), 5u);
  EXPECT_EQ(Stored(settings, "Freq-Offset"), DWORD(-167));
  EXPECT_EQ(settings.keyed.size(), 6u);

  // Only the four stored bytes come back; the rest of the record stays.
  frontendtypes::_TYPE_TPS back = Tps(9, 9, 9, 9, 3, 0, 55);
  back.dwDriver0 = 77;
  store.RetrieveTPS(kKey, back);
  EXPECT_EQ(back.bHierarchy, 3);
  EXPECT_EQ(back.bConstellation, 1);
  EXPECT_EQ(back.bCodeRateLP, 0);
  EXPECT_EQ(back.bCodeRateHP, 4);
  EXPECT_EQ(back.bGuard, 3);
  EXPECT_EQ(back.bMode, 0);
  EXPECT_EQ(back.nFreqOffset, 55);
  EXPECT_EQ(back.dwDriver0, 77u);
}

TEST(TpsStore, FreshMachineAndValuesWrittenByOthers) {
  CSimFrontendSettings settings;
  CTpsStore store(settings);
  frontendtypes::_TYPE_TPS tps = Tps(0, 7, 0, 0, 0, 0, 0);
  store.RetrieveTPS(kKey, tps);
  EXPECT_EQ(tps.bHierarchy, 0);
  EXPECT_EQ(tps.bConstellation, 2);  // 64-QAM
  EXPECT_EQ(tps.bCodeRateHP, 2);     // 3/4
  EXPECT_EQ(tps.bCodeRateLP, 2);

  settings.keyed[std::string(kKey) + "|TPS-Constellation"] = 0x102;  // only the low byte counts
  settings.keyed[std::string(kKey) + "|TPS-CodeRateLP"] = 1;
  store.RetrieveTPS(kKey, tps);
  EXPECT_EQ(tps.bConstellation, 2);
  EXPECT_EQ(tps.bCodeRateLP, 1);
  EXPECT_EQ(tps.bCodeRateHP, 2);
}

TEST(TpsStore, AFailedWriteDoesNotStopTheNext) {
  CSimFrontendSettings settings;
  settings.refused = {"TPS-Constellation", "Mode"};
  CTpsStore(settings).StoreTPS(kKey, Tps(1, 2, 3, 4, 1, 0, 9));
  EXPECT_EQ(Stored(settings, "TPS-Hierarchy"), 2u);
  EXPECT_EQ(Stored(settings, "TPS-CodeRateLP"), 4u);
  EXPECT_EQ(Stored(settings, "TPS-CodeRateHP"), 3u);
  EXPECT_EQ(Stored(settings, "Freq-Offset"), 9u);
  EXPECT_EQ(settings.keyed.size(), 4u);
}

TEST(TpsStore, ModeNumbers) {
  struct Case {
    BYTE mode, guard;
    int number;
  } cases[] = {
      {0, 2, 1}, {0, 1, 2}, {0, 3, 3}, {1, 3, 4}, {1, 2, 5}, {1, 1, 6}, {1, 0, 7}, {0, 0, 0},  // 2K with 1/32
      {2, 0, 0}, {1, 4, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CTpsStore::GetTPSMode(Tps(0, 0, 0, 0, c.guard, c.mode, 0)), c.number) << int(c.mode) << int(c.guard);
    if (c.number == 0) continue;
    BYTE mode = 9, guard = 9;
    CTpsStore::ModeAndGuard(DWORD(c.number), mode, guard);
    EXPECT_EQ(mode, c.mode) << c.number;
    EXPECT_EQ(guard, c.guard) << c.number;
  }
  // Numbers the table does not give.
  struct Read {
    DWORD number;
    BYTE mode, guard;
  } reads[] = {{0, 0, 0}, {8, 1, 0}, {0xFFFFFFFF, 1, 0}};
  for (const Read& r : reads) {
    BYTE mode = 9, guard = 9;
    CTpsStore::ModeAndGuard(r.number, mode, guard);
    EXPECT_EQ(mode, r.mode) << r.number;
    EXPECT_EQ(guard, r.guard) << r.number;
  }
}

TEST(TpsStore, ChannelKeys) {
  EXPECT_EQ(CTpsStore::ChannelKey(474000), "SOFTWARE\\Kelvane\\boxlink\\DVB-T\\059");
  EXPECT_EQ(CTpsStore::ChannelKey(858000), "SOFTWARE\\Kelvane\\boxlink\\DVB-T\\107");
  // A frequency a little off the raster keeps its channel's key.
  EXPECT_EQ(CTpsStore::ChannelKey(474000 - 2000), CTpsStore::ChannelKey(474000 + 1999));
  EXPECT_EQ(CTpsStore::ChannelKey(177500), "SOFTWARE\\Kelvane\\boxlink\\DVB-T\\022");
}

}  // namespace
