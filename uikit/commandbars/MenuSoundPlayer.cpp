// The process-wide sound manager with the system's sound player.
#include "SoundManager.h"

#include <mmsystem.h>

namespace {

class CMenuSoundPlayer : public CJVKSoundPlayer {
 public:
  void Play(const char* pszAlias) override { PlaySoundA(pszAlias, nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT); }
  void Purge() override { PlaySoundA(nullptr, nullptr, SND_PURGE); }
};

}  // namespace

CJVKSoundManager* GetSoundManager() {
  // The player is constructed first, so it is destroyed after the manager
  // has joined its worker.
  static CMenuSoundPlayer player;
  static CJVKSoundManager manager(&player);
  return &manager;
}
