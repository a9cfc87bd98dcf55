// Running the stand-in host (tvhost.exe, beside the test folder) from a test
// and reading what it wrote.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::string TestDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string dir = path;
  return dir.substr(0, dir.find_last_of("\\/"));
}

// Runs the host program with the arguments to its end (bounded); its exit code.
inline DWORD RunHost(const std::string& host, const std::string& arguments) {
  std::string command = "\"" + host + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 0xFFFF;
  DWORD code = 0xFFFE;
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 0xFFFD);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// The host beside the test folder.
inline DWORD RunHost(const std::string& arguments) { return RunHost(TestDir() + "\\..\\tvhost.exe", arguments); }

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

inline bool Has(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines)
    if (l == line) return true;
  return false;
}

inline bool HasPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const std::string& l : lines)
    if (l.rfind(prefix, 0) == 0) return true;
  return false;
}
