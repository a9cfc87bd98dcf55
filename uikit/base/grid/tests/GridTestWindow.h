// A top-level window holding a CJVKPropertyGrid with channel-like sample
// items, which records what the grid tells its owner, and the injected
// input of the grid tests. Waits are on the message queue, bounded.
#pragma once

#include <Framework.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "PropertyGrid.h"
#include "PropertyGridInplaceButton.h"
#include "PropertyGridInplaceEdit.h"
#include "PropertyGridInplaceList.h"
#include "PropertyGridItemNumber.h"
#include "PropertyGridView.h"
#include "MessagePump.h"

struct GridNotice {
  WPARAM code;
  LPARAM param;
};

class CGridTestWindow : public CWnd {
 public:
  // The one window of the test program (Wine is slow to destroy top-level
  // windows without a window manager), refilled with the sample items.
  static CGridTestWindow& Reset();
  ~CGridTestWindow() override;

  CJVKPropertyGrid m_grid;
  std::vector<GridNotice> m_notices;
  // The answer to code 5 (in-place button pressed).
  LRESULT m_nButtonAnswer = 0;
  // The answer to code 6 (a row about to be drawn).
  LRESULT m_nDrawAnswer = 0;
  // Run for each notification as it arrives.
  std::function<void(WPARAM, LPARAM)> m_onNotice;

  // The sample items: categories "Names", "Tuning", "Other" (all expanded).
  CJVKPropertyGridItem* m_pNames = nullptr;
  CJVKPropertyGridItem* m_pTuning = nullptr;
  CJVKPropertyGridItem* m_pOther = nullptr;
  CJVKPropertyGridItem* m_pChannelName = nullptr;          // text "Alpha"
  CJVKPropertyGridItemNumber* m_pServiceId = nullptr;      // number 100
  CJVKPropertyGridItem* m_pPolarisation = nullptr;         // drop-down of 4, "Horizontal"
  CJVKPropertyGridItem* m_pModulation = nullptr;           // drop-down of 3, "QPSK"
  CJVKPropertyGridItem* m_pSatellite = nullptr;            // drop-down of 25, "Sat 1"
  CJVKPropertyGridItem* m_pColour = nullptr;               // push button item
  CJVKPropertyGridItem* m_pProvider = nullptr;             // read-only

  int CountNotices(WPARAM code) const;
  CJVKPropertyGridView& View() { return m_grid.GetGridView(); }

 protected:
  afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CGridTestWindow();
  void Fill();
};

// Dispatches until done() holds or five seconds pass; its last answer.
bool PumpUntil(const std::function<bool()>& done);

// Injected input at points in a window's client coordinates.
void InjectMoveTo(CWnd& wnd, CPoint pt);
void InjectPress(CWnd& wnd, CPoint pt, BOOL bDown = TRUE);
void InjectClick(CWnd& wnd, CPoint pt);
void InjectDoubleClick(CWnd& wnd, CPoint pt);
void InjectKeyDown(WORD vk);
void InjectKeyUp(WORD vk);
void InjectTap(WORD vk);
// Each character as its key (digits, upper-case letters give lower case).
void InjectText(const char* pszKeys);

// The middle of an item's row, or of its value part, in view coordinates.
CPoint RowPoint(CJVKPropertyGridItem* pItem, int x);
