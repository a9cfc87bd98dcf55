#include "framework/Object.h"
#include "framework/Exception.h"

namespace {
// This module's registered classes, linked at static initialisation.
AFX_CLASSINIT* g_pFirstClass = nullptr;
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass), m_pNext(g_pFirstClass) {
  g_pFirstClass = this;
}

AFX_CLASSINIT* AFXAPI AfxGetModuleClassList() { return g_pFirstClass; }

CRuntimeClass* AFXAPI AfxFindClassInList(const AFX_CLASSINIT* pFirst, LPCSTR lpszClassName) {
  for (const AFX_CLASSINIT* p = pFirst; p != nullptr; p = p->m_pNext)
    if (strcmp(p->m_pClass->m_lpszClassName, lpszClassName) == 0) return p->m_pClass;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == nullptr) return nullptr;
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (pBaseClass == nullptr) return FALSE;
  // Every module that links the framework has its own copy of the framework's
  // class records, so a class from another module is recognised by its name.
  for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
    if (p == pBaseClass || strcmp(p->m_lpszClassName, pBaseClass->m_lpszClassName) == 0) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == nullptr) return nullptr;
  if (CRuntimeClass* p = AfxFindClassInList(g_pFirstClass, lpszClassName)) return p;
#ifdef _WIN32
  return AfxFindClassInLibraries(lpszClassName);
#else
  return nullptr;
#endif
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* pClass = FromName(lpszClassName);
  return pClass ? pClass->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject) {
  ASSERT(pObject == nullptr || pObject->IsKindOf(pClass));
  (void)pClass;
  return pObject;
}

#include "framework/CmdTarget.h"
IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
