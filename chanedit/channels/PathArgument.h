// One argument of a command line, and the by-value list of them.
#pragma once

#include <Framework.h>

class CPathArgument {
 public:
  CPathArgument() = default;
  CPathArgument(const CString& argName, const CString& argValue) : name(argName), value(argValue) {}
  CPathArgument(const CPathArgument&) = default;
  CPathArgument& operator=(const CPathArgument&) = default;
  virtual ~CPathArgument() = default;

  CString name;  // the switch as written without "/", "-" and blanks; empty for a plain value
  CString value;
};

class CPathArgumentList : public CArray<CPathArgument, const CPathArgument&> {};
