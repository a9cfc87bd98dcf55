// A top-level window holding a CJVTreeCtrl, which records what the tree
// tells its parent, and the injected mouse and keyboard input of the tree
// tests. Everything waits on the message queue with a bound, never on time.
#pragma once

#include <Framework.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "TreeCtrl.h"
#include "MessagePump.h"

struct TreeNotice {
  UINT code;
  HTREEITEM hItem;  // itemNew's (itemOld's for a deselection), else NULL
  UINT mask;        // of that item record
};

class CTreeTestWindow : public CWnd {
 public:
  // The one window of the test program (Wine takes seconds to destroy a
  // top-level window on a display without a window manager), emptied and
  // given the tree style: single selection, no items, the tree focused.
  static CTreeTestWindow& Reset(DWORD dwTreeStyle);
  ~CTreeTestWindow() override;

  // Items: "Provider A" with the children "Alpha", "Beta", "Gamma"
  // (expanded), then the roots "Delta", "Epsilon", "Zeta", "Eta".
  void AddSampleItems();
  // The sample items in display order.
  std::vector<HTREEITEM> m_items;

  CJVTreeCtrl m_tree;
  std::vector<TreeNotice> m_notices;
  BOOL m_bVetoSelChanging = FALSE;

  // The notices with the code; own: only those the tree base sends itself
  // (their items carry just a handle and the data).
  int CountNotices(UINT code, BOOL bOwnOnly = FALSE) const;
  std::vector<HTREEITEM> Selected();

  // A point on the item's label, in the tree's client coordinates.
  CPoint LabelPoint(HTREEITEM hItem, int dx = 0) const;
  // A point on the item's expand button (found by hit testing along its row).
  CPoint ButtonPoint(HTREEITEM hItem) const;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  // A topmost popup at a fixed screen place, with the tree filling it.
  CTreeTestWindow();
};

// Dispatches until the predicate holds or five seconds pass; its last answer.
template <typename Predicate>
bool PumpUntil(Predicate done);
bool PumpUntilImpl(bool (*test)(void*), void* context);
template <typename Predicate>
bool PumpUntil(Predicate done) {
  return PumpUntilImpl([](void* p) { return (*static_cast<Predicate*>(p))(); }, &done);
}

// Injected input, at points in the tree's client coordinates.
class CTreeInput {
 public:
  explicit CTreeInput(CWnd& tree) : m_tree(tree) {}
  void MoveTo(CPoint pt);
  void Press(CPoint pt, BOOL bRight = FALSE);
  void Release(CPoint pt, BOOL bRight = FALSE);
  void Click(CPoint pt, BOOL bRight = FALSE) {
    Press(pt, bRight);
    Release(pt, bRight);
  }
  // Queued moves merge: the release is where the move went.
  void Drag(CPoint from, CPoint to) {
    Press(from);
    MoveTo(to);
    Release(to);
  }
  void KeyDown(WORD vk);
  void KeyUp(WORD vk);
  void Tap(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
  }
  // Injected input is queued by the time SendInput returns: pumping until
  // the queue is empty hands all of it to the windows.
  void Settle() { PumpPending(); }

 private:
  void Mouse(DWORD dwFlags, CPoint pt);
  CWnd& m_tree;
};

// Holds a key down for a scope.
class CHeldKey {
 public:
  CHeldKey(CTreeInput& input, WORD vk) : m_input(input), m_vk(vk) { input.KeyDown(vk); }
  ~CHeldKey() { m_input.KeyUp(m_vk); }

 private:
  CTreeInput& m_input;
  WORD m_vk;
};

// A test on the sample items of the shared window.
class TreeFixture : public ::testing::Test {
 protected:
  explicit TreeFixture(DWORD dwTreeStyle)
      : m_window(CTreeTestWindow::Reset(dwTreeStyle)), m_tree(m_window.m_tree), m_input(m_window.m_tree) {}
  void SetUp() override { m_window.AddSampleItems(); }

  HTREEITEM Item(int i) const { return m_window.m_items[i]; }
  std::vector<HTREEITEM> Items(std::initializer_list<int> indices) const {
    std::vector<HTREEITEM> items;
    for (int i : indices) items.push_back(Item(i));
    return items;
  }
  // A click on the item's label (dx pixels into it) with a key held.
  void ClickItem(int i, WORD vkHeld = 0, int dx = 0) {
    if (vkHeld) m_input.KeyDown(vkHeld);
    m_input.Click(m_window.LabelPoint(Item(i), dx));
    if (vkHeld) m_input.KeyUp(vkHeld);
    m_input.Settle();
  }

  CTreeTestWindow& m_window;
  CJVTreeCtrl& m_tree;
  CTreeInput m_input;
};

const DWORD kSampleTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
