// The kinds of node of the docking tree, the sides of the frame and the pane
// options, as the saved layout and the notifications carry them.
#pragma once

enum DockingPaneType {
  DockingPaneTypePane = 0,
  DockingPaneTypeTabbedContainer = 1,
  DockingPaneTypeSplitterContainer = 2,
  DockingPaneTypeMiniWnd = 3,
  DockingPaneTypeClient = 4,
  DockingPaneTypeAutoHidePanel = 5,
};

enum DockingSide {
  DockingSideLeft = 0,
  DockingSideRight = 1,
  DockingSideTop = 2,
  DockingSideBottom = 3,
};

enum DockingPaneOptions {
  DockingPaneNoCloseable = 0x01,
  DockingPaneNoHideable = 0x02,
  DockingPaneNoFloatable = 0x04,
  DockingPaneNoCaption = 0x08,
  DockingPaneHasMenuButton = 0x10,
};
