// Detection of every variant from the simulated identities, the stable
// probe, the registry options and the initialisation's bus traffic.
#include "FrontendRig.h"
#include "FrontendTables.h"

namespace {

typedef FrontendRig Rig;

TEST(FrontendDetection, EveryVariantFromItsIdentity) {
  struct Case {
    int variant;
    frontendtypes::_FRONTEND_TYPE type;
    DWORD caps;
    int init;  // Init's result
  } cases[] = {
      {0, frontendtypes::FE_NONE, 0, DVB_ERR_FAILED},
      {2, frontendtypes::FE_SATELLITE, 0x111, 0},
      {3, frontendtypes::FE_CABLE, 0x110, 0},
      {4, frontendtypes::FE_CABLE, 0, 0},
      // No microcode file beside the program: the demodulator does not start.
      {7, frontendtypes::FE_TERRESTRIAL, 0x10, DVB_ERR_FAILED},
      {8, frontendtypes::FE_TERRESTRIAL, 0x10, DVB_ERR_FAILED},
      {9, frontendtypes::FE_TERRESTRIAL, 0x10, 0},
      {10, frontendtypes::FE_SATELLITE, 0x11, 0},
      {14, frontendtypes::FE_TERRESTRIAL, 0x10, 0},
      {15, frontendtypes::FE_SATELLITE, 0x11, 0},
      {16, frontendtypes::FE_TERRESTRIAL, 0, 0},
      {17, frontendtypes::FE_CABLE, 0, 0},
      {18, frontendtypes::FE_SATELLITE, 0x1, 0},
      {19, frontendtypes::FE_TERRESTRIAL, 0, 0},
      {20, frontendtypes::FE_SATELLITE, 0x11, 0},
      {21, frontendtypes::FE_SATELLITE, 0x11, 0},  // the box's capability word (default 0x11)
      {22, frontendtypes::FE_CABLE, 0x11, 0},
      {23, frontendtypes::FE_TERRESTRIAL, 0x11, 0},
      {24, frontendtypes::FE_SATELLITE, 0x11, 0},
      {25, frontendtypes::FE_TERRESTRIAL, 0, 0},
      {26, frontendtypes::FE_TERRESTRIAL, 0, 0},
      {27, frontendtypes::FE_SATELLITE, 0x11, 0},
      {28, frontendtypes::FE_SATELLITE, 0x11, 0},
      {29, frontendtypes::FE_SATELLITE, 0x11, 0},
      {30, frontendtypes::FE_SATELLITE, 0x11, 0},
      {31, frontendtypes::FE_TERRESTRIAL, 0, 0},
  };
  for (const Case& c : cases) {
    Rig r;
    r.ids.Build(c.variant);
    EXPECT_EQ(r.fe.Init(), c.init) << c.variant;
    EXPECT_EQ(r.fe.GetVariant(), DWORD(c.variant)) << c.variant;
    EXPECT_EQ(r.fe.GetType(), c.type) << c.variant;
    EXPECT_EQ(r.fe.GetCapabilities(), c.caps) << c.variant;
    EXPECT_EQ(r.w.chips.GateViolations(), 0) << c.variant;
    EXPECT_EQ(r.fe.BoxFirmwareDriver() != nullptr, c.variant >= 21 && c.variant <= 23) << c.variant;
  }
}

TEST(FrontendDetection, WithoutABoxNothingHappens) {
  Rig r;
  r.ids.Build(15);
  r.w.bus.SetOpen(false);
  EXPECT_EQ(r.fe.Init(), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(r.fe.GetVariant(), 0u);
  EXPECT_EQ(r.w.bus.Commands(), 0);
}

TEST(FrontendDetection, StableProbeEndsOnTheLastOfAtMostFiveReads) {
  // The STV0299's identity answers every other time: five reads, the last
  // of them the identity; then the driver object's own identity check.
  Rig r;
  r.ids.Build(15);
  r.ids.At(0x68)->SetFlicker(0, 0x00);
  EXPECT_EQ(r.fe.Init(), 0);
  EXPECT_EQ(r.fe.GetVariant(), 15u);
  int reads = 0;
  for (const SimTransfer& t : r.w.chips.Log())
    reads += t.address == 0x68 && t.readCount == 1 && t.write == std::vector<BYTE>({0x00});
  EXPECT_EQ(reads, 5 + 1);

  // A VES1893 whose identity flickers from the first answer on: the fifth
  // read is the other value, so it is not found.
  Rig other;
  other.ids.Build(2);
  other.ids.At(0x08)->SetReg(0x1E, 0x00);
  other.ids.At(0x08)->SetFlicker(0x1E, 0xD3);
  other.fe.Init();
  EXPECT_NE(other.fe.GetVariant(), 2u);
}

TEST(FrontendDetection, GeneralCallBeforeEachOfThe64781Probes) {
  Rig r;
  r.ids.Build(16);
  ASSERT_EQ(r.fe.Init(), 0);
  int calls = 0;
  for (const SimTransfer& t : r.w.chips.Log()) calls += t.address == 0;
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(r.ids.At(0x55)->Reg(74), frontendtables::g_64781[74]);  // table written
}

TEST(FrontendDetection, TunerProbeFailureThatIsNotExaminedFailsInit) {
  Rig r;
  r.ids.Build(2);
  r.w.chips.NakAlways(0x61);  // the tuner of variant 2 is gone
  EXPECT_EQ(r.fe.Init(), DVB_ERR_FAILED);
  EXPECT_EQ(r.fe.GetVariant(), 2u);
  // No initialisation without a tuner: the VES table stays unwritten.
  EXPECT_EQ(r.ids.At(0x08)->Reg(0x01), 0);
}

TEST(FrontendDetection, FailedGateWriteBeforeADecidingProbeFailsInit) {
  // The write that opens the way to the tuner fails; the tuner probe behind
  // it then decides, and clears the count, but the gate's failure stands.
  struct Case {
    int variant;
    int demod;  // 7-bit
    std::vector<BYTE> gateWrite;
  } cases[] = {
      {14, 0x43, {0x0A, 0x00}},
      {25, 0x08, {0x07, 0x02}},
  };
  for (const Case& c : cases) {
    Rig dry(c.variant);
    ASSERT_EQ(dry.fe.Init(), 0) << c.variant;
    int nth = 0;
    const std::vector<SimTransfer>& log = dry.w.chips.Log();
    while (nth < int(log.size()) && !(log[nth].address == c.demod && log[nth].write == c.gateWrite)) ++nth;
    ASSERT_LT(nth, int(log.size())) << c.variant;

    Rig r(c.variant);
    r.w.chips.NakBusTransfer(nth + 1);
    EXPECT_EQ(r.fe.Init(), DVB_ERR_FAILED) << c.variant;
  }
}

TEST(FrontendDetection, InitRestartsTheDemodulatorAfterItsTable) {
  // The last writes of Init to the demodulator: the restart pulse on bit 0
  // of register 0 (after the 8083's 50 ms pause). Variants 2 and 3
  // initialise through their driver objects instead.
  struct Case {
    int variant;
    int demod;  // 7-bit
    std::vector<BYTE> low, high;
  } cases[] = {
      {4, 0x09, {0x00, 0x00, 0x68}, {0x00, 0x00, 0x69}},
      {10, 0x68, {0x00, 0x3C}, {0x00, 0x04}},
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    ASSERT_EQ(r.fe.Init(), 0) << c.variant;
    std::vector<const SimTransfer*> writes;
    for (const SimTransfer& t : r.w.chips.Log())
      if (t.address == c.demod && t.readCount == 0) writes.push_back(&t);
    ASSERT_GE(writes.size(), 2u) << c.variant;
    EXPECT_EQ(writes[writes.size() - 2]->write, c.low) << c.variant;
    EXPECT_EQ(writes.back()->write, c.high) << c.variant;
    if (c.variant == 10) {
      EXPECT_GE(writes.back()->timeMs - writes[writes.size() - 3]->timeMs, 50.0);
    }
  }
}

TEST(FrontendDetection, RegistryOptions) {
  struct Case {
    const char* name;
    int variant;
    bool highSet;
    DWORD high;
    DWORD caps;
    BYTE reg4;  // the STV0299 table's entry 4, or what the driver object writes
    DWORD japan;
  } cases[] = {
      {"no values", 15, false, 0, 0x11, 0x5B, 0},
      {"HighSymbolrates 1", 15, true, 1, 0x1, 0x7D, 0},
      {"HighSymbolrates 2", 27, true, 2, 0x11, 0x5B, 0},
      {"HighSymbolrates 1 on 20", 20, true, 1, 0x1, 0x7D, 0},
      {"variant 18 always 0x1", 18, true, 0, 0x1, 0x7D, 0},
      {"JapanLNB", 15, false, 0, 0x11, 0x2D, 5},
      {"JapanLNB with the table", 15, true, 1, 0x1, 0x3E, 5},
  };
  for (const Case& c : cases) {
    Rig r;
    r.ids.Build(c.variant);
    if (c.highSet) r.settings.dwords["HighSymbolrates"] = c.high;
    if (c.japan) r.settings.dwords["JapanLNB"] = c.japan;
    ASSERT_EQ(r.fe.Init(), 0) << c.name;
    EXPECT_EQ(r.fe.GetCapabilities(), c.caps) << c.name;
    EXPECT_EQ(r.fe.JapanLNB(), c.japan != 0) << c.name;
    EXPECT_EQ(r.ids.At(0x68)->Reg(4), c.reg4) << c.name;
    EXPECT_EQ(r.fe.Stv0299Driver() != nullptr, (c.caps & 0x10) != 0) << c.name;
  }
}

TEST(FrontendDetection, AntennaPowerKindOfVariant26) {
  Rig r;
  r.ids.Build(26);
  r.w.bus.SetUsbIds(0x1234, 0x0B46);
  ASSERT_EQ(r.fe.Init(), 0);
  EXPECT_EQ(r.fe.GetCapabilities(), 0x10000u);
}

TEST(FrontendDetection, BoxFirmwareCapabilitiesAndTransactions) {
  Rig r;
  r.ids.Build(22);
  r.w.box.State().feCaps[1] = 0x2345;
  ASSERT_EQ(r.fe.Init(), 0);
  EXPECT_EQ(r.fe.GetCapabilities(), 0x2245u);  // the box's word, less the search it cannot do
  // Bit rate, the type query of detection, Init's type query, capabilities.
  EXPECT_EQ(r.w.bus.Commands(), 4);
  EXPECT_TRUE(r.w.chips.Log().empty());
  EXPECT_DOUBLE_EQ(r.w.clock.Now(), 200 + 4 * 20.0);
}

}  // namespace
