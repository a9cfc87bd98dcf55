// The media-type identifiers that the system needs and mingw-w64's DirectShow
// headers lack. Every other identifier comes from uuids.h / ksuuids.h and
// libstrmiids.
#pragma once

#include <windows.h>

// H.264 elementary stream as offered by MPEG-2 style source filters; distinct
// from the FourCC-derived subtype 'H264' in wmcodecdsp.h.
inline constexpr GUID MEDIASUBTYPE_H264_VIDEO = {
    0x8D2D71CB, 0x243F, 0x45E3, {0xB2, 0xD8, 0x5F, 0xD7, 0x96, 0x7E, 0xC0, 0x9B}};
