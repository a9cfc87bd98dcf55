#include "TestVideoDecoder.h"

#include <dvdmedia.h>

#include <cstdlib>

#include "FramePainter.h"
#include "include/TestDecoders.h"

namespace {

// The picture size of an MPEG-2 video type: its source rectangle, else its
// bitmap header.
bool PictureSize(const CMediaType& mt, LONG* width, LONG* height) {
  if (!IsEqualGUID(*mt.FormatType(), FORMAT_MPEG2Video) || mt.FormatLength() < sizeof(MPEG2VIDEOINFO) - 4)
    return false;
  const auto* info = reinterpret_cast<const MPEG2VIDEOINFO*>(mt.Format());
  const RECT& r = info->hdr.rcSource;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  if (*width <= 0 || *height <= 0) {
    *width = info->hdr.bmiHeader.biWidth;
    *height = std::abs(info->hdr.bmiHeader.biHeight);
  }
  return *width > 0 && *height > 0 && *width <= 4096 && *height <= 4096;
}

bool RefusedByTest(char letter) {
  char value[8] = {};
  const DWORD n = GetEnvironmentVariableA(TEST_DECODER_REFUSE_VARIABLE, value, sizeof(value));
  return n == 1 && value[0] == letter;
}

}  // namespace

CUnknown* WINAPI CTestVideoDecoder::CreateA(LPUNKNOWN pUnk, HRESULT* phr) {
  return Create<CTestVideoDecoder>(pUnk, phr, CLSID_TestVideoDecoderA, 'A');
}

CUnknown* WINAPI CTestVideoDecoder::CreateB(LPUNKNOWN pUnk, HRESULT* phr) {
  return Create<CTestVideoDecoder>(pUnk, phr, CLSID_TestVideoDecoderB, 'B');
}

CTestVideoDecoder::CTestVideoDecoder(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, char letter)
    : CRecordingDecoder(TEXT("Test video decoder"), pUnk, clsid, phr), m_letter(letter) {}

HRESULT CTestVideoDecoder::CheckInputType(const CMediaType* mt) {
  LONG width, height;
  if (RefusedByTest(m_letter)) return VFW_E_TYPE_NOT_ACCEPTED;
  if (!IsEqualGUID(*mt->Type(), MEDIATYPE_Video) || !IsEqualGUID(*mt->Subtype(), MEDIASUBTYPE_MPEG2_VIDEO))
    return VFW_E_TYPE_NOT_ACCEPTED;
  return PictureSize(*mt, &width, &height) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTestVideoDecoder::SetMediaType(PIN_DIRECTION direction, const CMediaType* mt) {
  if (direction == PINDIR_INPUT && !PictureSize(*mt, &m_width, &m_height)) return VFW_E_TYPE_NOT_ACCEPTED;
  return S_OK;
}

HRESULT CTestVideoDecoder::GetMediaType(int iPosition, CMediaType* mt) {
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
  if (!InputPin()->IsConnected()) return E_UNEXPECTED;
  auto* info = reinterpret_cast<VIDEOINFOHEADER*>(mt->AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
  if (!info) return E_OUTOFMEMORY;
  info->rcSource = {0, 0, m_width, m_height};
  info->rcTarget = info->rcSource;
  info->AvgTimePerFrame = 400000;
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = m_width;
  info->bmiHeader.biHeight = m_height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = 32;
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biSizeImage = static_cast<DWORD>(m_width * m_height * 4);
  mt->SetType(&MEDIATYPE_Video);
  mt->SetSubtype(&MEDIASUBTYPE_RGB32);
  mt->SetFormatType(&FORMAT_VideoInfo);
  mt->SetTemporalCompression(FALSE);
  mt->SetSampleSize(info->bmiHeader.biSizeImage);
  return S_OK;
}

HRESULT CTestVideoDecoder::CheckTransform(const CMediaType*, const CMediaType* out) {
  if (!IsEqualGUID(*out->Type(), MEDIATYPE_Video) || !IsEqualGUID(*out->Subtype(), MEDIASUBTYPE_RGB32) ||
      !IsEqualGUID(*out->FormatType(), FORMAT_VideoInfo) || out->FormatLength() < sizeof(VIDEOINFOHEADER))
    return VFW_E_TYPE_NOT_ACCEPTED;
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(out->Format());
  // The renderer may ask for a wider stride; the height must stay.
  return info->bmiHeader.biWidth >= m_width && std::abs(info->bmiHeader.biHeight) == m_height
             ? S_OK
             : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTestVideoDecoder::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) {
  pprop->cBuffers = pprop->cBuffers > 2 ? pprop->cBuffers : 2;
  const LONG frame = m_width * m_height * 4;
  pprop->cbBuffer = pprop->cbBuffer > frame ? pprop->cbBuffer : frame;
  if (pprop->cbAlign < 1) pprop->cbAlign = 1;
  ALLOCATOR_PROPERTIES actual;
  RETURN_IF_FAILED(pAllocator->SetProperties(pprop, &actual));
  return actual.cbBuffer < frame ? E_FAIL : S_OK;
}

HRESULT CTestVideoDecoder::Transform(IMediaSample* pIn, IMediaSample* pOut) {
  RETURN_IF_FAILED(m_log.Record(pIn, MEDIASUBTYPE_MPEG2_VIDEO));
  BYTE* payload = nullptr;
  BYTE* frame = nullptr;
  RETURN_IF_FAILED(pIn->GetPointer(&payload));
  RETURN_IF_FAILED(pOut->GetPointer(&frame));
  // The connected output type gives the stride (the renderer may have widened it).
  const auto* out = reinterpret_cast<const VIDEOINFOHEADER*>(OutputPin()->CurrentMediaType().Format());
  const LONG stride = out ? out->bmiHeader.biWidth : m_width;
  const LONG size = stride * m_height * 4;
  if (pOut->GetSize() < size) return E_FAIL;
  PaintFrame(frame, stride, m_width, m_height, m_letter, ++m_frames, payload, pIn->GetActualDataLength());
  pOut->SetActualDataLength(size);
  return S_OK;
}
