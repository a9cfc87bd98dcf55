// The "Audio" pin: MPEG audio, or AC-3 after an AC-3 reset (not in H.264
// mode). Its first packet with a PTS sets the time origin of both pins.
#pragma once

#include "ExStreamPin.h"

class CExAudioPin : public CExStreamPin {
 public:
  CExAudioPin(HRESULT* phr, CExSourceFilter* pFilter);

  void ResetStream(BOOL bAC3, BOOL bH264);
  BOOL IsAC3() const { return m_bAC3; }

 protected:
  const GUID& OfferedSubtype() const override;
  HRESULT MakeMediaType(CMediaType* pMediaType) override;

 private:
  BOOL volatile m_bAC3 = FALSE;
  BOOL volatile m_bH264 = FALSE;
};
