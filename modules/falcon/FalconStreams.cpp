// falcon's stream path: the PIDs to the box's decoder and its recording,
// the AC-3 mode, and each recorded PES or radio PVA packet into the
// playback graph and the host's tap.
#include <DvbChannels.h>

#include "FalconApp.h"
#include "PesTap.h"
#include "RadioPva.h"

namespace {

constexpr DWORD kPidSettleMs = 20;
constexpr DWORD kDolbySettleMs = 250;
constexpr BYTE kRadioService = 2;
constexpr DWORD kPlaybackState = 3;

}  // namespace

void CPESReceiver::OnPVAPacketArrival(BYTE* data, int length) { m_owner.OnPvaPacket(data, length); }
void CPESReceiver::OnPESAudio(BYTE* data, int length) { m_owner.OnAudioPes(data, length); }
void CPESReceiver::OnPESVideo(BYTE* data, int length) { m_owner.OnVideoPes(data, length); }

int CFalconApp::SetPids(WORD video, WORD audio, WORD pcr, WORD ac3) {
  // All four 0 forgets the channel record (CModuleApp::SetPidsShared).
  const bool none = !video && !audio && !ac3;
  if (none && Ctrl()) {
    if (m_pReceiver) m_pReceiver->StopRecord();
    ::Sleep(kPidSettleMs);
    Ctrl()->PauseGraph();
  }
  m_bAC3Mode = FALSE;
  if (m_AVControl.SetPIDs(audio, video, pcr) != DVB_ERR_NONE)
    Log(__LINE__, kLogError, "AVControl: Error setting AV-Pids.");
  CVideoCtrl* ctrl = Ctrl();
  if (ctrl && ctrl->GetSafeHwnd() && !none && m_pReceiver) {
    ::Sleep(kPidSettleMs);
    m_pReceiver->StartRecord(RP_FORMAT_PVA_5);
    ::Sleep(kPidSettleMs);
    ctrl->RestartGraph(FALSE, FALSE);
    ctrl->StartGraph();
    ReapplyVolume();
  }
  return 0;
}

int CFalconApp::SetDolbyMode(int mode) {
  CVideoCtrl* ctrl = Ctrl();
  const DVB_CHANNELS* channel = CurrentChannel();
  if (!ctrl || !m_pSpareFilter || !channel) return m_bAC3Mode ? 1 : 0;
  if (!channel->ac3Pid) return 0;
  ctrl->PauseGraph();
  ctrl->RestartGraph(FALSE, FALSE);
  m_bAC3Mode = mode ? TRUE : FALSE;
  ::Sleep(kDolbySettleMs);
  ctrl->StartGraph();
  ReapplyVolume();
  return m_bAC3Mode ? 1 : 0;
}

bool CFalconApp::InPlayback() const {
  const MODULE_STATUS* status = Host().m_pStatus;
  return status && status->m_iRecPlayState == kPlaybackState;
}

bool CFalconApp::IsRadio(const DVB_CHANNELS* channel) const { return channel->serviceKind == kRadioService; }

void CFalconApp::Deliver(bool video, const BYTE* packet, int length) {
  if (InPlayback()) return;
  CSingleLock lock(&m_graphLock, TRUE);
  CVideoCtrl* ctrl = Ctrl();
  if (!ctrl) return;
  if (video)
    ctrl->DeliverVideoPES(const_cast<BYTE*>(packet), length);
  else
    ctrl->DeliverAudioPES(const_cast<BYTE*>(packet), length);
}

void CFalconApp::Tap(const BYTE* packet, int length) {
  MODULE_STATUS* status = Host().m_pStatus;
  if (!status || !status->m_bPESCallback) return;
  PFN_PES_CALLBACK callback = status->m_pfnPESCallback;
  if (!callback) return;
  // A packet that the tap buffer cannot hold is not tapped; the graph and
  // the byte count still get it.
  const int tapped = pestap::Compose(packet, length, m_tapBuffer.data());
  if (tapped > 0) callback(m_tapBuffer.data(), tapped);
}

void CFalconApp::OnVideoPes(const BYTE* packet, int length) {
  const DVB_CHANNELS* channel = CurrentChannel();
  if (!channel || IsRadio(channel)) return;
  Deliver(true, packet, length);
  Tap(packet, length);
  CountReceived(static_cast<DWORD>(length));
}

void CFalconApp::OnAudioPes(const BYTE* packet, int length) {
  const DVB_CHANNELS* channel = CurrentChannel();
  if (!channel || IsRadio(channel) || !channel->videoPid) return;
  if (!m_bAC3Mode) Deliver(false, packet, length);
  Tap(packet, length);
  CountReceived(static_cast<DWORD>(length));
}

void CFalconApp::OnPvaPacket(const BYTE* packet, int length) {
  const DVB_CHANNELS* channel = CurrentChannel();
  if (!channel || !IsRadio(channel) || !radiopva::IsAudioPacket(packet, length)) return;
  const BYTE* pes = nullptr;
  int pesLength = 0;
  if (!InPlayback()) {
    CSingleLock lock(&m_graphLock, TRUE);
    if (CVideoCtrl* ctrl = Ctrl()) {
      pesLength = radiopva::AudioPes(packet, length, m_radioBuffer.data(), &pes);
      if (pesLength > 0) ctrl->DeliverAudioPES(const_cast<BYTE*>(pes), pesLength);
    }
  }
  Tap(pes, pesLength);
  CountReceived(static_cast<DWORD>(length));
}
