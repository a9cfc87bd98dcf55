#include "PathName.h"

#include <algorithm>

#include "ShellPath.h"

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

std::string TrimLeft(const std::string& s) {
  const size_t first = s.find_first_not_of(kWhiteSpace);
  return first == std::string::npos ? std::string() : s.substr(first);
}

std::string Trim(const std::string& s) {
  std::string left = TrimLeft(s);
  left.erase(left.find_last_not_of(kWhiteSpace) + 1);
  return left;
}

// A switch is stored without its "/", "-" and blanks: /a is a, -x-y is xy.
std::string SwitchName(std::string name) {
  name.erase(std::remove_if(name.begin(), name.end(),
                            [](char c) { return c == '/' || c == '-' || c == ' '; }),
             name.end());
  return name;
}

}  // namespace

void CPathName::Parse(const char* input, BOOL splitArguments) {
  text = input ? input : "";
  drive.clear();
  directory.clear();
  title.clear();
  extension.clear();
  argumentString.clear();
  arguments.RemoveAll();
  relative = 0;

  // The working copy is as long as the input, so no length is cut off.
  std::string path = text;
  if (splitArguments) {
    argumentString = PathGetArgs(path);
    path = PathRemoveArgs(path);
  }
  path = PathUnquoteSpaces(path);
  if (path.empty()) return;

  SplitPathParts parts = SplitPath(path);
  drive = parts.drive;
  directory = parts.directory;
  std::replace(directory.begin(), directory.end(), '/', '\\');
  relative = !directory.empty() && directory[0] != '\\';
  title = parts.fileName;
  if (!title.empty()) {
    extension = parts.extension;
    extension.erase(std::remove(extension.begin(), extension.end(), '.'), extension.end());
  }
}

std::string CPathName::GetExtension() const {
  return extension.empty() ? std::string() : "." + extension;
}

std::string CPathName::GetFileName() const { return title + GetExtension(); }

int CPathName::GetArgCount() {
  ParseArguments();
  return arguments.GetSize();
}

std::string CPathName::GetArg(int index, BOOL wantName) {
  if (index < 0) return argumentString;
  ParseArguments();
  if (index >= arguments.GetSize()) return std::string();
  const CPathArgument& argument = arguments[index];
  return wantName ? argument.name : argument.value;
}

void CPathName::ParseArguments() {
  if (argumentString.empty() || !arguments.IsEmpty()) return;
  std::string rest = Trim(argumentString) + " ";
  std::string pendingName;
  std::string value;
  for (;;) {
    const size_t at = rest.find_first_of(" \"");
    if (at == std::string::npos) break;
    size_t next;
    if (rest[at] == '"') {
      const size_t close = rest.find('"', at + 1);
      if (close == std::string::npos) break;  // an unclosed quote ends the arguments
      value = rest.substr(at + 1, close - at - 1);
      next = close + 1;
    } else {
      const std::string token = rest.substr(0, at);
      if (!token.empty() && (token[0] == '/' || token[0] == '-')) {
        if (!pendingName.empty()) arguments.Add(CPathArgument(SwitchName(pendingName), ""));
        pendingName = token;
      } else {
        value = token;
      }
      next = at + 1;
    }
    if (!value.empty()) {
      arguments.Add(CPathArgument(SwitchName(pendingName), value));
      pendingName.clear();
      value.clear();
    }
    rest = TrimLeft(rest.substr(next));
  }
  if (!pendingName.empty()) arguments.Add(CPathArgument(SwitchName(pendingName), ""));
}
