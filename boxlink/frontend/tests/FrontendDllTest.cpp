// CDVBFrontend through boxlink.dll on the simulated box: the box-firmware
// variants detected, tuned, locked and reported, DiSEqC and antenna power,
// and a box without a front end.
#include "../../device/tests/BoxFixture.h"

#include "BoxCommands.h"
#include "DVBFrontend.h"
#include "MicrocodeFixtures.h"
#include "SimChipControl.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

ISimChips* Chips() {
  static ISimChips* chips = [] {
    HMODULE module = GetModuleHandleA("boxsim.dll");
    auto factory = module ? reinterpret_cast<SimChipsFactory>(
                                reinterpret_cast<void (*)()>(GetProcAddress(module, SIMCHIPS_CONTROL_EXPORT)))
                          : nullptr;
    return factory ? factory() : nullptr;
  }();
  return chips;
}

class FrontendDllTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    ASSERT_NE(Chips(), nullptr);
    Chips()->SetVariant(0);
    Chips()->SetAir(SimAirSignal());
  }
  // A box that carries the chips of the variant.
  void ChipBox(int variant) {
    DWORD ids = Chips()->UsbIds(variant);
    sim->SetUsbIds(WORD(ids >> 16), WORD(ids));
    Chips()->SetVariant(variant);
  }

  // A box whose firmware runs a front end of this kind (1-3).
  void FirmwareBox(DWORD kind) {
    sim->SetUsbIds(0x1A2C, WORD(0x0B20 + kind));
    SimBoxState s = State();
    s.feType = kind;
    s.feCaps[1] = kind == 3 ? 0x10000 : 0x11;
    s.feAirFrequency = kind == 1 ? 11778000 : 474000;
    s.feCaptureKHz = 1000;
    sim->SetState(s);
  }
};

TEST_F(FrontendDllTest, SatelliteBoxTunesLocksAndSendsDiSEqC) {
  FirmwareBox(1);
  CDVBFrontend fe;
  ASSERT_EQ(fe.Init(), DVB_ERR_NONE);
  EXPECT_EQ(fe.GetType(), frontendtypes::FE_SATELLITE);
  EXPECT_EQ(fe.GetCapabilities(), 0x11u);

  sim->ClearLog();
  CDVBFrontend::_CHANNEL_TYPE channel = {11778000, 2, 27500000, 10600000, 1, 18, 3};
  ASSERT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NONE);
  EXPECT_EQ(Commands().size(), 1u);  // one tuning command
  SimBoxState s = State();
  EXPECT_EQ(s.channelType, 1u);
  EXPECT_EQ(s.channel[0], 11778000u);
  EXPECT_EQ(s.channel[5], 10600000u);

  int locked = -1;
  CDVBFrontend::_LOCK_STATE lock = {};
  ASSERT_EQ(fe.GetState(locked, nullptr, &lock), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(lock.bLocked, 1u);
  EXPECT_EQ(lock.Type, frontendtypes::FE_SATELLITE);

  const BYTE expected[4] = {0xE0, 0x10, 0x38, 0xF7};
  ASSERT_EQ(fe.SendDiSEqCMsg(2, 1, 0, 0, 1, 1), DVB_ERR_NONE);
  s = State();
  EXPECT_EQ(s.diseqcLength, 4);
  EXPECT_EQ(memcmp(s.diseqcMessage, expected, 4), 0);

  unsigned long lo = 0, hi = 0;
  fe.GetFrequencyRange(lo, hi);
  EXPECT_EQ(lo, 950000ul);
  EXPECT_EQ(hi, 2150000ul);
}

TEST_F(FrontendDllTest, TerrestrialBoxWithAntennaPower) {
  FirmwareBox(3);
  CDVBFrontend fe;
  ASSERT_EQ(fe.Init(), DVB_ERR_NONE);
  EXPECT_EQ(fe.GetType(), frontendtypes::FE_TERRESTRIAL);
  ASSERT_EQ(fe.SetAntennaPower(1), DVB_ERR_NONE);
  unsigned long state = 0;
  ASSERT_EQ(fe.GetAntennaPower(state), DVB_ERR_NONE);
  EXPECT_EQ(state, 1ul);

  CDVBFrontend::_CHANNEL_TYPE channel = {21, 0, 0, 2, 0, 0, 0};  // channel 21
  ASSERT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NONE);
  EXPECT_EQ(State().channel[0], 474000u);
  int locked = -1;
  CDVBFrontend::_SIGNAL_TYPE signal = {};
  ASSERT_EQ(fe.GetState(locked, &signal, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);

  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kFeQuery);
  EXPECT_EQ(fe.GetState(locked, &signal, nullptr), DVB_ERR_NO_ANSWER);
}

TEST_F(FrontendDllTest, ChipVariantsAreDetectedOverTheI2cBridge) {
  struct Case {
    int variant;
    frontendtypes::_FRONTEND_TYPE type;
    unsigned long caps;
  } cases[] = {
      {2, frontendtypes::FE_SATELLITE, 0x111}, {4, frontendtypes::FE_CABLE, 0},
      {10, frontendtypes::FE_SATELLITE, 0x11}, {17, frontendtypes::FE_CABLE, 0},
      {19, frontendtypes::FE_TERRESTRIAL, 0},  {26, frontendtypes::FE_TERRESTRIAL, 0},
      {31, frontendtypes::FE_TERRESTRIAL, 0},
  };
  for (const Case& c : cases) {
    ChipBox(c.variant);
    CDVBFrontend fe;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE) << c.variant;
    EXPECT_EQ(fe.GetType(), c.type) << c.variant;
    EXPECT_EQ(fe.GetCapabilities(), c.caps) << c.variant;
    EXPECT_GT(Chips()->Transfers(), 0) << c.variant;
    EXPECT_EQ(Chips()->GateViolations(), 0) << c.variant;
  }
}

// The lock state after a tuning, read as an application reads it: until
// the front end reports lock, at most kLockPolls times. The library paces
// its tuning on the real clock, which the chips follow; between the reads
// the chips' clock moves on by kLockPollMs, so that a chip still acquiring
// gets its time however fast or slow the machine is.
int AwaitLock(CDVBFrontend& fe, CDVBFrontend::_SIGNAL_TYPE* signal) {
  const int kLockPolls = 50;
  const DWORD kLockPollMs = 20;
  int locked = -1;
  for (int poll = 0; poll < kLockPolls; ++poll) {
    if (poll) Chips()->AdvanceClock(kLockPollMs);
    if (fe.GetState(locked, signal, nullptr) != DVB_ERR_NONE) return -1;
    if (locked == 1) break;
  }
  return locked;
}

SimAirSignal Air(DWORD freqKHz, DWORD symbolRate, DWORD qamSize, BYTE snr, WORD quality) {
  SimAirSignal air;
  air.present = true;
  air.freqKHz = freqKHz;
  air.symbolRate = symbolRate;
  air.qamSize = qamSize;
  air.snr = snr;
  air.quality = quality;
  air.tps[0] = 0x10;  // 64-QAM
  air.tps[2] = 0x01;  // 8K
  return air;
}

TEST_F(FrontendDllTest, ChipVariantsTuneAndLockOnTheAir) {
  struct Case {
    int variant;
    CDVBFrontend::_CHANNEL_TYPE channel;
    SimAirSignal air;
    WORD level, quality;
  } cases[] = {
      {2, {11700000, 1, 27500000, 10600000, 0, 13, 3}, Air(1100000, 27500000, 0, 90, 0), 68, 49},
      {10, {11700000, 1, 27500000, 10600000, 0, 13, 3}, Air(1100000, 27500000, 0, 204, 0), 102, 80},
      {3, {474000, 1, 6900000, 2, 2, 0, 0}, Air(474000, 6900000, 64, 15, 0), 0, 97},
      // The searching STV0299 driver: quality word 5000, level 105, 82 on
      // the driver's scale; the signal 4.6 MHz off is found on its +4625
      // kHz step.
      {15, {11700000, 1, 27500000, 10600000, 0, 13, 3}, Air(1104600, 27500000, 0, 0, 5000), 105, 82},
      // The versioned chip: AGC 0 is -75 dBm, strength 25, quality 42.
      {28, {11700000, 2, 27500000, 10600000, 0, 13, 3}, Air(1102300, 27500000, 0, 0, 0), 0, 42},
      {17, {474000, 0, 6900000, 2, 2, 0, 0}, Air(473975, 6900000, 64, 0, 5000), 105, 55},
      {14, {21, 1, 0, 2, 0, 0, 0}, Air(474000, 0, 0, 0, 0), 0, 0},
  };
  for (const Case& c : cases) {
    ChipBox(c.variant);
    CDVBFrontend fe;
    ASSERT_EQ(fe.Init(), DVB_ERR_NONE) << c.variant;
    int locked = -1;
    // Nothing on the air yet: the status registers say so.
    ASSERT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(locked, 0) << c.variant;

    Chips()->SetAir(c.air);
    ASSERT_EQ(fe.SetChannel(c.channel, 0), DVB_ERR_NONE) << c.variant;
    CDVBFrontend::_SIGNAL_TYPE signal = {};
    EXPECT_EQ(AwaitLock(fe, &signal), 1) << c.variant;
    EXPECT_EQ(signal.wLevel, c.level) << c.variant;
    EXPECT_EQ(signal.wQuality, c.quality) << c.variant;
    EXPECT_EQ(Chips()->GateViolations(), 0) << c.variant;
    if (c.variant == 14) {
      CDVBFrontend::_TYPE_TPS tps = {};
      ASSERT_EQ(fe.GetTPS(&tps), 0);
      EXPECT_EQ(tps.bConstellation, 2);
      EXPECT_EQ(tps.bMode, 1);
    }
    Chips()->SetAir(SimAirSignal());
  }
}

TEST_F(FrontendDllTest, CableSearchFindsTheNextTransponder) {
  // Two neighbouring channels of the 8 MHz cable raster. From a locked
  // channel the sweep first steps past the channel's own bandwidth (1.15 x
  // the symbol rate), so a neighbour must lie at least that far away.
  ChipBox(3);
  CDVBFrontend fe;
  ASSERT_EQ(fe.Init(), DVB_ERR_NONE);
  SimAirSignal air = Air(306000, 6900000, 64, 15, 0);
  air.moreKHz[0] = 314000;
  Chips()->SetAir(air);
  ASSERT_EQ(fe.SetChannel({306000, 1, 6900000, 2, 2, 0, 0}, 0), DVB_ERR_NONE);
  EXPECT_EQ(fe.SearchNextChannel(330000, 1), 2ul);
  CDVBFrontend::_CHANNEL_TYPE back = {};
  ASSERT_EQ(fe.GetChannel(back), DVB_ERR_NONE);
  EXPECT_NEAR(double(back.dwFrequency), 314000, 6900.0 / 32);
  EXPECT_EQ(fe.SearchNextChannel(330000, 1), 1ul);  // none further below 330 MHz
  Chips()->SetAir(SimAirSignal());
}

TEST_F(FrontendDllTest, SearchOnTheBoxFirmwareVariantsLeavesTheTuningAlone) {
  // The box's firmware has no sweep: every search ends at once without a
  // channel, synchronously or not, and the box stays on its channel.
  const CDVBFrontend::_CHANNEL_TYPE channels[] = {
      {11778000, 2, 27500000, 10600000, 1, 18, 3}, {474000, 0, 6900000, 2, 2, 0, 0}, {474000, 0, 0, 2, 0, 0, 0}};
  for (DWORD kind = 1; kind <= 3; ++kind) {
    FirmwareBox(kind);
    CDVBFrontend fe;
    ASSERT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_EQ(fe.GetSearchState(), 2ul) << kind;
    ASSERT_EQ(fe.SetChannel(channels[kind - 1], 0), DVB_ERR_NONE);
    const int tunes = State().tunes;
    EXPECT_EQ(fe.SearchNextChannel(0, 1), 1ul) << kind;
    EXPECT_EQ(fe.SearchNextChannel(0, 0), 1ul) << kind;
    EXPECT_EQ(fe.GetSearchState(), 1ul) << kind;
    fe.StopSearch();
    EXPECT_EQ(State().tunes, tunes) << kind;
    int locked = -1;
    ASSERT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(locked, 1) << kind;
  }
}

TEST_F(FrontendDllTest, BoxWithoutAFrontEndAndNoBox) {
  CDVBFrontend fe;
  EXPECT_EQ(fe.Init(), DVB_ERR_FAILED);
  EXPECT_EQ(fe.GetType(), frontendtypes::FE_NONE);
  unsigned long state = 0;
  EXPECT_EQ(fe.GetAntennaPower(state), DVB_ERR_FAILED);
  EXPECT_EQ(state, 3ul);
  EXPECT_EQ(fe.SearchNextChannel(0, 1), 1ul);

  CDVBCommon::CloseDevice();
  CDVBFrontend::_CHANNEL_TYPE channel = {};
  EXPECT_EQ(fe.Init(), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NO_DEVICE);
  int locked;
  EXPECT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NO_DEVICE);
}

// The terrestrial front ends with their microcode beside the program and
// their DVB-T store in the registry.
class TerrestrialDllTest : public FrontendDllTest {
 protected:
  static constexpr const char* kStore = "SOFTWARE\\Kelvane\\boxlink\\DVB-T";
  void SetUp() override {
    FrontendDllTest::SetUp();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kStore);
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kStore);
    for (const char* name : {"sc_main.mc", "ter_fw25.mc", "ter_fw46.mc"})
      DeleteFileA((Folder() + "Boot\\" + name).c_str());
    RemoveDirectoryA((Folder() + "Boot").c_str());
    Chips()->SetMicrocode(nullptr, 0);
    FrontendDllTest::TearDown();
  }
  // The folder of the running program, where the library looks for "Boot\".
  static std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = 0;
    return path;
  }
  // The microcode in the program's folder, and the same in the chip.
  void Microcode(const char* name, const std::vector<BYTE>& file, const std::vector<BYTE>& chip) {
    CreateDirectoryA((Folder() + "Boot").c_str(), nullptr);
    FILE* f = fopen((Folder() + "Boot\\" + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(file.data(), 1, file.size(), f);
    fclose(f);
    Chips()->SetMicrocode(chip.data(), int(chip.size()));
  }
  DWORD Stored(const char* sub, const char* name) {
    DWORD value = 0xDEADBEEF, size = sizeof(value);
    char path[128];
    snprintf(path, sizeof(path), "%s%s", kStore, sub);
    RegGetValueA(HKEY_LOCAL_MACHINE, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }
};

TEST_F(TerrestrialDllTest, L64781FindsAnOffSignalStoresItAndTunesDirectlyNextTime) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kStore, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD spread = 1;  // offsets -167, 0, +167 kHz
  RegSetValueExA(key, "FOffset", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&spread), sizeof(spread));
  RegCloseKey(key);
  ChipBox(16);
  CDVBFrontend fe;
  ASSERT_EQ(fe.Init(), DVB_ERR_NONE);
  SimAirSignal air;
  air.present = true;
  air.freqKHz = 474167;
  air.captureKHz = 60;
  air.ofdm = {1, 3, 1, 0, 1, 2};  // 8K 1/4, 16-QAM
  air.lockAfterMs = 0;
  Chips()->SetAir(air);

  CDVBFrontend::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
  int before = Chips()->Transfers();
  ASSERT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NONE);
  int search = Chips()->Transfers() - before;
  EXPECT_EQ(AwaitLock(fe, nullptr), 1);
  EXPECT_EQ(Stored("\\059", "Mode"), 4u);
  EXPECT_EQ(Stored("\\059", "Freq-Offset"), 167u);
  EXPECT_EQ(Stored("\\059", "TPS-Constellation"), 1u);
  EXPECT_EQ(Stored("\\059", "TPS-CodeRateHP"), 1u);

  // Fifteen tries the first time, one the next.
  before = Chips()->Transfers();
  ASSERT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NONE);
  int direct = Chips()->Transfers() - before;
  EXPECT_LT(direct * 8, search);
  EXPECT_EQ(AwaitLock(fe, nullptr), 1);
  CDVBFrontend::_TYPE_TPS tps = {};
  ASSERT_EQ(fe.GetTPS(&tps), 0);
  EXPECT_EQ(tps.bMode, 1);
  EXPECT_EQ(tps.bGuard, 3);
  Chips()->SetAir(SimAirSignal());
}

TEST_F(TerrestrialDllTest, MicrocodeVariantsLoadTuneAndLock) {
  // Images far smaller than the chips' own: the library takes the length
  // from the data, and each block costs a paced box command.
  std::vector<ScSection> sections = ScSections(300);
  const struct {
    int variant;
    const char* file;
    std::vector<BYTE> bytes, chip;
    WORD level, quality;
  } cases[] = {
      {8, "sc_main.mc", ScFile(sections), WordBytes(sections[1].data), 0, 0},
      {25, "ter_fw25.mc", DspImage(1025, 5), DspImage(1025, 5), 29, 2},
      {26, "ter_fw46.mc", DspImage(601, 6), DspImage(601, 6), 29, 72},
      {31, "ter_fw46.mc", DspImage(601, 6), DspImage(601, 6), 29, 72},
  };
  for (const auto& c : cases) {
    Microcode(c.file, c.bytes, c.chip);
    ChipBox(c.variant);
    CDVBFrontend fe;
    ASSERT_EQ(fe.Init(), DVB_ERR_NONE) << c.variant;
    SimAirSignal air;
    air.present = true;
    air.freqKHz = 474167;  // the DSP variants' offset retry finds it
    air.captureKHz = c.variant == 8 ? 250 : 100;
    air.snr = 0x80;
    air.agc = 0x80;
    Chips()->SetAir(air);
    CDVBFrontend::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
    ASSERT_EQ(fe.SetChannel(channel, 0), DVB_ERR_NONE) << c.variant;
    CDVBFrontend::_SIGNAL_TYPE signal = {};
    EXPECT_EQ(AwaitLock(fe, &signal), 1) << c.variant;
    EXPECT_EQ(signal.wLevel, c.level) << c.variant;
    EXPECT_EQ(signal.wQuality, c.quality) << c.variant;
    EXPECT_EQ(Chips()->GateViolations(), 0) << c.variant;
    Chips()->SetAir(SimAirSignal());
  }
  // A damaged file: variant 8 does not start, before any transfer of it.
  std::vector<ScSection> bad = ScSections(300);
  bad[1].sumDelta = 1;
  Microcode("sc_main.mc", ScFile(bad), WordBytes(bad[1].data));
  ChipBox(8);
  CDVBFrontend fe;
  EXPECT_EQ(fe.Init(), DVB_ERR_FAILED);
}

}  // namespace
