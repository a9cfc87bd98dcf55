// The numbers that bars, controls and the paint manager share: bar positions
// and types, control types and styles, and the control flag bits the drawing
// reads.
#pragma once

// Where a bar stands. Left, right and popup bars lay out vertically.
enum JVKBarPosition {
  jvkBarTop = 0,
  jvkBarBottom = 1,
  jvkBarLeft = 2,
  jvkBarRight = 3,
  jvkBarFloating = 4,
  jvkBarPopup = 5,
  jvkBarListBox = 6,
  jvkBarNone = 7,  // not placed yet
};

enum JVKBarType {
  jvkBarTypeMenuBar = 0,
  jvkBarTypeToolBar = 1,
  jvkBarTypePopup = 2,
};

enum JVKControlType {
  jvkControlButton = 1,
  jvkControlPopup = 2,
  jvkControlButtonPopup = 3,
  jvkControlSplitButtonPopup = 4,
  jvkControlComboBox = 5,
  jvkControlEdit = 6,
  jvkControlCustom = 7,
  jvkControlLabel = 8,
};

enum JVKControlStyle {
  jvkStyleAutomatic = 0,
  jvkStyleCaption = 1,
  jvkStyleIcon = 2,
  jvkStyleIconAndCaption = 3,
};

// The hide-flag bit the layout sets for a control that found no room; any
// other bit hides a control for good.
const unsigned JVK_HIDE_NO_ROOM = 0x02;
