// Interface maps: a command target answers the interfaces of its class's map
// and of its base classes' maps, with one identity and one reference count.
#include <Framework.h>

#include <gtest/gtest.h>

#include <ocidl.h>

namespace {

const CLSID kClassId = {0x6d1a3c30, 0x1b2a, 0x4c5d, {0x9e, 0x01, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}};

bool g_bDeleted = false;

class CPersistTarget : public CCmdTarget {
 public:
  ~CPersistTarget() override { g_bDeleted = true; }
  CLSID m_clsid = kClassId;

  BEGIN_INTERFACE_PART(Persist, IPersist)
  STDMETHOD(GetClassID)(CLSID* pClassID);
  END_INTERFACE_PART(Persist)
  DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CPersistTarget, CCmdTarget)
INTERFACE_PART(CPersistTarget, IID_IPersist, Persist)
END_INTERFACE_MAP()

IMPLEMENT_IUNKNOWN(CPersistTarget, Persist)
STDMETHODIMP CPersistTarget::XPersist::GetClassID(CLSID* pClassID) {
  METHOD_PROLOGUE(CPersistTarget, Persist)
  *pClassID = pThis->m_clsid;
  return S_OK;
}

// Adds a second interface in a derived class's map.
class CWindowTarget : public CPersistTarget {
 public:
  HWND m_hWnd = reinterpret_cast<HWND>(0x1234);

  BEGIN_INTERFACE_PART(OleWindow, IOleWindow)
  STDMETHOD(GetWindow)(HWND* phwnd);
  STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode);
  END_INTERFACE_PART(OleWindow)
  DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CWindowTarget, CPersistTarget)
INTERFACE_PART(CWindowTarget, IID_IOleWindow, OleWindow)
END_INTERFACE_MAP()

IMPLEMENT_IUNKNOWN(CWindowTarget, OleWindow)
STDMETHODIMP CWindowTarget::XOleWindow::GetWindow(HWND* phwnd) {
  METHOD_PROLOGUE(CWindowTarget, OleWindow)
  *phwnd = pThis->m_hWnd;
  return S_OK;
}
STDMETHODIMP CWindowTarget::XOleWindow::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

TEST(InterfaceMapTest, PartsReachTheirOwnerAndAnswerEachOtherWithOneIdentity) {
  CWindowTarget* pTarget = new CWindowTarget;
  IOleWindow* pWindow = nullptr;
  ASSERT_EQ(pTarget->ExternalQueryInterface(&IID_IOleWindow, reinterpret_cast<void**>(&pWindow)), S_OK);
  HWND hWnd = nullptr;
  EXPECT_EQ(pWindow->GetWindow(&hWnd), S_OK);
  EXPECT_EQ(hWnd, pTarget->m_hWnd);

  // The base class's interface, asked through the derived class's part.
  IPersist* pPersist = nullptr;
  ASSERT_EQ(pWindow->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&pPersist)), S_OK);
  CLSID clsid = {};
  EXPECT_EQ(pPersist->GetClassID(&clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kClassId));

  IUnknown* pFromWindow = nullptr;
  IUnknown* pFromPersist = nullptr;
  ASSERT_EQ(pWindow->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromWindow)), S_OK);
  ASSERT_EQ(pPersist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pFromPersist)), S_OK);
  EXPECT_EQ(pFromWindow, pFromPersist);
  EXPECT_EQ(pFromWindow, pTarget->GetControllingUnknown());

  void* pNone = reinterpret_cast<void*>(1);
  EXPECT_EQ(pPersist->QueryInterface(IID_IDataObject, &pNone), E_NOINTERFACE);
  EXPECT_EQ(pNone, nullptr);
  EXPECT_EQ(pPersist->QueryInterface(IID_IDataObject, nullptr), E_POINTER);

  for (IUnknown* p : {static_cast<IUnknown*>(pWindow), static_cast<IUnknown*>(pPersist), pFromWindow, pFromPersist})
    p->Release();
  pTarget->InternalRelease();
}

TEST(InterfaceMapTest, TheOwnersCountGovernsTheLifetime) {
  g_bDeleted = false;
  CPersistTarget* pTarget = new CPersistTarget;  // count 1
  IPersist* pPersist = nullptr;
  ASSERT_EQ(pTarget->ExternalQueryInterface(&IID_IPersist, reinterpret_cast<void**>(&pPersist)), S_OK);
  EXPECT_EQ(pTarget->m_dwRef, 2);
  EXPECT_EQ(pPersist->AddRef(), 3u);
  EXPECT_EQ(pPersist->Release(), 2u);
  pTarget->InternalRelease();
  EXPECT_FALSE(g_bDeleted) << "deleted while an interface was still held";
  EXPECT_EQ(pPersist->Release(), 0u);
  EXPECT_TRUE(g_bDeleted);
}

TEST(InterfaceMapTest, ACommandTargetWithoutAMapAnswersNothing) {
  CCmdTarget target;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(target.ExternalQueryInterface(&IID_IUnknown, &p), static_cast<DWORD>(E_NOINTERFACE));
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(target.GetControllingUnknown(), nullptr);
}

}  // namespace
