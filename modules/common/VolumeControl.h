// Volume and mute of the module's audio renderer. The host's volume v
// (0..1000) is kept as v x 10 - 10000 hundredths of a decibel ("lLastVolume"
// of the profile: 0 full, -10000 silent); mute sets -10000 and unmute the
// last volume again, and the state flips only when the renderer took it.
#pragma once

#include <functional>

class CVolumeControl {
 public:
  static constexpr long kSilent = -10000;
  // Puts a volume to the renderer; false when it refused. Empty: no graph.
  using Renderer = std::function<bool(long)>;

  explicit CVolumeControl(long lastVolume = 0) : m_lLastVolume(lastVolume) {}

  // 1 when set; 0 while muted (nothing changes), without a graph or when the renderer refused.
  int SetVolume(int volume, const Renderer& renderer);
  // The new state: 1 muted, 0 not.
  int ToggleMute(const Renderer& renderer);
  // After a graph rebuild: the current state again.
  void Reapply(const Renderer& renderer) const;

  long LastVolume() const { return m_lLastVolume; }
  bool Muted() const { return m_bMuted; }

 private:
  long m_lLastVolume;
  bool m_bMuted = false;
};
