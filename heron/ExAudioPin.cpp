#include "ExAudioPin.h"

#include "ExSourceFilter.h"

namespace {
// The audio queue wakes its thread beyond 26 packets and takes without
// waiting from 3 on.
constexpr size_t kWakeAbove = 26;
constexpr size_t kTakeAtLeast = 3;
}  // namespace

CExAudioPin::CExAudioPin(HRESULT* phr, CExSourceFilter* pFilter)
    : CExStreamPin(TEXT("Audio pin"), phr, pFilter, L"Audio", FALSE, kWakeAbove, kTakeAtLeast) {}

void CExAudioPin::ResetStream(BOOL bAC3, BOOL bH264) {
  EmptyQueue();
  m_Stamper.Reset();
  if (bH264) {
    m_bAC3 = FALSE;
    m_bH264 = TRUE;
  } else {
    m_bAC3 = bAC3;
    m_bH264 = FALSE;
  }
}

const GUID& CExAudioPin::OfferedSubtype() const {
  return m_bAC3 && !m_bH264 ? MEDIASUBTYPE_DOLBY_AC3 : MEDIASUBTYPE_MPEG2_AUDIO;
}

HRESULT CExAudioPin::MakeMediaType(CMediaType* pmt) {
  pmt->InitMediaType();
  pmt->SetType(&MEDIATYPE_Audio);
  pmt->SetSubtype(&OfferedSubtype());
  pmt->SetFormatType(&FORMAT_WaveFormatEx);
  auto* pwf = reinterpret_cast<WAVEFORMATEX*>(pmt->AllocFormatBuffer(sizeof(WAVEFORMATEX)));
  if (!pwf) return E_OUTOFMEMORY;
  pwf->wFormatTag = WAVE_FORMAT_EXTENSIBLE;
  pwf->nChannels = 2;
  pwf->nSamplesPerSec = 48000;
  pwf->nAvgBytesPerSec = 192000;
  pwf->nBlockAlign = 4;
  pwf->wBitsPerSample = 16;
  pwf->cbSize = 0;
  return S_OK;
}
