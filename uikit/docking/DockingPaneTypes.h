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

// The message a docking-pane manager sends its site (wParam a code below,
// lParam its argument), always with SendMessage.
const UINT DockingPaneNotify = 0x89E6;

enum DockingPaneNotifyCode {
  DockingPaneNotifyShowWindow = 1,  // a pane's window is about to be shown
  DockingPaneNotifyRClick = 2,      // right button down on a tab
  DockingPaneNotifyClosing = 3,     // ClosePane; -1 keeps the pane open
  DockingPaneNotifyAction = 4,      // a DockingPaneAction record
  DockingPaneNotifyContextMenu = 5, // a floating frame's caption or the Menu button
};

enum DockingPaneActionCode {
  DockingPaneActionFloating = 0,
  DockingPaneActionFloated = 1,
  DockingPaneActionClosing = 2,
  DockingPaneActionClosed = 3,
  DockingPaneActionDocking = 4,
  DockingPaneActionDocked = 5,
  DockingPaneActionAttaching = 6,  // a drag would attach the pane to a group (cancellable)
  DockingPaneActionAttached = 7,
  DockingPaneActionAutoHiding = 8,
  DockingPaneActionAutoHidden = 9,
  DockingPaneActionCollapsing = 10,
  DockingPaneActionCollapsed = 11,
  DockingPaneActionExpanding = 12,
  DockingPaneActionExpanded = 13,
  DockingPaneActionActivated = 14,
  DockingPaneActionDeactivated = 15,
  DockingPaneActionDetaching = 16,
};
