#include "PathName.h"

#include <string>

#include "ShellPath.h"

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

// A switch is stored without its "/", "-" and blanks: /a is a, -x-y is xy.
CString SwitchName(CString name) {
  name.Remove('/');
  name.Remove('-');
  name.Remove(' ');
  return name;
}

}  // namespace

void CPathName::Parse(const char* input, BOOL splitArguments) {
  text = input ? input : "";
  drive.Empty();
  directory.Empty();
  title.Empty();
  extension.Empty();
  argumentString.Empty();
  arguments.RemoveAll();
  relative = 0;

  // The working copy is as long as the input, so no length is cut off.
  std::string path(static_cast<LPCTSTR>(text));
  if (splitArguments) {
    argumentString = PathGetArgs(path).c_str();
    path = PathRemoveArgs(path);
  }
  path = PathUnquoteSpaces(path);
  if (path.empty()) return;

  const SplitPathParts parts = SplitPath(path);
  drive = parts.drive.c_str();
  directory = parts.directory.c_str();
  directory.Replace('/', '\\');
  relative = !directory.IsEmpty() && directory[0] != '\\';
  title = parts.fileName.c_str();
  if (!title.IsEmpty()) {
    extension = parts.extension.c_str();
    extension.Remove('.');
  }
}

CString CPathName::GetExtension() const { return extension.IsEmpty() ? CString() : "." + extension; }

CString CPathName::GetFileName() const { return title + GetExtension(); }

int CPathName::GetArgCount() {
  ParseArguments();
  return static_cast<int>(arguments.GetSize());
}

CString CPathName::GetArg(int index, BOOL wantName) {
  if (index < 0) return argumentString;
  ParseArguments();
  if (index >= arguments.GetSize()) return CString();
  const CPathArgument& argument = arguments[index];
  return wantName ? argument.name : argument.value;
}

void CPathName::ParseArguments() {
  if (argumentString.IsEmpty() || !arguments.IsEmpty()) return;
  CString rest = argumentString;
  rest.Trim(kWhiteSpace);
  rest += ' ';
  CString pendingName;
  CString value;
  for (;;) {
    const int at = rest.FindOneOf(" \"");
    if (at < 0) break;
    int next;
    if (rest[at] == '"') {
      const int close = rest.Find('"', at + 1);
      if (close < 0) break;  // an unclosed quote ends the arguments
      value = rest.Mid(at + 1, close - at - 1);
      next = close + 1;
    } else {
      const CString token = rest.Left(at);
      if (!token.IsEmpty() && (token[0] == '/' || token[0] == '-')) {
        if (!pendingName.IsEmpty()) arguments.Add(CPathArgument(SwitchName(pendingName), CString()));
        pendingName = token;
      } else {
        value = token;
      }
      next = at + 1;
    }
    if (!value.IsEmpty()) {
      arguments.Add(CPathArgument(SwitchName(pendingName), value));
      pendingName.Empty();
      value.Empty();
    }
    rest = rest.Mid(next);
    rest.TrimLeft(kWhiteSpace);
  }
  if (!pendingName.IsEmpty()) arguments.Add(CPathArgument(SwitchName(pendingName), CString()));
}
