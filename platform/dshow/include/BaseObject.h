// Counts the live COM objects of the module, so that DllCanUnloadNow knows
// whether the library is still in use.
#pragma once

#include <windows.h>

class CBaseObject {
 public:
  explicit CBaseObject(LPCTSTR pName);
  virtual ~CBaseObject();
  CBaseObject(const CBaseObject&) = delete;
  CBaseObject& operator=(const CBaseObject&) = delete;

  static LONG ObjectsActive() { return m_cObjects; }

 private:
  static LONG volatile m_cObjects;
};
