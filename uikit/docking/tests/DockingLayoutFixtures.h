// Saved docking layouts that the layout tests, the fuzz target's seeds and
// the window tests share: a sound arrangement of six panes and damaged
// variants of it, each of which a load must refuse.
#pragma once

#include <Framework.h>

#include <string>
#include <vector>

#include "DockingLayoutRecord.h"

using LayoutBytes = std::vector<BYTE>;

// Object numbers of the sound layout.
enum SampleObject : LONG {
  kSampleClient = 1,
  kSampleTop = 2,         // row: left group, middle column, right group
  kSampleColumn = 3,      // column: client above the bottom group
  kSamplePaneLeft = 4,    // id 101
  kSampleGroupLeft = 5,
  kSampleGroupRight = 6,
  kSampleGroupBottom = 7, // two panes tabbed together, the second selected
  kSamplePaneRight = 8,   // id 102
  kSamplePaneBottom = 9,  // id 103
  kSamplePaneTabbed = 10, // id 104
  kSampleFrame = 11,
  kSampleFrameSplitter = 12,
  kSampleGroupFloating = 13,
  kSamplePaneFloating = 14,  // id 105
  kSamplePanel = 15,         // bottom side
  kSampleGroupHidden = 16,
  kSamplePaneHidden = 17,    // id 106
};

DockingLayoutRecord SampleDockingLayout();

// The record written through the archive form of the property exchange.
LayoutBytes SaveDockingLayoutBytes(DockingLayoutRecord layout);
// Loads bytes through the archive form into `layout`.
BOOL LoadDockingLayoutBytes(const LayoutBytes& bytes, DockingLayoutRecord& layout);

struct DamagedLayout {
  std::string name;  // also the seed's file name
  LayoutBytes bytes;
};

std::vector<DamagedLayout> DamagedDockingLayouts();
