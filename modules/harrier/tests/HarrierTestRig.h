// What harrier's tests under Wine share: the module loaded into the stand-in
// host against the card library stand-in, whose record of calls they read,
// with the module's profile emptied first so that each test starts from the
// defaults (volume 75, surface 0, 4:3, the free window at 0, 0, 640 x 480).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "CardSim.h"
#include "HostLog.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"

inline const char kHarrier[] = HARRIER_PATH;
inline const char kProfileKey[] = "Software\\heronV1\\harrier";

// The card's record of calls so far, one line each.
inline std::string Record() {
  std::string text(CardSimRecord(nullptr, 0) + 1, '\0');
  CardSimRecord(text.data(), static_cast<int>(text.size()));
  text.resize(text.size() - 1);
  return text;
}

inline std::vector<std::string> RecordLines() {
  std::vector<std::string> lines;
  std::istringstream in(Record());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline bool Recorded(const std::string& line) {
  return ("\n" + Record()).find("\n" + line + "\n") != std::string::npos;
}

// The place of the first record line that begins with prefix, -1 when none.
inline int RecordedAt(const std::string& prefix) {
  const std::vector<std::string> lines = RecordLines();
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

class HarrierTest : public testing::Test {
 protected:
  HarrierTest() : m_watcher(m_log) { m_watcher.Start(); }
  ~HarrierTest() override {
    host.Unload();
    m_watcher.Stop();
  }
  void Load(const std::string& script) {
    host.Unload();
    RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
    CardSimLoadScript(script.c_str());
    std::string error;
    ASSERT_TRUE(host.Load(kHarrier, &error)) << error;
    host.ResetRecords();
  }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }
  // Pumps the host's messages until the status timer has ticked n times
  // (each tick writes 1 into a cell of the status record that the host marks).
  bool Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      host.status.m_dwCleared76 = CModuleHost::kSentinel;
      if (!host.PumpUntil([&] { return host.status.m_dwCleared76 == 1; }, 10000)) return false;
    }
    return true;
  }

  CModuleHost host;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;  // answers the module's message boxes
};
