#include "SimRecord.h"

#include <Streams.h>

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

CCritSec g_lock;  // guards g_record: the stand-ins record from any thread
std::string g_record;

}  // namespace

void SimRecordLine(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  CAutoLock lock(&g_lock);
  g_record += line;
  g_record += '\n';
}

extern "C" int WINAPI BdaSimRecord(char* buffer, int size) {
  CAutoLock lock(&g_lock);
  if (buffer && size > 0) {
    const size_t n = std::min(g_record.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, g_record.data(), n);
    buffer[n] = 0;
  }
  return static_cast<int>(g_record.size());
}

extern "C" void WINAPI BdaSimClearRecord() {
  CAutoLock lock(&g_lock);
  g_record.clear();
}
