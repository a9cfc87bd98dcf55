// What the window files (Wnd*.cpp) and the dialog share among themselves;
// not part of the framework's interface.
#pragma once

#include <windows.h>

class CWnd;

// Makes the framework's procedure the window's, keeping the one it replaces
// as the object's super procedure.
void AfxInstallWndProc(CWnd* pWnd, HWND hWnd);
// Puts the window's own procedure back while the framework's is still in
// place (the window is being untied from its object).
void AfxRestoreWndProc(CWnd* pWnd, HWND hWnd);

// Runs pfnCreate(pContext) with the creation hook set: the first window it
// creates is tied to pWnd from its first message on.
void AfxHookWindowCreate(CWnd* pWnd, void (*pfnCreate)(void*), void* pContext);

// Offers a parent's message about a child control to the child's own object
// first (reflection); TRUE when the child handled it.
BOOL AfxSendChildNotify(CWnd* pParent, HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

// WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC, one per kind of control.
inline bool AfxIsCtlColorMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// The owner of a modal dialog or sheet: the parent given, else the main
// window, else the thread's active window; always a top-level window.
HWND AfxGetModalOwner(CWnd* pParentWnd);
// After a modal loop: hides and destroys the window and gives the owner its
// input (bEnableOwner: it was disabled for the loop) and activation back.
void AfxEndModalWindow(CWnd* pWnd, HWND hWndOwner, BOOL bEnableOwner);

// The thread's tooltip control goes with the window that owns it.
void AfxDestroyToolTipOf(HWND hWndOwner);
// TTN_NEEDTEXT for a tool with a string resource "prompt\ntip": fills in the
// tip; FALSE when the tool has no such string.
BOOL AfxGetToolTipText(NMHDR* pNMHDR, LRESULT* pResult);
