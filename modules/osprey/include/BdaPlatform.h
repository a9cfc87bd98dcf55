// The platform's BDA and demultiplexer declarations, in the order their
// headers need each other, and the identifiers that mingw-w64 lacks: the BDA
// device categories and the DVB network types (each also the class
// identifier of its network provider). The BDA media types that its headers
// declare without a definition are defined in BdaGuids.cpp.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>
#include <bdatypes.h>
#include <bdamedia.h>
#include <bdaiface.h>
#include <tuner.h>

inline constexpr GUID KSCATEGORY_BDA_NETWORK_TUNER = {
    0x71985F48, 0x1CA1, 0x11D3, {0x9C, 0xC8, 0x00, 0xC0, 0x4F, 0x79, 0x71, 0xE0}};
inline constexpr GUID KSCATEGORY_BDA_RECEIVER_COMPONENT = {
    0xFD0A5AF4, 0xB41D, 0x11D2, {0x9C, 0x95, 0x00, 0xC0, 0x4F, 0x79, 0x71, 0xE0}};
inline constexpr GUID DVB_SATELLITE_TV_NETWORK_TYPE = {
    0xFA4B375A, 0x45B4, 0x4D45, {0x84, 0x40, 0x26, 0x39, 0x57, 0xB1, 0x16, 0x23}};
inline constexpr GUID DVB_TERRESTRIAL_TV_NETWORK_TYPE = {
    0x216C62DF, 0x6D7F, 0x4E9A, {0x85, 0x71, 0x05, 0xF1, 0x4E, 0xDB, 0x76, 0x6A}};
inline constexpr GUID DVB_CABLE_TV_NETWORK_TYPE = {
    0xDC0C0FE7, 0x0485, 0x4266, {0xB9, 0x3F, 0x68, 0xFB, 0xF8, 0x0E, 0xD8, 0x34}};
