// What the paint-manager tests share: a theme built for the test with every
// colour slot overridden to a colour of its own (so a probe names the slot
// it found), a fake clock, and pixel helpers.
#pragma once

#include "DibCanvas.h"
#include "FakePainted.h"
#include "PaintManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Slot i becomes a colour no other slot has.
inline COLORREF SlotColor(int i) { return RGB(4 * i + 3, 250 - 4 * i, (i * 37) % 200 + 20); }

inline void OverrideAllSlots(CJVKPaintManager* pm) {
  for (int i = 0; i < JVK_PAINT_COLOR_COUNT; ++i) pm->GetColorTable().SetOverride(i, SlotColor(i));
  pm->RefreshMetrics();
}

// The slot whose colour this is, or -1.
inline int SlotOf(COLORREF clr) {
  for (int i = 0; i < JVK_PAINT_COLOR_COUNT; ++i)
    if (SlotColor(i) == clr) return i;
  return -1;
}

// A theme with its reference released at the end of the scope.
class CThemeRef {
 public:
  explicit CThemeRef(int nTheme, BOOL bOverride = TRUE) : m_p(CJVKPaintManager::CreateTheme(nTheme)) {
    if (bOverride) OverrideAllSlots(m_p);
  }
  ~CThemeRef() { m_p->InternalRelease(); }
  CThemeRef(const CThemeRef&) = delete;
  CThemeRef& operator=(const CThemeRef&) = delete;
  CJVKPaintManager* operator->() const { return m_p; }
  CJVKPaintManager* get() const { return m_p; }

 private:
  CJVKPaintManager* m_p;
};

class CFakeClock : public CJVKAnimationClock {
 public:
  DWORD GetTickCount() override {
    const DWORD t = m_dwNow;
    m_dwNow += m_dwCostPerRead;
    return t;
  }
  void Sleep(DWORD dw) override {
    m_sleeps.push_back(dw);
    if (m_onSleep) m_onSleep();
    m_dwNow += dw;
  }

  DWORD m_dwNow = 5000;
  // Time that passes between two readings (the blend's cost).
  DWORD m_dwCostPerRead = 0;
  std::vector<DWORD> m_sleeps;
  std::function<void()> m_onSleep;
};

// How many pixels of the rectangle have this colour.
inline int CountColor(CDibCanvas& canvas, const CRect& rc, COLORREF clr) {
  int n = 0;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x) n += canvas.Pixel(x, y) == clr;
  return n;
}
