// The "Video" pin: MPEG-2 video, with the picture size of the first queued
// sequence header in its format block, or H.264 after an H.264 reset.
#pragma once

#include "ExStreamPin.h"

class CExVideoPin : public CExStreamPin {
 public:
  // Size of the MPEG-2 video info block with its 12 sequence-header bytes.
  static constexpr ULONG kFormatLength = 148;

  CExVideoPin(HRESULT* phr, CExSourceFilter* pFilter);

  void ResetStream(BOOL bH264);
  BOOL IsH264() const { return m_bH264; }

 protected:
  const GUID& OfferedSubtype() const override;
  HRESULT MakeMediaType(CMediaType* pMediaType) override;
  // The H.264 type is offered without a format block, so it must be accepted so.
  BOOL AcceptsNoFormat(const CMediaType* pMediaType) const override;

 private:
  BOOL volatile m_bH264 = FALSE;
};
