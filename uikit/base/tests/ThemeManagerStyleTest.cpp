#include "ThemeManagerStyle.h"

#include <gtest/gtest.h>

namespace {

int g_nLiveThemes = 0;

class CCountingTheme : public CJVThemeManagerStyle {
 public:
  explicit CCountingTheme(int nNumber) : m_nNumber(nNumber) { ++g_nLiveThemes; }
  ~CCountingTheme() override { --g_nLiveThemes; }
  void RefreshMetrics() override {
    CJVThemeManagerStyle::RefreshMetrics();
    ++m_nRefreshes;
  }
  int m_nNumber;
  int m_nRefreshes = 0;
};

class CTestThemeFactory : public CJVThemeManagerStyleFactory {
  DECLARE_DYNCREATE(CTestThemeFactory)
 public:
  CJVThemeManagerStyle* CreateTheme(int nTheme) override { return new CCountingTheme(nTheme); }
};
IMPLEMENT_DYNCREATE(CTestThemeFactory, CJVThemeManagerStyleFactory)

// A second family, so that the tests of each start from a fresh shared factory.
class COtherThemeFactory : public CTestThemeFactory {
  DECLARE_DYNCREATE(COtherThemeFactory)
};
IMPLEMENT_DYNCREATE(COtherThemeFactory, CTestThemeFactory)

class CTestHost : public CJVThemeManagerStyleHost {
 public:
  explicit CTestHost(CRuntimeClass* pClass = RUNTIME_CLASS(CTestThemeFactory)) : CJVThemeManagerStyleHost(pClass) {}
  void OnThemeChanged() override { ++m_nChanges; }
  CCountingTheme* Theme() { return static_cast<CCountingTheme*>(GetTheme()); }
  int m_nChanges = 0;
};

TEST(ThemeManagerStyle, HostsOfOneFactoryClassShareFactoryAndTheme) {
  CTestHost first, second;
  EXPECT_EQ(first.GetFactory(), second.GetFactory());
  EXPECT_TRUE(CJVThemeManagerStyleRegistry::Get()->IsLive(first.GetFactory()));
  CCountingTheme* pTheme = first.Theme();
  ASSERT_NE(pTheme, nullptr);
  EXPECT_EQ(second.Theme(), pTheme);
  EXPECT_EQ(pTheme->m_pFactory, first.GetFactory());
  EXPECT_EQ(pTheme->m_nRefreshes, 1);
  first.GetFactory()->RefreshMetrics();
  EXPECT_EQ(second.Theme()->m_nRefreshes, 2) << "a refresh through one is seen by both";
}

TEST(ThemeManagerStyle, FirstThemeTakesTheRegistrysCurrentNumber) {
  CJVThemeManagerStyleRegistry::Get()->m_nCurrentTheme = 2;
  CTestHost host(RUNTIME_CLASS(COtherThemeFactory));
  EXPECT_EQ(host.Theme()->m_nNumber, 2);
  CJVThemeManagerStyleRegistry::Get()->m_nCurrentTheme = 0;
}

TEST(ThemeManagerStyle, PrivateThemeLeavesTheOthersSharedAndNullGivesItUp) {
  CTestHost first, second;
  CCountingTheme* pShared = first.Theme();
  const int liveBefore = g_nLiveThemes;

  CCountingTheme* pPrivate = new CCountingTheme(7);
  first.SetTheme(pPrivate);
  EXPECT_TRUE(first.HasPrivateFactory());
  EXPECT_EQ(first.Theme(), pPrivate);
  EXPECT_EQ(pPrivate->m_nRefreshes, 1);
  EXPECT_EQ(second.Theme(), pShared);
  EXPECT_EQ(first.m_nChanges, 1) << "told once, by itself";
  EXPECT_EQ(second.m_nChanges, 0);

  // A theme change of the shared factory reaches only its own hosts.
  second.GetFactory()->SetTheme(new CCountingTheme(3));
  EXPECT_EQ(second.m_nChanges, 1);
  EXPECT_EQ(first.m_nChanges, 1);
  EXPECT_EQ(second.Theme()->m_nNumber, 3);

  first.SetTheme(nullptr);
  EXPECT_FALSE(first.HasPrivateFactory());
  EXPECT_EQ(first.GetFactory(), second.GetFactory());
  EXPECT_EQ(first.Theme()->m_nNumber, 3);
  EXPECT_EQ(g_nLiveThemes, liveBefore) << "the private factory and its theme are gone";
}

TEST(ThemeManagerStyle, DestroyedHostLeavesItsFactorysList) {
  CTestHost survivor;
  CJVThemeManagerStyleFactory* pFactory = survivor.GetFactory();
  {
    CTestHost gone;
    gone.SetTheme(new CCountingTheme(1));
    gone.SetTheme(nullptr);
  }
  pFactory->SetTheme(new CCountingTheme(4));
  EXPECT_EQ(survivor.m_nChanges, 1);
}

}  // namespace
