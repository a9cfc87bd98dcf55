// Asking this process's slave filter server for filters as another process
// would: the requester program (its path in BOXLINK_FILTER_REQUESTER) sends
// the requests through the library's named memory and events and writes the
// responses, which come back parsed.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace filterrequests {

const DWORD kRunMs = 60000;         // a Wine process start and its requests, with margin
const DWORD kAnswerWaitMs = 10000;  // a server that runs answers well within this
const DWORD kSilenceWaitMs = 500;   // asking a stopped server: no answer is expected

// One response as the requester wrote it.
struct Response {
  unsigned number = 0, command = 0;
  unsigned long result = 0, ip = 0, mask = 0;
  unsigned port = 0, filterId = 0;
  bool answered = false;
  std::string line;
};

inline Response Parse(const std::string& line) {
  Response r;
  r.line = line;
  std::istringstream in(line);
  r.answered = bool(in >> r.number >> r.command >> r.result >> r.ip >> r.mask >> r.port >> r.filterId);
  return r;
}

// Runs the requester with the requests; its responses in order.
inline std::vector<Response> Ask(const std::vector<std::string>& requests, DWORD waitMs = kAnswerWaitMs) {
  std::vector<Response> responses;
  const char* program = getenv("BOXLINK_FILTER_REQUESTER");
  if (!program) return responses;
  char dir[MAX_PATH], file[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  GetTempFileNameA(dir, "req", 0, file);
  std::string command = std::string("\"") + program + "\" \"" + file + "\" " + std::to_string(waitMs);
  for (const std::string& r : requests) command += " " + r;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return responses;
  CloseHandle(pi.hThread);
  if (WaitForSingleObject(pi.hProcess, kRunMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hProcess);
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) responses.push_back(Parse(line));
  in.close();
  DeleteFileA(file);
  return responses;
}

inline Response AskOne(const std::string& request, DWORD waitMs = kAnswerWaitMs) {
  std::vector<Response> r = Ask({request}, waitMs);
  return r.empty() ? Response() : r[0];
}

}  // namespace filterrequests
