// What merlin's tests under Wine share: the module loaded into the stand-in
// host against the card library stand-in, whose record of calls they read,
// and a watcher that answers the module's message boxes.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "CardSim.h"
#include "HostLog.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"

inline const char kMerlin[] = MERLIN_PATH;

// The card's record of calls so far, one line each.
inline std::string Record() {
  std::string text(CardSimRecord(nullptr, 0) + 1, '\0');
  CardSimRecord(text.data(), static_cast<int>(text.size()));
  text.resize(text.size() - 1);
  return text;
}

inline bool Recorded(const std::string& line) {
  return ("\n" + Record()).find("\n" + line + "\n") != std::string::npos;
}

inline std::string ModulesTestData(const char* name) {
  return std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/" + name;
}

inline std::string StreamTs() { return ModulesTestData("stream.ts"); }

// Whether whole begins with prefix.
inline bool IsPrefix(const std::vector<uint8_t>& prefix, const std::vector<uint8_t>& whole) {
  return prefix.size() <= whole.size() && std::equal(prefix.begin(), prefix.end(), whole.begin());
}

class MerlinTest : public testing::Test {
 protected:
  MerlinTest() : m_watcher(m_log) { m_watcher.Start(); }
  ~MerlinTest() override {
    host.Unload();
    m_watcher.Stop();
  }
  void Load(const std::string& script) {
    CardSimLoadScript(script.c_str());
    std::string error;
    ASSERT_TRUE(host.Load(kMerlin, &error)) << error;
  }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }
  // Pumps the host's messages until the status timer has ticked n times
  // (each tick clears a cell of the status record that the host marks).
  bool Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      host.status.m_dwCleared76 = CModuleHost::kSentinel;
      if (!host.PumpUntil([&] { return host.status.m_dwCleared76 == 0; }, 10000)) return false;
    }
    return true;
  }

  CModuleHost host;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;  // answers the module's message boxes
};
