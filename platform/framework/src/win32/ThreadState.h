// Per-thread state of this module's copy of the framework: the handle maps
// (permanent and temporary objects for windows, DCs, GDI objects, menus and
// image lists), the window being created, the message being handled.
#pragma once

#include <windows.h>

#include <unordered_map>

class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CImageList;
class CToolTipCtrl;

// Handle -> object. Permanent entries belong to objects that own their
// handle; temporary ones are made by FromHandle and freed at idle time.
template <class T>
class CHandleMap {
 public:
  T* LookupPermanent(void* h) const {
    auto it = m_permanent.find(h);
    return it == m_permanent.end() ? nullptr : it->second;
  }
  T* LookupTemporary(void* h) const {
    auto it = m_temporary.find(h);
    return it == m_temporary.end() ? nullptr : it->second;
  }
  // The object of a handle: the one that owns it, or else a temporary one
  // (made here, given the handle by setHandle, freed at idle time).
  template <class F>
  T* FromHandle(void* h, F setHandle) {
    if (T* p = LookupPermanent(h)) return p;
    if (T* p = LookupTemporary(h)) return p;
    T* p = new T;
    setHandle(p);
    SetTemporary(h, p);
    return p;
  }
  void SetPermanent(void* h, T* p) { m_permanent[h] = p; }
  void SetTemporary(void* h, T* p) { m_temporary[h] = p; }
  // Removes the handle's entry (permanent or temporary) that belongs to p.
  void RemoveHandle(void* h, T* p) {
    auto it = m_permanent.find(h);
    if (it != m_permanent.end() && it->second == p) m_permanent.erase(it);
    auto jt = m_temporary.find(h);
    if (jt != m_temporary.end() && jt->second == p) m_temporary.erase(jt);
  }
  // Deletes every temporary object; pfnRelease clears its handle first so
  // that the handle itself survives.
  template <class F>
  void DeleteTemp(F pfnRelease) {
    std::unordered_map<void*, T*> temp;
    temp.swap(m_temporary);
    for (auto& entry : temp) {
      pfnRelease(entry.second);
      delete entry.second;
    }
  }
  size_t TemporaryCount() const { return m_temporary.size(); }

 private:
  std::unordered_map<void*, T*> m_permanent;
  std::unordered_map<void*, T*> m_temporary;
};

struct AFX_THREAD_STATE {
  CHandleMap<CWnd> windows;
  CHandleMap<CDC> dcs;
  CHandleMap<CGdiObject> gdiObjects;
  CHandleMap<CMenu> menus;
  CHandleMap<CImageList> imageLists;

  CWnd* pWndInit = nullptr;  // the window CreateEx/Create is making
  HHOOK hHookCbtFilter = nullptr;
  MSG lastSentMsg = {};                 // the message the window procedure handles
  HWND hLockoutNotifyWindow = nullptr;  // UpdateData running: ignore its control notifications
  CToolTipCtrl* pToolTip = nullptr;     // EnableToolTips
  HWND hWndLastHit = nullptr;
  INT_PTR nLastHit = -1;
  MSG msgCur = {};                 // AfxPumpMessage without a thread object
  HHOOK hHookMsgFilter = nullptr;  // keyboard filter for a DLL's modeless dialogs
  int nModelessDialogs = 0;
};

// A modeless dialog of a DLL gets its keyboard navigation from a message
// filter on its thread, whatever loop the host runs (the host's loop does
// not know the DLL's windows). Counted per thread; the last one removes it.
void AfxAddModelessFilter(CWnd* pWnd);
void AfxRemoveModelessFilter(CWnd* pWnd);

AFX_THREAD_STATE* AfxGetThreadState();
// The thread's state when it has one; null otherwise (none is made).
AFX_THREAD_STATE* AfxPeekThreadState();

// Unties an object from its handle h (in the thread's map `map`) and clears
// h; returns the handle. The Detach of every kind of object.
template <class T, class H>
H AfxDetachHandle(CHandleMap<T> AFX_THREAD_STATE::*map, H& h, T* p) {
  H hOld = h;
  if (hOld != nullptr) (AfxGetThreadState()->*map).RemoveHandle(hOld, p);
  h = nullptr;
  return hOld;
}
// Calls the window object's WindowProc as the window procedure does: with
// the current message recorded and framework exceptions stopped there.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Frees the thread's state (at the end of a thread that used windows).
void AfxTermThreadState();
