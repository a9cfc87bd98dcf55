#include "SoundManager.h"

namespace {

// How long the worker rests between looks at the request word.
const DWORD kPollMs = 5;

}  // namespace

CJVKSoundManager::CJVKSoundManager(CJVKSoundPlayer* pPlayer) : m_pPlayer(pPlayer) {}

CJVKSoundManager::~CJVKSoundManager() {
  m_nRequest = kStop;
  m_worker.Stop(kJoinWaitMs);
}

void CJVKSoundManager::RequestSound(Request nSound) {
  if (!m_worker.IsRunning()) {
    m_nRequest = kIdle;
    m_worker.Start(&CJVKSoundManager::Run, this, THREAD_PRIORITY_BELOW_NORMAL);
  }
  m_nRequest = nSound;
}

BOOL CJVKSoundManager::Stop() {
  if (!m_worker.IsRunning()) return TRUE;
  m_nRequest = kStop;
  return m_worker.Stop(kStopWaitMs) != CWorkerThread::kTimedOut;
}

UINT CJVKSoundManager::Run(LPVOID pParam) {
  static_cast<CJVKSoundManager*>(pParam)->Serve();
  return 0;
}

void CJVKSoundManager::Serve() {
  for (;;) {
    // Taken before the sound plays, so that a request or a stop stored
    // while it plays is served afterwards rather than cleared.
    const LONG nRequest = m_nRequest.exchange(kIdle);
    if (nRequest == kStop || m_worker.IsStopRequested()) break;
    if (nRequest == kMenuCommand) m_pPlayer->Play("MenuCommand");
    if (nRequest == kMenuPopup) m_pPlayer->Play("MenuPopup");
    if (m_worker.WaitForStop(kPollMs)) break;
  }
  m_pPlayer->Purge();
}
