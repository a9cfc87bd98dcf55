// CJVKResourceManager: the one loader of the toolkit's strings, menus, tool
// bars, bitmaps, cursors and dialog templates, from the module state's
// resource handle. Derived managers may take resources from elsewhere.
#pragma once

#include <Framework.h>

class CJVKResourceManager {
 public:
  CJVKResourceManager() = default;
  virtual ~CJVKResourceManager() = default;
  CJVKResourceManager(const CJVKResourceManager&) = delete;
  CJVKResourceManager& operator=(const CJVKResourceManager&) = delete;

  virtual BOOL LoadString(CString& str, UINT nID);
  virtual BOOL LoadMenu(CMenu& menu, UINT nID);
  // The framework's tool-bar loading: the RT_TOOLBAR resource's command ids
  // and button size, and the bitmap of the same id.
  virtual BOOL LoadToolBar(CToolBar* pBar, UINT nID);
  virtual BOOL LoadBitmap(CBitmap& bitmap, UINT nID);
  virtual HCURSOR LoadCursor(UINT nID);
  virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nID);
  virtual LPCDLGTEMPLATE LoadDialogTemplate(LPCSTR lpszName);
  virtual void Close() {}

  // The string in a message box; the box's answer (0 without the string).
  int ShowMessageBox(UINT nIDString, UINT nFlags);
};

CJVKResourceManager* GetResourceManager();
