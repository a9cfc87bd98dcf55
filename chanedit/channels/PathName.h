// Splits a path, or a whole command line, into drive, directory, file title
// and extension, and a command line's arguments into switches and values.
#pragma once

#include <Framework.h>

#include "PathArgument.h"

class CPathName : public CObject {
 public:
  CPathName() = default;
  CPathName(const char* text, BOOL splitArguments) { Parse(text, splitArguments); }
  ~CPathName() override = default;

  // splitArguments: the text is a command line; what follows the program
  // path becomes the argument string.
  void Parse(const char* text, BOOL splitArguments);

  CString GetExtension() const;  // "." + extension, or empty
  CString GetFileName() const;   // title + GetExtension()
  CString GetExtensionText() const { return extension; }
  int GetArgCount();
  // index < 0: the whole argument string; else the argument's name (wantName)
  // or value, empty when index is not below the count.
  CString GetArg(int index, BOOL wantName);

  CString text;
  CString drive;
  CString directory;  // every "/" turned into "\"
  CString title;
  CString extension;  // without any "."
  CString argumentString;
  CPathArgumentList arguments;  // parsed on first request
  BOOL relative = 0;            // directory not empty and not beginning with "\"

 private:
  void ParseArguments();
};
