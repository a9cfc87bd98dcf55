// One argument of a command line, and the by-value list of them.
#pragma once

#include <string>

#include "ByValueArray.h"

class CPathArgument {
 public:
  CPathArgument() = default;
  CPathArgument(std::string argName, std::string argValue)
      : name(std::move(argName)), value(std::move(argValue)) {}
  CPathArgument(const CPathArgument&) = default;
  CPathArgument(CPathArgument&&) noexcept = default;
  CPathArgument& operator=(const CPathArgument&) = default;
  virtual ~CPathArgument() = default;

  std::string name;   // the switch as written without "/", "-" and blanks; empty for a plain value
  std::string value;
};

class CPathArgumentList : public CByValueArray<CPathArgument> {};
