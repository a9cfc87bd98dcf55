// Every decoder of what the box sends back or what the simulated box is
// sent: I2C requests and answers, GPIO answers, front-end queries, the
// big-endian answer words and the MAC block. The answer buffer always has
// the channel's full size, zero-filled past the bytes received, as the
// library keeps it.
#include "BoxCommands.h"
#include "ByteOrder.h"
#include "CommandLayouts.h"
#include "I2cSequence.h"
#include "MacBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  BYTE address = data[0] & 0x7F;
  BYTE counts = data[1];
  data += 2;
  size -= 2;
  BYTE answer[boxcommands::kMaxAnswer] = {};
  size_t n = size < sizeof(answer) ? size : sizeof(answer);
  memcpy(answer, data, n);

  int writeCount = counts & 0x3F, readCount = (counts >> 2) & 0x3F;
  if (readCount <= i2csequence::kMaxTransfer) {
    int read[i2csequence::kMaxTransfer];
    if (i2csequence::EchoMatches(answer, address, writeCount, readCount))
      i2csequence::CopyRead(answer, read, readCount);
  }
  i2csequence::Request request;
  if (i2csequence::ParseRequest(data, int(size), request)) {
    int sum = 0;
    for (int i = 0; i < request.writeCount; ++i) sum += request.write[i];
    if (sum < 0) __builtin_trap();
  }
  i2csequence::GpioAccepted(answer, address);
  boxcommands::ParseFeQuery(data, int(size));

  WORD words16[boxcommands::kMaxAnswer / 2];
  DWORD words32[boxcommands::kMaxAnswer / 4];
  boxcommands::DecodeBE16Words(answer, words16, boxcommands::kMaxAnswer / 2);
  boxcommands::DecodeBE32Words(answer, words32, boxcommands::kMaxAnswer / 4);

  DWORD first, second;
  if (macblock::Unscramble(answer, &first, &second) != 0 && (first || second)) __builtin_trap();

  // A block the library wrote reads back as the two words it holds, whatever
  // the random filler: the input's words, with the input's bytes as filler.
  static const BYTE* filler;
  static size_t fillerLeft;
  filler = data;
  fillerLeft = size;
  auto random = []() -> int { return fillerLeft ? (--fillerLeft, *filler++ * 0x81) : 0x5A5A; };
  const DWORD words[2] = {byteorder::GetLE32(answer), byteorder::GetLE32(answer + 4)};
  BYTE block[macblock::kScrambledSize];
  macblock::Scramble(words[0], words[1], block, random);
  if (macblock::Unscramble(block, &first, &second) != 0 || first != words[0] || second != words[1]) __builtin_trap();
  return 0;
}
