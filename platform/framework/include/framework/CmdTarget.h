// CCmdTarget: the base of objects that take part in command routing, and of
// reference-counted objects (InternalAddRef/InternalRelease; the last release
// calls OnFinalRelease, which deletes the object). On Windows it carries the
// message map (MessageMap.h) and OnCmdMsg, which finds and calls the
// handler of a command, an update-command-UI request or a notification.
#pragma once

#include "Object.h"
#ifdef _WIN32
#include "InterfaceMap.h"
#include "MessageMap.h"
#endif

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() : m_dwRef(1) {}
  ~CCmdTarget() override = default;

  DWORD InternalAddRef() { return static_cast<DWORD>(__atomic_add_fetch(&m_dwRef, 1, __ATOMIC_ACQ_REL)); }
  DWORD InternalRelease() {
    LONG nRef = __atomic_sub_fetch(&m_dwRef, 1, __ATOMIC_ACQ_REL);
    if (nRef == 0) OnFinalRelease();
    return static_cast<DWORD>(nRef);
  }
  virtual void OnFinalRelease() { delete this; }

#ifdef _WIN32
  // Routes a command (nCode CN_COMMAND or a control notification code), an
  // update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a
  // notification (MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY) to this
  // object's handler. With pHandlerInfo, only says whether one exists.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // Turns the wait cursor on (nCode 1), off (-1) or back on after a
  // message box (0).
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // COM interfaces of the interface map (InterfaceMap.h). The results are
  // HRESULTs and reference counts.
  LPUNKNOWN GetInterface(const void* iid);  // no reference added
  LPUNKNOWN GetControllingUnknown();
  DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
  DWORD ExternalAddRef() { return InternalAddRef(); }
  DWORD ExternalRelease() { return InternalRelease(); }
  DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj) { return InternalQueryInterface(iid, ppvObj); }

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // Finds the entry for the message, code and id in the map and its bases.
  static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);
  static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();
  virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
#endif

 public:
  LONG m_dwRef;
};
