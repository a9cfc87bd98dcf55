// The status bar's pane arithmetic, apart from the window: the width left
// for stretchable panes, the right edges handed to the status-bar control as
// its parts, and the bar's height.
#pragma once

#include <vector>

// One visible pane as the layout sees it.
struct CJVKStatusLayoutPane {
  int nWidth;     // pixels, without the control's 6 pixels of text margins
  bool bStretch;  // shares the free width
};

// Each pane takes its width, 6 pixels of margins and one border gap; the
// first gap is given back because the last pane has none after it.
int JVKStatusFreeWidth(int nInsideWidth, int nBorderGap, const std::vector<CJVKStatusLayoutPane>& panes);

// Right edges starting at nHorzBorder. Stretch panes share nFreeWidth in
// order: each takes what is left divided by the stretch panes still to come,
// so the remainder of an uneven split goes to the later ones; a free width
// of zero or less gives them nothing.
std::vector<int> JVKStatusRightEdges(const std::vector<CJVKStatusLayoutPane>& panes, int nFreeWidth, int nHorzBorder,
                                     int nBorderGap);

// The bar's height: one line of its font (height less internal leading) in
// the control's borders, never below the minimum height, plus the bar's
// vertical inside margins.
int JVKStatusBarHeight(int nMinHeight, int cySystemBorder, int nVertBorder, int nFontHeight, int nInternalLeading,
                       int nInsideMargins);
