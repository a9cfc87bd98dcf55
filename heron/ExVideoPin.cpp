#include "ExVideoPin.h"

#include "ExSourceFilter.h"

#include <cstring>

namespace {
// The video queue wakes its thread beyond 101 packets and takes without
// waiting from 11 on.
constexpr size_t kWakeAbove = 101;
constexpr size_t kTakeAtLeast = 11;
// The frame duration written into the format block (29.97 Hz), whatever the
// stream's frame-rate code says.
constexpr REFERENCE_TIME kAvgTimePerFrame = 333667;
// MPEG-2 main profile and main level, as the format block numbers them.
constexpr DWORD kProfileMain = 2;
constexpr DWORD kLevelMain = 2;
}  // namespace

CExVideoPin::CExVideoPin(HRESULT* phr, CExSourceFilter* pFilter)
    : CExStreamPin(TEXT("Video pin"), phr, pFilter, L"Video", TRUE, kWakeAbove, kTakeAtLeast) {}

void CExVideoPin::ResetStream(BOOL bH264) {
  EmptyQueue();
  m_Stamper.Reset();
  m_bH264 = bH264;
}

const GUID& CExVideoPin::OfferedSubtype() const { return m_bH264 ? MEDIASUBTYPE_H264_VIDEO : MEDIASUBTYPE_MPEG2_VIDEO; }

BOOL CExVideoPin::AcceptsNoFormat(const CMediaType* pMediaType) const {
  return IsEqualGUID(*pMediaType->Subtype(), MEDIASUBTYPE_H264_VIDEO);
}

HRESULT CExVideoPin::MakeMediaType(CMediaType* pmt) {
  pmt->InitMediaType();
  pmt->SetType(&MEDIATYPE_Video);
  if (m_bH264) {
    pmt->SetSubtype(&MEDIASUBTYPE_H264_VIDEO);
    pmt->SetFormatType(&GUID_NULL);
    return S_OK;
  }
  pmt->SetSubtype(&MEDIASUBTYPE_MPEG2_VIDEO);
  pmt->SetFormatType(&FORMAT_MPEG2Video);
  auto* pInfo = reinterpret_cast<MPEG2VIDEOINFO*>(pmt->AllocFormatBuffer(kFormatLength));
  if (!pInfo) return E_OUTOFMEMORY;
  memset(pInfo, 0, kFormatLength);

  CSequenceHeader seq;
  BOOL bFound;
  {
    CAutoLock lock(&m_QueueLock);
    bFound = m_Queue.FindSequenceHeader(&seq);
  }
  VIDEOINFOHEADER2& hdr = pInfo->hdr;
  const BYTE* pSeqBytes;
  if (bFound) {
    SetRect(&hdr.rcSource, 0, 0, static_cast<int>(seq.Width()), static_cast<int>(seq.Height()));
    hdr.dwBitRate = seq.BitRate();
    hdr.dwPictAspectRatioX = seq.AspectX();
    hdr.dwPictAspectRatioY = seq.AspectY();
    pSeqBytes = seq.Bytes();
  } else {
    SetRect(&hdr.rcSource, 0, 0, 768, 576);
    hdr.dwBitRate = 4000000;
    hdr.dwPictAspectRatioX = 4;
    hdr.dwPictAspectRatioY = 3;
    hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    hdr.bmiHeader.biWidth = 720;
    hdr.bmiHeader.biHeight = 480;
    pSeqBytes = CSequenceHeader::kDefaultBytes;
  }
  hdr.AvgTimePerFrame = kAvgTimePerFrame;
  pInfo->cbSequenceHeader = CSequenceHeader::kLength;
  pInfo->dwProfile = kProfileMain;
  pInfo->dwLevel = kLevelMain;
  pInfo->dwFlags = 0;
  memcpy(pInfo->dwSequenceHeader, pSeqBytes, CSequenceHeader::kLength);
  return S_OK;
}
