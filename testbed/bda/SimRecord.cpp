#include "SimRecord.h"

#include <Streams.h>

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

namespace {

CCritSec g_lock;  // guards g_record and g_failures: the stand-ins record from any thread
std::string g_record;
std::map<std::string, HRESULT> g_failures;

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

HRESULT SimFailure(const char* step) {
  CAutoLock lock(&g_lock);
  const auto found = g_failures.find(step);
  return found == g_failures.end() ? S_OK : found->second;
}

HRESULT SimFailure(const char* object, const char* call) {
  return SimFailure((std::string(object) + " " + call).c_str());
}

bool SimMayCreate(const char* object, HRESULT* phr) {
  const HRESULT hr = SimFailure("create", object);
  if (SUCCEEDED(hr)) return true;
  if (phr) *phr = hr;
  return false;
}

extern "C" void WINAPI BdaSimFail(const char* step, HRESULT hr) {
  CAutoLock lock(&g_lock);
  if (!step)
    g_failures.clear();
  else if (SUCCEEDED(hr))
    g_failures.erase(step);
  else
    g_failures[step] = hr;
}
