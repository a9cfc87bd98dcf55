// How the paint manager draws button pictures; the command bars' options
// store these three with their own values.
#pragma once

#include <WinTypes.h>

struct CJVKIconsOptions {
  BOOL bUseFadedIcons = FALSE;
  BOOL bUseDisabledIcons = FALSE;
  BOOL bIconsWithShadow = FALSE;
};
