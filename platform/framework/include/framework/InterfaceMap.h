// Interface maps: the COM interfaces a CCmdTarget answers. Each interface is
// a nested part object whose methods reach the owner through
// METHOD_PROLOGUE; the owner's reference count governs the lifetime.
//
//   class CThing : public CCmdTarget {
//     BEGIN_INTERFACE_PART(Persist, IPersist)
//       STDMETHOD(GetClassID)(CLSID* pClassID);
//     END_INTERFACE_PART(Persist)
//     DECLARE_INTERFACE_MAP()
//   };
//   BEGIN_INTERFACE_MAP(CThing, CCmdTarget)
//     INTERFACE_PART(CThing, IID_IPersist, Persist)
//   END_INTERFACE_MAP()
//   IMPLEMENT_IUNKNOWN(CThing, Persist)       // AddRef, Release, QueryInterface
//   STDMETHODIMP CThing::XPersist::GetClassID(CLSID* pClassID) {
//     METHOD_PROLOGUE(CThing, Persist)
//     *pClassID = pThis->m_clsid; ...
//   }
//
// QueryInterface of a part goes to the owner's ExternalQueryInterface, which
// walks the class's map and then its base classes' maps; IID_IUnknown gives
// the first interface of the map, so every part answers with one identity.
#pragma once

#include <objbase.h>

#include <cstddef>

struct AFX_INTERFACEMAP_ENTRY {
  const void* piid;  // null ends the map
  size_t nOffset;    // of the part object within the class
};

struct AFX_INTERFACEMAP {
  const AFX_INTERFACEMAP*(PASCAL* pfnGetBaseMap)();
  const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// The part objects sit at fixed offsets in classes with virtual functions;
// the compilers warn about offsetof there but compute it as expected.
#define AFX_OFFSETOF_PART(theClass, member)                                                         \
  ([]() {                                                                                           \
    _Pragma("GCC diagnostic push")                                                                  \
        _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"") return offsetof(theClass, member); \
    _Pragma("GCC diagnostic pop")                                                                   \
  }())

#define DECLARE_INTERFACE_MAP()                                \
 protected:                                                    \
  static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap(); \
  const AFX_INTERFACEMAP* GetInterfaceMap() const override;    \
                                                               \
 public:

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                              \
  const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
  const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap() {                            \
    typedef baseClass TheBaseClass;                                                           \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {
#define INTERFACE_PART(theClass, iid, localClass) {&iid, AFX_OFFSETOF_PART(theClass, m_x##localClass)},
#define END_INTERFACE_MAP()                                                                                 \
  { nullptr, static_cast<size_t>(-1) }                                                                      \
  }                                                                                                         \
  ;                                                                                                         \
  static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]}; \
  return &interfaceMap;                                                                                     \
  }

// A part object: a class X<localClass> deriving from the interface, with
// IUnknown declared; the member m_x<localClass> is its instance.
#define BEGIN_INTERFACE_PART(localClass, baseClass) \
  class X##localClass : public baseClass {          \
   public:                                          \
    STDMETHOD_(ULONG, AddRef)();                    \
    STDMETHOD_(ULONG, Release)();                   \
    STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj);
#define INIT_INTERFACE_PART(theClass, localClass)
#define END_INTERFACE_PART(localClass) \
  }                                    \
  m_x##localClass;                     \
  friend class X##localClass;

// Inside a method of a part: pThis is the owning object.
#define METHOD_PROLOGUE(theClass, localClass)                                                                    \
  theClass* pThis =                                                                                              \
      reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - AFX_OFFSETOF_PART(theClass, m_x##localClass)); \
  (void)pThis;
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)

// The usual IUnknown of a part: everything goes to the owner.
#define IMPLEMENT_IUNKNOWN(theClass, localClass)                                     \
  STDMETHODIMP_(ULONG) theClass::X##localClass::AddRef() {                           \
    METHOD_PROLOGUE(theClass, localClass)                                            \
    return pThis->ExternalAddRef();                                                  \
  }                                                                                  \
  STDMETHODIMP_(ULONG) theClass::X##localClass::Release() {                          \
    METHOD_PROLOGUE(theClass, localClass)                                            \
    return pThis->ExternalRelease();                                                 \
  }                                                                                  \
  STDMETHODIMP theClass::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj) { \
    METHOD_PROLOGUE(theClass, localClass)                                            \
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));        \
  }
#define METHOD_PROLOGUE_EX_(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
