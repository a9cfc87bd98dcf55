#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

namespace {

class ArchiveTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteLiveObjects(); }
};

TEST_F(ArchiveTest, TypedValuesAreLittleEndianWithoutPadding) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar << static_cast<BYTE>(0x01) << static_cast<WORD>(0x0302) << static_cast<LONG>(-2)
       << static_cast<DWORD>(0x07060504) << 1.5f << 2.0 << static_cast<LONGLONG>(-1) << static_cast<short>(0x0A09)
       << 'c';
  });
  const Bytes expected = {0x01, 0x02, 0x03, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x05, 0x06, 0x07,
                          0x00, 0x00, 0xC0, 0x3F,                          // 1.5f
                          0,    0,    0,    0,    0,    0,    0x00, 0x40,  // 2.0
                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x0A, 'c'};
  EXPECT_EQ(bytes, expected);
  LoadBytes(bytes, [](CArchive& ar) {
    BYTE b;
    WORD w;
    LONG l;
    DWORD dw;
    float f;
    double d;
    LONGLONG ll;
    short s;
    char c;
    ar >> b >> w >> l >> dw >> f >> d >> ll >> s >> c;
    EXPECT_EQ(b, 1);
    EXPECT_EQ(w, 0x0302);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(dw, 0x07060504u);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, 2.0);
    EXPECT_EQ(ll, -1);
    EXPECT_EQ(s, 0x0A09);
    EXPECT_EQ(c, 'c');
  });
}

TEST_F(ArchiveTest, StringLengthPrefixes) {
  struct Row {
    int length;
    Bytes prefix;
  };
  const Row rows[] = {
      {0, {0x00}},
      {1, {0x01}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const Row& row : rows) {
    CString s('x', row.length);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << s; });
    ASSERT_EQ(bytes.size(), row.prefix.size() + row.length) << row.length;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + row.prefix.size()), row.prefix) << row.length;
    LoadBytes(bytes, [&](CArchive& ar) {
      CString loaded;
      ar >> loaded;
      EXPECT_EQ(loaded.GetLength(), row.length);
      EXPECT_TRUE(loaded == s);
    });
  }
}

TEST_F(ArchiveTest, WideAndSixtyFourBitLengthEscapes) {
  // Storing: the wide marker and the 64-bit escape.
  EXPECT_EQ(StoreBytes([](CArchive& ar) { ar.WriteStringLength(3, TRUE); }), (Bytes{0xFF, 0xFE, 0xFF, 0x03}));
  EXPECT_EQ(StoreBytes([](CArchive& ar) { ar.WriteStringLength(0x100000000ULL, FALSE); }),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0}));
  // A wide string loads into the ANSI string.
  LoadBytes({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c', 0}, [](CArchive& ar) {
    CString s;
    ar >> s;
    EXPECT_STREQ(s, "abc");
  });
  // A length the stream cannot hold is refused before anything is allocated.
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 'a', 'b'};
  EXPECT_EQ(ArchiveCause([&] {
              LoadBytes(huge, [](CArchive& ar) {
                CString s;
                ar >> s;
              });
            }),
            CArchiveException::endOfFile);
  const Bytes big32 = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x70, 'a'};
  EXPECT_EQ(ArchiveCause([&] {
              LoadBytes(big32, [](CArchive& ar) {
                CString s;
                ar >> s;
              });
            }),
            CArchiveException::endOfFile);
}

TEST_F(ArchiveTest, Counts) {
  struct Row {
    DWORD_PTR count;
    Bytes bytes;
  };
  const Row rows[] = {
      {0, {0x00, 0x00}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
  };
  for (const Row& row : rows) {
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar.WriteCount(row.count); });
    EXPECT_EQ(bytes, row.bytes) << row.count;
    LoadBytes(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), row.count); });
  }
}

TEST_F(ArchiveTest, ClassRecordFirstTimeThenIndex) {
  CTestPoint a(0x11), b(0x22);
  Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &a << &b << &a << static_cast<CObject*>(nullptr); });
  const Bytes expected = Concat({
      {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
      Text("CTestPoint"),
      {0x11, 0, 0, 0},  // class 1, object 2
      {0x01, 0x80},
      {0x22, 0, 0, 0},  // class 1 again, object 3
      {0x02, 0x00},     // object 2 again
      {0x00, 0x00},     // null
  });
  EXPECT_EQ(bytes, expected);
  LoadBytes(bytes, [](CArchive& ar) {
    CTestPoint *p1, *p2, *p3, *p4;
    ar >> p1 >> p2 >> p3 >> p4;
    ASSERT_NE(p1, nullptr);
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p1->m_x, 0x11);
    EXPECT_EQ(p2->m_x, 0x22);
    EXPECT_EQ(p3, p1);
    EXPECT_EQ(p4, nullptr);
  });
}

TEST_F(ArchiveTest, WriteClassAndReadClassShareTheIndexCount) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar.WriteClass(RUNTIME_CLASS(CTestVersioned));
    ar.WriteClass(RUNTIME_CLASS(CTestPoint));
    ar.WriteClass(RUNTIME_CLASS(CTestVersioned));
  });
  const Bytes expected = Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0E, 0x00},
                                 Text("CTestVersioned"),
                                 {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
                                 Text("CTestPoint"),
                                 {0x01, 0x80}});
  EXPECT_EQ(bytes, expected);
  LoadBytes(bytes, [](CArchive& ar) {
    UINT schema = 0;
    EXPECT_EQ(ar.ReadClass(nullptr, &schema), RUNTIME_CLASS(CTestVersioned));
    EXPECT_EQ(schema, 2u);
    EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CObject), &schema), RUNTIME_CLASS(CTestPoint));
    EXPECT_EQ(schema, 1u);
    EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CTestVersioned), &schema), RUNTIME_CLASS(CTestVersioned));
    EXPECT_EQ(schema, 2u);
  });
  // A class that is not of the required kind is rejected.
  EXPECT_EQ(ArchiveCause([&] { LoadBytes(bytes, [](CArchive& ar) { ar.ReadClass(RUNTIME_CLASS(CTestPoint)); }); }),
            CArchiveException::badClass);
}

TEST_F(ArchiveTest, MapObjectTakesAnIndexAndLargeIndicesUseTheEscape) {
  // 0x7FFF mapped objects push the next index to 0x8000, past the 15-bit tags.
  static char block[0x7FFF];
  CTestPoint a(5), b(6);
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    for (int i = 0; i < 0x7FFF; ++i) ar.MapObject(reinterpret_cast<CObject*>(block + i));
    ar << &a << &a << &b;
  });
  const Bytes expected = Concat({
      {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
      Text("CTestPoint"),
      {5, 0, 0, 0},                          // class 0x8000, object 0x8001
      {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00},  // object 0x8001
      {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80},
      {6, 0, 0, 0},  // class 0x8000
  });
  EXPECT_EQ(bytes, expected);
  LoadBytes(bytes, [&](CArchive& ar) {
    for (int i = 0; i < 0x7FFF; ++i) ar.MapObject(reinterpret_cast<CObject*>(block + i));
    CTestPoint *p1, *p2, *p3;
    ar >> p1 >> p2 >> p3;
    EXPECT_EQ(p1->m_x, 5);
    EXPECT_EQ(p2, p1);
    EXPECT_EQ(p3->m_x, 6);
  });
}

TEST_F(ArchiveTest, MappedObjectsAreWrittenAndResolvedByIndex) {
  CTestPoint a(1);
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    ar.MapObject(&a);  // index 1, nothing written
    ar << &a;
    ar.WriteClass(RUNTIME_CLASS(CTestPoint));  // index 2
  });
  EXPECT_EQ(bytes, Concat({{0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}, Text("CTestPoint")}));
  LoadBytes(bytes, [&](CArchive& ar) {
    CTestPoint b(2);
    ar.MapObject(&b);
    CTestPoint* p;
    ar >> p;
    EXPECT_EQ(p, &b);
    EXPECT_EQ(ar.ReadClass(), RUNTIME_CLASS(CTestPoint));
  });
}

TEST_F(ArchiveTest, DeeplyNestedObjectsAreRefused) {
  // Node, whose link is a node, whose link is a node ... then null.
  auto chain = [](int depth) {
    Bytes nodeRecord = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTestNode"), {0x00}});
    Bytes stream = nodeRecord;
    for (int i = 1; i < depth; ++i) stream.insert(stream.end(), {0x01, 0x80, 0x00});
    stream.insert(stream.end(), {0x00, 0x00});
    return stream;
  };
  LoadBytes(chain(500), [](CArchive& ar) { EXPECT_NE(ar.ReadObject(nullptr), nullptr); });
  DeleteLiveObjects();
  EXPECT_EQ(ArchiveCause([&] { LoadBytes(chain(100000), [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            CArchiveException::genericException);
}

TEST_F(ArchiveTest, FailedLoadFreesTheObjectsItCreated) {
  // Three nested nodes, the stream cut inside the innermost one's link.
  const Bytes stream =
      Concat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTestNode"), {0x00}, {0x01, 0x80, 0x00}, {0x01, 0x80, 0x00}});
  EXPECT_EQ(ArchiveCause([&] { LoadBytes(stream, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            CArchiveException::endOfFile);
  EXPECT_TRUE(LiveObjects().empty());
}

TEST_F(ArchiveTest, SchemaCheck) {
  // CTestPoint has schema 1; a record with schema 2 is refused.
  const Bytes wrongSchema = Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00}, Text("CTestPoint"), {1, 0, 0, 0}});
  EXPECT_EQ(ArchiveCause([&] { LoadBytes(wrongSchema, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
            CArchiveException::badSchema);
  // A versionable class accepts the older schema and sees it.
  const Bytes older = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00}, Text("CTestVersioned"), {0x34, 0x12}});
  LoadBytes(older, [](CArchive& ar) {
    CTestVersioned* p;
    ar >> p;
    EXPECT_EQ(p->m_nLoadedSchema, 1u);
    EXPECT_EQ(p->m_wValue, 0x1234);
  });
}

TEST_F(ArchiveTest, BadClassRecordsAndIndicesRaiseArchiveExceptions) {
  const Bytes pointRecord = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}, Text("CTestPoint"), {1, 0, 0, 0}});
  struct Row {
    const char* what;
    Bytes stream;
    int cause;
  };
  const Row rows[] = {
      {"class index beyond the map", {0x05, 0x80}, CArchiveException::badIndex},
      {"class index 0", {0x00, 0x80}, CArchiveException::badIndex},
      {"big class index beyond the map", {0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}, CArchiveException::badIndex},
      {"big class index 0x7FFF", {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}, CArchiveException::badIndex},
      {"object index beyond the map", {0x07, 0x00}, CArchiveException::badIndex},
      {"class index naming an object", Concat({pointRecord, {0x02, 0x80}}), CArchiveException::badClass},
      {"object index naming a class", Concat({pointRecord, {0x01, 0x00}}), CArchiveException::badIndex},
      {"unknown class", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("CNone")}), CArchiveException::badClass},
      {"name too long", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x50, 0x00}, Bytes(0x50, 'A')}), CArchiveException::badClass},
      {"class without a serial schema", Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00}, Text("CException")}),
       CArchiveException::badClass},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ArchiveCause([&] {
                LoadBytes(row.stream, [](CArchive& ar) {
                  for (int i = 0; i < 3; ++i) ar.ReadObject(nullptr);
                });
              }),
              row.cause)
        << row.what;
    DeleteLiveObjects();
  }
  // A required class that the stored object does not derive from.
  EXPECT_EQ(
      ArchiveCause([&] { LoadBytes(pointRecord, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CTestNode)); }); }),
      CArchiveException::badClass);
}

TEST_F(ArchiveTest, TruncatedStreamsEndWithEndOfFile) {
  CTestNode node;
  node.m_name = CString('n', 300);
  CTestPoint point(9);
  node.m_pLink = &point;
  CTestBag bag;
  bag.m_strings.Add("one");
  bag.m_strings.Add(CString('t', 256));
  bag.m_bytes.Add(1);
  bag.m_words.Add(0x0102);
  bag.m_objects.Add(&node);
  bag.m_objects.Add(&node);
  bag.m_list.AddTail("list");
  bag.m_map.SetAt("k", "v");
  const Bytes full = StoreBytes([&](CArchive& ar) {
    ar << &bag;
    ar.WriteCount(0x12345);
  });
  LoadBytes(full, [](CArchive& ar) {
    CTestBag* p;
    ar >> p;
    ASSERT_EQ(p->m_objects.GetSize(), 2);
    EXPECT_EQ(p->m_objects[0], p->m_objects[1]);
    CTestNode* pNode = static_cast<CTestNode*>(p->m_objects[0]);
    EXPECT_EQ(pNode->m_name.GetLength(), 300);
    ASSERT_NE(pNode->m_pLink, nullptr);
    EXPECT_EQ(static_cast<CTestPoint*>(pNode->m_pLink)->m_x, 9);
    EXPECT_STREQ(p->m_strings[1].Left(3), "ttt");
    CString v;
    EXPECT_TRUE(p->m_map.Lookup("k", v));
    EXPECT_STREQ(v, "v");
    EXPECT_EQ(ar.ReadCount(), 0x12345u);
  });
  DeleteLiveObjects();
  for (size_t n = 0; n < full.size(); ++n) {
    Bytes cut(full.begin(), full.begin() + n);
    EXPECT_EQ(ArchiveCause([&] {
                LoadBytes(cut, [](CArchive& ar) {
                  ar.ReadObject(nullptr);
                  ar.ReadCount();
                });
              }),
              CArchiveException::endOfFile)
        << "cut at " << n;
    DeleteLiveObjects();
  }
}

TEST_F(ArchiveTest, DirectionAndFileHandling) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_FALSE(ar.IsLoading());
    EXPECT_EQ(ar.GetFile(), &file);
    EXPECT_EQ(ar.m_pDocument, nullptr);
    EXPECT_EQ(ArchiveCause([&] {
                BYTE b;
                ar >> b;
              }),
              CArchiveException::writeOnly);
    ar << static_cast<DWORD>(0x04030201) << static_cast<BYTE>(5);
    EXPECT_EQ(file.GetLength(), 0u);  // still in the buffer
    ar.Flush();
    EXPECT_EQ(file.GetLength(), 5u);
  }  // the destructor closes
  {
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ArchiveCause([&] { ar << static_cast<BYTE>(1); }), CArchiveException::readOnly);
    BYTE b;
    ar >> b;
    EXPECT_EQ(b, 1);
    ar.Close();  // gives back the bytes it read ahead
    EXPECT_EQ(file.GetPosition(), 1u);
  }
  // Abort leaves the buffered bytes unwritten.
  CMemFile file2;
  {
    CArchive ar(&file2, CArchive::store);
    ar << static_cast<DWORD>(1);
    ar.Abort();
  }
  EXPECT_EQ(file2.GetLength(), 0u);
}

TEST_F(ArchiveTest, LargeBlocksPassTheBuffer) {
  Bytes block(10000);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<BYTE>(i * 7);
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    ar << static_cast<BYTE>(0xAA);
    ar.Write(block.data(), static_cast<UINT>(block.size()));
    ar << static_cast<BYTE>(0xBB);
  });
  ASSERT_EQ(bytes.size(), block.size() + 2);
  LoadBytes(bytes, [&](CArchive& ar) {
    BYTE first, last;
    Bytes read(block.size());
    ar >> first;
    EXPECT_EQ(ar.Read(read.data(), static_cast<UINT>(read.size())), read.size());
    ar >> last;
    EXPECT_EQ(first, 0xAA);
    EXPECT_EQ(read, block);
    EXPECT_EQ(last, 0xBB);
    EXPECT_EQ(ar.Read(read.data(), 1), 0u);  // at the end: nothing, no exception
  });
}

}  // namespace
