// CJVKSoundManager: plays the menu sounds on a worker thread of its own, so
// that a sound never holds up the user-interface thread. One request word
// is all it shares with the worker; a request stored before the worker has
// taken the previous one replaces it. Portable: the player is handed in
// (the system's sound player on Windows, GetSoundManager).
#pragma once

#include <Framework.h>

#include <atomic>

// What plays a sound: the system's player, or a test's stand-in. Called on
// the worker thread only; Play may take as long as the sound lasts.
class CJVKSoundPlayer {
 public:
  virtual ~CJVKSoundPlayer() = default;
  virtual void Play(const char* pszAlias) = 0;
  // Stops whatever this process still plays.
  virtual void Purge() = 0;
};

class CJVKSoundManager {
 public:
  enum Request { kIdle = 0, kMenuCommand = 1, kMenuPopup = 2, kStop = 3 };

  // The longest Stop waits for the worker: the user-interface thread calls it.
  static const DWORD kStopWaitMs = 100;
  // The longest the destructor waits for a sound still playing.
  static const DWORD kJoinWaitMs = 10000;

  // The player must outlive the manager.
  explicit CJVKSoundManager(CJVKSoundPlayer* pPlayer);
  // Joins the worker, so that it never runs on after the manager is gone.
  ~CJVKSoundManager();
  CJVKSoundManager(const CJVKSoundManager&) = delete;
  CJVKSoundManager& operator=(const CJVKSoundManager&) = delete;

  // Asks for "MenuCommand" (kMenuCommand) or "MenuPopup" (kMenuPopup),
  // starting the worker first when it does not run.
  void RequestSound(Request nSound);
  // Asks the worker to end and waits at most kStopWaitMs. TRUE when it has
  // ended; otherwise it ends after the sound it plays, and the worker is
  // kept, to be waited for again.
  BOOL Stop();
  BOOL IsRunning() const { return m_worker.IsRunning(); }

 private:
  static UINT Run(LPVOID pParam);
  void Serve();

  CJVKSoundPlayer* m_pPlayer;
  std::atomic<LONG> m_nRequest{kIdle};
  // Last, so that it is torn down before what the worker uses.
  CWorkerThread m_worker;
};

#ifdef _WIN32
// The process-wide manager with the system's player; joined at exit.
CJVKSoundManager* GetSoundManager();
#endif
