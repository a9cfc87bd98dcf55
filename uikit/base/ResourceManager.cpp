#include "ResourceManager.h"

CJVKResourceManager* GetResourceManager() {
  static CJVKResourceManager manager;
  return &manager;
}

BOOL CJVKResourceManager::LoadString(CString& str, UINT nID) {
  HINSTANCE hInst = AfxFindStringResourceHandle(nID);
  if (!hInst) return FALSE;
  return str.LoadString(nID);
}

BOOL CJVKResourceManager::LoadMenu(CMenu& menu, UINT nID) {
  return menu.Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID)));
}

BOOL CJVKResourceManager::LoadToolBar(CToolBar* pBar, UINT nID) { return pBar != nullptr && pBar->LoadToolBar(nID); }

BOOL CJVKResourceManager::LoadBitmap(CBitmap& bitmap, UINT nID) {
  return bitmap.Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID)));
}

HCURSOR CJVKResourceManager::LoadCursor(UINT nID) {
  return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
}

LPCDLGTEMPLATE CJVKResourceManager::LoadDialogTemplate(UINT nID) { return LoadDialogTemplate(MAKEINTRESOURCEA(nID)); }

LPCDLGTEMPLATE CJVKResourceManager::LoadDialogTemplate(LPCSTR lpszName) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, lpszName, MAKEINTRESOURCEA(5));
  if (!hRes) return nullptr;
  HGLOBAL hData = ::LoadResource(hInst, hRes);
  return hData ? static_cast<LPCDLGTEMPLATE>(::LockResource(hData)) : nullptr;
}

int CJVKResourceManager::ShowMessageBox(UINT nIDString, UINT nFlags) {
  CString str;
  if (!LoadString(str, nIDString)) return 0;
  return AfxMessageBox(str, nFlags);
}
