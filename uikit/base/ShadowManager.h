// CJVKShadowManager: the process-wide owner of the popup shadow windows.
// This is its start-up and exit: the layered-window entry bound at start-up
// (NULL where the system lacks it), the map and the list of live shadow
// windows, and at exit the deletion of every shadow window still listed. The
// popup bars make, join and remove the shadows.
#pragma once

#include <Framework.h>

class CJVKShadowManager {
 public:
  CJVKShadowManager();
  // Deletes every shadow window still in the list.
  ~CJVKShadowManager();
  CJVKShadowManager(const CJVKShadowManager&) = delete;
  CJVKShadowManager& operator=(const CJVKShadowManager&) = delete;

  BOOL IsLayeredAvailable() const { return m_pfnUpdateLayeredWindow != nullptr; }

  typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
  PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
  // Shadow windows by the bar they belong to.
  CMapPtrToPtr m_mapShadows{10};
  // Every live shadow window (owned).
  CTypedPtrList<CPtrList, CWnd*> m_lstShadows{10};
};

CJVKShadowManager* GetShadowManager();
