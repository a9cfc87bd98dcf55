// The messages that bars and controls send the window of their command bars
// (the site). An answer of 0 means the site did not handle one, and the
// bars keep their default behaviour. The senders' own headers give the
// parameters of those declared there: JVK_WM_CONTROL_NOTIFY (1325,
// Control.h), JVK_WM_CREATE_CONTROL (1327) and JVK_WM_CREATE_POPUP_BAR
// (1328, Controls.h), JVK_WM_CONTROL_SELECTED (1329, CommandBar.h) and
// JVK_WM_CONTROL_CREATED (1334, Controls.h).
#pragma once

#include <Framework.h>

const UINT JVK_WM_SITE_FIRST = WM_USER + 300;
// A bar was shown or hidden: wParam the bar, lParam the new visibility.
const UINT JVK_WM_BAR_VISIBLE_CHANGED = WM_USER + 300;
// The control dragged in customize mode changed (wParam 0, lParam 0).
const UINT JVK_WM_DRAG_CONTROL_CHANGED = WM_USER + 306;
// A control's popup opened: wParam the control.
const UINT JVK_WM_POPUP_OPENED = WM_USER + 307;
// A bar entered tracking.
const UINT JVK_WM_BAR_TRACKING = WM_USER + 308;
// A popup closed.
const UINT JVK_WM_POPUP_CLOSED = WM_USER + 309;
// A right click on a control: wParam a pointer to the point, lParam the
// control; an answer of 1 consumes it.
const UINT JVK_WM_CONTROL_RCLICK = WM_USER + 312;
// A key while a bar tracks: wParam a pointer to the key, lParam the bar.
const UINT JVK_WM_TRACKING_KEY = WM_USER + 313;
// The context menu of the bar area: wParam the bar clicked, lParam the popup
// bar the site may add to.
const UINT JVK_WM_BARS_CONTEXT_MENU = WM_USER + 314;
const UINT JVK_WM_SITE_LAST = WM_USER + 314;
