#pragma once
// A filter graph in the Running Object Table, under the name graph viewers
// look for: "FilterGraph <graph address> pid <process id>".

#include <windows.h>

// Registers the graph with the table's flags (ROTFLAGS_REGISTRATIONKEEPSALIVE
// or 0). Returns the registration's result; *pKey is 0 unless it succeeded.
HRESULT RegisterGraphInRot(IUnknown* pGraph, DWORD flags, DWORD* pKey);

// Revokes a registration and clears its key; a key of 0 is none.
void RevokeGraphFromRot(DWORD* pKey);
