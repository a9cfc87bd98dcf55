#include "ShellPath.h"

namespace {

// Index of the first blank outside double quotes, or npos.
size_t FindArgumentBlank(const std::string& text) {
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"')
      quoted = !quoted;
    else if (text[i] == ' ' && !quoted)
      return i;
  }
  return std::string::npos;
}

}  // namespace

std::string PathGetArgs(const std::string& commandLine) {
  const size_t blank = FindArgumentBlank(commandLine);
  return blank == std::string::npos ? std::string() : commandLine.substr(blank + 1);
}

std::string PathRemoveArgs(const std::string& commandLine) {
  const size_t blank = FindArgumentBlank(commandLine);
  if (blank != std::string::npos && blank + 1 < commandLine.size()) return commandLine.substr(0, blank);
  // No arguments: only a blank at the very end goes.
  if (!commandLine.empty() && commandLine.back() == ' ') return commandLine.substr(0, commandLine.size() - 1);
  return commandLine;
}

std::string PathUnquoteSpaces(const std::string& text) {
  if (text.empty() || text.front() != '"' || text.back() != '"') return text;
  if (text.size() == 1) return std::string();  // a lone quote encloses nothing
  return text.substr(1, text.size() - 2);
}

SplitPathParts SplitPath(const std::string& path) {
  SplitPathParts parts;
  size_t at = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    at = 2;
  }
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash >= at) {
    parts.directory = path.substr(at, slash + 1 - at);
    at = slash + 1;
  }
  const std::string name = path.substr(at);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) {
    parts.fileName = name;
  } else {
    parts.fileName = name.substr(0, dot);
    parts.extension = name.substr(dot);
  }
  return parts;
}
