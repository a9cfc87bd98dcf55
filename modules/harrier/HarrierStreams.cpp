// harrier's host filters, volume with treble and bass, mute and the status
// timer.
#include "HarrierApp.h"

#include "HarrierRules.h"
#include "StatusRules.h"

namespace {

// Lets callbacks already running on the card's thread finish.
constexpr DWORD kStopSettleMs = 50;

}  // namespace

int CHarrierApp::StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                             PFN_FILTER_CALLBACK callback, void* context) {
  CSingleLock lock(&m_csFilters, TRUE);
  if (!callback || !context) return kModuleFailed;
  CCardHostFilter* filter = nullptr;
  for (const auto& f : m_Filters)
    if (f->m_pContext.load() == context) filter = f.get();
  std::unique_ptr<CCardHostFilter> made;
  if (filter) {
    Log(__LINE__, kLogInfo, "Using attached filter object.");
  } else {
    Log(__LINE__, kLogInfo, "Creating new filter.");
    made = std::make_unique<CCardHostFilter>();
    filter = made.get();
  }
  Log(__LINE__, kLogInfo, "Setting filter parameter.");
  const int result = filter->Set(HarrierFilterType(type), pid, match, mask, length);
  filter->CHostFilter::m_wPid = pid;
  filter->m_pContext = context;
  filter->m_pfnCallback = callback;
  if (made) m_Filters.push_back(std::move(made));
  return result;
}

int CHarrierApp::StopFilter(void* context) {
  CSingleLock lock(&m_csFilters, TRUE);
  for (auto it = m_Filters.begin(); it != m_Filters.end(); ++it) {
    if ((*it)->m_pContext.load() != context) continue;
    Log(__LINE__, kLogInfo, "Stopping filter.");
    std::unique_ptr<CCardHostFilter> filter = std::move(*it);
    m_Filters.erase(it);
    filter->m_pContext = nullptr;
    filter->m_pfnCallback = nullptr;
    const int result = filter->ResetFilter();
    ::Sleep(kStopSettleMs);
    return result;
  }
  return kModuleBadArgument;
}

int CHarrierApp::SetVolume(int volume, int treble, int bass) {
  if (m_bMuted) return 0;
  const DWORD caps = m_AVControl.m_dwCapabilities;
  if (caps & CDVBAVControl::kVolumeControl) {
    const BYTE v = static_cast<BYTE>((volume & 0xFFFF) / 10);
    if (m_AVControl.SetVolume(v, v) == DVB_ERR_NONE) Profile().lastVolume = v;
  }
  if (!(caps & CDVBAVControl::kNoTrebleBass))
    m_AVControl.SetTrebleBass(static_cast<BYTE>((treble & 0xFFFF) / 10), static_cast<BYTE>((bass & 0xFFFF) / 10));
  return 1;
}

int CHarrierApp::SetMute() {
  if (m_AVControl.SetAudioMute(m_bMuted ? FALSE : TRUE) == DVB_ERR_NONE) m_bMuted = !m_bMuted;
  return m_bMuted ? 1 : 0;
}

void CHarrierApp::OnStatusTick() {
  MODULE_STATUS* status = Status();
  if (!status) return;
  BOOL locked = FALSE;
  SIGNAL_TYPE signal = {};
  const int quality = GetState(&locked, &signal) ? QualityFromBitErrorRate(signal.dBER, locked != FALSE) : 0;
  _VIDEOSTATUS picture = {};
  m_AVControl.GetVideoDecoderStatus(picture);
  status->m_iVideoWidth = picture.wWidth;
  status->m_iVideoHeight = picture.wHeight;
  status->m_bLocked = locked ? 1 : 0;
  status->m_dwCleared60 = m_AVControl.m_dwCapabilities & CDVBAVControl::kCapabilityBit16;
  status->m_iSignalValue2 = signal.wLevel;
  status->m_iSignalValue = signal.wQuality;
  status->m_iQuality = static_cast<DWORD>(quality);
  status->m_dwCleared76 = 1;

  const int state = RecPlayState();
  if (state == kPlaying || state == kRecording) {
    DWORD total = 0, rate = 0, position = 0;
    _REC_PLAY_MODE mode;
    _REC_PLAY_FILE_FORMAT format;
    m_RecPlay.GetStatus(total, rate, position, mode, format);
    CSingleLock lock(&m_csRecPlay, TRUE);
    if (state == kPlaying && total && position)
      status->m_iPlayPosition = static_cast<DWORD>(static_cast<ULONGLONG>(position) * 1000 / total);
    status->m_iDataRate = rate;
    status->m_llRecordedSize = m_RecPlay.GetFileSize();
  }

  if (state == kAutoMute) {
    if (!m_bAutoMuted) {
      m_AVControl.SetAudioMute(TRUE);
      m_bAutoMuted = true;
    }
  } else if (m_bAutoMuted) {
    // The host's own mute stays as the host set it.
    if (!m_bMuted) m_AVControl.SetAudioMute(FALSE);
    m_bAutoMuted = false;
  }
}
