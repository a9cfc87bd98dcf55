// An AM_MEDIA_TYPE that owns its format block (and the format's IUnknown).
#pragma once

#include <windows.h>
#include <strmif.h>

class CMediaType : public AM_MEDIA_TYPE {
 public:
  CMediaType();
  explicit CMediaType(const GUID* majortype);
  CMediaType(const AM_MEDIA_TYPE& rt, HRESULT* phr = nullptr);
  CMediaType(const CMediaType& rt, HRESULT* phr = nullptr);
  ~CMediaType();

  CMediaType& operator=(const AM_MEDIA_TYPE& rt);
  CMediaType& operator=(const CMediaType& rt);
  BOOL operator==(const CMediaType& rt) const;
  BOOL operator!=(const CMediaType& rt) const { return !(*this == rt); }

  // Copies rt (format block included); E_OUTOFMEMORY leaves this type empty.
  HRESULT Set(const CMediaType& rt);
  HRESULT Set(const AM_MEDIA_TYPE& rt);

  BOOL IsValid() const { return !IsEqualGUID(majortype, GUID_NULL); }
  const GUID* Type() const { return &majortype; }
  void SetType(const GUID* ptype) { majortype = *ptype; }
  const GUID* Subtype() const { return &subtype; }
  void SetSubtype(const GUID* ptype) { subtype = *ptype; }
  const GUID* FormatType() const { return &formattype; }
  void SetFormatType(const GUID* pformattype) { formattype = *pformattype; }
  BOOL IsFixedSize() const { return bFixedSizeSamples; }
  BOOL IsTemporalCompressed() const { return bTemporalCompression; }
  ULONG GetSampleSize() const { return IsFixedSize() ? lSampleSize : 0; }
  void SetSampleSize(ULONG sz);
  void SetVariableSize() { bFixedSizeSamples = FALSE; }
  void SetTemporalCompression(BOOL bCompressed) { bTemporalCompression = bCompressed; }

  BYTE* Format() const { return pbFormat; }
  ULONG FormatLength() const { return cbFormat; }
  // Replaces the format block with a copy of pFormat; FALSE when out of memory.
  BOOL SetFormat(const BYTE* pFormat, ULONG length);
  // A zero-filled (when new) format block of the given size, or null.
  BYTE* AllocFormatBuffer(ULONG length);
  BYTE* ReallocFormatBuffer(ULONG length);
  void ResetFormatBuffer();

  void InitMediaType();
  // TRUE when every field that ptype specifies (not GUID_NULL) matches this type.
  BOOL MatchesPartial(const CMediaType* ppartial) const;
  BOOL IsPartiallySpecified() const;
};

// Helpers over plain AM_MEDIA_TYPE structures.
void FreeMediaType(AM_MEDIA_TYPE& mt);
void DeleteMediaType(AM_MEDIA_TYPE* pmt);
HRESULT CopyMediaType(AM_MEDIA_TYPE* pmtTarget, const AM_MEDIA_TYPE* pmtSource);
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* pSrc);
