// The card behind the source filter stand-in cardfilter.ax (never shipped).
// Each new filter reads the script named by QUILLON_CARDFILTER_SCRIPT unless
// a test in the same process loaded one (CardFilterSimLoadScript). Every
// interface call is recorded, one line each ("SetFrequency 11778"), in
// memory and appended to the file named by QUILLON_CARDFILTER_RECORD.
//
// Script, one instruction per line ('#' comments):
//   tuner TYPE                   0 satellite (default), 1 cable, 2 terrestrial, 3 ATSC
//   caps PERF ACQ [LENGTH]       performance-monitoring and acquisition bits (hex;
//                                default 7B 0) and the length the capability call
//                                reports (default 56)
//   signal LOCKED STRENGTH QUALITY SNR BER UNCORRECTED TOTAL
//                                what the tuner measures (default 1 80 70 11.5 0 0 1000)
//   mac HEX                      the card's six-byte address (default 00D0D7123456)
//   ts FILE                      the transport stream the card receives, delivered
//                                over and over while the callback is set
//   pace MS                      the wait after every 32 packets (default 1)
//   picture WIDTH HEIGHT ASPECT  what the AV callback reports (default 720 576 2)
//   timeshift SIZE POSITION      the timeshift file's size and position (default 0 0)
//   fail CALL HRESULT [skip N] [times N]
//                                CALL (a method name, or Run/Pause/Stop of the filter)
//                                answers HRESULT (hex) after N good calls, N times
//                                (default: every time)
#pragma once

#include <windows.h>

#define CARDFILTER_SCRIPT_VARIABLE "QUILLON_CARDFILTER_SCRIPT"
#define CARDFILTER_RECORD_VARIABLE "QUILLON_CARDFILTER_RECORD"

extern "C" {
// Replaces the script (text as in a script file) and clears the record.
typedef void(WINAPI* CardFilterSimLoadScriptProc)(const char* text);
// The record so far, lines ended by '\n', cut to fit size (terminated when
// size > 0); the full length.
typedef int(WINAPI* CardFilterSimRecordProc)(char* buffer, int size);
}
