// This module's instance and resource handles, and the search for a
// resource among this module and the extension libraries linked in.
#pragma once

#include "Defs.h"

HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds the resource: this module's resource handle first,
// then each linked extension library; NULL when none has it.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
// Loads a string resource into the buffer; returns its length (0: none).
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf = 256);
