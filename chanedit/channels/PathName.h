// Splits a path, or a whole command line, into drive, directory, file title
// and extension, and a command line's arguments into switches and values.
#pragma once

#include <string>

#include <WinTypes.h>

#include "PathArgument.h"

class CPathName {
 public:
  CPathName() = default;
  CPathName(const char* text, BOOL splitArguments) { Parse(text, splitArguments); }
  CPathName(const CPathName&) = delete;
  CPathName& operator=(const CPathName&) = delete;
  virtual ~CPathName() = default;

  // splitArguments: the text is a command line; what follows the program
  // path becomes the argument string.
  void Parse(const char* text, BOOL splitArguments);

  std::string GetExtension() const;        // "." + extension, or empty
  std::string GetFileName() const;         // title + GetExtension()
  std::string GetExtensionText() const { return extension; }
  int GetArgCount();
  // index < 0: the whole argument string; else the argument's name (wantName)
  // or value, empty when index is not below the count.
  std::string GetArg(int index, BOOL wantName);

  std::string text;
  std::string drive;
  std::string directory;        // every "/" turned into "\"
  std::string title;
  std::string extension;        // without any "."
  std::string argumentString;
  CPathArgumentList arguments;  // parsed on first request
  BOOL relative = 0;            // directory not empty and not beginning with "\"

 private:
  void ParseArguments();
};
