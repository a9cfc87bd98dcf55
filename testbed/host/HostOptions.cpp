#include "HostOptions.h"

#include <cstdlib>

bool HostOptions::Parse(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto number = [&](int& out) {
      std::string text;
      if (!value(text)) return false;
      char* end = nullptr;
      const long n = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end || n < 0) {
        error = name + " needs a number, not \"" + text + "\"";
        return false;
      }
      out = static_cast<int>(n);
      return true;
    };
    bool ok = true;
    if (name == "--plugin")
      ok = value(plugin);
    else if (name == "--module")
      ok = value(module);
    else if (name == "--session")
      ok = value(session);
    else if (name == "--list")
      ok = value(list);
    else if (name == "--pes")
      ok = value(pes);
    else if (name == "--log")
      ok = value(log);
    else if (name == "--loop")
      ok = number(loops);
    else if (name == "--channel")
      ok = number(channel);
    else if (name == "--exit-after")
      ok = number(exitAfterMs);
    else if (name == "--menu")
      selectMenu = true;
    else if (name == "--exit-when-fed")
      exitWhenFed = true;
    else if (name == "--rate") {
      std::string rate;
      ok = value(rate);
      if (ok && rate != "real" && rate != "fast") {
        error = "--rate is real or fast";
        ok = false;
      }
      realRate = rate == "real";
    } else {
      error = "unknown option " + name;
      ok = false;
    }
    if (!ok) return false;
  }
  if (plugin.empty() && module.empty()) {
    error = "--plugin or --module is required";
    return false;
  }
  return true;
}
