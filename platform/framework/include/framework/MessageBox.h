// AfxMessageBox, and the hook that answers message boxes without showing
// them (tests install one so that nothing waits for a user).
#pragma once

#include "Defs.h"

// Called in place of the message box with the text, the type flags and the
// help id the caller gave; returns the button (IDOK, IDYES ...).
typedef int(CALLBACK* AFX_MSGBOX_HOOK)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);

// Installs the hook for every module of the process; returns the previous one.
AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
