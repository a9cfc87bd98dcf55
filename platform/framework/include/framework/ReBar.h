// CReBar: a control bar over the rebar common control, holding other bars
// (a tool bar, a dialog bar, any child window) in bands the user can move
// and resize by their grippers. It always takes the whole width of its
// side; when its bands change rows its height changes, and the frame lays
// out anew.
#pragma once

#include "ControlBar.h"

class CBitmap;

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
 public:
  CReBar();

  BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
              UINT nID = AFX_IDW_REBAR);
  using CWnd::Create;
  // Puts pBar in a new last band (pBar becomes the rebar's child), with a
  // label and a background picture, or with its own colours.
  BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  // The bars in the bands update themselves (they are the rebar's children).
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

 protected:
  BOOL AddBand(CWnd* pBar, REBARBANDINFO& band);
  afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnPaint() { Default(); }
  DECLARE_MESSAGE_MAP()
};
