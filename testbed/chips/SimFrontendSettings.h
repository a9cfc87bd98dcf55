// The front end's settings as a test sets them: registry DWORDs of the
// library's key and of other key paths, and profile integers.
#pragma once

#include "FrontendBus.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CSimFrontendSettings final : public IFrontendSettings {
 public:
  std::map<std::string, DWORD> dwords;
  std::map<std::string, int> profile;  // "section/key"
  std::map<std::string, DWORD> keyed;  // "key path|name"
  std::set<std::string> refused;       // names whose writes fail
  std::map<std::string, std::vector<BYTE>> files;  // the program's folder

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
  bool ReadKeyDWord(const char* key, const char* name, DWORD& value) override {
    auto it = keyed.find(std::string(key) + "|" + name);
    if (it == keyed.end()) return false;
    value = it->second;
    return true;
  }
  bool WriteKeyDWord(const char* key, const char* name, DWORD value) override {
    if (refused.count(name)) return false;
    keyed[std::string(key) + "|" + name] = value;
    return true;
  }
  bool ReadProgramFile(const char* relativePath, std::vector<BYTE>& data) override {
    auto it = files.find(relativePath);
    if (it == files.end() || it->second.size() > kMaxProgramFile) return false;
    data = it->second;
    return true;
  }
};
