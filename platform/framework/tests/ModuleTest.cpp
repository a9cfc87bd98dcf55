// Message boxes, string resources, and framework objects that cross module
// boundaries (two test libraries linked to this program).
#include <Framework.h>

#include <gtest/gtest.h>

#include <string>

#include "TestResources.h"
#include "dll/SharedShape.h"

namespace {

struct BoxCall {
  std::string text;
  UINT type;
  UINT help;
};
std::vector<BoxCall> g_boxes;
int g_answer = IDOK;

int CALLBACK AnswerBox(LPCTSTR text, UINT type, UINT help) {
  g_boxes.push_back({text, type, help});
  return g_answer;
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_boxes.clear();
    m_previous = AfxSetMessageBoxHook(AnswerBox);
  }
  void TearDown() override { AfxSetMessageBoxHook(m_previous); }
  AFX_MSGBOX_HOOK m_previous = nullptr;
};

TEST_F(ModuleTest, MessageBoxHookAnswersUnattended) {
  g_answer = IDYES;
  EXPECT_EQ(AfxMessageBox("Delete the list?", MB_YESNO | MB_ICONQUESTION), IDYES);
  g_answer = IDCANCEL;
  EXPECT_EQ(AfxMessageBox(IDS_HELLO, MB_OKCANCEL), IDCANCEL);
  ASSERT_EQ(g_boxes.size(), 2u);
  EXPECT_EQ(g_boxes[0].text, "Delete the list?");
  EXPECT_EQ(g_boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(g_boxes[1].text, "Hello from the string table");
  EXPECT_EQ(g_boxes[1].type, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(g_boxes[1].help, static_cast<UINT>(IDS_HELLO));

  // An exception reports itself through the same box.
  CFileException e(CFileException::accessDenied, ERROR_ACCESS_DENIED, "C:\\x.qcx");
  g_answer = IDOK;
  EXPECT_EQ(e.ReportError(), IDOK);
  ASSERT_EQ(g_boxes.size(), 3u);
  EXPECT_NE(g_boxes[2].text.find("C:\\x.qcx"), std::string::npos);

  // A library's box reaches this program's hook too.
  g_answer = IDNO;
  EXPECT_EQ(AskFromA(), IDNO);
  ASSERT_EQ(g_boxes.size(), 4u);
  EXPECT_EQ(g_boxes[3].text, "asked by library A");
  EXPECT_EQ(g_boxes[3].help, 77u);
}

TEST_F(ModuleTest, StringResources) {
  CString s;
  EXPECT_TRUE(s.LoadString(IDS_HELLO));
  EXPECT_STREQ(s, "Hello from the string table");
  EXPECT_TRUE(s.LoadString(IDS_LONG));
  EXPECT_GT(s.GetLength(), 256);
  EXPECT_EQ(s.Right(8), "The end.");
  EXPECT_FALSE(s.LoadString(999));
  CString formatted;
  formatted.Format(IDS_FORMAT, 3, "four");
  EXPECT_STREQ(formatted, "Value 3 of four");
  CString fromId(MAKEINTRESOURCEA(IDS_HELLO));
  EXPECT_STREQ(fromId, "Hello from the string table");
  char buf[8];
  EXPECT_EQ(AfxLoadString(IDS_HELLO, buf, sizeof(buf)), 7);
  EXPECT_STREQ(buf, "Hello f");
}

TEST_F(ModuleTest, StringMadeInOneLibraryChangedInAnotherFreedHere) {
  CString s, t;
  MakeStringInA(s);
  MakeStringInA(t);
  EXPECT_STREQ(s, "made in library A (1)");
  CString shared(s);  // shares library A's block with this program
  ChangeStringsInB(s, t);
  EXPECT_EQ(s.GetLength(), 21 + 1000);
  EXPECT_EQ(s.Left(21), "made in library A (1)");
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_STREQ(t, "");
  EXPECT_STREQ(shared, "made in library A (1)");  // untouched by the change in B
  // s, t and shared are freed here, by this program.
}

TEST_F(ModuleTest, ExtensionLibraryLinksClassesAndResources) {
  CString s;
  EXPECT_FALSE(s.LoadString(IDS_FROM_LIBRARY_A));
  EXPECT_EQ(CRuntimeClass::FromName("CSharedShape"), nullptr);
  LinkLibraryA();
  EXPECT_TRUE(s.LoadString(IDS_FROM_LIBRARY_A));
  EXPECT_STREQ(s, "String from library A");
  CRuntimeClass* pClass = CRuntimeClass::FromName("CSharedShape");
  ASSERT_NE(pClass, nullptr);
  EXPECT_EQ(pClass, RUNTIME_CLASS(CSharedShape));

  // An object of the library's class, stored and loaded by this program; the
  // class derives from the library's copy of CObject, and is still of kind
  // CObject here.
  CSharedShape shape;
  shape.m_name = "circle";
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << &shape;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CObject* pLoaded = ar.ReadObject(RUNTIME_CLASS(CObject));
  ASSERT_NE(pLoaded, nullptr);
  EXPECT_TRUE(pLoaded->IsKindOf(RUNTIME_CLASS(CObject)));
  CSharedShape* pShape = DYNAMIC_DOWNCAST(CSharedShape, pLoaded);
  ASSERT_NE(pShape, nullptr);
  EXPECT_STREQ(pShape->Describe(), "shape circle");
  delete pLoaded;
}

TEST_F(ModuleTest, UnloadedLibraryLeavesTheSearchLists) {
  LinkLibraryA();
  HMODULE hLibrary = LoadLibraryA("framework_test_library_c.dll");
  ASSERT_NE(hLibrary, nullptr);
  auto link = reinterpret_cast<void (*)()>(GetProcAddress(hLibrary, "LinkLibraryC"));
  ASSERT_NE(link, nullptr);
  link();
  CString s;
  EXPECT_TRUE(s.LoadString(301));
  EXPECT_STREQ(s, "String from library C");
  CObject* pObject = CRuntimeClass::CreateObject("CUnloadableShape");
  ASSERT_NE(pObject, nullptr);
  delete pObject;
  ASSERT_TRUE(FreeLibrary(hLibrary));
  // Its classes and resources are gone from the lists, and searching them
  // does not touch the unloaded library.
  EXPECT_EQ(CRuntimeClass::FromName("CUnloadableShape"), nullptr);
  EXPECT_FALSE(s.LoadString(301));
  EXPECT_NE(CRuntimeClass::FromName("CSharedShape"), nullptr);  // library A stays linked
}

// A class derived here from the library's exported class.
class CLocalShape : public CSharedShape {
 public:
  CString Describe() const override { return "local " + CSharedShape::Describe(); }
};

TEST_F(ModuleTest, ExportedClassDerivedAndOverridden) {
  CLocalShape local;
  local.m_name = "square";
  const CSharedShape& base = local;
  EXPECT_STREQ(base.Describe(), "local shape square");
  EXPECT_TRUE(local.IsKindOf(RUNTIME_CLASS(CSharedShape)));
}

}  // namespace
