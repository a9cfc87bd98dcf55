// CObject: the root of the framework's classes: run-time class information,
// serialisation and validity checks.
#pragma once

#include "RuntimeClass.h"

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

  BOOL IsSerializable() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;

  static CRuntimeClass classCObject;
  static CRuntimeClass* PASCAL GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
};
