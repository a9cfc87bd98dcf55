// CJVKToolTipWnd: the toolkit's own tooltip windows (plain, rich-text and
// themed kinds of ToolTipContext.h). They answer the messages of the system
// tooltip control that the context sends (TTM_ADDTOOL, TTM_DELTOOL,
// TTM_UPDATETIPTEXT, TTM_ACTIVATE, TTM_RELAYEVENT, TTM_SETTITLE and the
// settings) and show a tip by this rule:
// - only relayed mouse messages count; the tool under the cursor is the
//   first one whose rectangle holds the cursor (and, for a rectangle tool,
//   whose window is the one under the cursor); none while a button is down;
// - a left button-down hides the tip, and the clicked tool does not show
//   again until another tool has been shown;
// - moving onto a tool within 200 ms of the tip's last change shows it at
//   once; later, it shows when it is still under the cursor 500 ms on;
// - the tip appears at the cursor's x, 21 pixels below it, without taking
//   the activation; while it is up, a thread mouse hook hides it when the
//   cursor leaves the tool's window.
#pragma once

#include <Framework.h>

#include <vector>

const UINT_PTR JVK_TOOLTIP_SHOW_TIMER = 1;
const DWORD JVK_TOOLTIP_SHOW_DELAY = 500;   // ms from a pause to the tip
const DWORD JVK_TOOLTIP_RESHOW_SPAN = 200;  // ms after a change in which a tip shows at once
const int JVK_TOOLTIP_CURSOR_GAP = 21;      // pixels between the cursor and the tip

// One tool of the own windows. Two tools are equal when window and id are.
struct CJVKToolTipTool {
  CString strText;
  BOOL bTextCallback = FALSE;  // the text comes from TTN_NEEDTEXT
  UINT uFlags = 0;
  RECT rect = {};
  HINSTANCE hInst = nullptr;
  LPARAM lParam = 0;
  HWND hWnd = nullptr;
  UINT_PTR uId = 0;

  BOOL IsSame(const TOOLINFO& ti) const { return hWnd == ti.hwnd && uId == ti.uId; }
};

class CJVKToolTipWnd : public CWnd {
 public:
  // nKind: jvkToolTipPlain, jvkToolTipRich or jvkToolTipThemed.
  explicit CJVKToolTipWnd(int nKind);
  ~CJVKToolTipWnd() override;

  // A popup owned by pOwner; dwStyle takes the context's style bits
  // (JVK_TTS_NOSHADOW: no drop shadow).
  BOOL Create(CWnd* pOwner, DWORD dwStyle, BOOL bDropShadow);

  int GetToolCount() const { return static_cast<int>(m_tools.size()); }
  const CJVKToolTipTool& GetTool(int nIndex) const { return m_tools[static_cast<size_t>(nIndex)]; }
  const CString& GetTitle() const { return m_strTitle; }
  // The tool shown now, or NULL.
  const CJVKToolTipTool* GetShownTool() const;
  // The size a tool's tip takes (zero: the tip is not shown).
  CSize CalcTipSize(const CJVKToolTipTool& tool);

  // The clock of the delays; tests put a fake one here.
  DWORD(WINAPI* m_pfnGetTickCount)() = &::GetTickCount;

 protected:
  afx_msg LRESULT OnAddTool(WPARAM, LPARAM);
  afx_msg LRESULT OnDelTool(WPARAM, LPARAM);
  afx_msg LRESULT OnUpdateTipText(WPARAM, LPARAM);
  afx_msg LRESULT OnActivateTip(WPARAM, LPARAM);
  afx_msg LRESULT OnRelayEvent(WPARAM, LPARAM);
  afx_msg LRESULT OnSetTitle(WPARAM, LPARAM);
  afx_msg LRESULT OnSetMaxTipWidth(WPARAM, LPARAM);
  afx_msg LRESULT OnSetMargin(WPARAM, LPARAM);
  afx_msg LRESULT OnSetTipBkColor(WPARAM, LPARAM);
  afx_msg LRESULT OnSetTipTextColor(WPARAM, LPARAM);
  afx_msg LRESULT OnGetToolCount(WPARAM, LPARAM);
  afx_msg LRESULT OnSetFontMessage(WPARAM, LPARAM);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }
  afx_msg LRESULT OnNcHitTest(CPoint) { return HTTRANSPARENT; }
  afx_msg void OnNotifyRequestResize(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  int FindTool(const TOOLINFO& ti) const;
  int ToolAt(POINT ptScreen, HWND hWndUnder) const;
  void OnMouse(const MSG& msg);
  void Show(int nTool);
  void Hide();
  void CancelPendingShow();
  CString TextOf(CJVKToolTipTool& tool);
  CSize CalcPlainSize(CDC* pDC, const CString& strText);
  CSize CalcRichSize(const CString& strText);
  void DrawPlain(CDC* pDC, const CRect& rcClient, const CString& strText);
  void DrawBackground(CDC* pDC, const CRect& rcClient);
  void DrawRich(CDC* pDC, const CRect& rcClient);
  BOOL LoadRichText(const CString& strText);
  COLORREF BackColor() const;
  COLORREF TextColor() const;

  static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);

  int m_nKind;
  std::vector<CJVKToolTipTool> m_tools;
  int m_nShown = -1;             // index of the tool shown
  int m_nPending = -1;           // index of the tool waiting for the show timer
  HWND m_hWndClicked = nullptr;  // the clicked tool: window and id
  UINT_PTR m_uIdClicked = 0;
  BOOL m_bClicked = FALSE;
  BOOL m_bActive = FALSE;
  DWORD m_dwLastChange = 0;  // the tick of the last show or hide
  BOOL m_bChanged = FALSE;   // a change happened at all
  CString m_strTitle;
  CString m_strShownText;
  int m_nMaxTipWidth = -1;
  RECT m_rcMargin = {};
  COLORREF m_clrBack = static_cast<COLORREF>(-1);
  COLORREF m_clrText = static_cast<COLORREF>(-1);
  CFont m_font;
  CWnd m_wndRich;  // the rich-text kind's formatter
  CSize m_sizeRequested;
};
