// Our own equivalents of the shell's argument and quote helpers and of the C
// runtime's path splitter, with the Windows semantics the path parser relies
// on. They work on std::string so that no input length is limited.
#pragma once

#include <string>

// The arguments of a command line: what follows the first blank outside
// double quotes (that blank excluded); empty when there is none.
std::string PathGetArgs(const std::string& commandLine);
// The command line without its arguments: cut at the first blank outside
// double quotes; without arguments a single trailing blank is removed.
std::string PathRemoveArgs(const std::string& commandLine);
// Removes a pair of double quotes that encloses the whole text.
std::string PathUnquoteSpaces(const std::string& text);

struct SplitPathParts {
  std::string drive;      // "D:" when the path begins with a letter and ":"
  std::string directory;  // up to and including the last "\" or "/"
  std::string fileName;   // behind the directory, up to the last "."
  std::string extension;  // from the last "." of the file name on, "." included
};
SplitPathParts SplitPath(const std::string& path);
