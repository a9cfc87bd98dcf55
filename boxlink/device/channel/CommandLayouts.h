// Parameter and answer layouts of the box commands whose operations build
// their own request. Numbers are big-endian on the wire unless noted.
#pragma once

#include <WinTypes.h>

namespace boxcommands {

// Section filter (0x60): 29 parameter bytes.
//   0-1 PID, 2-3 mode, 4 filter length (0-12), 5 data byte 0,
//   6-16 data bytes 3.., 17 mask byte 0, 18-28 mask bytes 3..
// Bytes 1 and 2 (the section-length bytes of a section header) are skipped.
const int kSectionFilterParams = 29;
const int kMaxSectionFilterLength = 12;
const WORD kMaxPid = 0x1FFF;
// Returns 29, or -1 when the PID, the length or the pointers are unusable.
// Copies only the caller's bytes that exist for the given length.
int BuildSectionFilter(BYTE* out, WORD pid, const BYTE* data, const BYTE* mask, BYTE length, WORD mode);

// Set channel (0x71): the type word (1 satellite, 2 cable, 3 terrestrial),
// then the arguments, all BE32: nine for satellite, five for cable and
// terrestrial (missing ones sent as 0). Returns the length.
int BuildSetChannel(BYTE* out, BYTE type, const DWORD* args, int count);

// Front-end queries (0x73): two BE32 selector words.
enum FeQuery { kFeMachineState, kFeLockState, kFeSignalInfo };
const int kFeQueryParams = 8;
void BuildFeQuery(BYTE* out, FeQuery query);
int FeQueryAnswerWords(FeQuery query);
// Which query a request is, or -1 (for the simulated box).
int ParseFeQuery(const BYTE* params, int length);

// Reads count big-endian words of 16 or 32 bits from an answer.
void DecodeBE16Words(const BYTE* answer, WORD* out, int count);
void DecodeBE32Words(const BYTE* answer, DWORD* out, int count);

// Judges the byte count of a command-channel transaction: a count that
// differs from the expected answer length is accepted unless its low byte
// is 0xFF.
inline bool AnswerCountAccepted(DWORD count) { return (count & 0xFF) != 0xFF; }

}  // namespace boxcommands
