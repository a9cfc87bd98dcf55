// Appends a line at the end of the server log (a multi-line edit control)
// and scrolls it into view; nothing when the control is gone.
#pragma once

#include <windows.h>

void AppendLogLine(HWND edit, const char* line);
