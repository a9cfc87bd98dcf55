// Outside Windows the toolkit's colours come from the classic scheme, on a
// full-colour display without a visual style.
#include "ColorSystem.h"

#include <chrono>

namespace {

// The classic scheme's colours of the system colour indices 0 to 30.
const COLORREF kClassic[31] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4,
    0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040,
    0xC8D0D4, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC8D0D4, 0xC8D0D4,
};

class CClassicColorSystem : public CJVKColorSystem {
 public:
  COLORREF GetSysColor(int nIndex) override { return nIndex >= 0 && nIndex < 31 ? kClassic[nIndex] : 0; }
  BOOL IsLowColorDisplay() override { return FALSE; }
  BOOL IsThemeActive() override { return FALSE; }
  BOOL GetCurrentThemeName(CString&, CString&) override { return FALSE; }
  BOOL GetTreeBorderColor(COLORREF&) override { return FALSE; }
  DWORD GetTickCount() override {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
};

}  // namespace

CJVKColorSystem* JVKGetDefaultColorSystem() {
  static CClassicColorSystem system;
  return &system;
}
