// The card behind the card source stand-in thsource.ax (never shipped).
// Each new filter reads the script named by QUILLON_THSOURCE_SCRIPT unless a
// test in the same process loaded one (ThSourceSimLoadScript). Every
// interface call is recorded, one line each ("Tune 11954 27500 1 9750 0"), in
// memory and appended to the file named by QUILLON_THSOURCE_RECORD.
//
// Script, one instruction per line ('#' comments):
//   cards N                       the number of cards (default 1)
//   type T                        the type every card reports (1 to 5; default 1)
//   signal LOCKED SIGNAL QUALITY  what the tuner measures (default 1 80 70)
//   ts FILE                       the transport stream the card receives, delivered
//                                 over and over to the callbacks of the added PIDs
//   pace MS                       the wait after every 32 packets (default 2)
//   timeshift WRITE READ          the time-shift filter's positions (default 0 0)
//   cam NAME                      a CAM in the slot, with this name
//   menu TEXTS | list TEXTS       a screen the CAM shows next: title|subtitle|bottom|choice|...
//   enquiry BLIND LENGTH PROMPT   an enquiry the CAM shows next
//   count N                       the choice count written for the following screens
//                                 (default: the number of choices given)
//   fail CALL HRESULT [skip N] [times N]
//                                 CALL (an operation's name) answers HRESULT (hex)
//                                 after N good calls, N times (default: every time)
#pragma once

#include <windows.h>

#define THSOURCE_SCRIPT_VARIABLE "QUILLON_THSOURCE_SCRIPT"
#define THSOURCE_RECORD_VARIABLE "QUILLON_THSOURCE_RECORD"
// A video decoder of fixeddecoders.ax cannot be made while this variable
// names it ("first", "second" or "both").
#define FIXED_DECODER_ABSENT_VARIABLE "QUILLON_FIXED_DECODER_ABSENT"

extern "C" {
// Replaces the script (text as in a script file) and clears the record.
typedef void(WINAPI* ThSourceSimLoadScriptProc)(const char* text);
// The record so far, lines ended by '\n', cut to fit size (terminated when
// size > 0); the full length.
typedef int(WINAPI* ThSourceSimRecordProc)(char* buffer, int size);
}
