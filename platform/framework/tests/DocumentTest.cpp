// Documents beyond their frames: the recent file list, the items of an OLE
// document with the one selected in a view, and the Edit menu's entry for
// an item's verbs.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FrameTestSupport.h"

namespace {

// ------------------------------------------------------- recent file list

std::vector<std::string> Names(CRecentFileList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.GetSize(); ++i) names.emplace_back(list[i]);
  return names;
}

TEST(RecentFileListTest, NewestFirstWithoutDuplicates) {
  CRecentFileList list(ID_FILE_MRU_FILE1, "Test Recent", "File%d", 3);
  list.Add("C:\\docs\\a.txt");
  list.Add("C:\\docs\\b.txt");
  list.Add("C:\\docs\\c.txt");
  EXPECT_EQ(Names(list), (std::vector<std::string>{"C:\\docs\\c.txt", "C:\\docs\\b.txt", "C:\\docs\\a.txt"}));
  list.Add("c:\\DOCS\\B.TXT");  // the same file: moves up, keeps no second entry
  EXPECT_EQ(Names(list), (std::vector<std::string>{"c:\\DOCS\\B.TXT", "C:\\docs\\c.txt", "C:\\docs\\a.txt"}));
  list.Add("C:\\docs\\d.txt");  // the oldest drops out
  EXPECT_EQ(Names(list), (std::vector<std::string>{"C:\\docs\\d.txt", "c:\\DOCS\\B.TXT", "C:\\docs\\c.txt"}));
  list.Remove(0);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"c:\\DOCS\\B.TXT", "C:\\docs\\c.txt", ""}));

  // Written to the profile and read back by another list.
  list.WriteList();
  CRecentFileList other(ID_FILE_MRU_FILE1, "Test Recent", "File%d", 3);
  other.ReadList();
  EXPECT_EQ(Names(other), Names(list));
  AfxGetApp()->WriteProfileString("Test Recent", nullptr, nullptr);
}

TEST(RecentFileListTest, DisplayNamesAreRelativeAndShortened) {
  struct Case {
    const char* path;
    const char* curDir;
    int nMaxLength;
    BOOL bAtLeastName;
    const char* shown;
  };
  const Case cases[] = {
      {"C:\\docs\\report.txt", "C:\\docs\\", 30, TRUE, "report.txt"},
      {"C:\\docs\\sub\\a.txt", "c:\\DOCS\\", 30, TRUE, "sub\\a.txt"},
      {"C:\\other\\a.txt", "C:\\docs\\", 30, TRUE, "C:\\other\\a.txt"},
      {"C:\\one\\two\\three\\four\\file.txt", "", 20, TRUE, "C:\\...\\four\\file.txt"},
      {"C:\\one\\two\\three\\four\\file.txt", "", 12, TRUE, "file.txt"},
      {"C:\\d\\averyveryverylongname.txt", "", 10, TRUE, "averyveryverylongname.txt"},
      {"C:\\d\\averyveryverylongname.txt", "", 10, FALSE, ""},
      {"\\\\srv\\share\\alpha\\beta\\c.txt", "", 22, TRUE, "\\\\srv\\share\\...\\c.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    CRecentFileList list(ID_FILE_MRU_FILE1, "Test Recent", "File%d", 2, c.nMaxLength);
    list.Add(c.path);
    CString shown;
    ASSERT_TRUE(list.GetDisplayName(shown, 0, c.curDir, lstrlenA(c.curDir), c.bAtLeastName));
    EXPECT_STREQ(shown, c.shown);
    EXPECT_FALSE(list.GetDisplayName(shown, 1, c.curDir, lstrlenA(c.curDir)));  // an empty entry
  }
}

TEST(RecentFileListTest, ADocumentsPathJoinsTheApplicationsList) {
  CWinApp* pApp = AfxGetApp();
  pApp->LoadStdProfileSettings(2);
  ASSERT_NE(pApp->m_pRecentFileList, nullptr);
  EXPECT_EQ(pApp->m_pRecentFileList->GetSize(), 2);
  CDocument* pDoc = new CDocument;
  pDoc->SetPathName("C:\\docs\\plan.txt");
  EXPECT_STREQ(pDoc->GetTitle(), "plan.txt");
  EXPECT_STREQ((*pApp->m_pRecentFileList)[0], "C:\\docs\\plan.txt");
  pDoc->SetPathName("C:\\docs\\quiet.txt", FALSE);
  EXPECT_STREQ((*pApp->m_pRecentFileList)[0], "C:\\docs\\plan.txt");
  delete pDoc;
  delete pApp->m_pRecentFileList;  // the test program's profile is left alone
  pApp->m_pRecentFileList = nullptr;
}

// ---------------------------------------------------------- OLE documents

// An object with a fixed set of verbs; counts its references.
class CVerbObject : public IOleObject, public IEnumOLEVERB {
 public:
  struct VerbDef {
    LONG lVerb;
    const wchar_t* pszName;
    DWORD grfAttribs;
  };
  explicit CVerbObject(std::vector<VerbDef> verbs) : m_verbs(std::move(verbs)) {}
  ULONG m_nRefs = 1;
  std::vector<VerbDef> m_verbs;
  size_t m_nNext = 0;

  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_nRefs; }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnum) override {
    m_nNext = 0;
    AddRef();
    *ppEnum = this;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD dwForm, LPOLESTR* ppsz) override {
    if (dwForm != USERCLASSTYPE_SHORT) return E_INVALIDARG;
    *ppsz = Copy(L"Drawing");
    return S_OK;
  }
  STDMETHODIMP Next(ULONG, OLEVERB* pVerb, ULONG* pnFetched) override {
    if (m_nNext >= m_verbs.size()) {
      *pnFetched = 0;
      return S_FALSE;
    }
    const VerbDef& def = m_verbs[m_nNext++];
    *pVerb = OLEVERB{def.lVerb, Copy(def.pszName), 0, def.grfAttribs};
    *pnFetched = 1;
    return S_OK;
  }
  static LPOLESTR Copy(const wchar_t* psz) {
    size_t cb = (wcslen(psz) + 1) * sizeof(wchar_t);
    auto* p = static_cast<LPOLESTR>(::CoTaskMemAlloc(cb));
    memcpy(p, psz, cb);
    return p;
  }
  // Not used here.
  STDMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
  STDMETHODIMP Reset() override { return E_NOTIMPL; }
  STDMETHODIMP Clone(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
  STDMETHODIMP GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP Close(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return E_NOTIMPL; }
  STDMETHODIMP IsUpToDate() override { return E_NOTIMPL; }
  STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
};

class CSelectingView : public CView {
 public:
  std::set<const CObject*> m_selected;
  BOOL IsSelected(const CObject* pDocItem) const override { return m_selected.count(pDocItem) != 0; }

 protected:
  void OnDraw(CDC*) override {}
};

TEST(OleDocumentTest, ThePrimarySelectedItemIsTheOnlySelectedClientItem) {
  COleDocument* pDoc = new COleDocument;
  pDoc->m_bAutoDelete = FALSE;
  CSelectingView view;
  COleClientItem* pFirst = new COleClientItem(pDoc);
  COleClientItem* pSecond = new COleClientItem(pDoc);
  CDocItem* pPlain = new CDocItem;
  pDoc->AddItem(pPlain);
  EXPECT_EQ(pFirst->GetDocument(), pDoc);
  EXPECT_EQ(pDoc->GetPrimarySelectedItem(&view), nullptr);
  view.m_selected = {pSecond, pPlain};  // a plain item does not count
  EXPECT_EQ(pDoc->GetPrimarySelectedItem(&view), pSecond);
  view.m_selected = {pFirst, pSecond};
  EXPECT_EQ(pDoc->GetPrimarySelectedItem(&view), nullptr);

  // A deleted item leaves the document; the document deletes the rest,
  // and an item lets its object go.
  delete pSecond;
  POSITION pos = pDoc->GetStartPosition();
  EXPECT_EQ(pDoc->GetNextClientItem(pos), pFirst);
  EXPECT_EQ(pDoc->GetNextClientItem(pos), nullptr);
  CVerbObject object({});
  object.AddRef();
  pFirst->AttachObject(&object);
  EXPECT_EQ(pFirst->GetItemState(), COleClientItem::loadedState);
  delete pDoc;
  EXPECT_EQ(object.m_nRefs, 1u);
}

// The entries of a menu: text and id ("popup" for a popup), greyed marked.
std::vector<std::string> Entries(HMENU hMenu) {
  std::vector<std::string> entries;
  for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
    char szText[64] = {};
    ::GetMenuStringA(hMenu, static_cast<UINT>(i), szText, sizeof(szText), MF_BYPOSITION);
    UINT nState = ::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
    std::string entry = (nState & MF_SEPARATOR) ? "-" : szText;
    if (::GetSubMenu(hMenu, i) != nullptr)
      entry += " popup";
    else if (!(nState & MF_SEPARATOR))
      entry += " " + std::to_string(::GetMenuItemID(hMenu, i));
    if ((nState & MF_GRAYED) && !(nState & MF_SEPARATOR)) entry += " greyed";
    entries.push_back(entry);
  }
  return entries;
}

TEST(OleEditMenuTest, TheItemsVerbsFillTheObjectEntry) {
  const std::vector<CVerbObject::VerbDef> verbs = {{0, L"&Edit", OLEVERBATTRIB_ONCONTAINERMENU},
                                                   {OLEIVERB_HIDE, L"Hide", OLEVERBATTRIB_ONCONTAINERMENU},
                                                   {1, L"&Open", OLEVERBATTRIB_ONCONTAINERMENU},
                                                   {2, L"Secret", 0}};
  struct Case {
    const char* name;
    size_t nVerbs;  // of `verbs`; SIZE_MAX: no item
    UINT nIDVerbMax, nIDConvert;
    std::vector<std::string> entry, popup;
  };
  const Case cases[] = {
      {"no item", SIZE_MAX, 0, 0, {"&Object 57872 greyed", "Paste 100"}, {}},
      {"verbs", verbs.size(), 0, 0, {"Drawing &Object popup", "Paste 100"}, {"&Edit 57872", "&Open 57873"}},
      {"verbs and convert",
       verbs.size(),
       0,
       0xE220,
       {"Drawing &Object popup", "Paste 100"},
       {"&Edit 57872", "&Open 57873", "-", "&Convert... 57888"}},
      {"one verb allowed", verbs.size(), 0xE210, 0, {"&Edit Drawing &Object 57872", "Paste 100"}, {}},
      {"a hidden verb does not count", 2 /* edit, hide */, 0, 0, {"&Edit Drawing &Object 57872", "Paste 100"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CVerbObject object(
        c.nVerbs == SIZE_MAX ? verbs : std::vector<CVerbObject::VerbDef>(verbs.begin(), verbs.begin() + c.nVerbs));
    COleClientItem item;
    if (c.nVerbs != SIZE_MAX) {
      object.AddRef();
      item.AttachObject(&object);
    }
    // The entry at position 0 is replaced, the rest of the menu stays.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, "old");
    menu.AppendMenu(MF_STRING, 100, "Paste");
    AfxOleSetEditMenu(c.nVerbs == SIZE_MAX ? nullptr : &item, &menu, 0, 0xE210, c.nIDVerbMax, c.nIDConvert);
    EXPECT_EQ(Entries(menu.m_hMenu), c.entry);
    HMENU hPopup = ::GetSubMenu(menu.m_hMenu, 0);
    EXPECT_EQ(hPopup != nullptr ? Entries(hPopup) : std::vector<std::string>{}, c.popup);
  }
}

TEST(OleEditMenuTest, AnEmptyMenuGetsTheObjectEntry) {
  CVerbObject object({{0, L"&Edit", OLEVERBATTRIB_ONCONTAINERMENU}, {1, L"&Open", OLEVERBATTRIB_ONCONTAINERMENU}});
  object.AddRef();
  COleClientItem item;
  item.AttachObject(&object);
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  AfxOleSetEditMenu(&item, &menu, 0, 0xE210, 0xE21F);
  EXPECT_EQ(Entries(menu.m_hMenu), (std::vector<std::string>{"Drawing &Object popup"}));
  EXPECT_EQ(Entries(::GetSubMenu(menu.m_hMenu, 0)), (std::vector<std::string>{"&Edit 57872", "&Open 57873"}));
}

}  // namespace
