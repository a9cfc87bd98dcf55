// The card's decoder classes over the simulated card: the A/V control
// answers from the script, and a media file plays in simulation, its
// position moving with the clock at the scripted rate.
#include <algorithm>
#include <string>

#include "DVBAVControl.h"
#include "DVBRecPlayFile.h"
#include "SimCard.h"

namespace {

DVB_ERROR Result(int code) { return static_cast<DVB_ERROR>(code); }

constexpr BYTE kMaxLevel = 100;

}  // namespace

// ---------------------------------------------------------- CDVBAVControl

CDVBAVControl::CDVBAVControl() : m_dwCapabilities(CSimCard::Get().settings.avCapabilities) {}

CDVBAVControl::~CDVBAVControl() {}

DVB_ERROR CDVBAVControl::Init(int unused) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl Init %d", unused);
  if (const int code = card.Fail("AVInit")) return Result(code);
  m_dwCapabilities = card.settings.avCapabilities;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SetPIDs(WORD audio, WORD video, WORD pcr) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl SetPIDs %u %u %u", audio, video, pcr);
  return Result(card.Fail("SetPIDs"));
}

DVB_ERROR CDVBAVControl::SetVolume(BYTE left, BYTE right) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl SetVolume %u %u", left, right);
  if (!(m_dwCapabilities & kVolumeControl)) return DVB_ERR_STATE;
  if (left > kMaxLevel || right > kMaxLevel) return DVB_ERR_ARGUMENT;
  return Result(card.Fail("SetVolume"));
}

DVB_ERROR CDVBAVControl::SetTrebleBass(BYTE treble, BYTE bass) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl SetTrebleBass %u %u", treble, bass);
  if (m_dwCapabilities & kNoTrebleBass) return DVB_ERR_STATE;
  if (treble > kMaxLevel || bass > kMaxLevel) return DVB_ERR_ARGUMENT;
  return Result(card.Fail("SetTrebleBass"));
}

DVB_ERROR CDVBAVControl::SetAudioMute(BOOL mute) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl SetAudioMute %d", mute ? 1 : 0);
  return Result(card.Fail("SetAudioMute"));
}

DVB_ERROR CDVBAVControl::SetAspectRatio(int monitor) {
  CSimCard::Get().Record("AVControl SetAspectRatio %d", monitor);
  return monitor == 0 || monitor == 1 ? DVB_ERR_NONE : DVB_ERR_ARGUMENT;
}

DVB_ERROR CDVBAVControl::SetPictureParams(BYTE first, BYTE second, BYTE third) {
  CSimCard::Get().Record("AVControl SetPictureParams %u %u %u", first, second, third);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBAVControl::SetADSwitch(DEVICE_INPUT input) {
  CSimCard& card = CSimCard::Get();
  card.Record("AVControl SetADSwitch %d", static_cast<int>(input));
  if (input != DEVICE_INPUT_DIGITAL && input != DEVICE_INPUT_ANALOG) return DVB_ERR_ARGUMENT;
  return Result(card.Fail("SetADSwitch"));
}

DVB_ERROR CDVBAVControl::GetVideoDecoderStatus(_VIDEOSTATUS& status) {
  CSimCard& card = CSimCard::Get();
  status = _VIDEOSTATUS();
  if (const int code = card.Fail("GetVideoDecoderStatus")) return Result(code);
  status.wWidth = card.settings.pictureWidth;
  status.wHeight = card.settings.pictureHeight;
  status.wAspectRatio = 2;
  status.wFrameRate = 3;
  return DVB_ERR_NONE;
}

// -------------------------------------------------------- CDVBRecPlayFile

// One open media file and where its simulated playback stands. Its
// position is kept as of a moment (m_dwSince) and moves from there at the
// current speed; every change of speed first brings it up to date.
class CSimPlayback {
 public:
  CSimPlayback(DWORD total, _REC_PLAY_FILE_FORMAT format, DWORD rateKbit)
      : m_dwTotal(total), m_format(format), m_dwRateKbit(rateKbit) {}

  DWORD Total() const { return m_dwTotal; }
  _REC_PLAY_FILE_FORMAT Format() const { return m_format; }
  _REC_PLAY_MODE Mode() const { return m_mode; }

  // The position now, at the speed in force.
  DWORD Position() {
    Advance();
    return m_dwPosition;
  }
  // The data rate now (kbit/s), 0 unless the file is moving.
  DWORD Rate() const { return m_nNumerator ? m_dwRateKbit * m_nNumerator / m_nDenominator : 0; }

  void Go(_REC_PLAY_MODE mode, int numerator, int denominator) {
    Advance();
    m_mode = mode;
    m_nNumerator = numerator;
    m_nDenominator = denominator;
  }
  void JumpTo(DWORD position) {
    Advance();
    m_dwPosition = std::min(position, m_dwTotal);
  }

 private:
  void Advance() {
    const DWORD now = ::GetTickCount();
    const ULONGLONG elapsed = now - m_dwSince;
    m_dwSince = now;
    const ULONGLONG bytes = elapsed * m_dwRateKbit * 1000 / 8 / 1000 * m_nNumerator / m_nDenominator;
    m_dwPosition = static_cast<DWORD>(std::min<ULONGLONG>(m_dwPosition + bytes, m_dwTotal));
  }

  const DWORD m_dwTotal;
  const _REC_PLAY_FILE_FORMAT m_format;
  const DWORD m_dwRateKbit;
  _REC_PLAY_MODE m_mode = RP_MODE_IDLE;
  int m_nNumerator = 0, m_nDenominator = 1;  // the speed: 0 stands still
  DWORD m_dwPosition = 0;
  DWORD m_dwSince = ::GetTickCount();
};

CDVBRecPlayFile::CDVBRecPlayFile() {}

CDVBRecPlayFile::~CDVBRecPlayFile() {}

BOOL CDVBRecPlayFile::Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, int bufferSize) {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile Open %s %d %d %d", name ? name : "(null)", static_cast<int>(format), mode, bufferSize);
  if (m_pPlayback || !name || mode != kPlay || format < RP_FILE_MPEG_AUDIO || format > RP_FILE_PROGRAM_STREAM)
    return FALSE;
  if (card.Fail("FileOpen")) return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(name, GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return FALSE;
  m_pPlayback = std::make_unique<CSimPlayback>(data.nFileSizeLow, format, card.settings.playRateKbit);
  return TRUE;
}

BOOL CDVBRecPlayFile::Close() {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile Close");
  if (!m_pPlayback || card.Fail("FileClose")) return FALSE;
  m_pPlayback.reset();
  return TRUE;
}

BOOL CDVBRecPlayFile::Playback(DWORD position) {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile Playback %lu", static_cast<unsigned long>(position));
  if (!m_pPlayback || card.Fail("FilePlayback")) return FALSE;
  if (m_pPlayback->Mode() == RP_MODE_IDLE || position != 0) m_pPlayback->JumpTo(position);
  m_pPlayback->Go(RP_MODE_PLAY, 1, 1);
  return TRUE;
}

BOOL CDVBRecPlayFile::PlaybackPause() {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile PlaybackPause");
  if (!m_pPlayback || m_pPlayback->Mode() == RP_MODE_IDLE || card.Fail("PlaybackPause")) return FALSE;
  m_pPlayback->Go(RP_MODE_PAUSE, 0, 1);
  return TRUE;
}

BOOL CDVBRecPlayFile::PlaybackFast(int faster) {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile PlaybackFast %d", faster);
  if (!m_pPlayback || m_pPlayback->Mode() == RP_MODE_IDLE || card.Fail("PlaybackFast")) return FALSE;
  m_pPlayback->Go(RP_MODE_FAST, faster ? 4 : 2, 1);
  return TRUE;
}

BOOL CDVBRecPlayFile::PlaybackSlow(BYTE speed) {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile PlaybackSlow %u", speed);
  if (!m_pPlayback || m_pPlayback->Mode() == RP_MODE_IDLE || speed == 0 || card.Fail("PlaybackSlow")) return FALSE;
  m_pPlayback->Go(RP_MODE_SLOW, 1, speed);
  return TRUE;
}

BOOL CDVBRecPlayFile::Stop() {
  CSimCard& card = CSimCard::Get();
  card.Record("RecPlayFile Stop");
  if (!m_pPlayback || card.Fail("Stop")) return FALSE;
  m_pPlayback->Go(RP_MODE_IDLE, 0, 1);
  m_pPlayback->JumpTo(0);
  return TRUE;
}

void CDVBRecPlayFile::GetStatus(DWORD& total, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode,
                                _REC_PLAY_FILE_FORMAT& format) {
  total = rate = position = 0;
  mode = RP_MODE_IDLE;
  format = RP_FILE_MPEG_AUDIO;
  if (!m_pPlayback) return;
  total = m_pPlayback->Total();
  position = m_pPlayback->Position();
  rate = m_pPlayback->Rate();
  mode = m_pPlayback->Mode();
  format = m_pPlayback->Format();
}

DWORD CDVBRecPlayFile::GetFileSize() { return m_pPlayback ? m_pPlayback->Total() : 0; }
