// harrier's media files, played through the card's decoder: start, speed,
// seek and stop.
#include "HarrierApp.h"

#include "HarrierRules.h"

namespace {

constexpr DWORD kFileSettleMs = 25;
constexpr DWORD kSeekSettleMs = 20;
constexpr int kPausedSpeed = 4;

}  // namespace

int CHarrierApp::StartPlayback(const char* file) {
  MODULE_STATUS* status = Status();
  if (!status || !file || status->m_iRecPlayState == kRecording) return kModuleBadArgument;
  const auto format = static_cast<_REC_PLAY_FILE_FORMAT>(MediaFileFormat(file));
  m_RecPlay.Close();
  ::Sleep(kFileSettleMs);
  const int bufferSize = status->m_iPlayBufferKB > 0 ? status->m_iPlayBufferKB * 1024 : -1;
  if (!m_RecPlay.Open(file, format, CDVBRecPlayFile::kPlay, bufferSize)) {
    Log(__LINE__, kLogError, "Error opening mediafile.");
    return kModuleBadArgument;
  }
  Log(__LINE__, kLogInfo, "Mediafile %s successfully opened.", file);
  ::Sleep(kFileSettleMs);
  if (!m_RecPlay.Playback(0)) {
    Log(__LINE__, kLogError, "Error playing the mediafile.");
    return kModuleBadArgument;
  }
  m_RecPlay.PlaybackPause();
  m_RecPlay.Playback(0);
  Log(__LINE__, kLogInfo, "Playback successfully started.");
  status->m_iRecPlayState = kPlaying;
  status->m_iPlaySpeed = 0;
  return kModuleOk;
}

int CHarrierApp::SpeedRecPlay(int speed) {
  MODULE_STATUS* status = Status();
  if (!status || RecPlayState() != kPlaying) return kModuleWrongState;
  bool done = false;
  int next = speed;
  switch (speed) {
    case 0: done = m_RecPlay.Playback(0) != FALSE; break;
    case 1: done = m_RecPlay.PlaybackFast(0) != FALSE; break;
    case 2: done = m_RecPlay.PlaybackFast(1) != FALSE; break;
    case 3: done = m_RecPlay.PlaybackSlow(2) != FALSE; break;
    case kPausedSpeed:
      if (status->m_iPlaySpeed == kPausedSpeed) {
        done = m_RecPlay.Playback(0) != FALSE;
        next = 0;
      } else {
        done = m_RecPlay.PlaybackPause() != FALSE;
      }
      break;
    default: return kModuleWrongState;
  }
  if (!done) return kModuleWrongState;
  status->m_iPlaySpeed = static_cast<DWORD>(next);
  return kModuleOk;
}

int CHarrierApp::SeekPlayback(int perMille) {
  MODULE_STATUS* status = Status();
  if (!status || RecPlayState() != kPlaying) return kModuleWrongState;
  DWORD total = 0, rate = 0, position = 0;
  _REC_PLAY_MODE mode;
  _REC_PLAY_FILE_FORMAT format;
  m_RecPlay.GetStatus(total, rate, position, mode, format);
  if (!total) return kModuleWrongState;
  // A position past either end of the file is taken as that end.
  const int clamped = perMille < 0 ? 0 : (perMille > 1000 ? 1000 : perMille);
  CSingleLock lock(&m_csRecPlay, TRUE);
  status->m_iPlayPosition = static_cast<DWORD>(clamped);
  m_RecPlay.Stop();
  ::Sleep(kSeekSettleMs);
  m_RecPlay.Playback(static_cast<DWORD>(static_cast<ULONGLONG>(clamped) * total / 1000));
  m_RecPlay.PlaybackPause();
  m_RecPlay.Playback(0);
  return kModuleOk;
}

int CHarrierApp::StopRecPlay() {
  MODULE_STATUS* status = Status();
  const int state = RecPlayState();
  if (!status || state < kPlaying || state > kPlayerPlaying) return kModuleBadArgument;
  m_RecPlay.Stop();
  if (state == kPlaying) Log(__LINE__, kLogInfo, "Mediafile successfully stopped.");
  if (state == kRecording) Log(__LINE__, kLogInfo, "Mediafile recording successfully stopped.");
  if (!m_RecPlay.Close()) {
    Log(__LINE__, kLogError, "Error closing mediafile.");
    return kModuleBadArgument;
  }
  Log(__LINE__, kLogInfo, "Mediafile successfully closed.");
  status->m_iRecPlayState = kIdle;
  status->m_iPlaySpeed = 0;
  status->m_iDataRate = 0;
  return kModuleOk;
}
