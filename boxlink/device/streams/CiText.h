// The texts of the common interface. Portable.
#pragma once

#include <Framework.h>

namespace citext {

// The DVB line break inside CAM texts.
const char kLineBreak = char(0x8A);
// The box's version reply: a text of at most this many bytes, zero-
// terminated when shorter.
const int kVersionReply = 32;

// Takes the first line of a CAM text: walks the first `length` characters;
// at the first line break the text is cut there and its position + 1 is
// returned (where the next line starts); control characters 0x80-0x9F
// before it become blanks. Without a line break returns `length`; below 1
// returns it unchanged.
int ConvertCharBuf(CString& text, int length);

// The version reply split at the first "|": first the part before it
// (empty when there is none), second the part after it (the whole text
// when there is none). A reply without a terminating zero ends at its
// 32nd byte.
void SplitVersion(const BYTE* reply, CString& first, CString& second);

}  // namespace citext
