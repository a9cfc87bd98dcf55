// Readable text of a USB configuration descriptor with its interface and
// endpoint descriptors, as the driver returns it (diagnostics).
#pragma once

#include <WinTypes.h>

namespace configdescriptor {

// Room the text must keep after each block.
const DWORD kMinTextRoom = 512;

// Writes the text of the descriptor's first length bytes into text, whose
// room size gives on entry; on success size becomes the text length plus 1.
// FALSE when text or descriptor is null, size is below 512, the room runs
// short, or the descriptor is malformed (a zero or overlong bLength, a total
// length beyond the bytes returned, a descriptor too short for its type).
BOOL FormatConfigDescriptor(const BYTE* descriptor, DWORD length, char* text, DWORD& size);

}  // namespace configdescriptor
