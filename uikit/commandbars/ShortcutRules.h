// The portable rules of keyboard shortcuts: English key names from a fixed
// table, the text of an accelerator entry with its priority, the choice of
// the text shown for a command, and which keys may serve as shortcuts.
#pragma once

#include <Framework.h>

#include <vector>

// Accelerator entry bits (fVirt).
const BYTE JVK_FVIRTKEY = 0x01;
const BYTE JVK_FSHIFT = 0x04;
const BYTE JVK_FCONTROL = 0x08;
const BYTE JVK_FALT = 0x10;

struct JVKAccelEntry {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};

// The table's name of a virtual key; null when the table has none.
const char* JVKKeyNameFromTable(int nVirtKey);
// A system key name as shown: lower case, then its first lower-case letter
// raised ("ENTER" -> "Enter", "num 5" -> "Num 5").
CString JVKCapitaliseKeyName(const CString& strSystemName);

// Names a virtual key (the table, else the system).
using JVKKeyNamer = CString (*)(int nVirtKey, void* pContext);

// "Ctrl+Shift+F5": the modifiers in the order Ctrl, Shift, Alt, then the
// key. nPriority: 3 with Ctrl, else 2 with Alt, else 1 with Shift, else 4.
CString JVKFormatAccelerator(const JVKAccelEntry& entry, int& nPriority, JVKKeyNamer pfnName, void* pContext);

// The text to show for a command among its entries' texts: the current text
// when it is one of them, else the first of the highest priority; empty
// when there are none.
CString JVKChooseShortcutText(const std::vector<CString>& texts, const std::vector<int>& priorities,
                              const CString& strCurrent);

// A plain Esc (virtual key, no modifier) serves only when allowed.
BOOL JVKIsKeyAllowed(BYTE fVirt, WORD key, BOOL bEscapeAllowed);
