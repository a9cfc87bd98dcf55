// The simulated card behind the library stand-in (never shipped). It reads
// its script when the library starts (InitDvbApiDll) from the file named by
// QUILLON_CARDLINK_SCRIPT, and records every call of the library, one line
// each, in memory and in the file named by QUILLON_CARDLINK_RECORD (appended
// as it happens). A test in the same process may load a script itself.
//
// Script, one instruction per line ('#' comments):
//   devices N                  cards present (default 1)
//   name TEXT | mac TEXT       device info of every card
//   type N                     front-end type (1 DVB-S, 2 DVB-C, 3 DVB-T; default 1)
//   beversion HEX              first word of the back-end version (default 0x10020000)
//   range MIN MAX              the front end's frequency range
//   state LOCKED BER LEVEL QUALITY
//   fail CALL CODE [skip N] [times N]
//                              CALL answers CODE (FALSE for the BOOL calls) after
//                              N good calls, N times (default: every time); CALL is
//                              the method's name, but CIOpen, AVInit, FileOpen,
//                              FileClose and FilePlayback for those of the common
//                              interface, the A/V control and the media file
//   pes PID FILE               a pipe filter on PID delivers the PID's payload of the
//                              transport stream FILE (or FILE's bytes when it is no
//                              transport stream) once, in random chunks
//   chunks MIN MAX SEED        the chunk sizes (default 1 4096 1)
//   pace MS                    the wait after each chunk (default 2)
//   start MS                   a pipe filter's wait before its first chunk (default 0)
//   avcaps HEX                 the A/V capability word (default 1: volume, treble and bass)
//   picture WIDTH HEIGHT       the video decoder's picture (default 720 576)
//   ddmode N                   the surface kind the display reports (default: the one asked for)
//   playrate KBIT              a media file's simulated data rate (default 4000)
//   section PID HEX            a section filter on PID delivers this block once
//   ttx HEX                    TTXOn delivers this page block once
//   ci none                    Open answers 1 (no common interface)
//   ci WHEN MESSAGE            when WHEN happens (open, menu, choice, answer, psi),
//                              the worker delivers MESSAGE:
//                                slot SLOT STATE [NAME [CAID...]]    CA ids in hex
//                                castatus SLOT REPLY STATUS
//                                string SLOT TEXT
//                                menu SLOT TEXT|TEXT|...    title|subtitle|bottom|entries
//                                list SLOT TEXT|TEXT|...
//                                enquiry SLOT BLIND LENGTH
//                                osdoff SLOT
//                                raw SLOT KIND LENGTH HEX   a menu, list or string message
//                                                           with a length field of its own
//   Texts take \xHH escapes.
#pragma once

#include <Framework.h>

extern "C" {
// Replaces the script (text as in a script file); resets the record.
AFX_EXT_API void CardSimLoadScript(const char* text);
// The record so far, lines ended by '\n', cut to fit size; the full length.
AFX_EXT_API int CardSimRecord(char* buffer, int size);
}
