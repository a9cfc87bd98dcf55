// The front end's settings as a test sets them: registry DWORDs of the
// library's key and profile integers.
#pragma once

#include "FrontendBus.h"

#include <map>
#include <string>

class CSimFrontendSettings final : public IFrontendSettings {
 public:
  std::map<std::string, DWORD> dwords;
  std::map<std::string, int> profile;  // "section/key"

  bool ReadDWord(const char* name, DWORD& value) override {
    auto it = dwords.find(name);
    if (it == dwords.end()) return false;
    value = it->second;
    return true;
  }
  int GetProfileInt(const char* section, const char* key, int fallback) override {
    auto it = profile.find(std::string(section) + "/" + key);
    return it == profile.end() ? fallback : it->second;
  }
};
