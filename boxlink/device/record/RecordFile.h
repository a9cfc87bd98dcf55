// A recording file as the file reader and the program-stream reader see it:
// reads from a position, a position that can be set, and the length. The
// Win32 side puts a file object behind it, tests a byte vector. Reads that
// fail are short reads; nothing is thrown through it.
#pragma once

#include <WinTypes.h>

class IRecordOutput;

class IRecordFile {
 public:
  // Up to count bytes from the position on; the position moves past them.
  virtual DWORD Read(BYTE* buffer, DWORD count) = 0;
  // FALSE when the position cannot be set (it stays where it was).
  virtual BOOL Seek(DWORD position) = 0;
  virtual DWORD Position() = 0;
  virtual DWORD Length() = 0;

 protected:
  ~IRecordFile() {}
};

namespace recordfile {

// The search of a byte pattern (at most kMaxPattern bytes) from the file's
// position on, within `limit` bytes: a byte matches when (file XOR pattern)
// AND mask is 0 (exactly without a mask). Found: the file stands at the
// match and the distance is returned. Not found: kNotFound, the file stands
// where it was. kSearchFailed for a pattern that is empty or too long.
const DWORD kMaxPattern = 100;
const long kNotFound = -2;
const long kSearchFailed = -1;
long FindPattern(IRecordFile& file, const BYTE* pattern, const BYTE* mask, DWORD length, DWORD limit);

// Writes count zero bytes in pieces of at most kZeroPiece bytes from one
// static block, so that padding of any size allocates nothing. FALSE at the
// first write that fails.
const DWORD kZeroPiece = 64 * 1024;
BOOL WriteZeros(IRecordOutput& out, DWORD count);

// value × numerator ÷ denominator without overflow; 0 for a denominator 0.
DWORD Scale(DWORD value, DWORD numerator, DWORD denominator);

}  // namespace recordfile
