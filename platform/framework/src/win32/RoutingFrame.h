// The calling thread's routing frame as the message boxes see it: the window
// of the frame that CPushRoutingFrame made current, or NULL.
#pragma once

#include <windows.h>

HWND AfxGetRoutingFrameWindow();
// Makes hWnd the thread's routing frame window; returns the previous one.
HWND AfxSetRoutingFrameWindow(HWND hWnd);
