// A recording file opened for playback: byte 0 picks the stream and file
// format, byte 1 the playback mode, byte 2 a jump (signed, in 100 ms) made
// after the first unit; the rest is the file. The file is measured, then
// read to its end. Every unit must fit the unit buffer, a PVA unit must be
// one whole packet, and the reader must come to an end.
#include "../MemoryRecordFile.h"
#include "RecordFileReader.h"

#include <cstddef>
#include <cstdint>

using namespace recordformat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static const int kFormats[][2] = {{kMpegAudio, kFileMpegAudio}, {kPva4, kFilePva},     {kPva5, kFilePvaReordered},
                                    {kPva5, kFileProgramStream}, {kPva1, kFilePva},     {kRaw, kFilePva}};
  const int* format = kFormats[data[0] % 6];
  const int mode = 2 + data[1] % 4;
  const int jumpMs = int(int8_t(data[2])) * 100;
  CMemoryRecordFile file(std::vector<BYTE>(data + 3, data + size));
  CRecordFileReader reader;
  reader.Attach(&file, format[0], format[1]);
  DWORD length, duration;
  WORD rate;
  reader.GetFileParams(length, duration, rate);
  static BYTE buffer[CRecordFileReader::kBufferSize];
  DWORD time;
  // Each unit moves the file on, so the units are fewer than its bytes.
  for (size_t units = 0;; ++units) {
    if (units > size) __builtin_trap();
    const DWORD n = units == 1 && jumpMs ? reader.SeekFileBlock2(buffer, mode, time, jumpMs)
                                         : reader.GetPVAPacket(buffer, mode, time);
    if (!n) break;
    if (n > CRecordFileReader::kBufferSize) __builtin_trap();
    if (IsPva(format[0]) && (n < 8 || buffer[0] != 'A' || buffer[1] != 'V' || DWORD((buffer[6] << 8) | buffer[7]) + 8 != n))
      __builtin_trap();
    if (duration && time > duration) __builtin_trap();
  }
  return 0;
}
