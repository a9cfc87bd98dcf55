#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PathName.h"
#include "ShellPath.h"

namespace {

struct PathRow {
  const char* input;
  const char* drive;
  const char* directory;
  const char* title;
  const char* extension;
  BOOL relative;
  const char* fileName;
};

TEST(PathName, SplitsPaths) {
  const PathRow rows[] = {
      {"D:\\lists\\astra.qcx", "D:", "\\lists\\", "astra", "qcx", 0, "astra.qcx"},
      {"lists/astra.old.qcx", "", "lists\\", "astra.old", "qcx", 1, "astra.old.qcx"},
      {"D:\\lists\\README", "D:", "\\lists\\", "README", "", 0, "README"},
      {"D:\\my.lists\\channels", "D:", "\\my.lists\\", "channels", "", 0, "channels"},
      {"\"C:\\My Lists\\sat.dvb\"", "C:", "\\My Lists\\", "sat", "dvb", 0, "sat.dvb"},
      {"LIST.DVB", "", "", "LIST", "DVB", 0, "LIST.DVB"},
      {"D:\\lists\\", "D:", "\\lists\\", "", "", 0, ""},
      {"D:\\lists\\.qcx", "D:", "\\lists\\", "", "", 0, ""},  // no title: no extension
      {"a..b", "", "", "a.", "b", 0, "a..b"},
      {"x.", "", "", "x", "", 0, "x"},
      {"C:", "C:", "", "", "", 0, ""},
      {"//server/share/f.qcx", "", "\\\\server\\share\\", "f", "qcx", 0, "f.qcx"},
      {"", "", "", "", "", 0, ""},
      {"\"", "", "", "", "", 0, ""},
  };
  for (const PathRow& row : rows) {
    SCOPED_TRACE(row.input);
    CPathName path(row.input, FALSE);
    EXPECT_EQ(row.input, path.text);
    EXPECT_EQ(row.drive, path.drive);
    EXPECT_EQ(row.directory, path.directory);
    EXPECT_EQ(row.title, path.title);
    EXPECT_EQ(row.extension, path.GetExtensionText());
    EXPECT_EQ(row.relative, path.relative);
    EXPECT_EQ(row.fileName, path.GetFileName());
    EXPECT_EQ(*row.extension ? "." + CString(row.extension) : "", path.GetExtension());
    EXPECT_EQ(0, path.GetArgCount()) << "no argument splitting";
  }
}

struct Arg {
  CString name, value;
  bool operator==(const Arg&) const = default;
};

std::vector<Arg> ArgsOf(CPathName& path) {
  std::vector<Arg> args;
  for (int i = 0; i < path.GetArgCount(); ++i) args.push_back({path.GetArg(i, TRUE), path.GetArg(i, FALSE)});
  return args;
}

TEST(PathName, SplitsCommandLines) {
  struct Row {
    const char* commandLine;
    const char* program;  // file name of the program part
    const char* argumentString;
    std::vector<Arg> args;
  } rows[] = {
      {"\"C:\\Quillon\\chanedit.exe\" list.qcx", "chanedit.exe", "list.qcx", {{"", "list.qcx"}}},
      {"\"C:\\Quillon\\chanedit.exe\"", "chanedit.exe", "", {}},
      {"\"C:\\Quillon\\chanedit.exe\" ", "chanedit.exe", "", {}},
      {"\"chanedit\" /a /b", "chanedit", "/a /b", {{"a", ""}, {"b", ""}}},
      {"\"chanedit\" /a x", "chanedit", "/a x", {{"a", "x"}}},
      {"\"chanedit\" -x-y", "chanedit", "-x-y", {{"xy", ""}}},
      {"\"chanedit\" /a \"my list.qcx\"", "chanedit", "/a \"my list.qcx\"", {{"a", "my list.qcx"}}},
      {"\"chanedit\" x \"unclosed", "chanedit", "x \"unclosed", {{"", "x"}}},
      {"\"chanedit\"   spaced   out  ", "chanedit", "  spaced   out  ", {{"", "spaced"}, {"", "out"}}},
      {"\"chanedit\" pre\"quoted part\"", "chanedit", "pre\"quoted part\"", {{"", "quoted part"}}},
      {"\"chanedit\" /s \"\" v", "chanedit", "/s \"\" v", {{"s", "v"}}},
      {"\"C:\\Program Files\\Q\\chanedit.exe\" \"D:\\my lists\\a.qcx\"",
       "chanedit.exe",
       "\"D:\\my lists\\a.qcx\"",
       {{"", "D:\\my lists\\a.qcx"}}},
      {"chanedit.exe a b c", "chanedit.exe", "a b c", {{"", "a"}, {"", "b"}, {"", "c"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commandLine);
    CPathName path(row.commandLine, TRUE);
    EXPECT_EQ(row.program, path.GetFileName());
    EXPECT_EQ(row.argumentString, path.GetArg(-1, FALSE));
    EXPECT_EQ(row.args, ArgsOf(path));
    EXPECT_EQ("", path.GetArg(5, FALSE));
    EXPECT_EQ("", path.GetArg(static_cast<int>(row.args.size()), TRUE));
  }
}

TEST(PathName, ParseStartsOver) {
  CPathName path("\"prog\" /a x", TRUE);
  EXPECT_EQ(1, path.GetArgCount());
  path.Parse("D:\\b.dvb", FALSE);
  EXPECT_EQ(0, path.GetArgCount());
  EXPECT_EQ("", path.GetArg(-1, FALSE));
  EXPECT_EQ("dvb", path.GetExtensionText());
  EXPECT_EQ("D:", path.drive);
}

TEST(PathName, InputLongerThanMaxPathIsSplitWhole) {
  const CString folder = "D:\\" + CString('f', 300) + "\\";
  CPathName path(folder + "astra.qcx", FALSE);
  EXPECT_EQ("\\" + CString('f', 300) + "\\", path.directory);
  EXPECT_EQ("astra.qcx", path.GetFileName());
  const std::string exactly259 = "D:\\" + std::string(252, 'n') + ".qcx";
  ASSERT_EQ(259u, exactly259.size());
  CPathName atLimit(exactly259.c_str(), FALSE);
  EXPECT_EQ(CString('n', 252), atLimit.title);
  EXPECT_EQ("qcx", atLimit.extension);
  const std::string longLine = "\"prog\" " + std::string(5000, 'v');
  CPathName commandLine(longLine.c_str(), TRUE);
  ASSERT_EQ(1, commandLine.GetArgCount());
  EXPECT_EQ(CString('v', 5000), commandLine.GetArg(0, FALSE));
}

TEST(ShellPath, HelpersFollowTheShellRules) {
  EXPECT_EQ("b c", PathGetArgs("a b c"));
  EXPECT_EQ(" b", PathGetArgs("\"x y\"  b"));
  EXPECT_EQ("", PathGetArgs("\"x y\""));
  EXPECT_EQ("a", PathRemoveArgs("a b c"));
  EXPECT_EQ("\"x y\"", PathRemoveArgs("\"x y\"  b"));
  EXPECT_EQ("abc", PathRemoveArgs("abc "));
  EXPECT_EQ("x y", PathUnquoteSpaces("\"x y\""));
  EXPECT_EQ("\"x y", PathUnquoteSpaces("\"x y"));
  EXPECT_EQ("x\"", PathUnquoteSpaces("x\""));
  EXPECT_EQ("", PathUnquoteSpaces("\"\""));
}

}  // namespace
