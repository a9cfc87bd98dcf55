// CWaitCursor: the hourglass while the object lives (counted with the
// application's wait cursor, so nested ones nest).
#pragma once

#include "Defs.h"

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();
};
