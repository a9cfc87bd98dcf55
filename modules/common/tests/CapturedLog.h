// A host log function for tests: keeps every line as
// "<source file> <level> <text>".
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "ModuleInterface.h"

struct CapturedLog {
  // The log function has no context argument: one capture for all.
  static inline std::vector<std::string> lines;

  static int __cdecl Log(const char* file, int, int level, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    lines.push_back(std::string(file) + " " + std::to_string(level) + " " + text);
    return 0;
  }
};
