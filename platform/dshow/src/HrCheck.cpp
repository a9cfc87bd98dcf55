#include "HrCheck.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

void DebuggerOutput(const char* line) { OutputDebugStringA(line); }

std::atomic<HrLogSink> g_sink{&DebuggerOutput};

// The file name without its folders: the build machine's paths say nothing.
const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; p++)
    if (*p == '/' || *p == '\\') name = p + 1;
  return name;
}

}  // namespace

HrLogSink SetHrLogSink(HrLogSink sink) { return g_sink.exchange(sink ? sink : &DebuggerOutput); }

HRESULT CheckHr(HRESULT hr, const char* expression, const char* file, int line) {
  if (SUCCEEDED(hr)) return hr;
  char text[256];
  snprintf(text, sizeof(text), "%s(%d): %s failed: 0x%08lX\n", BaseName(file), line, expression,
           static_cast<unsigned long>(hr));
  g_sink.load()(text);
  return hr;
}
