// Loads arbitrary bytes as a saved docking layout through the archive form.
// Whatever the bytes, the load ends normally; a layout it accepts saves,
// loads back to the same record and saves to the same bytes.
#include <Framework.h>

#include <cstdlib>

#include "DockingLayoutFixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const LayoutBytes bytes(data, data + size);
  DockingLayoutRecord layout;
  if (!LoadDockingLayoutBytes(bytes, layout)) return 0;
  const LayoutBytes saved = SaveDockingLayoutBytes(layout);
  DockingLayoutRecord again;
  if (!LoadDockingLayoutBytes(saved, again) || !(again == layout) || SaveDockingLayoutBytes(again) != saved) abort();
  return 0;
}
