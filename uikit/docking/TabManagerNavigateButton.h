// The navigate buttons of a tab strip: scroll back, scroll forward and
// close. A press captures the mouse: the scroll buttons act on every tick of
// 20 ms while held, the close button once on a release over it.
#pragma once

#include "TabTypes.h"

#include <Framework.h>

class CJVKTabManager;

// The time the held buttons repeat by; tests give a clock of their own.
class CJVKTabClock {
 public:
  virtual ~CJVKTabClock() = default;
  virtual DWORD GetTickCount() = 0;
};
CJVKTabClock* JVKSystemTabClock();

class CJVKTabManagerNavigateButton {
 public:
  CJVKTabManagerNavigateButton(CJVKTabManager* pManager, int nId, int nMode);
  virtual ~CJVKTabManagerNavigateButton() = default;
  CJVKTabManagerNavigateButton(const CJVKTabManagerNavigateButton&) = delete;
  CJVKTabManagerNavigateButton& operator=(const CJVKTabManagerNavigateButton&) = delete;

  // The capture loop: TRUE when released over the button, FALSE when the
  // button is disabled, another window holds the capture or it was left.
  virtual BOOL PerformClick(HWND hWnd, CPoint pt);
  // The arrow or cross, filled when enabled, outlined when disabled.
  virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
  // bTick: an auto-repeat tick while held; else the release over it.
  virtual void OnExecute(BOOL bTick) = 0;
  // The colour set's background, then the glyph.
  void Draw(CDC* pDC);

  int GetId() const { return m_nId; }
  int GetShowMode() const { return m_nMode; }
  void SetShowMode(int nMode) { m_nMode = nMode; }
  CRect GetRect() const { return m_rcButton; }
  BOOL IsEnabled() const { return m_bEnabled; }
  BOOL IsPressed() const { return m_bPressed; }
  BOOL IsHot() const { return m_bHot; }
  BOOL IsVisible() const { return !m_rcButton.IsRectEmpty(); }

  // Test seam: the clock of the repeat (NULL: the system's).
  static CJVKTabClock* s_pClock;

 protected:
  friend class CJVKTabManager;
  friend class CJVKTabPaintManager;
  friend class CJVKTabAppearanceSet;
  void SetHot(BOOL bHot);

  int m_nId;
  int m_nMode;
  CSize m_szButton;
  CJVKTabManager* m_pManager;
  CRect m_rcButton;
  BOOL m_bEnabled = TRUE;
  BOOL m_bPressed = FALSE;
  BOOL m_bHot = FALSE;
};

// Scroll back (bForward FALSE) or forward, on every tick.
class CJVKTabManagerScrollButton : public CJVKTabManagerNavigateButton {
 public:
  CJVKTabManagerScrollButton(CJVKTabManager* pManager, BOOL bForward);
  void DrawGlyph(CDC* pDC, CRect rc) override;
  void OnExecute(BOOL bTick) override;
};

// Close: the manager's OnNavigateButtonClick on the release.
class CJVKTabManagerCloseButton : public CJVKTabManagerNavigateButton {
 public:
  explicit CJVKTabManagerCloseButton(CJVKTabManager* pManager);
  void DrawGlyph(CDC* pDC, CRect rc) override;
  void OnExecute(BOOL bTick) override;
};
