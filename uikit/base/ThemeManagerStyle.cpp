#include "ThemeManagerStyle.h"

#include "ColorManager.h"

void CJVThemeManagerStyle::RefreshMetrics() { RefreshColorManager(); }

// ------------------------------------------------------------------ registry

namespace {

// Deleted at exit; factories that outlive it find it gone.
CJVThemeManagerStyleRegistry* g_pRegistry = nullptr;

struct RegistryCleanup {
  ~RegistryCleanup() {
    delete g_pRegistry;
    g_pRegistry = nullptr;
  }
} g_registryCleanup;

}  // namespace

CJVThemeManagerStyleRegistry* CJVThemeManagerStyleRegistry::Get() {
  if (!g_pRegistry) g_pRegistry = new CJVThemeManagerStyleRegistry;
  return g_pRegistry;
}

CJVThemeManagerStyleRegistry::~CJVThemeManagerStyleRegistry() {
  POSITION pos = m_mapFactories.GetStartPosition();
  while (pos) {
    void* pClass;
    void* pFactory;
    m_mapFactories.GetNextAssoc(pos, pClass, pFactory);
    // Unlinked first so that its destructor finds nothing to leave.
    CJVThemeManagerStyleFactory* p = static_cast<CJVThemeManagerStyleFactory*>(pFactory);
    for (CJVThemeManagerStyleFactory** pp = &m_pFirstFactory; *pp; pp = &(*pp)->m_pNextFactory) {
      if (*pp == p) {
        *pp = p->m_pNextFactory;
        break;
      }
    }
    delete p;
  }
  m_mapFactories.RemoveAll();
  m_pFirstFactory = nullptr;
}

CJVThemeManagerStyleFactory* CJVThemeManagerStyleRegistry::GetSharedFactory(CRuntimeClass* pFactoryClass) {
  void* pFactory = nullptr;
  if (!m_mapFactories.Lookup(pFactoryClass, pFactory)) {
    pFactory = pFactoryClass->CreateObject();
    m_mapFactories.SetAt(pFactoryClass, pFactory);
  }
  return static_cast<CJVThemeManagerStyleFactory*>(pFactory);
}

BOOL CJVThemeManagerStyleRegistry::IsLive(const CJVThemeManagerStyleFactory* pFactory) const {
  for (const CJVThemeManagerStyleFactory* p = m_pFirstFactory; p; p = p->m_pNextFactory)
    if (p == pFactory) return TRUE;
  return FALSE;
}

// ------------------------------------------------------------------- factory

IMPLEMENT_DYNCREATE(CJVThemeManagerStyleFactory, CObject)

CJVThemeManagerStyleFactory::CJVThemeManagerStyleFactory() {
  CJVThemeManagerStyleRegistry* pRegistry = CJVThemeManagerStyleRegistry::Get();
  m_pNextFactory = pRegistry->m_pFirstFactory;
  pRegistry->m_pFirstFactory = this;
}

CJVThemeManagerStyleFactory::~CJVThemeManagerStyleFactory() {
  delete m_pTheme;
  if (!g_pRegistry) return;
  for (CJVThemeManagerStyleFactory** pp = &g_pRegistry->m_pFirstFactory; *pp; pp = &(*pp)->m_pNextFactory) {
    if (*pp == this) {
      *pp = m_pNextFactory;
      break;
    }
  }
}

CJVThemeManagerStyle* CJVThemeManagerStyleFactory::CreateTheme(int) { return nullptr; }

void CJVThemeManagerStyleFactory::RefreshMetrics() {
  if (m_pTheme) m_pTheme->RefreshMetrics();
}

void CJVThemeManagerStyleFactory::SetTheme(CJVThemeManagerStyle* pTheme) {
  delete m_pTheme;
  m_pTheme = pTheme;
  if (pTheme) {
    pTheme->m_pFactory = this;
    pTheme->RefreshMetrics();
  }
  for (CJVThemeManagerStyleHost* pHost = m_pFirstHost; pHost; pHost = pHost->m_pNextHost) pHost->OnThemeChanged();
}

void CJVThemeManagerStyleFactory::AddHost(CJVThemeManagerStyleHost* pHost) {
  pHost->m_pNextHost = m_pFirstHost;
  m_pFirstHost = pHost;
}

void CJVThemeManagerStyleFactory::RemoveHost(CJVThemeManagerStyleHost* pHost) {
  for (CJVThemeManagerStyleHost** pp = &m_pFirstHost; *pp; pp = &(*pp)->m_pNextHost) {
    if (*pp == pHost) {
      *pp = pHost->m_pNextHost;
      pHost->m_pNextHost = nullptr;
      return;
    }
  }
}

// ---------------------------------------------------------------------- host

CJVThemeManagerStyleHost::CJVThemeManagerStyleHost(CRuntimeClass* pFactoryClass)
    : m_pFactoryClass(pFactoryClass),
      m_pSharedFactory(CJVThemeManagerStyleRegistry::Get()->GetSharedFactory(pFactoryClass)) {
  m_pSharedFactory->AddHost(this);
}

CJVThemeManagerStyleHost::~CJVThemeManagerStyleHost() {
  // A shared factory is gone once the registry is (process exit).
  if (m_pPrivateFactory || g_pRegistry) GetFactory()->RemoveHost(this);
  delete m_pPrivateFactory;
}

CJVThemeManagerStyleFactory* CJVThemeManagerStyleHost::CreateFactory() {
  return static_cast<CJVThemeManagerStyleFactory*>(m_pFactoryClass->CreateObject());
}

CJVThemeManagerStyle* CJVThemeManagerStyleHost::GetTheme() {
  CJVThemeManagerStyleFactory* pFactory = GetFactory();
  if (!pFactory->m_pTheme) {
    CJVThemeManagerStyle* pTheme = pFactory->CreateTheme(CJVThemeManagerStyleRegistry::Get()->m_nCurrentTheme);
    pFactory->m_pTheme = pTheme;
    if (pTheme) {
      pTheme->m_pFactory = pFactory;
      pTheme->RefreshMetrics();
    }
  }
  return pFactory->m_pTheme;
}

void CJVThemeManagerStyleHost::SetTheme(CJVThemeManagerStyle* pTheme) {
  GetFactory()->RemoveHost(this);
  delete m_pPrivateFactory;
  m_pPrivateFactory = nullptr;
  m_bPrivateFactory = FALSE;
  if (pTheme) {
    m_pPrivateFactory = CreateFactory();
    m_pPrivateFactory->SetTheme(pTheme);
    m_bPrivateFactory = TRUE;
  }
  OnThemeChanged();
  GetFactory()->AddHost(this);
}
