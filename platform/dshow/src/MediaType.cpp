#include "MediaType.h"

#include "HrCheck.h"

#include <cstring>

CMediaType::CMediaType() { InitMediaType(); }

CMediaType::CMediaType(const GUID* type) {
  InitMediaType();
  majortype = *type;
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& rt, HRESULT* phr) {
  InitMediaType();
  HRESULT hr = Set(rt);
  if (phr) *phr = hr;
}

CMediaType::CMediaType(const CMediaType& rt, HRESULT* phr) {
  InitMediaType();
  HRESULT hr = Set(rt);
  if (phr) *phr = hr;
}

CMediaType::~CMediaType() { FreeMediaType(*this); }

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& rt) {
  Set(rt);
  return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& rt) {
  Set(rt);
  return *this;
}

BOOL CMediaType::operator==(const CMediaType& rt) const {
  return IsEqualGUID(majortype, rt.majortype) && IsEqualGUID(subtype, rt.subtype) &&
         IsEqualGUID(formattype, rt.formattype) && cbFormat == rt.cbFormat &&
         (cbFormat == 0 || memcmp(pbFormat, rt.pbFormat, cbFormat) == 0);
}

HRESULT CMediaType::Set(const CMediaType& rt) { return Set(static_cast<const AM_MEDIA_TYPE&>(rt)); }

HRESULT CMediaType::Set(const AM_MEDIA_TYPE& rt) {
  if (&rt == this) return S_OK;
  FreeMediaType(*this);
  if (FAILED(CHECK_HR(CopyMediaType(this, &rt)))) {
    InitMediaType();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void CMediaType::SetSampleSize(ULONG sz) {
  if (sz == 0) {
    SetVariableSize();
  } else {
    bFixedSizeSamples = TRUE;
    lSampleSize = sz;
  }
}

BOOL CMediaType::SetFormat(const BYTE* pformat, ULONG length) {
  if (!AllocFormatBuffer(length)) return FALSE;
  if (length) memcpy(pbFormat, pformat, length);
  return TRUE;
}

BYTE* CMediaType::AllocFormatBuffer(ULONG length) {
  if (cbFormat == length && pbFormat) return pbFormat;
  BYTE* p = length ? static_cast<BYTE*>(CoTaskMemAlloc(length)) : nullptr;
  if (length && !p) return nullptr;
  if (p) memset(p, 0, length);
  if (pbFormat) CoTaskMemFree(pbFormat);
  pbFormat = p;
  cbFormat = length;
  return pbFormat;
}

BYTE* CMediaType::ReallocFormatBuffer(ULONG length) {
  if (cbFormat == length && pbFormat) return pbFormat;
  BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(length ? length : 1));
  if (!p) return nullptr;
  memset(p, 0, length);
  if (pbFormat) {
    memcpy(p, pbFormat, cbFormat < length ? cbFormat : length);
    CoTaskMemFree(pbFormat);
  }
  pbFormat = p;
  cbFormat = length;
  return pbFormat;
}

void CMediaType::ResetFormatBuffer() {
  if (pbFormat) CoTaskMemFree(pbFormat);
  pbFormat = nullptr;
  cbFormat = 0;
}

void CMediaType::InitMediaType() {
  memset(static_cast<AM_MEDIA_TYPE*>(this), 0, sizeof(AM_MEDIA_TYPE));
  lSampleSize = 1;
  bFixedSizeSamples = TRUE;
}

BOOL CMediaType::IsPartiallySpecified() const {
  return IsEqualGUID(majortype, GUID_NULL) || IsEqualGUID(formattype, GUID_NULL);
}

BOOL CMediaType::MatchesPartial(const CMediaType* ppartial) const {
  if (!IsEqualGUID(ppartial->majortype, GUID_NULL) && !IsEqualGUID(majortype, ppartial->majortype)) return FALSE;
  if (!IsEqualGUID(ppartial->subtype, GUID_NULL) && !IsEqualGUID(subtype, ppartial->subtype)) return FALSE;
  if (!IsEqualGUID(ppartial->formattype, GUID_NULL)) {
    if (!IsEqualGUID(formattype, ppartial->formattype)) return FALSE;
    if (cbFormat != ppartial->cbFormat) return FALSE;
    if (cbFormat && memcmp(pbFormat, ppartial->pbFormat, cbFormat) != 0) return FALSE;
  }
  return TRUE;
}

void FreeMediaType(AM_MEDIA_TYPE& mt) {
  if (mt.cbFormat && mt.pbFormat) CoTaskMemFree(mt.pbFormat);
  mt.cbFormat = 0;
  mt.pbFormat = nullptr;
  if (mt.pUnk) {
    mt.pUnk->Release();
    mt.pUnk = nullptr;
  }
}

void DeleteMediaType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return;
  FreeMediaType(*pmt);
  CoTaskMemFree(pmt);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* pmtTarget, const AM_MEDIA_TYPE* pmtSource) {
  *pmtTarget = *pmtSource;
  if (pmtSource->cbFormat && pmtSource->pbFormat) {
    pmtTarget->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(pmtSource->cbFormat));
    if (!pmtTarget->pbFormat) {
      pmtTarget->cbFormat = 0;
      pmtTarget->pUnk = nullptr;
      return E_OUTOFMEMORY;
    }
    memcpy(pmtTarget->pbFormat, pmtSource->pbFormat, pmtSource->cbFormat);
  } else {
    pmtTarget->pbFormat = nullptr;
    pmtTarget->cbFormat = 0;
  }
  if (pmtTarget->pUnk) pmtTarget->pUnk->AddRef();
  return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* pSrc) {
  auto* pmt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!pmt) return nullptr;
  if (FAILED(CHECK_HR(CopyMediaType(pmt, pSrc)))) {
    CoTaskMemFree(pmt);
    return nullptr;
  }
  return pmt;
}
