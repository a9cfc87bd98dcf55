// The A/V decoder control through boxlink.dll: what each operation sends,
// what it keeps, and the standard stored in the settings.
#include "BoxFixture.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "DVBAVControl.h"
#include "DVBRegistry.h"

#include <string>

namespace {

// The six PIDs of every PID command sent, in order.
std::vector<std::vector<WORD>> SentPids(const std::vector<SimLogEntry>& commands) {
  std::vector<std::vector<WORD>> out;
  for (const SimLogEntry& e : commands) {
    std::vector<WORD> pids;
    for (int i = 0; i < 6; ++i) pids.push_back(byteorder::GetBE16(e.request + 1 + 2 * i));
    out.push_back(pids);
  }
  return out;
}

const WORD X = 0xFFFF;  // unchanged

}  // namespace

class AVControlTest : public BoxTest {
 protected:
  std::vector<std::vector<WORD>> Pids() { return SentPids(Commands(boxcommands::kSetPids)); }
  // The command bytes sent since the log was cleared.
  std::vector<int> CommandBytes() {
    std::vector<int> out;
    for (const SimLogEntry& e : Commands()) out.push_back(e.request[0]);
    return out;
  }
  CDVBAVControl av;
};

TEST_F(AVControlTest, PidsWithTheirPcr) {
  struct Case {
    WORD audio, video, pcr, sentPcr;
  } cases[] = {{0x100, 0x200, 0, 0x200}, {0x100, 0, 0, 0x100}, {0x100, 0x200, 0x300, 0x300}};
  for (const Case& c : cases) {
    sim->ClearLog();
    ASSERT_EQ(av.SetPIDs(c.audio, c.video, c.pcr), DVB_ERR_NONE);
    EXPECT_EQ(Pids(), (std::vector<std::vector<WORD>>{{c.sentPcr, c.audio, c.video, X, X, X}}));
    EXPECT_EQ(av.GetAudioPID(), c.audio);
    EXPECT_EQ(av.GetVideoPID(), c.video);
    EXPECT_EQ(av.GetPCRPID(), c.sentPcr);
  }
  sim->ClearLog();
  ASSERT_EQ(av.SetAudioPID(0x44), DVB_ERR_NONE);
  ASSERT_EQ(av.SetVideoPID(0x55), DVB_ERR_NONE);
  EXPECT_EQ(Pids(), (std::vector<std::vector<WORD>>{{X, 0x44, X, X, X, X}, {X, X, 0x55, X, X, X}}));
  EXPECT_EQ(av.GetAudioPID(), 0x44);
  EXPECT_EQ(av.GetVideoPID(), 0x55);
}

TEST_F(AVControlTest, RefusedOrUnansweredPidsKeepTheOldOnes) {
  ASSERT_EQ(av.SetPIDs(0x100, 0x200, 0), DVB_ERR_NONE);
  SimBoxState s = State();
  s.pidAnswer = 0x1601;
  sim->SetState(s);
  EXPECT_EQ(av.SetPIDs(0x101, 0x201, 0), DVB_ERR_STATE);
  EXPECT_EQ(av.SetAudioPID(0x102), DVB_ERR_STATE);
  s.pidAnswer = 0x1600;
  sim->SetState(s);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kSetPids);
  EXPECT_EQ(av.SetVideoPID(0x103), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(av.GetAudioPID(), 0x100);
  EXPECT_EQ(av.GetVideoPID(), 0x200);
  EXPECT_EQ(av.GetPCRPID(), 0x200);
}

TEST_F(AVControlTest, MuteSendsPidZeroAndUnmuteTheKeptPid) {
  ASSERT_EQ(av.SetPIDs(0x100, 0x200, 0), DVB_ERR_NONE);
  sim->ClearLog();
  ASSERT_EQ(av.SetAudioMute(TRUE), DVB_ERR_NONE);
  EXPECT_EQ(av.GetAudioPID(), 0x100);
  EXPECT_EQ(State().pids[1], 0);
  ASSERT_EQ(av.SetAudioMute(FALSE), DVB_ERR_NONE);
  EXPECT_EQ(av.GetAudioPID(), 0x100);
  EXPECT_EQ(Pids(), (std::vector<std::vector<WORD>>{{X, 0, X, X, X, X}, {X, 0x100, X, X, X, X}}));
}

TEST_F(AVControlTest, StandardChangeDropsAndRestoresThePids) {
  ASSERT_EQ(av.SetPIDs(0x100, 0x200, 0x300), DVB_ERR_NONE);
  sim->ClearLog();
  ASSERT_EQ(av.SetVideoStandard(VIDEO_STANDARD_NTSC), DVB_ERR_NONE);
  EXPECT_EQ(CommandBytes(), (std::vector<int>{0x50, 0x50, 0x53, 0x50}));
  EXPECT_EQ(Pids(),
            (std::vector<std::vector<WORD>>{{X, X, 0, X, X, X}, {X, 0, X, X, X, X}, {0x300, 0x100, 0x200, X, X, X}}));
  EXPECT_EQ(State().videoStandard, 1);
  EXPECT_EQ(av.GetVideoStandard(), VIDEO_STANDARD_NTSC);
  EXPECT_EQ(av.GetAudioPID(), 0x100);

  // Detection: the status says NTSC, which is set already: nothing sent.
  SimBoxState s = State();
  s.videoStatus[22] = 4;
  sim->SetState(s);
  sim->ClearLog();
  ASSERT_EQ(av.SetVideoStandard(VIDEO_STANDARD_DETECT), DVB_ERR_NONE);
  EXPECT_EQ(CommandBytes(), (std::vector<int>{0x56, 0x57}));
  // It says PAL now: changed with the same sequence.
  s.videoStatus[22] = 3;
  sim->SetState(s);
  sim->ClearLog();
  ASSERT_EQ(av.SetVideoStandard(VIDEO_STANDARD_DETECT), DVB_ERR_NONE);
  EXPECT_EQ(CommandBytes(), (std::vector<int>{0x56, 0x57, 0x50, 0x50, 0x53, 0x50}));
  EXPECT_EQ(av.GetVideoStandard(), VIDEO_STANDARD_PAL);

  // A refused standard still gets the PIDs back; an unreadable status is 2.
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kVideoStandard);
  sim->ClearLog();
  EXPECT_EQ(av.SetVideoStandard(VIDEO_STANDARD_NTSC), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(av.GetVideoStandard(), VIDEO_STANDARD_PAL);
  EXPECT_EQ(Pids().back(), (std::vector<WORD>{0x300, 0x100, 0x200, X, X, X}));
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kVideoStatus2);
  EXPECT_EQ(av.SetVideoStandard(VIDEO_STANDARD_DETECT), DVB_ERR_FAILED);
}

TEST_F(AVControlTest, PassedThroughSettingsAndStatus) {
  SimBoxState s = State();
  for (int i = 0; i < 46; ++i) s.videoStatus[i] = WORD(0x0101 * i + 0x8000);
  s.audioStatus[0] = 0x1234;
  s.audioStatus[1] = 0xABCD;
  s.audioStatus[2] = 0x0002;
  sim->SetState(s);
  _VIDEOSTATE status = {};
  ASSERT_EQ(av.GetVideoDecoderStatus(status), DVB_ERR_NONE);
  for (int i = 0; i < 46; ++i) EXPECT_EQ(status.wStatus[i], s.videoStatus[i]) << i;
  BYTE state = 0;
  DWORD value = 0;
  ASSERT_EQ(av.GetAudioDecoderStatus(state, value), DVB_ERR_NONE);
  EXPECT_EQ(state, 0x34);
  EXPECT_EQ(value, 0x2ABCDu);

  EXPECT_EQ(av.SetVolume(10, 20), DVB_ERR_NONE);
  EXPECT_EQ(av.SetVideoOutputMode(_VIDEOOUTPUTMODE(3)), DVB_ERR_NONE);
  EXPECT_EQ(av.SetAspectRatio(_TYPE_MONITOR_AR(2)), DVB_ERR_NONE);
  EXPECT_EQ(av.SetPrefStretchMode(_TYPE_STRETCH_MODE(1)), DVB_ERR_NONE);
  EXPECT_EQ(av.SetAudioChannel(_AB_CHANNELS(5)), DVB_ERR_NONE);
  s = State();
  EXPECT_EQ(s.volume[0], 10);
  EXPECT_EQ(s.volume[1], 20);
  EXPECT_EQ(s.videoOutputMode, 3);
  EXPECT_EQ(s.monitorAspect, 2);
  EXPECT_EQ(s.stretchMode, 1);
  EXPECT_EQ(s.audioChannel, 1);  // channel 5 is sent as code 1
  EXPECT_EQ(av.GetAudioChannel(), 5);
  ASSERT_EQ(av.SetAudioChannel(_AB_CHANNELS(0)), DVB_ERR_NONE);
  EXPECT_EQ(State().audioChannel, 1);
  ASSERT_EQ(av.SetAudioChannel(_AB_CHANNELS(1)), DVB_ERR_NONE);
  EXPECT_EQ(State().audioChannel, 0);
  EXPECT_EQ(av.GetCapabilities(), 1u);

  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kAudioChannel);
  EXPECT_EQ(av.SetAudioChannel(_AB_CHANNELS(2)), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(av.GetAudioChannel(), 1);
  CDVBCommon::CloseDevice();
  EXPECT_EQ(av.SetVideoOutputMode(_VIDEOOUTPUTMODE(0)), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(av.SetAspectRatio(_TYPE_MONITOR_AR(0)), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(av.GetVideoDecoderStatus(status), DVB_ERR_NO_ANSWER);
  EXPECT_EQ(av.SetVolume(1, 2), DVB_ERR_NO_ANSWER);
}

TEST_F(AVControlTest, InitTakesTheStoredStandard) {
  const char* kName = "PALorNTSC";
  std::string tooLong(300, 'n');
  struct Case {
    const char* stored;  // null: no value; "dword": a number
    WORD standard;
    const char* after;  // null: left as it was
  } cases[] = {
      {nullptr, 0, "PAL"},   {"ntsc", 1, "NTSC"},           {"Pal", 0, "PAL"},
      {"secam", 0, "SECAM"}, {tooLong.c_str(), 0, nullptr},  // not read whole: not replaced either
      {"dword", 0, "PAL"},
  };
  CDVBRegistry registry;
  for (const Case& c : cases) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, BOXLINK_REGISTRY_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, kName);
    DWORD number = 7;
    if (c.stored && std::string(c.stored) == "dword")
      RegSetValueExA(key, kName, 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4);
    else if (c.stored)
      RegSetValueExA(key, kName, 0, REG_SZ, reinterpret_cast<const BYTE*>(c.stored), DWORD(strlen(c.stored)));
    CDVBAVControl control;
    sim->ClearLog();
    EXPECT_EQ(control.Init(), DVB_ERR_NONE);
    EXPECT_EQ(State().videoStandard, c.standard) << (c.stored ? c.stored : "none");
    EXPECT_EQ(control.GetVideoStandard(), _VIDEOSTANDARD(c.standard));
    char text[400] = {};
    DWORD type = 0, size = sizeof(text) - 1;
    ASSERT_EQ(RegQueryValueExA(key, kName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    if (c.after) {
      EXPECT_EQ(type, DWORD(REG_SZ));
      EXPECT_EQ(std::string(text), c.after);
    } else {
      EXPECT_EQ(std::string(text), c.stored);
    }
    RegDeleteValueA(key, kName);
    RegCloseKey(key);
  }
}
