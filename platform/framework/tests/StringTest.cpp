#include <Framework.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs f and reports whether it raised the framework's invalid-argument failure.
bool ThrowsInvalidArg(const std::function<void()>& f) {
  try {
    f();
  } catch (CInvalidArgException* e) {
    e->Delete();
    return true;
  }
  return false;
}

struct StringCase {
  const char* name;
  const char* input;
  std::function<CString(CString&)> op;
  const char* expected;
};

TEST(CString, OperationsTable) {
  const StringCase cases[] = {
      {"Left", "abcdef", [](CString& s) { return s.Left(3); }, "abc"},
      {"Left beyond end", "abc", [](CString& s) { return s.Left(10); }, "abc"},
      {"Left 0", "abc", [](CString& s) { return s.Left(0); }, ""},
      {"Mid", "abcdef", [](CString& s) { return s.Mid(2, 3); }, "cde"},
      {"Mid count clipped", "abcdef", [](CString& s) { return s.Mid(4, 10); }, "ef"},
      {"Mid from end", "abcdef", [](CString& s) { return s.Mid(6); }, ""},
      {"Mid past end", "abcdef", [](CString& s) { return s.Mid(9, 2); }, ""},
      {"Right", "abcdef", [](CString& s) { return s.Right(2); }, "ef"},
      {"Right beyond", "ab", [](CString& s) { return s.Right(5); }, "ab"},
      {"MakeUpper", "aBc1", [](CString& s) { return s.MakeUpper(); }, "ABC1"},
      {"MakeLower", "AbC1", [](CString& s) { return s.MakeLower(); }, "abc1"},
      {"MakeReverse", "abc", [](CString& s) { return s.MakeReverse(); }, "cba"},
      {"Trim", " \t ab c \r\n", [](CString& s) { return s.Trim(); }, "ab c"},
      {"Trim all blank", "   ", [](CString& s) { return s.Trim(); }, ""},
      {"TrimLeft char", "xxaxb", [](CString& s) { return s.TrimLeft('x'); }, "axb"},
      {"TrimRight set", "ab.;.;", [](CString& s) { return s.TrimRight(".;"); }, "ab"},
      {"TrimLeft", "  a ", [](CString& s) { return s.TrimLeft(); }, "a "},
      {"TrimRight", "  a ", [](CString& s) { return s.TrimRight(); }, "  a"},
      {"Replace chars", "a.b.c",
       [](CString& s) {
         s.Replace('.', '/');
         return s;
       },
       "a/b/c"},
      {"Replace longer", "a-b-c",
       [](CString& s) {
         s.Replace("-", "--");
         return s;
       },
       "a--b--c"},
      {"Replace shorter", "aXXbXX",
       [](CString& s) {
         s.Replace("XX", "");
         return s;
       },
       "ab"},
      {"Replace none", "abc",
       [](CString& s) {
         s.Replace("z", "y");
         return s;
       },
       "abc"},
      {"Remove", "a b c ",
       [](CString& s) {
         s.Remove(' ');
         return s;
       },
       "abc"},
      {"Remove all", "xxx",
       [](CString& s) {
         s.Remove('x');
         return s;
       },
       ""},
      {"Insert", "ac",
       [](CString& s) {
         s.Insert(1, 'b');
         return s;
       },
       "abc"},
      {"Insert past end", "ab",
       [](CString& s) {
         s.Insert(9, "cd");
         return s;
       },
       "abcd"},
      {"Delete", "abcdef",
       [](CString& s) {
         s.Delete(1, 2);
         return s;
       },
       "adef"},
      {"Delete past end", "abc",
       [](CString& s) {
         s.Delete(2, 9);
         return s;
       },
       "ab"},
      {"concat", "ab", [](CString& s) { return s + "cd" + 'e'; }, "abcde"},
      {"prepend", "cd", [](CString& s) { return "ab" + s; }, "abcd"},
      {"append self", "ab",
       [](CString& s) {
         s += s;
         return s;
       },
       "abab"},
      {"SpanIncluding", "123abc", [](CString& s) { return s.SpanIncluding("0123456789"); }, "123"},
      {"SpanExcluding", "ab;cd", [](CString& s) { return s.SpanExcluding(";,"); }, "ab"},
  };
  for (const StringCase& c : cases) {
    CString s(c.input);
    EXPECT_STREQ(static_cast<LPCTSTR>(c.op(s)), c.expected) << c.name;
  }
}

TEST(CString, FindTable) {
  const CString s("abcabc");
  EXPECT_EQ(s.Find('b'), 1);
  EXPECT_EQ(s.Find('b', 2), 4);
  EXPECT_EQ(s.Find('z'), -1);
  EXPECT_EQ(s.Find('a', 6), -1);
  EXPECT_EQ(s.Find("ca"), 2);
  EXPECT_EQ(s.Find("bc", 3), 4);
  EXPECT_EQ(s.Find("", 2), 2);
  EXPECT_EQ(s.Find("abc", 7), -1);
  EXPECT_EQ(s.ReverseFind('a'), 3);
  EXPECT_EQ(s.ReverseFind('z'), -1);
  EXPECT_EQ(s.FindOneOf("xyc"), 2);
  EXPECT_EQ(s.FindOneOf("xyz"), -1);
  EXPECT_EQ(CString().Find('a'), -1);
  EXPECT_EQ(CString().ReverseFind('a'), -1);
}

TEST(CString, NegativeLengthsAndPositionsAreInvalidArguments) {
  CString s("abc");
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Left(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Right(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Mid(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Mid(0, -1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(4); }));
  EXPECT_EQ(s.GetAt(3), 0);  // the terminator may be read
  EXPECT_EQ(CString()[0], 0);
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(3, 'x'); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Find('a', -1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Find("a", -2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Insert(-1, 'x'); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Delete(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetBuffer(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetBufferSetLength(-5); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { CString t("abc", -1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { CString t('x', -2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] {
    CString t("ab");
    t.GetBuffer(4);
    t.ReleaseBuffer(5);
  }));
  EXPECT_STREQ(s, "abc");  // nothing changed by the rejected calls
}

TEST(CString, EmptyStringsAreRecognisedByLength) {
  CString a, b("");
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_STREQ(a, "");
  EXPECT_EQ(a, b);
  CString c("x");
  c.Empty();
  EXPECT_TRUE(c.IsEmpty());
  EXPECT_EQ(c.GetLength(), 0);
  // A block emptied through its buffer keeps its room but is empty all the same.
  CString d("hello");
  d.GetBuffer(100);
  d.ReleaseBuffer(0);
  EXPECT_TRUE(d.IsEmpty());
  EXPECT_EQ(d, "");
  EXPECT_GE(d.GetAllocLength(), 100);
}

TEST(CString, CopiesShareUntilWritten) {
  CString a("shared text");
  CString b(a);
  EXPECT_EQ(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b));
  b.SetAt(0, 'S');
  EXPECT_STREQ(a, "shared text");
  EXPECT_STREQ(b, "Shared text");
  CString c = a;
  c += "!";
  EXPECT_STREQ(a, "shared text");
  EXPECT_STREQ(c, "shared text!");
  // A locked buffer is never shared.
  CString d("locked");
  d.LockBuffer();
  CString e(d);
  EXPECT_NE(static_cast<LPCTSTR>(d), static_cast<LPCTSTR>(e));
  d.UnlockBuffer();
}

TEST(CString, BufferAccess) {
  CString s("abc");
  LPTSTR p = s.GetBuffer(10);
  memcpy(p, "hello worl", 10);
  s.ReleaseBuffer(10);
  EXPECT_STREQ(s, "hello worl");
  p = s.GetBuffer(0);
  p[5] = 0;
  s.ReleaseBuffer();  // up to the first NUL
  EXPECT_EQ(s.GetLength(), 5);
  EXPECT_STREQ(s, "hello");
  p = s.GetBufferSetLength(3);
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(p[3], 0);
  EXPECT_STREQ(s, "hel");
  // Writing through the buffer of a shared string leaves the other copy alone.
  CString t(s);
  s.GetBuffer(0)[0] = 'H';
  s.ReleaseBuffer();
  EXPECT_STREQ(t, "hel");
  EXPECT_STREQ(s, "Hel");
}

TEST(CString, FormatAndComparison) {
  CString s;
  s.Format("%d-%s-%05.1f-%c", 42, "x", 3.14159, 'z');
  EXPECT_STREQ(s, "42-x-003.1-z");
  s.Format("%s%s", static_cast<LPCTSTR>(s), static_cast<LPCTSTR>(s));  // formats from itself
  EXPECT_STREQ(s, "42-x-003.1-z42-x-003.1-z");
  std::string big(5000, 'q');
  s.Format("[%s]", big.c_str());
  EXPECT_EQ(s.GetLength(), 5002);
  s.Empty();
  s.AppendFormat("%u", 7u);
  s.AppendFormat("/%x", 255u);
  EXPECT_STREQ(s, "7/ff");

  CString abc("abc");
  EXPECT_TRUE(abc == "abc");
  EXPECT_TRUE("abc" == abc);
  EXPECT_TRUE(abc != "abd");
  EXPECT_TRUE(abc < "abd");
  EXPECT_TRUE(abc > CString("ab"));
  EXPECT_EQ(abc.CompareNoCase("ABC"), 0);
  EXPECT_LT(abc.Compare("abd"), 0);
}

TEST(CString, Tokenize) {
  CString s(";a;;bc;");
  int pos = 0;
  EXPECT_STREQ(s.Tokenize(";", pos), "a");
  EXPECT_STREQ(s.Tokenize(";", pos), "bc");
  EXPECT_STREQ(s.Tokenize(";", pos), "");
  EXPECT_EQ(pos, -1);
}

}  // namespace
