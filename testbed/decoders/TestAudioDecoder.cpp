#include "TestAudioDecoder.h"

#include <mmreg.h>

#include <cstring>

#include "include/TestDecoders.h"

namespace {

// One MPEG audio frame's worth of 16-bit stereo samples.
constexpr LONG kOutputBytes = 1152 * 4;

}  // namespace

CUnknown* WINAPI CTestAudioDecoder::CreateMpeg(LPUNKNOWN pUnk, HRESULT* phr) {
  return Create<CTestAudioDecoder>(pUnk, phr, CLSID_TestMpegAudioDecoder, MEDIASUBTYPE_MPEG2_AUDIO);
}

CUnknown* WINAPI CTestAudioDecoder::CreateAc3(LPUNKNOWN pUnk, HRESULT* phr) {
  return Create<CTestAudioDecoder>(pUnk, phr, CLSID_TestAc3Decoder, MEDIASUBTYPE_DOLBY_AC3);
}

CTestAudioDecoder::CTestAudioDecoder(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, const GUID& input)
    : CRecordingDecoder(TEXT("Test audio decoder"), pUnk, clsid, phr), m_input(input) {}

HRESULT CTestAudioDecoder::CheckInputType(const CMediaType* mt) {
  return IsEqualGUID(*mt->Type(), MEDIATYPE_Audio) && IsEqualGUID(*mt->Subtype(), m_input) ? S_OK
                                                                                           : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTestAudioDecoder::GetMediaType(int iPosition, CMediaType* mt) {
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
  auto* wave = reinterpret_cast<WAVEFORMATEX*>(mt->AllocFormatBuffer(sizeof(WAVEFORMATEX)));
  if (!wave) return E_OUTOFMEMORY;
  wave->wFormatTag = WAVE_FORMAT_PCM;
  wave->nChannels = 2;
  wave->nSamplesPerSec = 48000;
  wave->wBitsPerSample = 16;
  wave->nBlockAlign = 4;
  wave->nAvgBytesPerSec = 48000 * 4;
  mt->SetType(&MEDIATYPE_Audio);
  mt->SetSubtype(&MEDIASUBTYPE_PCM);
  mt->SetFormatType(&FORMAT_WaveFormatEx);
  mt->SetSampleSize(4);
  return S_OK;
}

HRESULT CTestAudioDecoder::CheckTransform(const CMediaType*, const CMediaType* out) {
  return IsEqualGUID(*out->Type(), MEDIATYPE_Audio) && IsEqualGUID(*out->Subtype(), MEDIASUBTYPE_PCM)
             ? S_OK
             : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTestAudioDecoder::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) {
  pprop->cBuffers = pprop->cBuffers > 4 ? pprop->cBuffers : 4;
  pprop->cbBuffer = pprop->cbBuffer > kOutputBytes ? pprop->cbBuffer : kOutputBytes;
  if (pprop->cbAlign < 1) pprop->cbAlign = 1;
  ALLOCATOR_PROPERTIES actual;
  RETURN_IF_FAILED(pAllocator->SetProperties(pprop, &actual));
  return actual.cbBuffer < kOutputBytes ? E_FAIL : S_OK;
}

HRESULT CTestAudioDecoder::Transform(IMediaSample* pIn, IMediaSample* pOut) {
  RETURN_IF_FAILED(m_log.Record(pIn, m_input));
  BYTE* pcm = nullptr;
  RETURN_IF_FAILED(pOut->GetPointer(&pcm));
  std::memset(pcm, 0, kOutputBytes);
  pOut->SetActualDataLength(kOutputBytes);
  return S_OK;
}
