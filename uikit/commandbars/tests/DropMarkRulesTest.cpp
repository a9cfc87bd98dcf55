// Where a control dragged in customize mode lands, and its mark: a table
// over a bar of two rows (the second group apart) and a vertical bar.
#include "DropMarkRules.h"

#include <gtest/gtest.h>

namespace {
JVKDropControl At(int left, int top, int right, int bottom, BOOL bWrap = FALSE, BOOL bGroup = FALSE,
                  BOOL bEligible = TRUE) {
  return {{left, top, right, bottom}, bEligible, bWrap, bGroup};
}

// Row one: 0-23, 23-46, then a group at 52-75; row two below it: 0-23,
// 23-46.
std::vector<JVKDropControl> TwoRows() {
  return {At(0, 2, 23, 24), At(23, 2, 46, 24), At(52, 2, 75, 24, FALSE, TRUE), At(0, 26, 23, 48, TRUE),
          At(23, 26, 46, 48)};
}

bool SameRect(const JVKLayoutRect& a, const JVKLayoutRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST(DropMarkRules, MarksAndInsertPositions) {
  const JVKLayoutRect rcClient = {0, 0, 200, 50};
  const JVKLayoutRect kEmpty = {0, 0, 0, 0};
  struct Row {
    const char* pszCase;
    std::vector<JVKDropControl> controls;
    int x, y;
    BOOL bVertical;
    int nDragged;
    int nInsert, nCandidate;
    BOOL bBefore;
    JVKLayoutRect rect;
  } rows[] = {
      {"before the first's centre", TwoRows(), 5, 10, FALSE, -1, 0, 0, TRUE, {0, 2, 6, 24}},
      {"after it: just beyond its edge", TwoRows(), 15, 10, FALSE, -1, 1, 0, FALSE, {23, 2, 29, 24}},
      {"after a control the next group follows: inside it", TwoRows(), 40, 10, FALSE, -1, 2, 1, FALSE,
       {40, 2, 46, 24}},
      {"after the row's last: inside it", TwoRows(), 74, 10, FALSE, -1, 3, 2, FALSE, {69, 2, 75, 24}},
      {"before a group's first", TwoRows(), 53, 10, FALSE, -1, 2, 2, TRUE, {52, 2, 58, 24}},
      {"the second row counts below it", TwoRows(), 30, 40, FALSE, -1, 4, 4, TRUE, {23, 26, 29, 48}},
      {"after the very last: inside it", TwoRows(), 44, 40, FALSE, -1, 5, 4, FALSE, {40, 26, 46, 48}},
      {"on the dragged control itself: no mark", TwoRows(), 34, 10, FALSE, 1, 1, 1, FALSE, kEmpty},
      {"a hidden control is passed over", {At(0, 2, 23, 24), At(23, 2, 46, 24, FALSE, FALSE, FALSE)}, 40, 10,
       FALSE, -1, 1, 0, FALSE, {23, 2, 29, 24}},
      {"no control: the left edge, appended", {At(0, 2, 23, 24, FALSE, FALSE, FALSE)}, 40, 10, FALSE, -1, 1, -1,
       FALSE, {2, 2, 8, 48}},
      {"vertical: by centres across", {At(2, 0, 24, 22), At(2, 22, 24, 44)}, 10, 30, TRUE, -1, 1, 1, TRUE,
       {2, 22, 24, 28}},
  };
  for (const Row& row : rows) {
    const JVKDropMark mark = JVKCalcDropMark(row.controls, row.x, row.y, row.bVertical, rcClient, row.nDragged);
    EXPECT_EQ(row.nInsert, mark.nInsert) << row.pszCase;
    EXPECT_EQ(row.nCandidate, mark.nCandidate) << row.pszCase;
    EXPECT_EQ(row.bBefore, mark.bBefore) << row.pszCase;
    EXPECT_TRUE(SameRect(row.rect, mark.rect))
        << row.pszCase << ": " << mark.rect.left << "," << mark.rect.top << "," << mark.rect.right << ","
        << mark.rect.bottom;
  }
}
