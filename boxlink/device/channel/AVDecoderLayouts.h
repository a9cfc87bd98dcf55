// What the A/V decoder control sends to the box and reads from its answers:
// the PCR PID that goes with a PID change, the audio channel codes, the
// detected TV standard in the decoder status, the audio status words and
// the stored standard setting. Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>

namespace avdecoder {

// The box's answer to the PID command when it took the PIDs.
const DWORD kPidsAccepted = 0x1600;
// "Leave this PID as it is" in the PID command.
const WORD kUnchangedPid = 0xFFFF;

// Video standards: the two the box knows, and "detect from the status".
const int kPal = 0;
const int kNtsc = 1;
const int kDetect = 2;

// Status words: 23 from each of the two status commands.
const int kVideoStatusWords = 46;
const int kStatusHalfWords = 23;
const int kAudioStatusWords = 3;

// The PCR PID sent with (audio, video, pcr): a PCR of 0 follows the video
// PID, or the audio PID when there is no video either.
WORD PcrToSend(WORD audio, WORD video, WORD pcr);

// The channel code the box takes for an audio channel (0 -> 1, 1 -> 0,
// 2 -> 2, anything else -> 1).
WORD AudioChannelCode(int channel);

// The standard the decoder detected: NTSC when status word 22 is 4.
int DetectedStandard(const WORD* status46);

// The audio status answer (three big-endian words w0, w1, w2): the state
// is the low byte of w0, the value w2 * 65536 + w1.
void DecodeAudioStatus(const BYTE* answer6, BYTE& state, DWORD& value);

// The stored standard setting: upper-cased in place; NTSC when it then
// reads "NTSC", PAL otherwise.
int StandardFromSetting(char* text, size_t length);

}  // namespace avdecoder
