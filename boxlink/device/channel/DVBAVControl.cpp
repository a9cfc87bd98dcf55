#include "DVBAVControl.h"

#include "AVDecoderLayouts.h"
#include "BoxCommands.h"
#include "ByteOrder.h"
#include "CommandLayouts.h"
#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DVBRegistry.h"

using avdecoder::kUnchangedPid;

namespace {

// The decoder needs this long between dropping its PIDs, changing the
// standard and taking the PIDs again.
const DWORD kStandardSettleMs = 50;
const char kStandardSetting[] = "PALorNTSC";

bool Failed(BYTE answerCount) { return answerCount == 0xFF; }

// Whether the standard setting is a text, of whatever length: one that
// the settings store could not read whole is left as it is, not replaced.
bool StandardSettingIsText() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, BOXLINK_REGISTRY_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  LONG rc = RegQueryValueExA(key, kStandardSetting, nullptr, &type, nullptr, nullptr);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ;
}

}  // namespace

CDVBAVControl::CDVBAVControl()
    : m_wAudioPID(0),
      m_wVideoPID(0),
      m_wPCRPID(0),
      m_VideoStandard(VIDEO_STANDARD_PAL),
      m_AudioChannel(AB_CHANNELS_0),
      m_dwCapabilities(1) {}

CDVBAVControl::CDVBAVControl(const CDVBAVControl& other) = default;
CDVBAVControl& CDVBAVControl::operator=(const CDVBAVControl& other) = default;
CDVBAVControl::~CDVBAVControl() {}

DVB_ERROR CDVBAVControl::Init() {
  m_dwCapabilities = 1;
  CDVBRegistry registry;
  CString setting;
  int standard = avdecoder::kPal;
  if (registry.ReadString(BOXLINK_REGISTRY_KEY, kStandardSetting, setting)) {
    int length = setting.GetLength();
    standard = avdecoder::StandardFromSetting(setting.GetBuffer(length), size_t(length));
    setting.ReleaseBuffer(length);
    registry.WriteString(BOXLINK_REGISTRY_KEY, kStandardSetting, setting);
  } else if (!StandardSettingIsText()) {
    registry.WriteString(BOXLINK_REGISTRY_KEY, kStandardSetting, "PAL");
  }
  SetVideoStandard(standard == avdecoder::kNtsc ? VIDEO_STANDARD_NTSC : VIDEO_STANDARD_PAL);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SendPids(WORD pcr, WORD audio, WORD video) {
  DWORD answer = 0;
  if (!CDVBIoI2c::SetPIDs(answer, pcr, audio, video, kUnchangedPid, kUnchangedPid, kUnchangedPid))
    return DVB_ERR_NO_ANSWER;
  return answer == avdecoder::kPidsAccepted ? DVB_ERR_NONE : DVB_ERR_STATE;
}

DVB_ERROR CDVBAVControl::SetPIDs(WORD audio, WORD video, WORD pcr) {
  WORD sentPcr = avdecoder::PcrToSend(audio, video, pcr);
  DVB_ERROR result = SendPids(sentPcr, audio, video);
  if (result != DVB_ERR_NONE) return result;
  m_wAudioPID = audio;
  m_wVideoPID = video;
  m_wPCRPID = sentPcr;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SetAudioPID(WORD audio) {
  DVB_ERROR result = SendPids(kUnchangedPid, audio, kUnchangedPid);
  if (result == DVB_ERR_NONE) m_wAudioPID = audio;
  return result;
}

DVB_ERROR CDVBAVControl::SetVideoPID(WORD video) {
  DVB_ERROR result = SendPids(kUnchangedPid, kUnchangedPid, video);
  if (result == DVB_ERR_NONE) m_wVideoPID = video;
  return result;
}

DVB_ERROR CDVBAVControl::SetAudioMute(BOOL mute) {
  if (!mute) return SetAudioPID(m_wAudioPID);
  // Muting sends PID 0 but keeps the PID that unmuting restores.
  WORD kept = m_wAudioPID;
  DVB_ERROR result = SetAudioPID(0);
  m_wAudioPID = kept;
  return result;
}

DVB_ERROR CDVBAVControl::SetVolume(BYTE first, BYTE second) {
  BYTE answer = 0;  // the box's answer byte says nothing the caller needs
  return CDVBIoI2c::SetVolume(answer, first, second) ? DVB_ERR_NONE : DVB_ERR_NO_ANSWER;
}

DVB_ERROR CDVBAVControl::SendWord(BYTE command, WORD value) {
  BYTE parameters[2];
  byteorder::PutBE16(parameters, value);
  return Failed(CDVBIoI2c::SendCommand(command, parameters, 2, nullptr, 0)) ? DVB_ERR_NO_ANSWER : DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SetVideoOutputMode(_VIDEOOUTPUTMODE mode) {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  return SendWord(boxcommands::kVideoOutputMode, WORD(mode));
}

DVB_ERROR CDVBAVControl::SetVideoStandardIntern(_VIDEOSTANDARD standard) {
  return SendWord(boxcommands::kVideoStandard, WORD(standard));
}

DVB_ERROR CDVBAVControl::ChangeStandard(_VIDEOSTANDARD standard) {
  WORD audio = m_wAudioPID, video = m_wVideoPID, pcr = m_wPCRPID;
  SetVideoPID(0);
  SetAudioPID(0);
  Sleep(kStandardSettleMs);
  DVB_ERROR result = SetVideoStandardIntern(standard);
  if (result == DVB_ERR_NONE) m_VideoStandard = standard;
  Sleep(kStandardSettleMs);
  SetPIDs(audio, video, pcr);
  return result;
}

DVB_ERROR CDVBAVControl::SetVideoStandard(_VIDEOSTANDARD standard) {
  if (standard != VIDEO_STANDARD_DETECT) return ChangeStandard(standard);
  _VIDEOSTATE state;
  if (GetVideoDecoderStatus(state) != DVB_ERR_NONE) return DVB_ERR_FAILED;
  auto detected = _VIDEOSTANDARD(avdecoder::DetectedStandard(state.wStatus));
  if (detected == m_VideoStandard) return DVB_ERR_NONE;
  return ChangeStandard(detected);
}

DVB_ERROR CDVBAVControl::SetAspectRatio(_TYPE_MONITOR_AR ratio) {
  return SendWord(boxcommands::kMonitorAspect, WORD(ratio));
}

DVB_ERROR CDVBAVControl::SetPrefStretchMode(_TYPE_STRETCH_MODE mode) {
  return SendWord(boxcommands::kStretchMode, WORD(mode));
}

DVB_ERROR CDVBAVControl::GetVideoDecoderStatus(_VIDEOSTATE& state) {
  BYTE halves[2][boxcommands::kVideoStatusAnswer];
  const BYTE commands[2] = {boxcommands::kVideoStatus1, boxcommands::kVideoStatus2};
  for (int i = 0; i < 2; ++i)
    if (Failed(CDVBIoI2c::SendCommand(commands[i], nullptr, 0, halves[i], sizeof(halves[i])))) return DVB_ERR_NO_ANSWER;
  for (int i = 0; i < 2; ++i)
    boxcommands::DecodeBE16Words(halves[i], state.wStatus + i * avdecoder::kStatusHalfWords,
                                 avdecoder::kStatusHalfWords);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SetAudioChannel(_AB_CHANNELS channel) {
  DVB_ERROR result = SendWord(boxcommands::kAudioChannel, avdecoder::AudioChannelCode(channel));
  if (result == DVB_ERR_NONE) m_AudioChannel = channel;
  return result;
}

DVB_ERROR CDVBAVControl::GetAudioDecoderStatus(BYTE& state, DWORD& value) {
  BYTE answer[boxcommands::kAudioStatusAnswer];
  if (Failed(CDVBIoI2c::SendCommand(boxcommands::kAudioStatus, nullptr, 0, answer, sizeof(answer))))
    return DVB_ERR_NO_ANSWER;
  avdecoder::DecodeAudioStatus(answer, state, value);
  return DVB_ERR_NONE;
}
