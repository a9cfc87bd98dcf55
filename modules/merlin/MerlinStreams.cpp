// merlin's stream path: the PIDs to the card's stream filters, and each
// re-assembled PES packet to the host's tap and into the playback graph.
#include <DvbChannels.h>

#include <cstring>
#include <vector>

#include "MerlinApp.h"
#include "PesTemplates.h"

namespace {

constexpr DWORD kPidSettleMs = 50;
constexpr DWORD kGraphSettleMs = 20;
constexpr int kMinPayload = 14;  // smaller packets are not worth a decoder's time
enum StreamCode { kVideoCode = 0, kAudioCode = 1, kThirdCode = 2 };

}  // namespace

bool CMerlinApp::SetStreamFilters(WORD video, WORD audio) {
  if (video) {
    if (m_pPES[kVideoCode]->Set(CPesAssembler::kVideo, video, m_zeros, 6, kVideoSetSize, kVideoPriority) != DVB_ERR_NONE)
      return false;
  } else {
    m_pPES[kVideoCode]->Reset();
  }
  if (audio) {
    if (m_pPES[kAudioCode]->Set(CPesAssembler::kAudio, audio, m_zeros, 5, kAudioSetSize, kAudioPriority) != DVB_ERR_NONE)
      return false;
  } else {
    m_pPES[kAudioCode]->Reset();
  }
  m_pPES[kThirdCode]->Reset();
  return true;
}

int CMerlinApp::SetPids(WORD video, WORD audio, WORD, WORD ac3) {
  if (!m_pPES[kVideoCode]) return 0;  // no device open
  if (!video && !audio && !ac3 && HasGraph()) {
    {
      CSingleLock lock(&m_graphLock, TRUE);
      if (CVideoCtrl* ctrl = Ctrl()) ctrl->StopGraph();
    }
    m_pAc3Filter->ResetFilter();
    m_pAc3Filter->m_bPidSet = false;
    ::Sleep(kPidSettleMs);
    m_bAC3Mode = FALSE;
    for (auto& filter : m_pPES) filter->Reset();
  }
  m_bH264 = FALSE;
  if (video || audio) {
    const DVB_CHANNELS* channel = CurrentChannel();
    if (channel && channel->h264VideoPid) {
      Log(__LINE__, kLogInfo, "Using H264 video pid!");
      SetStreamFilters(channel->h264VideoPid, audio);
      m_bH264 = TRUE;
    } else {
      SetStreamFilters(video, audio);
    }
  }
  if (ac3) {
    BYTE none[1] = {0};
    m_pAc3Filter->m_bPidSet = m_pAc3Filter->SetFilter(CDVBTSFilter::FILTER_PIPE, ac3, none, none, 0) == DVB_ERR_NONE;
    Log(__LINE__, kLogInfo, m_pAc3Filter->m_bPidSet ? "AC-3 Filter successfully set." : "Could not set AC-3 PID.");
  }
  ::Sleep(kGraphSettleMs);
  if (!HasGraph() || (!video && !audio && !ac3)) return 0;
  RestartGraphForPids();
  return 0;
}

void CMerlinApp::DeliverPes(int code, const BYTE* packet, int length) {
  CountReceived(static_cast<DWORD>(length));
  MODULE_STATUS* status = Host().m_pStatus;
  if (status && status->m_bPESCallback && status->m_pfnPESCallback) {
    // Video and audio arrive on threads of their own: a buffer each.
    thread_local std::vector<BYTE> tapped;
    tapped.assign(kPackHeaderTemplate, kPackHeaderTemplate + sizeof(kPackHeaderTemplate));
    tapped.insert(tapped.end(), packet, packet + length);
    status->m_pfnPESCallback(tapped.data(), static_cast<int>(tapped.size()));
  }
  if (code > kThirdCode) {
    Log(__LINE__, kLogError, "Unknown filter packet! iFilterType: %d", code);
    return;
  }
  if (code == kThirdCode || length < 9 || length - packet[8] < kMinPayload) return;
  if (status && status->m_iRecPlayState == 3) return;
  if (code == kAudioCode && m_bAC3Mode) return;
  CSingleLock lock(&m_graphLock, TRUE);
  CVideoCtrl* ctrl = Ctrl();
  if (!ctrl) return;
  if (code == kVideoCode)
    ctrl->DeliverVideoPES(const_cast<BYTE*>(packet), length);
  else
    ctrl->DeliverAudioPES(const_cast<BYTE*>(packet), length);
}

void CMerlinApp::ReportPesFault(int code, CPesAssembler::Fault fault, DWORD size) {
  static const char* const kWhat[] = {"a block that would overflow the assembly buffer, with all it held",
                                      "an AC-3 packet larger than the output buffer",
                                      "an AC-3 packet whose header reaches past its end"};
  Log(__LINE__, kLogError, "Dropped %s (%lu bytes, stream %d).", kWhat[fault], static_cast<unsigned long>(size), code);
}
