// The geometry and pixels of popup shadows, apart from their windows: the
// two strips beside a popup, how a new strip joins the strips of a popup it
// was cascaded from, and the alpha ramp of a layered shadow. Portable: no
// windows.h.
#pragma once

#include "ControlsLayout.h"

#include <vector>

// How far a shadow reaches out: layered shadows fade over 4 pixels, solid
// ones are 2 pixels wide.
const int JVK_SHADOW_LAYERED_DEPTH = 4;
const int JVK_SHADOW_SOLID_DEPTH = 2;

struct JVKShadowStrip {
  JVKLayoutRect rect;  // in screen coordinates
  BOOL bHorizontal = FALSE;  // under the popup; else to its right
};

// The strip under the popup's window rectangle and the strip to its right.
void JVKPopupShadowStrips(const JVKLayoutRect& rcPopup, int nDepth, JVKShadowStrip& bottom, JVKShadowStrip& right);

// Extends a new strip over the corner it shares with a live strip of the
// other orientation, so that cascaded popups show one continuous shadow.
JVKLayoutRect JVKJoinShadowStrip(const JVKShadowStrip& strip, const std::vector<JVKShadowStrip>& live);

// The pixels of a layered strip of cx by cy in rows from the top: alpha in
// the top byte, then red, green and blue of the shadow colour, scaled by a
// factor that fades with the alpha. A themed shadow is half as dense.
std::vector<DWORD> JVKShadowStripPixels(int cx, int cy, BOOL bHorizontal, BOOL bThemed, COLORREF clrShadow);
