// Theme objects shared per control family: a factory class per family makes
// theme objects by theme number, one shared factory per factory class lives
// in the process-wide registry, and each themed control embeds a host that
// finds its factory (or a private one) and asks it for the current theme.
#pragma once

#include <Framework.h>

class CJVThemeManagerStyleFactory;
class CJVThemeManagerStyleHost;

// Base of every theme object.
class CJVThemeManagerStyle {
 public:
  CJVThemeManagerStyle() = default;
  virtual ~CJVThemeManagerStyle() = default;
  CJVThemeManagerStyle(const CJVThemeManagerStyle&) = delete;
  CJVThemeManagerStyle& operator=(const CJVThemeManagerStyle&) = delete;
  // Brings the colour table up to date (at most once per 500 ms).
  virtual void RefreshMetrics();

  CJVThemeManagerStyleFactory* m_pFactory = nullptr;
};

class CJVThemeManagerStyleFactory : public CObject {
  DECLARE_DYNCREATE(CJVThemeManagerStyleFactory)
 public:
  // Joins the registry's list of live factories.
  CJVThemeManagerStyleFactory();
  ~CJVThemeManagerStyleFactory() override;
  CJVThemeManagerStyleFactory(const CJVThemeManagerStyleFactory&) = delete;
  CJVThemeManagerStyleFactory& operator=(const CJVThemeManagerStyleFactory&) = delete;

  virtual CJVThemeManagerStyle* CreateTheme(int nTheme);
  virtual void RefreshMetrics();

  // Replaces (and deletes) the current theme object, refreshes the new one
  // and tells every host that uses this factory.
  void SetTheme(CJVThemeManagerStyle* pTheme);
  CJVThemeManagerStyle* GetCurrentTheme() const { return m_pTheme; }

 private:
  friend class CJVThemeManagerStyleHost;
  friend class CJVThemeManagerStyleRegistry;
  void AddHost(CJVThemeManagerStyleHost* pHost);
  void RemoveHost(CJVThemeManagerStyleHost* pHost);

  CJVThemeManagerStyle* m_pTheme = nullptr;
  CJVThemeManagerStyleHost* m_pFirstHost = nullptr;
  CJVThemeManagerStyleFactory* m_pNextFactory = nullptr;
};

// One per process: the shared factory of each factory class.
class CJVThemeManagerStyleRegistry {
 public:
  CJVThemeManagerStyleRegistry() = default;
  ~CJVThemeManagerStyleRegistry();
  CJVThemeManagerStyleRegistry(const CJVThemeManagerStyleRegistry&) = delete;
  CJVThemeManagerStyleRegistry& operator=(const CJVThemeManagerStyleRegistry&) = delete;

  static CJVThemeManagerStyleRegistry* Get();
  // The shared factory of the class, made on first request.
  CJVThemeManagerStyleFactory* GetSharedFactory(CRuntimeClass* pFactoryClass);
  BOOL IsLive(const CJVThemeManagerStyleFactory* pFactory) const;

  // Theme number for a factory's first theme object.
  int m_nCurrentTheme = 0;

 private:
  friend class CJVThemeManagerStyleFactory;
  CMapPtrToPtr m_mapFactories{10};
  CJVThemeManagerStyleFactory* m_pFirstFactory = nullptr;
};

// Embedded in a themed control.
class CJVThemeManagerStyleHost {
 public:
  explicit CJVThemeManagerStyleHost(CRuntimeClass* pFactoryClass);
  virtual ~CJVThemeManagerStyleHost();
  CJVThemeManagerStyleHost(const CJVThemeManagerStyleHost&) = delete;
  CJVThemeManagerStyleHost& operator=(const CJVThemeManagerStyleHost&) = delete;

  virtual CJVThemeManagerStyleFactory* CreateFactory();
  virtual void OnThemeChanged() {}

  // The current theme object of the private factory, else the shared one;
  // made (with the registry's current theme number) when there is none.
  CJVThemeManagerStyle* GetTheme();
  // A non-null theme gives this host a private factory holding it; NULL
  // goes back to the shared factory.
  void SetTheme(CJVThemeManagerStyle* pTheme);
  CJVThemeManagerStyleFactory* GetFactory() const { return m_pPrivateFactory ? m_pPrivateFactory : m_pSharedFactory; }
  BOOL HasPrivateFactory() const { return m_bPrivateFactory; }

 private:
  friend class CJVThemeManagerStyleFactory;
  BOOL m_bPrivateFactory = FALSE;
  CRuntimeClass* m_pFactoryClass;
  CJVThemeManagerStyleFactory* m_pPrivateFactory = nullptr;
  CJVThemeManagerStyleFactory* m_pSharedFactory;
  CJVThemeManagerStyleHost* m_pNextHost = nullptr;
};
