#include "SplitFileName.h"

#include <cstdio>

std::string SplitPartName(const std::string& first, unsigned part) {
  char number[16];
  snprintf(number, sizeof(number), "_%03u", part);
  const size_t dot = first.find_last_of('.');
  const size_t separator = first.find_last_of("\\/");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return first + number;
  return first.substr(0, dot) + number + first.substr(dot);
}
