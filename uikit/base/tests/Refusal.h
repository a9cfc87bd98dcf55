// Makes the toolkit's resolver refuse chosen libraries or entries for the
// life of the object.
#pragma once

#include "OptionalEntry.h"

#include <set>
#include <string>

class CRefusal {
 public:
  // "library" refuses the whole library, "library!entry" one entry.
  explicit CRefusal(std::set<std::string> refused) {
    Refused() = std::move(refused);
    Calls() = 0;
    JVKSetOptionalRefusal(&Refuse);
  }
  ~CRefusal() {
    Refused().clear();
    JVKSetOptionalRefusal(nullptr);
  }
  CRefusal(const CRefusal&) = delete;
  CRefusal& operator=(const CRefusal&) = delete;

  // How often the resolver asked since the refusal was installed.
  static int& Calls() {
    static int n = 0;
    return n;
  }

 private:
  static std::set<std::string>& Refused() {
    static std::set<std::string> refused;
    return refused;
  }
  static BOOL Refuse(LPCSTR lpszLibrary, LPCSTR lpszEntry) {
    ++Calls();
    std::string key = lpszLibrary;
    for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (Refused().count(key)) return TRUE;
    return lpszEntry && Refused().count(key + "!" + lpszEntry) ? TRUE : FALSE;
  }
};
