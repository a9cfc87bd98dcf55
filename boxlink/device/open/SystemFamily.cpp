#include "SystemFamily.h"

namespace systemfamily {
namespace {

// The platform ids of OSVERSIONINFO.
const DWORD kWin32s = 0;
const DWORD kWindows = 1;
const DWORD kNt = 2;

}  // namespace

int SystemFamily(DWORD platformId, DWORD major, DWORD minor) {
  switch (platformId) {
    case kWin32s: return 0;
    case kWindows: return (major > 4 || (major == 4 && minor > 0)) ? 3 : 2;
    case kNt: return major <= 4 ? 1 : 4;
  }
  return -1;
}

const char* ClassKeyRoot(int family) {
  switch (family) {
    case 2:
    case 3: return "SYSTEM\\CurrentControlSet\\Services\\Class\\";
    case 4: return "SYSTEM\\CurrentControlSet\\Control\\Class\\";
  }
  return nullptr;
}

}  // namespace systemfamily
