#include "CommandLayouts.h"

#include "ByteOrder.h"

#include <cstring>

namespace boxcommands {

int BuildSectionFilter(BYTE* out, WORD pid, const BYTE* data, const BYTE* mask, BYTE length, WORD mode) {
  if (pid > kMaxPid || length > kMaxSectionFilterLength) return -1;
  if (length > 0 && (!data || !mask)) return -1;
  memset(out, 0, kSectionFilterParams);
  byteorder::PutBE16(out, pid);
  byteorder::PutBE16(out + 2, mode);
  out[4] = length;
  if (length >= 1) {
    out[5] = data[0];
    out[17] = mask[0];
  }
  if (length > 3) {
    size_t tail = size_t(length - 3);
    memcpy(out + 6, data + 3, tail);
    memcpy(out + 18, mask + 3, tail);
  }
  return kSectionFilterParams;
}

int BuildSetChannel(BYTE* out, BYTE type, const DWORD* args, int count) {
  byteorder::PutBE32(out, type);
  int words = type == 1 ? 9 : 5;
  for (int i = 0; i < words; ++i) byteorder::PutBE32(out + 4 + 4 * i, i < count ? args[i] : 0);
  return 4 + 4 * words;
}

void BuildFeQuery(BYTE* out, FeQuery query) {
  byteorder::PutBE32(out, query == kFeMachineState ? 0 : 1);
  byteorder::PutBE32(out + 4, query == kFeSignalInfo ? 1 : 0);
}

int FeQueryAnswerWords(FeQuery query) {
  switch (query) {
    case kFeMachineState: return 1;
    case kFeLockState: return 3;
    case kFeSignalInfo: return 12;
  }
  return 0;
}

int ParseFeQuery(const BYTE* params, int length) {
  if (length < kFeQueryParams) return -1;
  DWORD a = byteorder::GetBE32(params), b = byteorder::GetBE32(params + 4);
  if (a == 0 && b == 0) return kFeMachineState;
  if (a == 1 && b == 0) return kFeLockState;
  if (a == 1 && b == 1) return kFeSignalInfo;
  return -1;
}

void DecodeBE16Words(const BYTE* answer, WORD* out, int count) {
  for (int i = 0; i < count; ++i) out[i] = byteorder::GetBE16(answer + 2 * i);
}

void DecodeBE32Words(const BYTE* answer, DWORD* out, int count) {
  for (int i = 0; i < count; ++i) out[i] = byteorder::GetBE32(answer + 4 * i);
}

}  // namespace boxcommands
