// Run-time class records: the name, size, schema and creator of a class
// derived from CObject, and the macros that declare and define them.
#pragma once

#include "Defs.h"

class CObject;
class CArchive;

// A schema ORed with this flag accepts older schema numbers on loading; the
// object then asks the archive for the stored number (GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: the class cannot be serialised
  CObject*(PASCAL* m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // Classes registered by this module and by the extension libraries linked
  // into it (CDynLinkLibrary), found by their exact name.
  static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
  static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

  // The class record of an archive: schema (16 bits), name length (16 bits),
  // name characters.
  void Store(CArchive& ar) const;
  static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// One node of a module's list of registered classes; the IMPLEMENT_ macros
// define one per class, which links itself in during static initialisation.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
  CRuntimeClass* m_pClass;
  AFX_CLASSINIT* m_pNext;
};

// Head of this module's class list (each module that links the framework has
// its own; extension libraries hand theirs over through CDynLinkLibrary).
AFX_CLASSINIT* AFXAPI AfxGetModuleClassList();
CRuntimeClass* AFXAPI AfxFindClassInList(const AFX_CLASSINIT* pFirst, LPCSTR lpszClassName);

#ifdef _WIN32
// Searches the classes of the extension libraries linked in (CDynLinkLibrary).
CRuntimeClass* AFXAPI AfxFindClassInLibraries(LPCSTR lpszClassName);
#endif

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);

template <class T>
CArchive& AfxReadObjectInto(CArchive& ar, T*& pOb);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                          \
 public:                                                                     \
  static CRuntimeClass class##class_name;                                    \
  static CRuntimeClass* PASCAL GetThisClass() { return &class##class_name; } \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb) { return AfxReadObjectInto(ar, pOb); }

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                             \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), wSchema, pfnNew, \
                                                 RUNTIME_CLASS(base_class_name)};                        \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }               \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                \
  CObject* PASCAL class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)          \
  CObject* PASCAL class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

#define DYNAMIC_DOWNCAST(class_name, object) ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object)))
#define STATIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))
