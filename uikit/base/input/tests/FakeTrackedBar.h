// A tracked bar of the hook tests: counts what the mouse manager asks of it.
#pragma once

#include "MouseManager.h"

#include <vector>

class CFakeTrackedBar : public CJVKTrackedBar {
 public:
  explicit CFakeTrackedBar(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
  HWND GetTrackedBarWindow() const override { return m_hWnd; }
  int HitTestTrackedBar(POINT pt) override {
    RECT rect;
    return m_hWnd && ::GetWindowRect(m_hWnd, &rect) && ::PtInRect(&rect, pt) ? JVK_BARHIT_ON_BAR : 0;
  }
  void EndTracking() override {
    ++m_nEnded;
    if (m_bLeavesWhenEnded) GetMouseManager()->RemoveTrackedBar(this);
  }
  void LeaveTrackingMode() override { ++m_nLeftMode; }
  void OnHookedClick(UINT nMessage, POINT pt) override { m_moves.push_back({nMessage, pt}); }

  struct Move {
    UINT nMessage;
    POINT pt;
  };
  HWND m_hWnd;
  BOOL m_bLeavesWhenEnded = TRUE;
  int m_nEnded = 0;
  int m_nLeftMode = 0;
  std::vector<Move> m_moves;
};
