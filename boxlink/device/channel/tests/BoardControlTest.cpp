// Booting the simulated box from synthetic images (its waits on the fast
// clock), flash updates, and switching the USB streams with their rollback
// at every failure point.
#include "StaticBoxFixture.h"

#include "AdapterKey.h"
#include "BoxCommands.h"
#include "DVBNetAdapter.h"
#include "SimNetAdapter.h"
#include "FirmwareImage.h"

#include <cstdio>
#include <string>

namespace {

std::string WriteImage(const std::vector<BYTE>& image, const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  std::string path = std::string(dir) + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (f) {
    fwrite(image.data(), 1, image.size(), f);
    fclose(f);
  }
  return path;
}

}  // namespace

class BootTest : public StaticBoxTest {
 protected:
  void SetUp() override {
    StaticBoxTest::SetUp();
    image = firmwareimage::MakeImage(5003, 9, false);
    path = WriteImage(image, "quillon-boot.img");
  }
  void TearDown() override {
    remove(path.c_str());
    StaticBoxTest::TearDown();
  }
  std::vector<BYTE> image;
  std::string path;
};

TEST_F(BootTest, ReopensTheBoxAsItWasOpened) {
  // The network side comes back when it was open, and the owner record
  // keeps the application id the box was opened under.
  const BYTE boxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
  ISimNetAdapter& net = BoxNetAdapter();
  struct Case {
    bool network;
    const char* appId;
  } cases[] = {{false, nullptr}, {true, "Living room TV"}, {false, "Recorder"}, {true, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.network ? "network, " : "no network, ") + (c.appId ? c.appId : "no id"));
    StopEverything();
    sim->Reset();
    RemoveAdapterKey(net, 0);
    if (c.network) {
      net.SetPresent(1);
      WriteAdapterValue(net, 0, "NetworkAddress", "02A7E31A2B3C");
      net.AddHostAdapter(HostAdapter(boxMac, "192.168.7.1", "255.255.255.0"));
    }
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, c.appId, c.network ? FALSE : TRUE));

    ASSERT_EQ(board.BootARM(path.c_str()), DVB_ERR_NONE);
    ASSERT_TRUE(CDVBCommon::IsOpen());
    EXPECT_EQ(Mode(), 1u);
    EXPECT_EQ(CDVBNetAdapter::GetHandle() != INVALID_HANDLE_VALUE, c.network);
    EXPECT_EQ(net.OpenHandles(), c.network ? 1 : 0);
    const char* module = nullptr;
    const char* appId = nullptr;
    ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
    EXPECT_STREQ(appId, c.appId ? c.appId : "");
    EXPECT_STRNE(module, "");
  }
  StopEverything();
  RemoveAdapterKey(net, 0);
}

TEST_F(BootTest, FailsBeforeDownloadingWhenTheOwnerRecordIsUnreadable) {
  CDVBOwnerTable* owners = g_pDVBOwnerTable;
  g_pDVBOwnerTable = nullptr;
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_FAILED);
  g_pDVBOwnerTable = owners;
  SimBootInfo info;
  sim->GetBootInfo(&info);
  EXPECT_EQ(info.starts, 0);
  EXPECT_EQ(info.received, 0u);
  EXPECT_TRUE(CDVBCommon::IsOpen());
  EXPECT_EQ(Mode(), 0u);
}

TEST_F(BootTest, BootReenumeratesTheBoxIntoMode1) {
  ASSERT_EQ(Mode(), 0u);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_NONE);
  ASSERT_TRUE(CDVBCommon::IsOpen());
  EXPECT_EQ(Mode(), 1u);
  // Left after 200 ms and back 300 ms later: five polls of 100 ms.
  EXPECT_EQ(SleptMs(), 500u);

  SimBootInfo info;
  sim->GetBootInfo(&info);
  auto transfer = firmwareimage::PrepareTransfer(image.data(), DWORD(image.size()));
  EXPECT_EQ(info.announcedLength, 5006u);
  EXPECT_EQ(info.announcedChecksum, firmwareimage::BoxChecksum(transfer.data(), long(transfer.size())));
  EXPECT_EQ(info.announcedLetter, 'a');
  EXPECT_EQ(info.received, 5006u);
  EXPECT_EQ(info.frameErrors, 0);
  EXPECT_EQ(info.starts, 1);
  EXPECT_EQ(info.startedLetter, 'a');
  EXPECT_EQ(info.flashLength, 0u);  // a boot leaves the flash alone

  // The image went in few large writes, and the new device's command pipes
  // got their longer time-out.
  auto writes = Controls(driverioctl::kWriteBulkCmdOut);
  ASSERT_EQ(writes.size(), 2u);  // 84 frames of 64 bytes: 4096 + the rest
  EXPECT_EQ(writes[0].requestLength, 4096u);
  auto timeouts = Controls(driverioctl::kSetPipeTimeout);
  ASSERT_EQ(timeouts.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(timeouts[size_t(i)].request[0], i);
    EXPECT_EQ(timeouts[size_t(i)].request[4] | (timeouts[size_t(i)].request[5] << 8), 2000);
  }
}

TEST_F(BootTest, WaitsOfTheBoot) {
  struct Row {
    const char* name;
    int leaveMs, returnMs;
    DVB_ERROR result;
    DWORD slept;
    bool open;
  } rows[] = {
      // The first wait gives up after 80 polls; the second still waits
      // for the box to leave and come back.
      {"slow to leave", 9000, 1000, DVB_ERR_NONE, 10000, true},
      // Still there after both waits: reopened, but not running the image.
      {"never leaves", -1, 0, DVB_ERR_FAILED, 28000, true},
      {"never returns", 200, -1, DVB_ERR_FAILED, 200 + 20000, false},
      {"returns on the last poll", 100, 19900, DVB_ERR_NONE, 20000, true},
  };
  for (const Row& r : rows) {
    StopEverything();
    sim->Reset();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
    sim->SetBootTiming(r.leaveMs, r.returnMs);
    SleptMs() = 0;
    EXPECT_EQ(board.BootARM(path.c_str()), r.result) << r.name;
    EXPECT_EQ(SleptMs(), r.slept) << r.name;
    EXPECT_EQ(CDVBCommon::IsOpen() != FALSE, r.open) << r.name;
  }
}

TEST_F(BootTest, RealClock) {
  bootclock::SetPollSleep(nullptr);
  sim->FreezeClock(FALSE);
  sim->SetBootTiming(150, 250);
  DWORD start = GetTickCount();
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_NONE);
  EXPECT_GE(GetTickCount() - start, 300u);
  EXPECT_EQ(Mode(), 1u);
}

TEST_F(BootTest, ResultsBeforeAnyDownload) {
  // Already running an image: nothing is read or sent.
  SimBoxState s;
  sim->GetState(&s);
  s.mode[0] = 1;
  sim->SetState(s);
  EXPECT_EQ(board.BootARM("no such file"), DVB_ERR_NONE);
  s.mode[0] = 0xFFFFFFFF;
  sim->SetState(s);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_STATE);
  s.mode[0] = 0;
  sim->SetState(s);
  EXPECT_EQ(board.BootARM("no such file"), DVB_ERR_FAILED);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kGetStbMode, 0, 1);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(CommandCount(boxcommands::kUpdateHeader), 0);
  EXPECT_TRUE(CDVBCommon::IsOpen());
  CDVBCommon::CloseDevice();
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_NO_DEVICE);
}

TEST_F(BootTest, ImagesTheLibraryRefuses) {
  auto shortImage = firmwareimage::MakeImage(79, 1, false);
  auto badCrc = firmwareimage::MakeImage(200, 1, false);
  badCrc[10] ^= 1;
  for (auto* bad : {&shortImage, &badCrc}) {
    EXPECT_FALSE(CDVBIoI2c::STBUpdateFlashOrBootPCMode_Mem(bad->data(), DWORD(bad->size()), 1));
  }
  auto exact = firmwareimage::MakeImage(80, 1, false);
  std::string p = WriteImage(shortImage, "quillon-short.img");
  EXPECT_FALSE(CDVBIoI2c::STBUpdateFlashOrBootPCMode(p.c_str(), 1));
  remove(p.c_str());
  EXPECT_EQ(CommandCount(boxcommands::kUpdateHeader), 0);
  EXPECT_TRUE(CDVBCommon::IsOpen());
  EXPECT_TRUE(CDVBIoI2c::STBUpdateFlashOrBootPCMode_Mem(exact.data(), 80, 1));
}

TEST_F(BootTest, MaskedImageBoots) {
  auto masked = firmwareimage::MakeImage(3001, 4, true);
  ASSERT_TRUE(CDVBIoI2c::STBUpdateFlashOrBootPCMode_Mem(masked.data(), DWORD(masked.size()), 1));
  EXPECT_FALSE(CDVBCommon::IsOpen());  // closed after the start command
  SimBootInfo info;
  sim->GetBootInfo(&info);
  EXPECT_EQ(info.starts, 1);
  EXPECT_EQ(info.received, 3002u);
}

TEST_F(BootTest, FlashUpdateKeepsTheImageAndReturnsInSetTopMode) {
  auto flash = firmwareimage::MakeImage(70001, 5, false);  // over 1166 frames: piece numbers wrap
  ASSERT_TRUE(CDVBIoI2c::STBUpdateFlashOrBootPCMode_Mem(flash.data(), DWORD(flash.size()), 0));
  std::vector<BYTE> kept(80000);
  ASSERT_EQ(sim->ReadFlash(kept.data(), int(kept.size())), 70002);
  EXPECT_TRUE(std::equal(flash.begin(), flash.end(), kept.begin()));
  sim->AdvanceClock(600);
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_EQ(Mode(), 0u);
}

TEST_F(BootTest, TransferFailures) {
  // A failed pipe write stops the transfer; the box stays open and is not
  // started.
  Fault(SimFault::kFail, driverioctl::kWriteBulkCmdOut, -1, 0, 1);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_FAILED);
  EXPECT_TRUE(CDVBCommon::IsOpen());
  EXPECT_EQ(CommandCount(boxcommands::kUpdateStart), 0);
  // A header the box refuses sends no data.
  sim->ClearLog();
  Fault(SimFault::kShortAnswer, driverioctl::kCommandChannel, boxcommands::kUpdateHeader, 0, 1);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_FAILED);
  EXPECT_EQ(Controls(driverioctl::kWriteBulkCmdOut).size(), 0u);
  // A start the box refuses: the device is closed all the same.
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kUpdateStart, 0, 1);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_FAILED);
  EXPECT_FALSE(CDVBCommon::IsOpen());
}

TEST_F(StaticBoxTest, ModesVersionsAndBandwidth) {
  EXPECT_EQ(board.STB2StandbyModus(), DVB_ERR_NONE);
  SimBoxState s;
  sim->GetState(&s);
  EXPECT_EQ(s.lastResetMode, 2);
  s.mode[0] = 1;
  sim->SetState(s);
  int frames = sim->FrameCount();
  EXPECT_EQ(board.STB2StandbyModus(), DVB_ERR_STATE);
  EXPECT_EQ(sim->FrameCount(), frames);  // nothing sent
  EXPECT_EQ(board.Reset2STBModus(), DVB_ERR_NONE);
  EXPECT_EQ(board.ResetInit(), DVB_ERR_NONE);
  DWORD first = 0, second = 0;
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  EXPECT_EQ(board.GetUsbBandWidth(first, second), DVB_ERR_NONE);
  EXPECT_EQ(first, 8 * 1023 - 8 * 1023 / 10);
  EXPECT_EQ(board.PackFileVersion("1,2,3,4"), 0x1234u);
  EXPECT_EQ(board.PackFileVersion("2.10"), 0x2A00u);
  EXPECT_EQ(board.PackFileVersion("3 build"), 0x3000u);
  DWORD lib = 1, usb = 0, net = 1;
  EXPECT_EQ(board.GetVersions(lib, usb, net), DVB_ERR_NONE);
  EXPECT_EQ(usb, 0x00020105u);
  DWORD mac1 = 0, mac2 = 0;
  EXPECT_EQ(board.GetMACAddress(mac1, mac2), DVB_ERR_NONE);
  EXPECT_EQ(mac1, 0x02A7E3u);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(board.EnableIsoStream(8), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(board.Reset2STBModus(), DVB_ERR_NO_DEVICE);
}

TEST_F(StaticBoxTest, EnableAndDisableStreams) {
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  Streams s = DriverStreams();
  EXPECT_EQ(s.setting, 8u);
  EXPECT_EQ(s.input, 1u);
  EXPECT_EQ(s.output, 0u);
  EXPECT_TRUE(TheIsoStreamReader().IsRunning());
  EXPECT_TRUE(TheIntPipeReader().IsRunning());
  EXPECT_EQ(CommandCount(boxcommands::kSetIntInState), 2);
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  s = DriverStreams();
  EXPECT_EQ(s.setting, 0u);
  EXPECT_EQ(s.input, 0u);
  EXPECT_FALSE(TheIsoStreamReader().IsRunning());
  EXPECT_FALSE(TheIntPipeReader().IsRunning());

  // Output only: the interrupt reader runs, the stream reader does not.
  ASSERT_EQ(board.EnableIsoStream(3), DVB_ERR_NONE);
  s = DriverStreams();
  EXPECT_EQ(s.output, 1u);
  EXPECT_EQ(s.input, 0u);
  EXPECT_FALSE(TheIsoStreamReader().IsRunning());
  EXPECT_TRUE(TheIntPipeReader().IsRunning());
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);

  Fault(SimFault::kFail, driverioctl::kSelectAlternateSetting, -1, 0, 1);
  EXPECT_EQ(board.EnableIsoStream(0), DVB_ERR_NO_DEVICE);
}

TEST_F(StaticBoxTest, StreamEnablingRollsBackAtEveryFailurePoint) {
  // The switches the driver saw after the failure, as (code, value): each
  // row ends with streams off and setting 0.
  const DWORD sel = driverioctl::kSelectAlternateSetting, in = driverioctl::kSwitchIsoInStream,
              out = driverioctl::kSwitchIsoOutStream;
  struct Row {
    const char* name;
    int setting;
    DWORD failCode;  // 0: the stream reader is already running
    std::vector<std::pair<DWORD, DWORD>> calls;
  } rows[] = {
      {"setting refused", 8, sel, {{sel, 8}}},
      {"input refused", 8, in, {{sel, 8}, {in, 1}, {sel, 0}}},
      {"reader start fails", 8, 0, {{sel, 8}, {in, 1}, {in, 0}, {sel, 0}}},
      {"output refused (output only)", 3, out, {{sel, 3}, {out, 1}, {sel, 0}}},
      {"output refused (both)", 13, out, {{sel, 13}, {out, 1}, {sel, 0}}},
      {"input refused (both)", 13, in, {{sel, 13}, {out, 1}, {in, 1}, {out, 0}, {sel, 0}}},
      {"reader start fails (both)", 13, 0, {{sel, 13}, {out, 1}, {in, 1}, {in, 0}, {out, 0}, {sel, 0}}},
  };
  for (const Row& r : rows) {
    ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
    if (r.failCode)
      Fault(SimFault::kFail, r.failCode, -1, 0, 1);
    else
      ASSERT_EQ(TheIsoStreamReader().StartThread(0), 1);
    sim->ClearLog();
    EXPECT_EQ(board.EnableIsoStream(r.setting), DVB_ERR_REFUSED) << r.name;
    std::vector<std::pair<DWORD, DWORD>> calls;
    for (const SimLogEntry& e : Log())
      if (e.code == sel || e.code == in || e.code == out) calls.push_back({e.code, DWORD(e.request[0])});
    EXPECT_EQ(calls, r.calls) << r.name;
    Streams s = DriverStreams();
    EXPECT_EQ(s.setting, 0u) << r.name;
    EXPECT_EQ(s.input, 0u) << r.name;
    EXPECT_EQ(s.output, 0u) << r.name;
    EXPECT_FALSE(TheIntPipeReader().IsRunning()) << r.name;
    EXPECT_EQ(CommandCount(boxcommands::kSetIntInState), 0) << r.name;
    TheIsoStreamReader().StopThread(200);
    sim->ClearFaults();
  }
}
