// CJVKMouseManager: one per user-interface thread. Its thread mouse hook
// closes the tracked popup bars when the user clicks elsewhere (clicks in the
// safe windows excepted), and it emulates WM_MOUSELEAVE for one watched
// window with a 50 ms timer.
//
// The mouse hook, for every mouse message the thread takes:
// 1. a left or right button-down clears the ignore-next-button-up flag;
// 2. a left button-up (client or non-client) while that flag is set clears
//    it and is swallowed;
// 3. while bars are tracked, a mouse move at exactly the last hook point is
//    swallowed;
// 4. the point becomes the last hook point;
// 5. while bars are tracked, the manager looks at the message (below).
// The manager: the first tracked bar (newest first) that holds the point
// ends the handling, closing the unlocked bars when it is locked and this is
// a click; a point in a visible safe window ends it too. Otherwise moves go
// to the unlocked bars (OnHookedClick), and button-downs (and button-ups
// while the manager is not locked) end the tracking of every bar.
#pragma once

#include "TrackedBar.h"
#include "ThreadHook.h"

#include <vector>

// Timer of the mouse-leave emulation, set on the watched window.
const UINT_PTR JVK_MOUSELEAVE_TIMER = 113341;
const UINT JVK_MOUSELEAVE_PERIOD = 50;

class CJVKMouseManager : public CNoTrackObject {
 public:
  // Installs the thread's mouse hook.
  CJVKMouseManager();
  // Removes the hook and stops the mouse-leave watch.
  ~CJVKMouseManager() override;

  // Makes the active bar leave its mode when this is the first bar tracked;
  // appends the bar unless it is tracked already.
  void AddTrackedBar(CJVKTrackedBar* pBar);
  // Drops the bar; when none is left the cursor is set to its own position
  // so that the windows under it get a fresh mouse move. Clears the
  // ignore-next-button-up flag in every case.
  void RemoveTrackedBar(CJVKTrackedBar* pBar);
  // Takes the bar off the tracked list and the active place without calling
  // anything: the bar is being destroyed.
  void ForgetBar(CJVKTrackedBar* pBar);
  // Ends the tracking of every tracked bar, the first first. A bar that does
  // not take itself off while ending is taken off here.
  void SendTrackLost();
  // FALSE when no bar is tracked; else TRUE when pBar is NULL, locked, or
  // not among the tracked bars.
  BOOL IsTrackActive(CJVKTrackedBar* pBar = nullptr) const;
  // +1 (TRUE) or -1 on every tracked bar's lock count.
  void LockTrackedBars(BOOL bLock);
  // When the first tracked bar is locked, ends every unlocked one.
  void CloseUnlockedBars();
  int GetTrackedBarCount() const { return static_cast<int>(m_bars.size()); }
  CJVKTrackedBar* GetTrackedBar(int nIndex) const { return m_bars[static_cast<size_t>(nIndex)]; }

  void AddSafeWindow(HWND hWnd) { m_safeWindows.push_back(hWnd); }
  // Removes the first occurrence.
  void RemoveSafeWindow(HWND hWnd);

  // Starts watching the window for the cursor leaving it; a window watched
  // before gets WM_MOUSELEAVE at once. The watched window gets one posted
  // WM_MOUSELEAVE on the first tick that finds the cursor outside its
  // rectangle or the window unreachable (not a popup, not top-level, and its
  // top-level window's last active popup not in the foreground).
  void TrackMouseLeave(HWND hWnd);
  HWND GetMouseLeaveWindow() const { return m_hWndMouseLeave; }

  void SetActiveBar(CJVKTrackedBar* pBar) { m_pActiveBar = pBar; }
  CJVKTrackedBar* GetActiveBar() const { return m_pActiveBar; }

  // Raised by the command bars around modal work inside a popup (an edit
  // control taking input, a popup being dragged): while above 0 button-ups
  // and the Alt key do not close popups.
  int m_nLock = 0;
  // Set when a popup bar expanded its rarely used commands: the popups
  // opened afterwards, until no bar is tracked, open expanded.
  BOOL m_bOpenExpanded = FALSE;
  // Set by a popup bar that opens on a button-down: the matching button-up
  // is swallowed.
  BOOL m_bIgnoreNextButtonUp = FALSE;

 private:
  static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
  static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMessage, UINT_PTR nTimer, DWORD dwTime);
  LRESULT OnMouse(int nCode, WPARAM wParam, LPARAM lParam);
  void HandleTrackedMessage(UINT nMessage, POINT ptScreen);
  void OnMouseLeaveTick(HWND hWnd);
  BOOL IsTracked(CJVKTrackedBar* pBar) const;

  std::vector<CJVKTrackedBar*> m_bars;  // newest last
  CJVKThreadHook m_hookMouse;
  CJVKTrackedBar* m_pActiveBar = nullptr;
  HWND m_hWndMouseLeave = nullptr;
  std::vector<HWND> m_safeWindows;
};

// The calling thread's mouse manager, made on first use and deleted when the
// thread ends.
CJVKMouseManager* GetMouseManager();
// The calling thread's mouse manager, or NULL when it has none yet.
CJVKMouseManager* PeekMouseManager();
