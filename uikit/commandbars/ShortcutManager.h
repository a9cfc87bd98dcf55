// CJVKShortcutManager: the keyboard shortcuts of one command bars object.
// It owns the accelerator table the bars translate and the base table a
// reset restores, makes the shortcut text shown beside menu items and in
// tips, names keys for display, and tells whether a key stroke matches a
// mnemonic character in any installed keyboard layout. Reference counted.
#pragma once

#include "ControlOwners.h"
#include "ShortcutRules.h"

#include <Framework.h>

#include <vector>

// The installed keyboard layouts and what a key produces in each. The
// system's by default; tests give more layouts than Wine has.
class CJVKKeyboardLayouts {
 public:
  virtual ~CJVKKeyboardLayouts() = default;
  virtual std::vector<HKL> GetLayouts();
  // The character a key gives (MapVirtualKey type 2); 0 for none.
  virtual UINT MapToChar(UINT nVirtKey);
  // The characters a key gives in the layout with the current key state.
  virtual int ToAscii(UINT nVirtKey, HKL hLayout, WORD* pChars);
  // The key's name as the system writes it in the current layout.
  virtual CString GetSystemKeyName(UINT nVirtKey);
};

class CJVKShortcutManager : public CCmdTarget {
 public:
  explicit CJVKShortcutManager(CJVKControlCommandBars* pCommandBars);
  ~CJVKShortcutManager() override;
  CJVKShortcutManager(const CJVKShortcutManager&) = delete;
  CJVKShortcutManager& operator=(const CJVKShortcutManager&) = delete;

  // The text of the command's highest-priority entry, kept when the given
  // text is already one of its entries'. FALSE (and empty) without one.
  virtual BOOL FindDefaultAccelerator(int nCmd, CString& strText);
  virtual CString Format(const ACCEL& entry, int* pPriority);
  virtual CString GetKeyName(UINT nVirtKey);
  virtual BOOL IsKeyAllowed(BYTE fVirt, WORD key) const;
  virtual HACCEL GetWorkingTable() const { return m_hWorkingTable; }
  // The working table becomes a copy of the base table.
  virtual void ResetWorkingTable();

  // Takes a copy of the table as the base and working tables.
  void SetBaseTable(HACCEL hTable);

  BOOL m_bAllowEscapeShortcut = FALSE;

  // Test seam: the keyboard layouts (null: the system's).
  static CJVKKeyboardLayouts* s_pLayouts;

 private:
  // The table searched: the working one, else the site frame's when there
  // is no base table either.
  HACCEL GetSearchedTable() const;

  CJVKControlCommandBars* m_pCommandBars;
  HACCEL m_hWorkingTable = nullptr;
  HACCEL m_hBaseTable = nullptr;
};

// A new table with the same entries; null for a null or empty table.
HACCEL JVKCopyAcceleratorTable(HACCEL hTable);
// The key gives the character: its code is the character or its upper
// case, or, with more than one layout installed, some layout makes it
// produce exactly that character.
BOOL JVKIsMnemonicKey(TCHAR ch, UINT nVirtKey);
TCHAR JVKToUpperChar(TCHAR ch);
