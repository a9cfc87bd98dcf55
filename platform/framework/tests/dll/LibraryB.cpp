// Test library B: changes strings that other modules created.
#include <Framework.h>

extern "C" __declspec(dllexport) void ChangeStringsInB(CString& s, CString& t) {
  s += CString('b', 1000);  // grows the block: freed here, reallocated here
  t.Empty();                // frees a block another module allocated
}
