// What the tests know of the BDA stand-ins in bdasim.ax: the tuners' friendly
// names and network types, the section filter and the TIF, and the record of
// every value the network providers, tuning spaces, locators and tune
// requests were given (one line each).
#pragma once

#include <windows.h>

// The tuners registered in the network-tuner category, one per network type;
// a network provider connects to a tuner only when their types match.
#define BDASIM_TUNER_S_NAME L"Quillon Sim DVB-S Tuner"
#define BDASIM_TUNER_T_NAME L"Quillon Sim DVB-T Tuner"
#define BDASIM_TUNER_C_NAME L"Quillon Sim DVB-C Tuner"

// {0B5C3A51-7E0B-4A3C-9E0A-3C7B1D0C5A01} .. 03: the tuners.
inline constexpr CLSID CLSID_BdaSimTunerS = {0x0B5C3A51, 0x7E0B, 0x4A3C, {0x9E, 0x0A, 0x3C, 0x7B, 0x1D, 0x0C, 0x5A, 0x01}};
inline constexpr CLSID CLSID_BdaSimTunerT = {0x0B5C3A51, 0x7E0B, 0x4A3C, {0x9E, 0x0A, 0x3C, 0x7B, 0x1D, 0x0C, 0x5A, 0x02}};
inline constexpr CLSID CLSID_BdaSimTunerC = {0x0B5C3A51, 0x7E0B, 0x4A3C, {0x9E, 0x0A, 0x3C, 0x7B, 0x1D, 0x0C, 0x5A, 0x03}};
// {0B5C3A51-7E0B-4A3C-9E0A-3C7B1D0C5A10}: the section (MPE) filter.
inline constexpr CLSID CLSID_BdaSimSectionFilter = {
    0x0B5C3A51, 0x7E0B, 0x4A3C, {0x9E, 0x0A, 0x3C, 0x7B, 0x1D, 0x0C, 0x5A, 0x10}};
// {0B5C3A51-7E0B-4A3C-9E0A-3C7B1D0C5A11}: the TIF on the demultiplexer's pin "1".
inline constexpr CLSID CLSID_BdaSimTif = {0x0B5C3A51, 0x7E0B, 0x4A3C, {0x9E, 0x0A, 0x3C, 0x7B, 0x1D, 0x0C, 0x5A, 0x11}};

// The record: copies it into buffer (NUL-terminated, cut to size) and
// returns its whole length; BdaSimClearRecord empties it.
typedef int(WINAPI* BdaSimRecordProc)(char* buffer, int size);
typedef void(WINAPI* BdaSimClearRecordProc)();
