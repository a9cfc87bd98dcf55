// The editor's shared editing state, owned by the main frame and reached by
// every tree pane: the internal clipboard's records and the list-file entries
// of the four pane groups.
#pragma once

#include "ChannelRecordArray.h"
#include "ListFileEntry.h"

class CChannelClipboard {
 public:
  static constexpr int kGroupCount = 4;

  virtual ~CChannelClipboard() = default;

  // Sets both arrays to newSize with growBy and at once back to size 0, so
  // that they start empty and grow growBy elements at a time.
  void SetSize(int newSize, int growBy) {
    records.SetSize(newSize, growBy);
    records.SetSize(0);
    dragRecords.SetSize(newSize, growBy);
    dragRecords.SetSize(0);
  }

  CChannelRecordArray records;       // the last Cut or Copy
  int32_t sourceKind = 0;            // kind of the pane that filled records
  CChannelRecordArray dragRecords;   // the current drag and drop
  ListFileEntry files[kGroupCount];  // pane groups 0 to 3
};
