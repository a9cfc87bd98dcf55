// A tool-bar resource (RT_TOOLBAR): WORD version, WORD button width, WORD
// button height, WORD count, then count WORD command ids (0: separator).
#pragma once

#include <Framework.h>

struct CJVKToolBarResource {
  WORD wVersion = 0;
  WORD wWidth = 0;
  WORD wHeight = 0;
  CWordArray ids;

  // FALSE for a resource shorter than its header or its count says.
  BOOL Parse(const void* pData, size_t nSize);
  // Button size of the bar: the image size plus the 7-pixel border.
  int GetButtonWidth() const { return wWidth + 7; }
  int GetButtonHeight() const { return wHeight + 7; }
};
