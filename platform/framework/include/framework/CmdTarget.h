// CCmdTarget: the base of objects that take part in command routing, and of
// reference-counted objects (InternalAddRef/InternalRelease; the last release
// calls OnFinalRelease, which deletes the object). Command routing itself is
// added by the window layer.
#pragma once

#include "Object.h"

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

  LONG m_dwRef;
};
