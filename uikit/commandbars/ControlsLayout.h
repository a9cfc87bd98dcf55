// The layout of a bar's controls, apart from the controls themselves: one
// entry per control with its measured size, and the rules that break the
// entries into rows (columns when docked vertically), place and centre them,
// pack right-aligned controls to the far end and share free space among
// stretched ones. The controls collection fills the entries, runs the layout
// and writes the results back. Portable: no windows.h.
#pragma once

#include <Framework.h>

#include <vector>

// The framework's layout-mode bits, which bars pass down.
#ifndef LM_STRETCH
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40
#endif
// The toolkit's own: controls that do not fit are hidden instead of wrapped.
const DWORD JVK_LM_HIDE_WRAP = 0x80;
// Every group starts a row, and the size is the best fit.
const DWORD JVK_LM_GROUP_ROWS = 0x100;

// Control flag bits the layout reads.
const DWORD JVK_CONTROL_RIGHT_ALIGN = 0x01;
const DWORD JVK_CONTROL_STRETCHED = 0x20;

// Between groups: along a row, and between rows when a wrapped control
// begins a group.
const int JVK_GROUP_GAP = 6;
// The size of a bar without controls, borders excluded.
const int JVK_EMPTY_BAR_CX = 23;
const int JVK_EMPTY_BAR_CY = 22;

struct JVKLayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const JVKLayoutRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct JVKLayoutSize {
  int cx = 0, cy = 0;
  bool operator==(const JVKLayoutSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct CJVKLayoutEntry {
  int cx = 0, cy = 0;    // measured
  BOOL bPresent = TRUE;  // no hide flag but "no room"
  BOOL bBeginGroup = FALSE;
  DWORD dwFlags = 0;  // the control's flags (right aligned, stretched)
  // Results.
  JVKLayoutRect rect;  // in the bar's client coordinates once committed
  JVKLayoutRect rectRow;
  BOOL bWrap = FALSE;    // starts a new row
  BOOL bHidden = FALSE;  // found no room
};

// Borders of the bar around the controls.
struct JVKLayoutBorders {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class CJVKControlsLayout {
 public:
  std::vector<CJVKLayoutEntry> m_entries;

  // The bar's size for a length along it (a width, or a height with
  // LM_LENGTHY or LM_VERTDOCK) in the mode; nMRUWidth is the width the bar
  // remembers (LM_MRUWIDTH and the best fit), 0 when none. With LM_COMMIT
  // the entries hold the places of their controls.
  JVKLayoutSize Calc(int nLength, DWORD dwMode, const JVKLayoutBorders& borders, int nMinThickness, int nMRUWidth);

  // Marks the rows for a length; adds LM_STRETCH to the mode when it wraps
  // or hides. The number of rows.
  int Wrap(int nLength, DWORD& dwMode);
  // Places the present, non-hidden entries from the origin (columns from
  // right to left when vertical); their extent.
  JVKLayoutSize Measure(BOOL bVertical);

 private:
  BOOL IsPlaced(const CJVKLayoutEntry& e) const { return e.bPresent && !e.bHidden; }
  int FirstPresent() const;
  // Bisects the wrap width between one control per row and one row:
  // pfnSide > 0 (too narrow) raises the lower bound, < 0 lowers the upper,
  // 0 stops; a narrow result that repeats stops too (wrapping at the upper
  // bound with bUpperOnRepeat). The last wrap stands.
  void SearchWrapWidth(DWORD dwMode, BOOL bVertical, int (*pfnSide)(const JVKLayoutSize& sz, int nTarget), int nTarget,
                       BOOL bUpperOnRepeat);
  // The narrowest layout that is not wider than tall.
  void BestFit(DWORD dwMode, BOOL bVertical);
  // Floating bars: the fewest columns for a height, or the narrowest width
  // that keeps the rows of a width.
  void FitHeight(int nHeight, DWORD dwMode, BOOL bVertical);
  void FitWidth(int nWidth, DWORD dwMode, BOOL bVertical);
  void Commit(const JVKLayoutSize& szInner, const JVKLayoutBorders& borders, BOOL bVertical);
  void AlignFarEdge(const JVKLayoutSize& szBar, const JVKLayoutBorders& borders, BOOL bVertical);
  void Stretch(size_t nFirst, size_t nEnd, int nFarEdge, BOOL bVertical, BOOL bLastRow);
};

// Keyboard navigation over nCount controls: the next index from nStart in
// steps of nStep (1 or -1) whose control is not skipped, going round once;
// nStart -1 starts before the first (after the last when stepping back).
// nStart itself when the walk comes back to it, -1 when nothing qualifies.
int JVKNextControlIndex(int nCount, int nStart, int nStep, BOOL (*pfnSkip)(int nIndex, void* pContext), void* pContext);
