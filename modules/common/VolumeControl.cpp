#include "VolumeControl.h"

int CVolumeControl::SetVolume(int volume, const Renderer& renderer) {
  if (m_bMuted) return 0;
  const int v = static_cast<unsigned short>(volume);  // the low 16 bits
  m_lLastVolume = v > 1000 ? 0 : v * 10L + kSilent;
  return renderer && renderer(m_lLastVolume) ? 1 : 0;
}

int CVolumeControl::ToggleMute(const Renderer& renderer) {
  if (renderer && renderer(m_bMuted ? m_lLastVolume : kSilent)) m_bMuted = !m_bMuted;
  return m_bMuted ? 1 : 0;
}

void CVolumeControl::Reapply(const Renderer& renderer) const {
  if (renderer) renderer(m_bMuted ? kSilent : m_lLastVolume);
}
