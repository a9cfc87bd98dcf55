// The path and command-line parser on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "PathName.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The parser takes C strings: the text ends at the first NUL.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string input = text.substr(0, text.find('\0'));

  CPathName commandLine(input.c_str(), TRUE);
  const int count = commandLine.GetArgCount();
  for (int i = -1; i <= count; ++i) {
    const CString name = commandLine.GetArg(i, TRUE);
    if (i >= 0 && name.FindOneOf("/- ") >= 0) std::abort();
    commandLine.GetArg(i, FALSE);
  }

  CPathName path(input.c_str(), FALSE);
  if (path.GetFileName() != path.title + path.GetExtension()) std::abort();
  if (path.extension.Find('.') >= 0) std::abort();
  if (path.directory.Find('/') >= 0) std::abort();
  return 0;
}
