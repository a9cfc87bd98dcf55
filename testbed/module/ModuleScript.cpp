#include "ModuleScript.h"

#include <windows.h>

#include <fstream>
#include <sstream>

std::string Environment(const char* name) {
  char value[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? std::string(value, n) : std::string();
}

ModuleScript ModuleScript::FromEnvironment() {
  ModuleScript script;
  const std::string path = Environment("QUILLON_TESTMODULE_SCRIPT");
  if (path.empty()) return script;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "devices") {
      words >> script.devices;
    } else if (verb == "state") {
      ScriptedState s;
      int ok = 1, locked = 0, level = 0, quality = 0;
      words >> ok >> locked >> s.signal.dBER >> level >> quality;
      s.ok = ok != 0;
      s.locked = locked;
      s.signal.wLevel = static_cast<WORD>(level);
      s.signal.wQuality = static_cast<WORD>(quality);
      script.states.push_back(s);
    } else if (verb == "video") {
      VideoInfo v;
      words >> v.width >> v.height >> v.aspectX >> v.aspectY;
      script.video.push_back(v);
    } else if (verb == "bytes") {
      words >> script.bytesPerTick;
    } else if (verb == "boot") {
      script.boots = true;
    } else if (verb == "command") {
      WPARAM id = 0;
      words >> id;
      script.commands.push_back(id);
    } else if (verb == "timer") {
      std::string span;
      words >> span;
      script.timerWithModule = span == "module";
    } else if (verb == "throw") {
      std::string step;
      words >> step;
      script.throws.push_back(step);
    }
  }
  return script;
}

bool ModuleScript::Throws(const char* step) const {
  for (const std::string& s : throws)
    if (s == step) return true;
  return false;
}
