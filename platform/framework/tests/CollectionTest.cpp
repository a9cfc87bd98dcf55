#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

namespace {

// Counts constructions and destructions; `untouched` is left alone by the
// constructor, so it shows whether the array zero-filled the element.
struct Counted {
  static int constructed;
  static int destroyed;
  int value;
  int tag;
  int untouched;
  Counted() {
    value = 0;
    tag = 7;
    ++constructed;
  }
  ~Counted() { ++destroyed; }
  Counted& operator=(const Counted& other) {
    value = other.value;
    return *this;
  }
};
int Counted::constructed = 0;
int Counted::destroyed = 0;

bool ThrowsInvalidArg(const std::function<void()>& f) {
  try {
    f();
  } catch (CInvalidArgException* e) {
    e->Delete();
    return true;
  }
  return false;
}

TEST(CArray, GrowthRule) {
  struct Row {
    const char* what;
    INT_PTR startSize, startGrowBy;  // SetSize(startSize, startGrowBy) first
    INT_PTR newSize, growBy;
    INT_PTR expectedSize, expectedCapacity;
  };
  const Row rows[] = {
      {"first block holds newSize", 0, -1, 5, -1, 5, 5},
      {"first block holds the grow-by", 0, 10, 3, -1, 3, 10},
      {"within capacity", 3, 10, 8, -1, 8, 10},
      {"grow-by step", 10, 10, 11, -1, 11, 20},
      {"newSize beyond one step", 10, 10, 35, -1, 35, 35},
      {"grow-by 0, size 100 -> +12", 100, 0, 101, -1, 101, 112},
      {"grow-by 0, size 8 -> +4", 8, 0, 9, -1, 9, 12},
      {"grow-by 0, size 16 -> +4", 16, 0, 17, -1, 17, 20},
      {"grow-by 0, size 10000 -> +1024", 10000, 0, 10001, -1, 10001, 11024},
      {"grow-by 0, size 9000 -> +1024 (bounded)", 9000, 0, 9001, -1, 9001, 10024},
      {"grow-by 0, size 80 -> +10", 80, 0, 81, -1, 81, 90},
      {"growBy argument replaces the count", 10, 10, 11, 3, 11, 13},
      {"shrink keeps the block", 10, 0, 4, -1, 4, 10},
      {"size 0 frees the block", 10, 0, 0, -1, 0, 0},
  };
  for (const Row& row : rows) {
    CArray<int, int> a;
    a.SetSize(row.startSize, row.startGrowBy);
    a.SetSize(row.newSize, row.growBy);
    EXPECT_EQ(a.GetSize(), row.expectedSize) << row.what;
    EXPECT_EQ(a.GetMaxSize(), row.expectedCapacity) << row.what;
    EXPECT_EQ(a.GetData() == nullptr, row.expectedCapacity == 0) << row.what;
  }
}

TEST(CArray, ClipboardStyleSetupGrowsTenAtATime) {
  // Set up with size 50 and grow-by 10, then emptied: the 11th element
  // reallocates to 20.
  CArray<int, int> a;
  a.SetSize(50, 10);
  a.SetSize(0);
  EXPECT_EQ(a.GetMaxSize(), 0);
  for (int i = 0; i < 10; ++i) a.Add(i);
  EXPECT_EQ(a.GetMaxSize(), 10);
  a.Add(10);
  EXPECT_EQ(a.GetMaxSize(), 20);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(a[i], i);
}

TEST(CArray, ElementLifetimes) {
  Counted::constructed = Counted::destroyed = 0;
  {
    CArray<Counted> a;
    a.SetSize(4, 2);
    EXPECT_EQ(Counted::constructed, 4);
    a[3].value = 99;
    a[3].untouched = 99;
    a.SetSize(2);  // destroys the two at the end
    EXPECT_EQ(Counted::destroyed, 2);
    a.SetSize(4);  // within capacity: zero-filled and constructed again
    EXPECT_EQ(Counted::constructed, 6);
    EXPECT_EQ(a[3].value, 0);
    EXPECT_EQ(a[3].untouched, 0);
    a[0].value = 1;
    a.SetSize(7);  // reallocation moves the elements bit for bit
    EXPECT_EQ(Counted::destroyed, 2);
    EXPECT_EQ(Counted::constructed, 9);
    EXPECT_EQ(a[0].value, 1);
    EXPECT_EQ(a[0].tag, 7);
    EXPECT_EQ(a[6].untouched, 0);
    a.SetSize(0);  // every element destroyed exactly once
    EXPECT_EQ(Counted::destroyed, 9);
    a.SetSize(3);
  }
  EXPECT_EQ(Counted::destroyed, Counted::constructed);
}

TEST(CArray, InvalidArguments) {
  CArray<int, int> a;
  a.SetSize(2);
  EXPECT_TRUE(ThrowsInvalidArg([&] { a.SetSize(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { a.GetAt(2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { a[-1]; }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { a.RemoveAt(1, 2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { a.SetAtGrow(-1, 0); }));
  EXPECT_EQ(a.GetSize(), 2);
}

TEST(CArray, SizesBeyondTheIndexRangeRaiseMemoryExceptions) {
  // Each would overflow the index type before any allocation is tried.
  const INT_PTR largest = std::numeric_limits<INT_PTR>::max();
  auto throwsMemory = [](const std::function<void()>& f) {
    try {
      f();
    } catch (CMemoryException* e) {
      e->Delete();
      return true;
    }
    return false;
  };
  CArray<int, int> a;
  a.SetSize(2);
  CArray<int, int> b;
  b.SetSize(1);
  EXPECT_TRUE(throwsMemory([&] { a.SetAtGrow(largest, 7); }));
  EXPECT_TRUE(throwsMemory([&] { a.InsertAt(1, 7, largest - 1); }));
  EXPECT_TRUE(throwsMemory([&] { a.InsertAt(largest - 1, 7, 2); }));
  EXPECT_EQ(a.GetSize(), 2);
  // A grow-by that would carry the capacity past the index range falls back
  // to the size asked for (the sanitizer build catches the overflow).
  b.SetSize(1, largest);
  b.SetSize(2);
  EXPECT_EQ(b.GetSize(), 2);
  EXPECT_EQ(b.GetMaxSize(), 2);
}

TEST(CArray, EditingOperations) {
  CStringArray a;
  a.Add("b");
  a.Add("d");
  a.InsertAt(0, "a");
  a.InsertAt(2, "c", 2);
  a.SetAtGrow(6, "g");
  ASSERT_EQ(a.GetSize(), 7);
  const char* expected[] = {"a", "b", "c", "c", "d", "", "g"};
  for (int i = 0; i < 7; ++i) EXPECT_STREQ(a[i], expected[i]) << i;
  a.RemoveAt(2, 2);
  EXPECT_STREQ(a[2], "d");
  // Adding an element of the array itself survives the reallocation.
  CStringArray b;
  b.SetSize(1, 1);
  b[0] = "self";
  for (int i = 0; i < 20; ++i) b.Add(b[0]);
  EXPECT_STREQ(b[20], "self");
  CStringArray c;
  c.Copy(a);
  c.Append(b);
  EXPECT_EQ(c.GetSize(), a.GetSize() + b.GetSize());
}

TEST(CArray, TypedPointerArray) {
  CTypedPtrArray<CObArray, CTestPoint*> points;
  CTestPoint p1(1), p2(2);
  points.Add(&p1);
  points.Add(&p2);
  EXPECT_EQ(points[1]->m_x, 2);
  EXPECT_EQ(points.GetAt(0), &p1);
  CTypedPtrArray<CPtrArray, int*> ints;
  int x = 5;
  ints.Add(&x);
  EXPECT_EQ(*ints[0], 5);
}

TEST(CArray, SerialisedForms) {
  CByteArray bytes;
  bytes.Add(1);
  bytes.Add(2);
  CWordArray words;
  words.Add(0x0403);
  CDWordArray dwords;
  dwords.Add(0x08070605);
  CStringArray strings;
  strings.Add("ab");
  Bytes stream = StoreBytes([&](CArchive& ar) {
    bytes.Serialize(ar);
    words.Serialize(ar);
    dwords.Serialize(ar);
    strings.Serialize(ar);
  });
  const Bytes expected = {2, 0, 1, 2, 1, 0, 3, 4, 1, 0, 5, 6, 7, 8, 1, 0, 2, 'a', 'b'};
  EXPECT_EQ(stream, expected);
  LoadBytes(stream, [](CArchive& ar) {
    CByteArray b;
    CWordArray w;
    CDWordArray d;
    CStringArray s;
    b.Serialize(ar);
    w.Serialize(ar);
    d.Serialize(ar);
    s.Serialize(ar);
    EXPECT_EQ(b[1], 2);
    EXPECT_EQ(w[0], 0x0403);
    EXPECT_EQ(d[0], 0x08070605u);
    EXPECT_STREQ(s[0], "ab");
  });
  // A count larger than the stream is refused before the array grows.
  LoadBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}, [](CArchive& ar) {
    CByteArray b;
    EXPECT_EQ(ArchiveCause([&] { b.Serialize(ar); }), CArchiveException::endOfFile);
    EXPECT_EQ(b.GetSize(), 0);
  });
}

TEST(CList, Operations) {
  CList<int, int> list(4);
  EXPECT_TRUE(list.IsEmpty());
  for (int i = 1; i <= 10; ++i) list.AddTail(i);
  list.AddHead(0);
  EXPECT_EQ(list.GetCount(), 11);
  EXPECT_EQ(list.GetHead(), 0);
  EXPECT_EQ(list.GetTail(), 10);
  POSITION pos = list.Find(5);
  ASSERT_NE(pos, nullptr);
  list.InsertBefore(pos, 45);
  list.InsertAfter(pos, 55);
  list.RemoveAt(list.Find(7));
  int expected[] = {0, 1, 2, 3, 4, 45, 5, 55, 6, 8, 9, 10};
  int i = 0;
  for (pos = list.GetHeadPosition(); pos != nullptr; ++i) EXPECT_EQ(list.GetNext(pos), expected[i]);
  EXPECT_EQ(i, 12);
  i = 11;
  for (pos = list.GetTailPosition(); pos != nullptr; --i) EXPECT_EQ(list.GetPrev(pos), expected[i]);
  EXPECT_EQ(list.GetAt(list.FindIndex(5)), 45);
  EXPECT_EQ(list.FindIndex(12), nullptr);
  EXPECT_EQ(list.RemoveHead(), 0);
  EXPECT_EQ(list.RemoveTail(), 10);
  while (!list.IsEmpty()) list.RemoveHead();
  EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetHead(); }));
  list.AddTail(3);  // usable again after it emptied and freed its blocks
  EXPECT_EQ(list.GetHead(), 3);
}

TEST(CList, StringAndObjectLists) {
  CStringList strings;
  strings.AddTail("b");
  strings.AddHead("a");
  CString c("c");
  strings.AddTail(c);
  EXPECT_NE(strings.Find("b"), nullptr);
  EXPECT_EQ(strings.Find("z"), nullptr);
  Bytes stream = StoreBytes([&](CArchive& ar) { strings.Serialize(ar); });
  EXPECT_EQ(stream, (Bytes{3, 0, 1, 'a', 1, 'b', 1, 'c'}));
  LoadBytes(stream, [](CArchive& ar) {
    CStringList loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.GetCount(), 3);
    EXPECT_STREQ(loaded.GetTail(), "c");
  });
  CTypedPtrList<CObList, CTestPoint*> points;
  CTestPoint p(4);
  points.AddTail(&p);
  EXPECT_EQ(points.GetHead()->m_x, 4);
}

TEST(CMap, LookupIterationRemoval) {
  CMapStringToPtr map;
  EXPECT_EQ(map.GetHashTableSize(), 17u);
  int values[100];
  for (int i = 0; i < 100; ++i) {
    CString key;
    key.Format("key%d", i);
    map.SetAt(key, &values[i]);
  }
  EXPECT_EQ(map.GetCount(), 100);
  void* p = nullptr;
  EXPECT_TRUE(map.Lookup("key42", p));
  EXPECT_EQ(p, &values[42]);
  EXPECT_FALSE(map.Lookup("key100", p));
  map["key42"] = &values[0];
  EXPECT_TRUE(map.Lookup("key42", p));
  EXPECT_EQ(p, &values[0]);
  EXPECT_TRUE(map.RemoveKey("key7"));
  EXPECT_FALSE(map.RemoveKey("key7"));
  int seen = 0;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    CString key;
    void* value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_NE(key, "key7");
    ++seen;
  }
  EXPECT_EQ(seen, 99);
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);

  CMapWordToPtr words;
  words.InitHashTable(101);
  EXPECT_EQ(words.GetHashTableSize(), 101u);
  words.SetAt(7, &values[7]);
  EXPECT_TRUE(words.Lookup(7, p));
  EXPECT_TRUE(ThrowsInvalidArg([&] { words.InitHashTable(3); }));  // not while it holds entries

  CMapPtrToPtr pointers;
  pointers.SetAt(&values[1], &values[2]);
  EXPECT_TRUE(pointers.Lookup(&values[1], p));
  EXPECT_EQ(p, &values[2]);
}

TEST(CMap, StringToStringSerialises) {
  CMapStringToString map;
  map.SetAt("name", "value");
  Bytes stream = StoreBytes([&](CArchive& ar) { map.Serialize(ar); });
  EXPECT_EQ(stream, (Bytes{1, 0, 4, 'n', 'a', 'm', 'e', 5, 'v', 'a', 'l', 'u', 'e'}));
  LoadBytes(stream, [](CArchive& ar) {
    CMapStringToString loaded;
    loaded.Serialize(ar);
    CString value;
    EXPECT_TRUE(loaded.Lookup("name", value));
    EXPECT_STREQ(value, "value");
  });
}

}  // namespace
