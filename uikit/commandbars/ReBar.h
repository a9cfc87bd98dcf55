// CJVKReBar: a rebar that hosts tool bars of the command bars, one band
// per bar, in place of the dock bars.
#pragma once

#include <Framework.h>

class CJVKToolBar;

class CJVKReBar : public CReBar {
 public:
  // Lays the bar out as a horizontal docked bar, takes it out of its dock
  // bar (its gripper goes: the band has one) and adds it as the last band,
  // with the bar's id as the band's. FALSE when the band cannot be added.
  BOOL AddToolBar(CJVKToolBar* pBar, DWORD dwBandStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  // The band whose child is the bar; -1 when none.
  int GetBandIndex(CJVKToolBar* pBar) const;
  void RemoveToolBar(CJVKToolBar* pBar);
};
