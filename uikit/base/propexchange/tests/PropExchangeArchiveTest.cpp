#include "PropExchangeArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "PropStreams.h"

// A serialisable object with one long and one string.
class CPxSample : public CObject {
  DECLARE_SERIAL(CPxSample)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_nValue << m_strText;
    else
      ar >> m_nValue >> m_strText;
  }
  LONG m_nValue = 0;
  CString m_strText;
};
IMPLEMENT_SERIAL(CPxSample, CObject, 4)

class CPxOther : public CObject {
  DECLARE_SERIAL(CPxOther)
};
IMPLEMENT_SERIAL(CPxOther, CObject, 1)

// Serialize fails halfway through loading.
class CPxFailing : public CObject {
  DECLARE_SERIAL(CPxFailing)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) return;
    AfxThrowArchiveException(CArchiveException::badSchema);
  }
};
IMPLEMENT_SERIAL(CPxFailing, CObject, 1)

namespace {

PropBytes Concat(std::initializer_list<PropBytes> parts) {
  PropBytes all;
  for (const PropBytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

PropBytes Text(const std::string& s) { return PropBytes(s.begin(), s.end()); }

struct ValueCase {
  const char* what;
  std::function<void(CJVKPropExchange&)> store;
  PropBytes expected;
  std::function<void(CJVKPropExchange&)> loadAndCheck;
};

TEST(PropExchangeArchive, EachTypeCodeWritesExactlyItsBytesAndReadsThemBack) {
  const ValueCase cases[] = {
      {"short",
       [](CJVKPropExchange& px) {
         short n = -2;
         px.ExchangeValue("A", JVKPX_SHORT, &n, nullptr);
       },
       {0xFE, 0xFF},
       [](CJVKPropExchange& px) {
         short n = 0;
         px.ExchangeValue("A", JVKPX_SHORT, &n, nullptr);
         EXPECT_EQ(-2, n);
       }},
      {"long",
       [](CJVKPropExchange& px) {
         LONG n = 0x12345678;
         PX_Long(&px, "A", n, 5);
       },
       {0x78, 0x56, 0x34, 0x12},
       [](CJVKPropExchange& px) {
         LONG n = 0;
         PX_Long(&px, "A", n, 5);
         EXPECT_EQ(0x12345678, n);
       }},
      {"float",
       [](CJVKPropExchange& px) {
         float f = 1.5f;
         px.ExchangeValue("A", JVKPX_FLOAT, &f, nullptr);
       },
       {0x00, 0x00, 0xC0, 0x3F},
       [](CJVKPropExchange& px) {
         float f = 0;
         px.ExchangeValue("A", JVKPX_FLOAT, &f, nullptr);
         EXPECT_EQ(1.5f, f);
       }},
      {"double",
       [](CJVKPropExchange& px) {
         double d = -2.0;
         px.ExchangeValue("A", JVKPX_DOUBLE, &d, nullptr);
       },
       {0, 0, 0, 0, 0, 0, 0x00, 0xC0},
       [](CJVKPropExchange& px) {
         double d = 0;
         px.ExchangeValue("A", JVKPX_DOUBLE, &d, nullptr);
         EXPECT_EQ(-2.0, d);
       }},
      {"currency: low half first",
       [](CJVKPropExchange& px) {
         LONGLONG cy = -0x0000000200000001LL;  // high -3, low 0xFFFFFFFF
         px.ExchangeValue("A", JVKPX_CURRENCY, &cy, nullptr);
       },
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF},
       [](CJVKPropExchange& px) {
         LONGLONG cy = 0;
         px.ExchangeValue("A", JVKPX_CURRENCY, &cy, nullptr);
         EXPECT_EQ(-0x0000000200000001LL, cy);
       }},
      {"date: status first, then the double",
       [](CJVKPropExchange& px) {
         COleDateTime date(2.0);
         date.SetStatus(COleDateTime::invalid);
         px.ExchangeValue("A", JVKPX_DATE, &date, nullptr);
       },
       {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x40},
       [](CJVKPropExchange& px) {
         COleDateTime date;
         px.ExchangeValue("A", JVKPX_DATE, &date, nullptr);
         EXPECT_EQ(2.0, date.m_dt);
         EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
       }},
      {"BOOL takes four bytes",
       [](CJVKPropExchange& px) {
         BOOL b = TRUE;
         PX_Bool(&px, "A", b, FALSE);
       },
       {0x01, 0, 0, 0},
       [](CJVKPropExchange& px) {
         BOOL b = FALSE;
         PX_Bool(&px, "A", b, FALSE);
         EXPECT_EQ(TRUE, b);
       }},
      {"byte",
       [](CJVKPropExchange& px) {
         BYTE by = 0xA5;
         px.ExchangeValue("A", JVKPX_BYTE, &by, nullptr);
       },
       {0xA5},
       [](CJVKPropExchange& px) {
         BYTE by = 0;
         px.ExchangeValue("A", JVKPX_BYTE, &by, nullptr);
         EXPECT_EQ(0xA5, by);
       }},
      {"string: one-byte prefix",
       [](CJVKPropExchange& px) {
         CString s = "Bar";
         PX_String(&px, "A", s, "default");
       },
       {0x03, 'B', 'a', 'r'},
       [](CJVKPropExchange& px) {
         CString s;
         PX_String(&px, "A", s, "default");
         EXPECT_STREQ("Bar", s);
       }},
      {"string: 255 characters take 0xFF and a 16-bit length",
       [](CJVKPropExchange& px) {
         CString s(std::string(255, 'x').c_str());
         PX_String(&px, "A", s);
       },
       Concat({{0xFF, 0xFF, 0x00}, PropBytes(255, 'x')}),
       [](CJVKPropExchange& px) {
         CString s;
         PX_String(&px, "A", s);
         EXPECT_EQ(255, s.GetLength());
       }},
      {"string: 0xFFFE characters take 0xFF, 0xFFFF and 32 bits",
       [](CJVKPropExchange& px) {
         CString s(std::string(0xFFFE, 'y').c_str());
         PX_String(&px, "A", s);
       },
       Concat({{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}, PropBytes(0xFFFE, 'y')}),
       [](CJVKPropExchange& px) {
         CString s;
         PX_String(&px, "A", s);
         EXPECT_EQ(0xFFFE, s.GetLength());
       }},
      {"RECT takes 16 bytes",
       [](CJVKPropExchange& px) {
         RECT rc = {1, 2, 3, -1};
         PX_Rect(&px, "A", rc, RECT{0, 0, 0, 0});
       },
       {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},
       [](CJVKPropExchange& px) {
         RECT rc = {};
         PX_Rect(&px, "A", rc, RECT{0, 0, 0, 0});
         EXPECT_EQ(1, rc.left);
         EXPECT_EQ(2, rc.top);
         EXPECT_EQ(3, rc.right);
         EXPECT_EQ(-1, rc.bottom);
       }},
      {"SIZE takes 8 bytes",
       [](CJVKPropExchange& px) {
         SIZE sz = {16, 15};
         PX_Size(&px, "A", sz, SIZE{0, 0});
       },
       {16, 0, 0, 0, 15, 0, 0, 0},
       [](CJVKPropExchange& px) {
         SIZE sz = {};
         PX_Size(&px, "A", sz, SIZE{0, 0});
         EXPECT_EQ(16, sz.cx);
         EXPECT_EQ(15, sz.cy);
       }},
      {"unknown code: nothing, and success",
       [](CJVKPropExchange& px) {
         LONG n = 7;
         EXPECT_TRUE(px.ExchangeValue("A", 64, &n, nullptr));
       },
       {},
       [](CJVKPropExchange& px) {
         LONG n = 7;
         EXPECT_TRUE(px.ExchangeValue("A", 64, &n, nullptr));
         EXPECT_EQ(7, n);
       }},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.what);
    PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) { c.store(px); });
    EXPECT_EQ(c.expected, bytes);
    EXPECT_EQ(0u, LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) { c.loadAndCheck(px); }));
  }
}

TEST(PropExchangeArchive, KeyNamesAndDefaultsNeverReachTheStreamOnlyValuesInCallOrder) {
  PropBytes bytes = StoreExchange([](CJVKPropExchange& px, CArchive&) {
    EXPECT_FALSE(px.CanSkipDefaults());
    EXPECT_TRUE(px.IsBinaryForm());
    EXPECT_FALSE(px.IsLoading());
    px.ExchangeSchema();
    px.WriteCount(2);
    LONG n = 5;
    PX_Long(&px, "Value", n, 5);  // equal to its default: still written
    CObject* pObject = nullptr;
    CPxSample sample;
    pObject = &sample;
    px.ExchangeObject(pObject, RUNTIME_CLASS(CPxSample));
  });
  PropBytes expected = Concat({{9, 0, 0, 0}, {2, 0}, {5, 0, 0, 0}, {0xFF, 0xFF, 4, 0, 9, 0}, Text("CPxSample")});
  EXPECT_EQ(expected, bytes);
  EXPECT_EQ(std::string::npos, std::string(bytes.begin(), bytes.end()).find("Schema"));
}

TEST(PropExchangeArchive, SchemaLoadsIntoTheSchemaField) {
  LoadExchange({12, 0, 0, 0}, [](CJVKPropExchange& px, CArchive&) {
    EXPECT_TRUE(px.IsLoading());
    EXPECT_EQ(9u, px.m_dwSchema);
    px.ExchangeSchema();
    EXPECT_EQ(12u, px.m_dwSchema);
  });
}

TEST(PropExchangeArchive, BinaryBlockTravelsAsCountAndBytes) {
  const BYTE data[] = {1, 2, 3};
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) {
    void* p = const_cast<BYTE*>(data);
    DWORD n = sizeof(data);
    EXPECT_TRUE(px.ExchangeBinary("Data", p, n));
  });
  EXPECT_EQ((PropBytes{3, 0, 1, 2, 3}), bytes);

  // Allocated by the exchange when no buffer is given.
  LoadExchange(bytes, [](CJVKPropExchange& px, CArchive&) {
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_TRUE(px.ExchangeBinary("Data", p, n));
    ASSERT_EQ(3u, n);
    EXPECT_EQ(0, memcmp(p, "\x01\x02\x03", 3));
    free(p);
  });
  // Into a buffer big enough.
  LoadExchange(bytes, [](CJVKPropExchange& px, CArchive&) {
    BYTE buffer[8] = {};
    void* p = buffer;
    DWORD n = sizeof(buffer);
    ASSERT_TRUE(px.ExchangeBinary("Data", p, n));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(3, buffer[2]);
  });
  // A buffer too small fails and leaves the stream after the count.
  size_t nLeft = LoadExchange(bytes, [](CJVKPropExchange& px, CArchive&) {
    BYTE buffer[2] = {};
    void* p = buffer;
    DWORD n = sizeof(buffer);
    EXPECT_FALSE(px.ExchangeBinary("Data", p, n));
    EXPECT_EQ(0, buffer[0]);
  });
  EXPECT_EQ(3u, nLeft);
}

TEST(PropExchangeArchive, LargeBinaryCountTakesTheLongForm) {
  PropBytes block(0x10000, 0x5A);
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) {
    void* p = block.data();
    DWORD n = static_cast<DWORD>(block.size());
    px.ExchangeBinary("Data", p, n);
  });
  ASSERT_EQ(6u + block.size(), bytes.size());
  EXPECT_EQ((PropBytes{0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}), PropBytes(bytes.begin(), bytes.begin() + 6));
  LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_TRUE(px.ExchangeBinary("Data", p, n));
    EXPECT_EQ(block.size(), n);
    free(p);
  });
}

// Records the size of every block the exchange allocates.
class CRecordingExchange : public CJVKPropExchangeArchive {
 public:
  using CJVKPropExchangeArchive::CJVKPropExchangeArchive;
  std::vector<DWORD> m_allocations;

 protected:
  void* AllocateBlock(DWORD nBytes) override {
    m_allocations.push_back(nBytes);
    return CJVKPropExchangeArchive::AllocateBlock(nBytes);
  }
};

TEST(PropExchangeArchive, CountsBeyondTheStreamFailBeforeAnythingIsAllocated) {
  struct Case {
    const char* what;
    PropBytes bytes;
  };
  const Case cases[] = {
      {"short count, three bytes missing", {5, 0, 1, 2}},
      {"long count of 2 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}},
      {"long count of 4 GiB - 1", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadExchange(c.bytes, [](CJVKPropExchange&, CArchive& ar) {
      CRecordingExchange px(ar);
      void* p = nullptr;
      DWORD n = 0;
      EXPECT_FALSE(px.ExchangeBinary("Data", p, n));
      EXPECT_EQ(nullptr, p);
      EXPECT_EQ(0u, n);
      EXPECT_TRUE(px.m_allocations.empty());
    });
  }
}

TEST(PropExchangeArchive, StringLengthBeyondTheStreamIsRefusedAsEndOfFile) {
  const PropBytes prefixes[] = {
      {0x10, 'a', 'b'},
      {0xFF, 0x00, 0x10, 'a'},
      {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a'},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F},
  };
  for (const PropBytes& bytes : prefixes) {
    int nCause = -1;
    LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
      CString s = "kept";
      try {
        PX_String(&px, "Name", s, "");
      } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
      }
    });
    EXPECT_EQ(CArchiveException::endOfFile, nCause);
  }
}

TEST(PropExchangeArchive, ClassRecordIsWrittenOnceThenReferencedByIndex) {
  PropBytes bytes = StoreExchange([](CJVKPropExchange& px, CArchive&) {
    CRuntimeClass* pClass = RUNTIME_CLASS(CPxSample);
    px.ExchangeClass("Class", pClass, nullptr);
    CRuntimeClass* pOther = RUNTIME_CLASS(CPxOther);
    px.ExchangeClass("Class", pOther, nullptr);
    px.ExchangeClass("Class", pClass, nullptr);
  });
  PropBytes expected = Concat({{0xFF, 0xFF, 4, 0, 9, 0},
                               Text("CPxSample"),
                               {0xFF, 0xFF, 1, 0, 8, 0},
                               Text("CPxOther"),
                               {0x01, 0x80}});  // index 1, bit 15 set
  EXPECT_EQ(expected, bytes);

  LoadExchange(bytes, [](CJVKPropExchange& px, CArchive&) {
    CRuntimeClass* pClass = nullptr;
    ASSERT_TRUE(px.ExchangeClass("Class", pClass, nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CPxSample), pClass);
    EXPECT_EQ(4u, px.m_dwSchema);
    ASSERT_TRUE(px.ExchangeClass("Class", pClass, nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CPxOther), pClass);
    EXPECT_EQ(1u, px.m_dwSchema);
    ASSERT_TRUE(px.ExchangeClass("Class", pClass, nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CPxSample), pClass);
  });
}

TEST(PropExchangeArchive, ClassNotDerivedFromTheRequiredOneIsRejected) {
  PropBytes bytes = StoreExchange([](CJVKPropExchange& px, CArchive&) {
    CRuntimeClass* pClass = RUNTIME_CLASS(CPxOther);
    px.ExchangeClass("Class", pClass, nullptr);
  });
  int nCause = -1;
  LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
    CRuntimeClass* pClass = nullptr;
    try {
      px.ExchangeClass("Class", pClass, RUNTIME_CLASS(CPxSample));
    } catch (CArchiveException* e) {
      nCause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(nullptr, pClass);
  });
  EXPECT_EQ(CArchiveException::badClass, nCause);
}

TEST(PropExchangeArchive, ExchangedObjectJoinsTheArchiveMapSoLaterReferencesResolve) {
  CPxSample sample;
  sample.m_nValue = 42;
  sample.m_strText = "pane";
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive& ar) {
    CObject* pObject = &sample;
    ASSERT_TRUE(px.ExchangeObject(pObject, RUNTIME_CLASS(CPxSample)));
    ASSERT_TRUE(PX_Object(&px, "Data", &sample));
    ar << static_cast<const CObject*>(&sample);  // a reference: class 1, object 2
  });
  PropBytes expected = Concat({{0xFF, 0xFF, 4, 0, 9, 0}, Text("CPxSample"), {42, 0, 0, 0, 4}, Text("pane"), {2, 0}});
  EXPECT_EQ(expected, bytes);

  LoadExchange(bytes, [](CJVKPropExchange& px, CArchive& ar) {
    CObject* pObject = nullptr;
    ASSERT_TRUE(px.ExchangeObject(pObject, RUNTIME_CLASS(CPxSample)));
    ASSERT_NE(nullptr, pObject);
    ASSERT_TRUE(PX_Object(&px, "Data", pObject));
    CPxSample* pSample = static_cast<CPxSample*>(pObject);
    EXPECT_EQ(42, pSample->m_nValue);
    EXPECT_STREQ("pane", pSample->m_strText);
    CObject* pReference = nullptr;
    ar >> pReference;
    EXPECT_EQ(pObject, pReference);
    delete pObject;
  });
}

TEST(PropExchangeArchive, ObjectSerializeFailureTurnsIntoFalse) {
  PropBytes bytes = StoreExchange([](CJVKPropExchange& px, CArchive&) {
    CPxFailing failing;
    EXPECT_TRUE(PX_Object(&px, "Data", &failing));
  });
  EXPECT_TRUE(bytes.empty());
  LoadExchange(bytes, [](CJVKPropExchange& px, CArchive&) {
    CPxFailing failing;
    EXPECT_FALSE(PX_Object(&px, "Data", &failing));
  });
}

TEST(PropExchangeArchive, SectionContinuesTheStreamAndInheritsTheExchangersState) {
  int context = 0;
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) {
    px.m_pContext = &context;
    px.m_dwSchema = 7;
    px.UseDefaultOnUnread();
    CJVKPropExchangeSectionHolder section(px.OpenSection("Bar"));
    ASSERT_NE(nullptr, section.Get());
    EXPECT_TRUE(section->m_bChildSection);
    EXPECT_FALSE(px.m_bChildSection);
    EXPECT_EQ(&context, section->m_pContext);
    EXPECT_EQ(7u, section->m_dwSchema);
    EXPECT_TRUE(section->m_bUseDefaultOnUnread);
    EXPECT_EQ(1, section->m_dwRef);
    LONG n = 3;
    PX_Long(section.Get(), "Value", n);
  });
  EXPECT_EQ((PropBytes{3, 0, 0, 0}), bytes);
}

// Walks count sections, exchanging each position's number as a long.
std::vector<LONG> WalkSections(CJVKPropExchange& px, DWORD nCount, BOOL bCompact) {
  std::vector<LONG> seen;
  CJVKPropExchangeEnumerator* pEnum = px.CreateEnumerator("Icon");
  DWORD nPosition = pEnum->Start(nCount, bCompact);
  while (nPosition != 0) {
    LONG nValue = static_cast<LONG>(nPosition);
    CJVKPropExchangeSectionHolder section(pEnum->Next(nPosition));
    PX_Long(section.Get(), "Id", nValue);
    seen.push_back(nValue);
  }
  delete pEnum;
  return seen;
}

TEST(PropExchangeArchive, EnumeratorWalksEachPositionOnceInBothCountForms) {
  EXPECT_EQ(PropBytes({0, 0}),
            StoreExchange([](CJVKPropExchange& px, CArchive&) { EXPECT_TRUE(WalkSections(px, 0, TRUE).empty()); }));
  for (BOOL bCompact : {TRUE, FALSE}) {
    SCOPED_TRACE(bCompact ? "compact" : "as key");
    PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) {
      EXPECT_EQ((std::vector<LONG>{1, 2, 3}), WalkSections(px, 3, bCompact));
    });
    PropBytes count = bCompact ? PropBytes{3, 0} : PropBytes{3, 0, 0, 0};
    EXPECT_EQ(Concat({count, {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}}), bytes);
    LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
      EXPECT_EQ((std::vector<LONG>{1, 2, 3}), WalkSections(px, 99, bCompact));
    });
  }
}

TEST(PropExchangeArchive, EnumeratorWithoutExchangerEnumeratesNothing) {
  CJVKPropExchangeEnumerator enumerator(nullptr, "Icon");
  EXPECT_EQ(0u, enumerator.Start(5, TRUE));
}

}  // namespace
