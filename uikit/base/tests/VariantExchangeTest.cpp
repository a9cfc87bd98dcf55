#include "PropExchangeArchive.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include "PropStreams.h"

namespace {

TEST(VariantExchange, ScalarAndStringVariantsTravelAsTypeThenValue) {
  struct Case {
    VARTYPE vt;
    PropBytes expected;
  };
  const Case cases[] = {
      {VT_EMPTY, {0x00, 0x00}},
      {VT_I2, {0x02, 0x00, 0xFE, 0xFF}},
      {VT_I4, {0x03, 0x00, 0x2A, 0, 0, 0}},
      {VT_BOOL, {0x0B, 0x00, 0xFF, 0xFF}},
      {VT_BSTR, {0x08, 0x00, 0x02, 'h', 'i'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vt);
    VARIANT var;
    VariantInit(&var);
    V_VT(&var) = c.vt;
    if (c.vt == VT_I2) V_I2(&var) = -2;
    if (c.vt == VT_I4) V_I4(&var) = 42;
    if (c.vt == VT_BOOL) V_BOOL(&var) = VARIANT_TRUE;
    if (c.vt == VT_BSTR) V_BSTR(&var) = SysAllocString(L"hi");
    PropBytes bytes = StoreExchange(
        [&](CJVKPropExchange& px, CArchive&) { EXPECT_TRUE(px.ExchangeValue("V", JVKPX_VARIANT, &var, nullptr)); });
    EXPECT_EQ(c.expected, bytes);

    VARIANT loaded;
    VariantInit(&loaded);
    LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
      EXPECT_TRUE(px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr));
    });
    EXPECT_EQ(VARCMP_EQ, VarCmp(&var, &loaded, LOCALE_USER_DEFAULT, 0));
    VariantClear(&var);
    VariantClear(&loaded);
  }
}

TEST(VariantExchange, UnsupportedOrTruncatedVariantsLeaveTheValueEmpty) {
  VARIANT var;
  VariantInit(&var);
  V_VT(&var) = VT_DISPATCH;
  V_DISPATCH(&var) = nullptr;
  PropBytes bytes = StoreExchange(
      [&](CJVKPropExchange& px, CArchive&) { EXPECT_FALSE(px.ExchangeValue("V", JVKPX_VARIANT, &var, nullptr)); });
  EXPECT_TRUE(bytes.empty());

  LoadExchange({0x09, 0x00}, [](CJVKPropExchange& px, CArchive&) {
    VARIANT loaded;
    VariantInit(&loaded);
    EXPECT_FALSE(px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr));
    EXPECT_EQ(VT_EMPTY, V_VT(&loaded));
  });
  LoadExchange({0x08, 0x00, 0x05, 'a'}, [](CJVKPropExchange& px, CArchive&) {
    VARIANT loaded;
    VariantInit(&loaded);
    V_VT(&loaded) = VT_I4;
    try {
      px.ExchangeValue("V", JVKPX_VARIANT, &loaded, nullptr);
      ADD_FAILURE() << "a string beyond the stream was read";
    } catch (CArchiveException* e) {
      e->Delete();
    }
    EXPECT_EQ(VT_EMPTY, V_VT(&loaded));
  });
}

}  // namespace
