// The archive's variant form: exact bytes per type, whole values or nothing.
#include <gtest/gtest.h>

#include "ArchiveFixtures.h"

namespace {

AFX_ARCHIVE_VARIANT Make(WORD vt, LONGLONG nValue = 0, double dValue = 0, const char* lpszValue = "") {
  AFX_ARCHIVE_VARIANT value;
  value.vt = vt;
  value.nValue = nValue;
  value.dValue = dValue;
  value.strValue = lpszValue;
  return value;
}

TEST(ArchiveVariantTest, EachTypeIsItsTypeWordThenItsValue) {
  struct Case {
    AFX_ARCHIVE_VARIANT value;
    Bytes bytes;
  };
  const Case cases[] = {
      {Make(VT_EMPTY), {0, 0}},
      {Make(VT_NULL), {1, 0}},
      {Make(VT_UI1, 0xAB), {17, 0, 0xAB}},
      {Make(VT_I2, -2), {2, 0, 0xFE, 0xFF}},
      {Make(VT_BOOL, -1), {11, 0, 0xFF, 0xFF}},
      {Make(VT_I4, 0x12345678), {3, 0, 0x78, 0x56, 0x34, 0x12}},
      {Make(VT_ERROR, 0x80004005), {10, 0, 0x05, 0x40, 0x00, 0x80}},
      {Make(VT_R4, 0, 1.5), {4, 0, 0x00, 0x00, 0xC0, 0x3F}},
      {Make(VT_R8, 0, -2.0), {5, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xC0}},
      {Make(VT_DATE, 0, 36526.5), {7, 0, 0, 0, 0, 0, 0xD0, 0xD5, 0xE1, 0x40}},
      {Make(VT_CY, 0x0000000200000001LL), {6, 0, 1, 0, 0, 0, 2, 0, 0, 0}},
      {Make(VT_BSTR, 0, 0, "abc"), {8, 0, 3, 'a', 'b', 'c'}},
  };
  for (const Case& c : cases) {
    Bytes stored = StoreBytes([&](CArchive& ar) { AfxWriteArchiveVariant(ar, c.value); });
    EXPECT_EQ(stored, c.bytes) << "type " << c.value.vt;
    AFX_ARCHIVE_VARIANT loaded;
    LoadBytes(c.bytes, [&](CArchive& ar) { AfxReadArchiveVariant(ar, loaded); });
    EXPECT_EQ(loaded.vt, c.value.vt);
    if (c.value.vt == VT_ERROR) {
      EXPECT_EQ(static_cast<DWORD>(loaded.nValue), static_cast<DWORD>(c.value.nValue));
    } else {
      EXPECT_EQ(loaded.nValue, c.value.nValue) << "type " << c.value.vt;
    }
    EXPECT_EQ(loaded.dValue, c.value.dValue) << "type " << c.value.vt;
    EXPECT_STREQ(loaded.strValue, c.value.strValue);
  }
}

TEST(ArchiveVariantTest, BadStreamsAreRefusedAndLeaveTheValueAlone) {
  struct Case {
    const char* what;
    Bytes bytes;
    int cause;
  };
  const Case cases[] = {
      {"no type", {}, CArchiveException::endOfFile},
      {"half a long", {3, 0, 1, 2}, CArchiveException::endOfFile},
      {"string longer than the stream", {8, 0, 10, 'a'}, CArchiveException::endOfFile},
      {"a type without an archive form", {12, 0, 0, 0}, CArchiveException::genericException},
  };
  for (const Case& c : cases) {
    AFX_ARCHIVE_VARIANT value = Make(VT_I4, 77);
    int cause = CArchiveException::none;
    try {
      LoadBytes(c.bytes, [&](CArchive& ar) { AfxReadArchiveVariant(ar, value); });
    } catch (CArchiveException* e) {
      cause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(cause, c.cause) << c.what;
    EXPECT_EQ(value.vt, VT_I4) << c.what;
    EXPECT_EQ(value.nValue, 77) << c.what;
  }
  bool bRefused = false;
  try {
    StoreBytes([](CArchive& ar) { AfxWriteArchiveVariant(ar, Make(12)); });
  } catch (CNotSupportedException* e) {
    bRefused = true;
    e->Delete();
  }
  EXPECT_TRUE(bRefused) << "a type without an archive form is not written";
}

}  // namespace
