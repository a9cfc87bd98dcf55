// What the tests know of the BDA stand-ins in bdasim.ax and plover.ax: the
// tuners' friendly names and network types, the section filter and the TIF,
// the record of every value the network providers, tuning spaces, locators
// and tune requests were given (one line each), and the steps whose failure
// a test can inject.
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

// Makes a stand-in's step answer hr from now on (S_OK: works again; a null
// step: every step works again). Each of the two servers keeps its own:
//   bdasim.ax: "create DVB-S space", "create DVB space", "create DVB-S locator",
//     "create DVB-T locator", "create DVB-C locator", "create DVB-S provider",
//     "create DVB-T provider", "create DVB-C provider", "create demux" (the
//     object cannot be made); "DVB-S provider join" (-T, -C), "demux join" (the
//     graph cannot add the filter); "space QI IDVBSTuningSpace", "space QI IDVBTuningSpace",
//     "request QI IDVBTuneRequest", "provider QI ITuner", "tuner QI IBDA_Topology",
//     "node QI IBDA_SignalStatistics", "demux QI IMpeg2Demultiplexer";
//     "space CreateTuneRequest", "request put_SID", "<locator> <property>" (as
//     recorded, e.g. "DVB-S locator CarrierFrequency"), "provider put_TuneRequest",
//     "tuner GetControlNode", "demux CreateOutputPin"; "tuner antenna", "TIF input",
//     "section filter input", "demux pin 2" (any output pin by name) (the pin
//     refuses every connection); "tuner Stop"
//     (reported, though the filter stops).
//   plover.ax: "grabber join", "grabber input", "grabber AddPIDs", "grabber DelPIDs",
//     "grabber StopTimeshift"; "grabber Stop": the grabber reports a failed stop
//     and goes on handing the packets it last passed to its callbacks, from a
//     thread of its own, until it is destroyed.
typedef void(WINAPI* BdaSimFailProc)(const char* step, HRESULT hr);
