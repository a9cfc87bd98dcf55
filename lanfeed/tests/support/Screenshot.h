// For a look at a window: when QUILLON_SCREENSHOT_DIR names a folder, the
// window as it stands on the screen is written there as NAME.bmp.
#pragma once

#include <windows.h>

void SaveScreenshotIfAsked(HWND window, const char* name);
