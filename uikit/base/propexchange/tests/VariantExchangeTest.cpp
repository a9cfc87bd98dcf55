// The parts of the archive exchange that use the framework's OLE classes:
// variants (code 12) and OLE exceptions inside PX_Object.
#include "PropExchangeArchive.h"

#include <gtest/gtest.h>

#include "PropStreams.h"

// Serialize fails with an OLE error while loading, or runs out of memory.
class CPxOleFailing : public CObject {
  DECLARE_SERIAL(CPxOleFailing)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) return;
    if (m_bMemory) AfxThrowMemoryException();
    AfxThrowOleException(E_FAIL);
  }
  BOOL m_bMemory = FALSE;
};
IMPLEMENT_SERIAL(CPxOleFailing, CObject, 1)

namespace {

TEST(VariantExchange, ScalarAndStringVariantsTravelAsTypeThenValue) {
  struct Case {
    COleVariant var;
    PropBytes expected;
  };
  const Case cases[] = {
      {COleVariant(), {0x00, 0x00}},
      {COleVariant(static_cast<short>(-2)), {0x02, 0x00, 0xFE, 0xFF}},
      {COleVariant(42L), {0x03, 0x00, 0x2A, 0, 0, 0}},
      {COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL), {0x0B, 0x00, 0xFF, 0xFF}},
      {COleVariant("hi"), {0x08, 0x00, 0x02, 'h', 'i'}},
      {COleVariant(COleDateTime(2.5)), {0x07, 0x00, 0, 0, 0, 0, 0, 0, 0x04, 0x40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.var.vt);
    COleVariant var = c.var;
    PropBytes bytes = StoreExchange(
        [&](CJVKPropExchange& px, CArchive&) { EXPECT_TRUE(px.ExchangeValue("V", JVKPX_VARIANT, &var, nullptr)); });
    EXPECT_EQ(c.expected, bytes);

    COleVariant loaded(7L);
    LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
      EXPECT_TRUE(px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr));
    });
    EXPECT_TRUE(loaded == c.var);
  }
}

TEST(VariantExchange, UnsupportedOrTruncatedVariantsLeaveTheValueEmpty) {
  COleVariant var;
  var.vt = VT_DISPATCH;
  var.pdispVal = nullptr;
  PropBytes bytes = StoreExchange(
      [&](CJVKPropExchange& px, CArchive&) { EXPECT_FALSE(px.ExchangeValue("V", JVKPX_VARIANT, &var, nullptr)); });
  EXPECT_TRUE(bytes.empty());

  LoadExchange({0x09, 0x00}, [](CJVKPropExchange& px, CArchive&) {
    COleVariant loaded(7L);
    EXPECT_FALSE(px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr));
    EXPECT_EQ(VT_EMPTY, loaded.vt);
  });
  LoadExchange({0x08, 0x00, 0x05, 'a'}, [](CJVKPropExchange& px, CArchive&) {
    COleVariant loaded(7L);
    try {
      px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr);
      ADD_FAILURE() << "a string beyond the stream was read";
    } catch (CArchiveException* e) {
      EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
      e->Delete();
    }
    EXPECT_EQ(VT_EMPTY, loaded.vt);
  });
}

TEST(VariantExchange, OleErrorsInsideAnObjectTurnIntoFalseAndOthersPassOn) {
  LoadExchange({}, [](CJVKPropExchange& px, CArchive&) {
    CPxOleFailing failing;
    EXPECT_FALSE(PX_Object(&px, "Data", &failing));
    failing.m_bMemory = TRUE;
    try {
      PX_Object(&px, "Data", &failing);
      ADD_FAILURE() << "a memory exception was swallowed";
    } catch (CMemoryException* e) {
      e->Delete();
    }
  });
}

}  // namespace
