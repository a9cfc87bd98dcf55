// The list file of one pane group: its path and whether the lists changed.
#pragma once

#include <Framework.h>

class ListFileEntry {
 public:
  virtual ~ListFileEntry() = default;

  BOOL hasFile = 0;   // the lists were opened from, replaced from or saved as a file
  BOOL modified = 0;  // the lists differ from the file
  CString path;       // full path of the group's list file
};
