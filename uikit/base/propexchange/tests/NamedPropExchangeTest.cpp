// The base behaviour of exchangers whose values are named, through a small
// exchanger that keeps named values as text in a map.
#include "PropExchange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

class CPxNamedSample : public CObject {
  DECLARE_SERIAL(CPxNamedSample)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_nValue;
    else
      ar >> m_nValue;
  }
  LONG m_nValue = 0;
};
IMPLEMENT_SERIAL(CPxNamedSample, CObject, 1)

class CPxNamedOther : public CObject {
  DECLARE_DYNCREATE(CPxNamedOther)
};
IMPLEMENT_DYNCREATE(CPxNamedOther, CObject)

namespace {

using ValueMap = std::map<std::string, std::string>;

class CNamedValues : public CJVKPropExchange {
 public:
  CNamedValues(ValueMap& values, BOOL bLoading, std::string prefix = "")
      : CJVKPropExchange(bLoading), m_values(values), m_prefix(std::move(prefix)) {}

  BOOL ExchangeValue(LPCTSTR pszName, int nType, void* pValue, const void* pDefault) override {
    std::string key = m_prefix + pszName;
    if (!m_bLoading) {
      m_values[key] = Format(nType, pValue);
      return TRUE;
    }
    auto it = m_values.find(key);
    if (it != m_values.end()) return Parse(nType, it->second, pValue);
    if (pDefault == nullptr) return TRUE;
    if (nType == JVKPX_STRING)
      *static_cast<CString*>(pValue) = static_cast<LPCTSTR>(pDefault);
    else
      memcpy(pValue, pDefault, nType == JVKPX_RECT ? sizeof(RECT) : nType == JVKPX_SIZE ? sizeof(SIZE) : sizeof(LONG));
    return TRUE;
  }
  CJVKPropExchange* OpenSection(LPCTSTR pszName) override {
    CNamedValues* pSection = new CNamedValues(m_values, m_bLoading, m_prefix + pszName + "\\");
    InitSection(pSection);
    return pSection;
  }

 private:
  static std::string Format(int nType, const void* pValue) {
    switch (nType) {
      case JVKPX_STRING: return static_cast<LPCTSTR>(*static_cast<const CString*>(pValue));
      case JVKPX_RECT: {
        const RECT& rc = *static_cast<const RECT*>(pValue);
        return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
               std::to_string(rc.bottom);
      }
      case JVKPX_SIZE: {
        const SIZE& sz = *static_cast<const SIZE*>(pValue);
        return std::to_string(sz.cx) + "," + std::to_string(sz.cy);
      }
      default: return std::to_string(*static_cast<const LONG*>(pValue));
    }
  }
  static BOOL Parse(int nType, const std::string& text, void* pValue) {
    switch (nType) {
      case JVKPX_STRING: *static_cast<CString*>(pValue) = text.c_str(); return TRUE;
      case JVKPX_RECT: {
        int l, t, r, b;
        if (sscanf(text.c_str(), "%d,%d,%d,%d", &l, &t, &r, &b) != 4) return FALSE;
        *static_cast<RECT*>(pValue) = RECT{l, t, r, b};
        return TRUE;
      }
      case JVKPX_SIZE: {
        int cx, cy;
        if (sscanf(text.c_str(), "%d,%d", &cx, &cy) != 2) return FALSE;
        *static_cast<SIZE*>(pValue) = SIZE{cx, cy};
        return TRUE;
      }
      default: *static_cast<LONG*>(pValue) = static_cast<LONG>(std::stol(text)); return TRUE;
    }
  }

  ValueMap& m_values;
  std::string m_prefix;
};

TEST(NamedPropExchange, MissingValuesTakeTheirDefaultsAndNullDefaultsKeepTheField) {
  ValueMap empty;
  CNamedValues px(empty, TRUE);
  LONG nGiven = 1, nKept = 17;
  BOOL bValue = FALSE;
  CString strGiven, strKept = "kept";
  SIZE sz = {};
  RECT rc = {};
  EXPECT_TRUE(PX_Long(&px, "Given", nGiven, 99));
  EXPECT_TRUE(PX_Long(&px, "Kept", nKept));
  EXPECT_TRUE(PX_Bool(&px, "Flag", bValue, TRUE));
  EXPECT_TRUE(PX_String(&px, "Name", strGiven, "Standard"));
  EXPECT_TRUE(PX_String(&px, "Other", strKept));
  EXPECT_TRUE(PX_Size(&px, "Size", sz, SIZE{16, 15}));
  EXPECT_TRUE(PX_Rect(&px, "Borders", rc, RECT{1, 2, 3, 4}));
  EXPECT_EQ(99, nGiven);
  EXPECT_EQ(17, nKept);
  EXPECT_EQ(TRUE, bValue);
  EXPECT_STREQ("Standard", strGiven);
  EXPECT_STREQ("kept", strKept);
  EXPECT_EQ(16, sz.cx);
  EXPECT_EQ(15, sz.cy);
  EXPECT_EQ(4, rc.bottom);
  px.ExchangeSchema();
  EXPECT_EQ(9u, px.m_dwSchema);
  EXPECT_TRUE(px.CanSkipDefaults());
  EXPECT_FALSE(px.IsBinaryForm());
}

TEST(NamedPropExchange, BinaryBlockTravelsAsLetterPairsLowNibbleFirst) {
  ValueMap values;
  CNamedValues store(values, FALSE);
  const BYTE data[] = {0x00, 0x1F, 0xF0};
  void* p = const_cast<BYTE*>(data);
  DWORD n = sizeof(data);
  ASSERT_TRUE(store.ExchangeBinary("Block", p, n));
  EXPECT_EQ("AAPBAP", values["Block"]);

  CNamedValues load(values, TRUE);
  void* pLoaded = nullptr;
  DWORD nLoaded = 0;
  ASSERT_TRUE(load.ExchangeBinary("Block", pLoaded, nLoaded));
  ASSERT_EQ(3u, nLoaded);
  EXPECT_EQ(0, memcmp(pLoaded, data, 3));
  free(pLoaded);

  BYTE small[2] = {};
  void* pSmall = small;
  DWORD nSmall = sizeof(small);
  EXPECT_FALSE(load.ExchangeBinary("Block", pSmall, nSmall));
  BYTE exact[3] = {};
  EXPECT_EQ(0u, load.ReadBinary("Block", exact, 2));
  EXPECT_EQ(3u, load.ReadBinary("Block", exact, 3));
  EXPECT_EQ(0xF0, exact[2]);
}

TEST(NamedPropExchange, MalformedOrEmptyLetterStringsAreHandled) {
  struct Case {
    const char* text;
    BOOL ok;
  };
  const Case cases[] = {{"AAB", FALSE}, {"AZ", FALSE}, {"aa", FALSE}, {"A@", FALSE}, {"", TRUE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ValueMap values = {{"Block", c.text}};
    CNamedValues load(values, TRUE);
    void* p = nullptr;
    DWORD n = 5;
    EXPECT_EQ(c.ok, load.ExchangeBinary("Block", p, n));
    EXPECT_EQ(nullptr, p);  // an empty string leaves data and size alone
    EXPECT_EQ(5u, n);
  }
}

TEST(NamedPropExchange, ClassesTravelByNameAndUnknownNamesFail) {
  ValueMap values;
  CNamedValues store(values, FALSE);
  CRuntimeClass* pClass = RUNTIME_CLASS(CPxNamedSample);
  ASSERT_TRUE(store.ExchangeClass("Class", pClass, nullptr));
  EXPECT_EQ("CPxNamedSample", values["Class"]);

  CNamedValues load(values, TRUE);
  CRuntimeClass* pLoaded = nullptr;
  ASSERT_TRUE(load.ExchangeClass("Class", pLoaded, nullptr));
  EXPECT_EQ(RUNTIME_CLASS(CPxNamedSample), pLoaded);
  ASSERT_TRUE(load.ExchangeClass("Absent", pLoaded, RUNTIME_CLASS(CPxNamedOther)));
  EXPECT_EQ(RUNTIME_CLASS(CPxNamedOther), pLoaded);

  values["Class"] = "CNoSuchClass";
  EXPECT_FALSE(load.ExchangeClass("Class", pLoaded, nullptr));
}

TEST(NamedPropExchange, ObjectIsCreatedFromItsClassAndAWrongClassFails) {
  ValueMap values;
  CNamedValues store(values, FALSE);
  CPxNamedSample sample;
  CObject* pObject = &sample;
  ASSERT_TRUE(store.ExchangeObject(pObject, RUNTIME_CLASS(CPxNamedSample)));
  EXPECT_EQ("CPxNamedSample", values["Class"]);

  CNamedValues load(values, TRUE);
  CObject* pLoaded = nullptr;
  ASSERT_TRUE(load.ExchangeObject(pLoaded, RUNTIME_CLASS(CPxNamedSample)));
  ASSERT_NE(nullptr, pLoaded);
  EXPECT_TRUE(pLoaded->IsKindOf(RUNTIME_CLASS(CPxNamedSample)));
  delete pLoaded;

  values["Class"] = "CPxNamedOther";
  pLoaded = nullptr;
  EXPECT_FALSE(load.ExchangeObject(pLoaded, RUNTIME_CLASS(CPxNamedSample)));
  EXPECT_EQ(nullptr, pLoaded);
}

TEST(NamedPropExchange, ObjectSerializesIntoABlockUnderItsKey) {
  ValueMap values;
  CNamedValues store(values, FALSE);
  CPxNamedSample sample;
  sample.m_nValue = 0x1F;
  ASSERT_TRUE(PX_Object(&store, "Data", &sample));
  EXPECT_EQ("PBAAAAAA", values["Data"]);

  CNamedValues load(values, TRUE);
  CPxNamedSample loaded;
  ASSERT_TRUE(PX_Object(&load, "Data", &loaded));
  EXPECT_EQ(0x1F, loaded.m_nValue);

  // An absent key gives no archive; a block too short for Serialize fails.
  EXPECT_FALSE(PX_Object(&load, "Absent", &loaded));
  values["Data"] = "PBAA";
  EXPECT_FALSE(PX_Object(&load, "Data", &loaded));
}

TEST(NamedPropExchange, CountsAndEnumeratedSectionsUseTheirNames) {
  ValueMap values;
  CNamedValues store(values, FALSE);
  for (BOOL bCompact : {TRUE, FALSE}) {
    CJVKPropExchangeEnumerator* pEnum = store.CreateEnumerator("Icon");
    DWORD nPosition = pEnum->Start(2, bCompact);
    while (nPosition != 0) {
      LONG nId = static_cast<LONG>(nPosition * 10);
      CJVKPropExchangeSectionHolder section(pEnum->Next(nPosition));
      PX_Long(section.Get(), "Id", nId);
    }
    delete pEnum;
  }
  EXPECT_EQ((ValueMap{{"Count", "2"}, {"Icon0\\Id", "10"}, {"Icon1\\Id", "20"}}), values);

  CNamedValues load(values, TRUE);
  EXPECT_EQ(2u, load.ReadCount());
  ValueMap empty;
  CNamedValues loadEmpty(empty, TRUE);
  EXPECT_EQ(0u, loadEmpty.ReadCount());
}

}  // namespace
