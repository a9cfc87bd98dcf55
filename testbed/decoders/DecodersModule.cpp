// The stand-ins' class-factory table, their filter-mapper entries and the
// exports. The decoders have the merit of installed decoders (MERIT_NORMAL,
// above the minimum the modules list by, 0x200001, and the one the graph's
// own connection tries, MERIT_UNLIKELY), the video decoders in a known order
// (A first); the null audio renderer ranks above the platform's audio
// renderers.
#include "NullAudioRenderer.h"
#include "TestAudioDecoder.h"
#include "TestVideoDecoder.h"
#include "include/TestDecoders.h"

namespace {

const AMOVIESETUP_MEDIATYPE kMpeg2VideoIn[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG2_VIDEO}};
const AMOVIESETUP_MEDIATYPE kRgb32Out[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32}};
const AMOVIESETUP_MEDIATYPE kMpegAudioIn[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG2_AUDIO}};
const AMOVIESETUP_MEDIATYPE kAc3In[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_DOLBY_AC3}};
const AMOVIESETUP_MEDIATYPE kPcm[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM}};

WCHAR kIn[] = L"In";
WCHAR kOut[] = L"Out";

// name, rendered, output, zero, many, connects to filter, to pin, types
const AMOVIESETUP_PIN kVideoPins[] = {
    {kIn, FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpeg2VideoIn},
    {kOut, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kRgb32Out},
};
const AMOVIESETUP_PIN kMpegAudioPins[] = {
    {kIn, FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpegAudioIn},
    {kOut, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kPcm},
};
const AMOVIESETUP_PIN kAc3Pins[] = {
    {kIn, FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAc3In},
    {kOut, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kPcm},
};
const AMOVIESETUP_PIN kRendererPins[] = {
    {kIn, TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kPcm},
};

const AMOVIESETUP_FILTER kVideoA = {&CLSID_TestVideoDecoderA, TEST_VIDEO_DECODER_A_NAME, 0x600001, 2, kVideoPins};
const AMOVIESETUP_FILTER kVideoB = {&CLSID_TestVideoDecoderB, TEST_VIDEO_DECODER_B_NAME, 0x600000, 2, kVideoPins};
const AMOVIESETUP_FILTER kMpegAudio = {&CLSID_TestMpegAudioDecoder, TEST_MPEG_AUDIO_DECODER_NAME, 0x600000, 2,
                                       kMpegAudioPins};
const AMOVIESETUP_FILTER kAc3 = {&CLSID_TestAc3Decoder, TEST_AC3_DECODER_NAME, 0x600000, 2, kAc3Pins};
const AMOVIESETUP_FILTER kNullAudio = {&CLSID_NullAudioRenderer, NULL_AUDIO_RENDERER_NAME, 0x800001, 1,
                                       kRendererPins};

}  // namespace

CFactoryTemplate g_Templates[] = {
    {TEST_VIDEO_DECODER_A_NAME, &CLSID_TestVideoDecoderA, CTestVideoDecoder::CreateA, nullptr, &kVideoA},
    {TEST_VIDEO_DECODER_B_NAME, &CLSID_TestVideoDecoderB, CTestVideoDecoder::CreateB, nullptr, &kVideoB},
    {TEST_MPEG_AUDIO_DECODER_NAME, &CLSID_TestMpegAudioDecoder, CTestAudioDecoder::CreateMpeg, nullptr, &kMpegAudio},
    {TEST_AC3_DECODER_NAME, &CLSID_TestAc3Decoder, CTestAudioDecoder::CreateAc3, nullptr, &kAc3},
    {NULL_AUDIO_RENDERER_NAME, &CLSID_NullAudioRenderer, CNullAudioRenderer::CreateInstance, nullptr, &kNullAudio},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
