// The scripted answers of the test module's fake front end and renderer,
// read from the file named by QUILLON_TESTMODULE_SCRIPT when the module
// loads. One instruction per line:
//   devices N                      number of devices (default 1)
//   state OK LOCKED BER LEVEL QUALITY   one GetState answer per tick (OK 0: the call fails)
//   video W H X Y                  the renderer's picture per tick
//   bytes N                        bytes received before each tick
//   throw EXPORT                   the named step throws (tune, pids)
//   boot                           opening boots on a thread while the export serves messages;
//                                  the boot posts WM_COMMAND 4001 to the host window
//   command ID                     _SetPids sends WM_COMMAND ID to the host window
//   timer module                   the status timer runs from module start to module exit
// Per-tick lists repeat their last line once used up.
#pragma once

#include <string>
#include <vector>

#include "ModuleApp.h"

struct ScriptedState {
  bool ok = true;
  BOOL locked = FALSE;
  SIGNAL_TYPE signal = {};
};

struct ModuleScript {
  int devices = 1;
  std::vector<ScriptedState> states;
  std::vector<VideoInfo> video;
  DWORD bytesPerTick = 0;
  std::vector<std::string> throws;
  bool boots = false;
  std::vector<WPARAM> commands;
  bool timerWithModule = false;

  // An empty script when the variable is unset or the file is missing.
  static ModuleScript FromEnvironment();
  bool Throws(const char* step) const;
};

// A variable of the process environment (as the host set it); empty when unset.
std::string Environment(const char* name);

// The tick's entry of a per-tick list: the last once used up.
template <typename T>
T ForTick(const std::vector<T>& list, size_t tick) {
  if (list.empty()) return T();
  return list[tick < list.size() ? tick : list.size() - 1];
}
