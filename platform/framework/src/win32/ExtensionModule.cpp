#include "framework/ExtensionModule.h"
#include "framework/String.h"

#include "ProcessState.h"
#include "ResourceStrings.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

// ------------------------------------------------------------ resources

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  HINSTANCE hInst = AfxGetResourceHandle();
  if (FindResourceA(hInst, lpszName, lpszType) != nullptr) return hInst;
  CProcessStateLock state;
  for (int pass = 0; pass < 2; ++pass)  // libraries first, then system libraries
    for (CDynLinkLibrary* p = state->pFirstDLL; p != nullptr; p = p->m_pNextDLL)
      if (p->m_bSystem == (pass == 1) && p->m_hResource != nullptr &&
          FindResourceA(p->m_hResource, lpszName, lpszType) != nullptr)
        return p->m_hResource;
  return nullptr;
}

const WCHAR* AfxFindStringInModule(HINSTANCE hModule, UINT nID, int* pnLength) {
  *pnLength = 0;
  HRSRC hRes = FindResourceA(hModule, MAKEINTRESOURCEA((nID >> 4) + 1), reinterpret_cast<LPCSTR>(RT_STRING));
  if (hRes == nullptr) return nullptr;
  HGLOBAL hGlobal = LoadResource(hModule, hRes);
  DWORD dwSize = SizeofResource(hModule, hRes);
  const WCHAR* p = hGlobal ? static_cast<const WCHAR*>(LockResource(hGlobal)) : nullptr;
  if (p == nullptr) return nullptr;
  const WCHAR* pEnd = p + dwSize / sizeof(WCHAR);
  for (UINT i = 0; i < (nID & 15); ++i) {
    if (p >= pEnd) return nullptr;
    p += 1 + *p;
  }
  if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd) return nullptr;
  *pnLength = *p;
  return p + 1;
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID) {
  int nLength;
  HINSTANCE hInst = AfxGetResourceHandle();
  if (AfxFindStringInModule(hInst, nID, &nLength) != nullptr) return hInst;
  CProcessStateLock state;
  for (int pass = 0; pass < 2; ++pass)
    for (CDynLinkLibrary* p = state->pFirstDLL; p != nullptr; p = p->m_pNextDLL)
      if (p->m_bSystem == (pass == 1) && p->m_hResource != nullptr &&
          AfxFindStringInModule(p->m_hResource, nID, &nLength) != nullptr)
        return p->m_hResource;
  return nullptr;
}

int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf) {
  ENSURE_ARG(lpszBuf != nullptr && nMaxBuf > 0);
  CString text;
  text.LoadString(nID);
  UINT n = static_cast<UINT>(text.GetLength());
  if (n >= nMaxBuf) n = nMaxBuf - 1;  // truncated, always terminated
  memcpy(lpszBuf, static_cast<LPCTSTR>(text), n);
  lpszBuf[n] = 0;
  return static_cast<int>(n);
}

// -------------------------------------------------------------- classes

CRuntimeClass* AFXAPI AfxFindClassInLibraries(LPCSTR lpszClassName) {
  CProcessStateLock state;
  for (CDynLinkLibrary* p = state->pFirstDLL; p != nullptr; p = p->m_pNextDLL)
    if (CRuntimeClass* pClass = AfxFindClassInList(p->m_pFirstClass, lpszClassName)) return pClass;
  return nullptr;
}

// ------------------------------------------------------------ libraries

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  if (hModule == nullptr) return FALSE;
  state.hModule = hModule;
  state.hResource = hModule;
  // The library's own copy of the framework holds its class list.
  state.pFirstSharedClass = AfxGetModuleClassList();
  state.bInitialized = TRUE;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized && !bAll) return;
  for (;;) {
    CDynLinkLibrary* pVictim = nullptr;
    {
      CProcessStateLock lock;
      for (CDynLinkLibrary* p = lock->pFirstDLL; p != nullptr; p = p->m_pNextDLL)
        if (bAll || p->m_hModule == state.hModule) {
          pVictim = p;
          break;
        }
    }
    if (pVictim == nullptr) break;
    delete pVictim;  // unlinks itself
  }
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule),
      m_hResource(state.hResource),
      m_pFirstClass(state.pFirstSharedClass),
      m_bSystem(bSystem),
      m_pNextDLL(nullptr) {
  CProcessStateLock lock;
  // Appended, so libraries are searched in the order they were linked.
  CDynLinkLibrary** pp = &lock->pFirstDLL;
  while (*pp != nullptr) pp = &(*pp)->m_pNextDLL;
  *pp = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_pFirstClass(nullptr), m_bSystem(FALSE), m_pNextDLL(nullptr) {
  CProcessStateLock lock;
  CDynLinkLibrary** pp = &lock->pFirstDLL;
  while (*pp != nullptr) pp = &(*pp)->m_pNextDLL;
  *pp = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  CProcessStateLock lock;
  for (CDynLinkLibrary** pp = &lock->pFirstDLL; *pp != nullptr; pp = &(*pp)->m_pNextDLL)
    if (*pp == this) {
      *pp = m_pNextDLL;
      break;
    }
}
