// The hook that gives the focus back when the user clicks outside an
// in-place control (the property grid's drop-down list): a thread-local
// WH_MOUSE hook and one remembered window.
#pragma once

#include <Framework.h>

// With a window: installs the hook (once) and remembers the window; with
// NULL: removes the hook.
void SetOutsideClickHook(CWnd* pWnd);
BOOL IsOutsideClickHookActive();
