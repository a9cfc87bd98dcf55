// COleVariant: owned values, conversions that fail loudly, and the trip
// through an archive.
#include <Framework.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(BSTR bstr) {
  std::string s;
  for (UINT i = 0; i < ::SysStringLen(bstr); ++i) s += static_cast<char>(bstr[i]);
  return s;
}

TEST(OleVariantTest, CopiesOwnTheirTextAndCompareByValue) {
  COleVariant text("channel");
  ASSERT_EQ(text.vt, VT_BSTR);
  COleVariant copy(text);
  EXPECT_NE(copy.bstrVal, text.bstrVal) << "a copy has its own string";
  EXPECT_TRUE(copy == text);
  text = COleVariant(42L);
  EXPECT_EQ(Narrow(copy.bstrVal), "channel");
  EXPECT_TRUE(text == COleVariant(42L));
  EXPECT_FALSE(text == COleVariant(42.0));
  EXPECT_TRUE(COleVariant(short(1), VT_BOOL) == COleVariant(7L, VT_BOOL)) << "any true is VARIANT_TRUE";

  COleVariant date(COleDateTime(2000, 1, 1, 12, 0, 0));
  EXPECT_EQ(date.vt, VT_DATE);
  EXPECT_DOUBLE_EQ(date.date, 36526.5);

  VARIANT raw = text.Detach();
  EXPECT_EQ(text.vt, VT_EMPTY);
  COleVariant adopted;
  adopted.Attach(raw);
  EXPECT_EQ(raw.vt, VT_EMPTY);
  EXPECT_EQ(adopted.lVal, 42);
}

TEST(OleVariantTest, ChangeTypeConvertsOrThrows) {
  COleVariant number("1234");
  number.ChangeType(VT_I4);
  EXPECT_EQ(number.vt, VT_I4);
  EXPECT_EQ(number.lVal, 1234);

  COleVariant source(2.5);
  COleVariant text;
  text.ChangeType(VT_BSTR, &source);
  EXPECT_EQ(source.vt, VT_R8) << "the source is left alone";
  EXPECT_EQ(Narrow(text.bstrVal).substr(0, 1), "2");

  COleVariant word("not a number");
  SCODE sc = S_OK;
  try {
    word.ChangeType(VT_I4);
  } catch (COleException* e) {
    sc = e->m_sc;
    e->Delete();
  }
  EXPECT_EQ(sc, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(word.vt, VT_BSTR) << "a failed conversion keeps the value";
}

TEST(OleVariantTest, VariantsTravelThroughAnArchive) {
  const COleVariant values[] = {COleVariant(),
                                COleVariant(BYTE(200)),
                                COleVariant(short(-3)),
                                COleVariant(short(1), VT_BOOL),
                                COleVariant(-70000L),
                                COleVariant(long(E_FAIL), VT_ERROR),
                                COleVariant(0.25f),
                                COleVariant(1e100),
                                COleVariant(COleDateTime(1899, 12, 29, 6, 0, 0)),
                                COleVariant("text with \xe9")};
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    for (const COleVariant& v : values) ar << v;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  for (const COleVariant& v : values) {
    COleVariant loaded(99L);
    ar >> loaded;
    EXPECT_TRUE(loaded == v) << "type " << v.vt;
  }
}

}  // namespace
