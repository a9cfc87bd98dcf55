// The decoder stand-ins of testsdecoders.ax: two MPEG-2 video decoders, an
// MPEG audio and an AC-3 decoder, and a null audio renderer. They register
// with the filter mapper like installed decoders, so a graph finds them by
// media type and merit. Each decoder records the samples it receives
// (ITestSinkLog, from the test sink's header).
#pragma once

#include <windows.h>

// {71BFB652-A592-4180-90B5-8C6B00218A2B}
inline constexpr CLSID CLSID_TestVideoDecoderA = {
    0x71BFB652, 0xA592, 0x4180, {0x90, 0xB5, 0x8C, 0x6B, 0x00, 0x21, 0x8A, 0x2B}};
// {2B4C5E4E-1192-4876-8375-4431C8C2F69E}
inline constexpr CLSID CLSID_TestVideoDecoderB = {
    0x2B4C5E4E, 0x1192, 0x4876, {0x83, 0x75, 0x44, 0x31, 0xC8, 0xC2, 0xF6, 0x9E}};
// {B0661227-DBB8-4C47-8B40-FA1E5E19E67F}
inline constexpr CLSID CLSID_TestMpegAudioDecoder = {
    0xB0661227, 0xDBB8, 0x4C47, {0x8B, 0x40, 0xFA, 0x1E, 0x5E, 0x19, 0xE6, 0x7F}};
// {C9559BE5-AB73-4318-9504-A8D6D677D99A}
inline constexpr CLSID CLSID_TestAc3Decoder = {
    0xC9559BE5, 0xAB73, 0x4318, {0x95, 0x04, 0xA8, 0xD6, 0xD6, 0x77, 0xD9, 0x9A}};
// {378E10E2-55F2-43EA-B2FC-E788597182B9}
inline constexpr CLSID CLSID_NullAudioRenderer = {
    0x378E10E2, 0x55F2, 0x43EA, {0xB2, 0xFC, 0xE7, 0x88, 0x59, 0x71, 0x82, 0xB9}};

// Friendly names, in the order the filter mapper lists the video decoders
// (by merit: A above B).
#define TEST_VIDEO_DECODER_A_NAME L"Quillon Test MPEG-2 Video Decoder A"
#define TEST_VIDEO_DECODER_B_NAME L"Quillon Test MPEG-2 Video Decoder B"
#define TEST_MPEG_AUDIO_DECODER_NAME L"Quillon Test MPEG Audio Decoder"
#define TEST_AC3_DECODER_NAME L"Quillon Test AC-3 Decoder"
#define NULL_AUDIO_RENDERER_NAME L"Quillon Null Audio Renderer"

// A video decoder refuses every input while this environment variable of the
// process names it ("A" or "B"): the fallback of a preferred decoder that
// cannot connect.
#define TEST_DECODER_REFUSE_VARIABLE "QUILLON_TESTDECODER_REFUSE"
