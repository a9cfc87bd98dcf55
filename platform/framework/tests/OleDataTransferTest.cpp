// OLE data transfer: a data source read through a data object, drag and
// drop of text between two windows of this process, and the clipboard
// between this process and a second program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OleClipboardShared.h"
#include "WindowTestSupport.h"

namespace {

constexpr DWORD kPeerWait = 60000;

class OleDataTransferTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
};

TEST_F(OleDataTransferTest, ADataObjectReadsCopiesOfWhatTheSourceCached) {
  COleDataSource source;
  const std::string bytes("a\0b\xff", 4);
  CacheTestData(&source, "hello", bytes);
  // Caching a format again replaces it.
  source.CacheGlobalData(CF_TEXT, MakeGlobal("again", 6));

  COleDataObject data;
  data.Attach(reinterpret_cast<LPDATAOBJECT>(source.GetInterface(&IID_IDataObject)), FALSE);
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_TRUE(data.IsDataAvailable(TestBytesFormat()));
  EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
  EXPECT_EQ(data.GetGlobalData(CF_BITMAP), nullptr);

  // Each read is the reader's own copy: changing it leaves the source alone.
  HGLOBAL hFirst = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(hFirst, nullptr);
  static_cast<char*>(::GlobalLock(hFirst))[0] = 'X';
  ::GlobalUnlock(hFirst);
  EXPECT_EQ(TextOf(TakeGlobal(hFirst)), "Xgain");
  EXPECT_EQ(TextOf(TakeGlobal(data.GetGlobalData(CF_TEXT))), "again");
  EXPECT_EQ(TakeGlobal(data.GetGlobalData(TestBytesFormat())).substr(0, 4), bytes);

  // A medium the source does not hold the format in is refused.
  FORMATETC formatEtc = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  STGMEDIUM medium;
  EXPECT_FALSE(data.GetData(CF_TEXT, &medium, &formatEtc));

  // The formats are listed, once each.
  IEnumFORMATETC* pEnum = nullptr;
  ASSERT_EQ(data.m_lpDataObject->EnumFormatEtc(DATADIR_GET, &pEnum), S_OK);
  std::vector<CLIPFORMAT> formats;
  FORMATETC next;
  while (pEnum->Next(1, &next, nullptr) == S_OK) formats.push_back(next.cfFormat);
  pEnum->Release();
  EXPECT_EQ(formats, (std::vector<CLIPFORMAT>{TestBytesFormat(), CF_TEXT}));
}

// A window that takes text dropped on it when it accepts drops at all.
class CTextDropTarget : public COleDropTarget {
 public:
  DROPEFFECT m_accepted = DROPEFFECT_COPY;
  std::vector<std::string> m_log;
  std::string m_dropped;

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override {
    m_log.push_back("enter");
    return OnDragOver(pWnd, pData, dwKeyState, point);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* pData, DWORD, CPoint point) override {
    m_lastPoint = point;
    return pData->IsDataAvailable(CF_TEXT) ? m_accepted : DROPEFFECT_NONE;
  }
  void OnDragLeave(CWnd*) override { m_log.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT, CPoint point) override {
    m_log.push_back("drop");
    m_lastPoint = point;
    m_dropped = TextOf(TakeGlobal(pData->GetGlobalData(CF_TEXT)));
    return TRUE;
  }
  CPoint m_lastPoint;
};

// Ends the drag as soon as it is asked, as a release of the button or Esc
// would; the system asks while the cursor is over the target.
class CScriptedDropSource : public COleDropSource {
 public:
  SCODE m_answer = DRAGDROP_S_DROP;
  SCODE QueryContinueDrag(BOOL, DWORD) override { return m_answer; }
};

struct TwoWindows {
  CWnd source, target;
  TwoWindows() {
    source.CreateEx(0, AfxRegisterWndClass(0), "drag source", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0);
    target.CreateEx(0, AfxRegisterWndClass(0), "drop target", WS_POPUP | WS_VISIBLE, CRect(300, 0, 500, 200), nullptr,
                    0);
    PumpPending();
    // The drag happens where the cursor is: over the target.
    ::SetCursorPos(340, 60);
  }
};

TEST_F(OleDataTransferTest, TextDraggedFromOneWindowIsDroppedOnTheOther) {
  struct Case {
    const char* what;
    SCODE sourceAnswer;
    DROPEFFECT accepted;
    DROPEFFECT result;
    std::vector<std::string> log;
    std::string dropped;
  };
  const Case cases[] = {
      {"dropped", DRAGDROP_S_DROP, DROPEFFECT_COPY, DROPEFFECT_COPY, {"enter", "drop"}, "dragged text"},
      {"target refuses", DRAGDROP_S_DROP, DROPEFFECT_NONE, DROPEFFECT_NONE, {"enter", "leave"}, ""},
      // Asked first, the source ends the drag before the target hears of it.
      {"cancelled", DRAGDROP_S_CANCEL, DROPEFFECT_COPY, DROPEFFECT_NONE, {}, ""},
  };
  for (const Case& c : cases) {
    TwoWindows windows;
    ASSERT_NE(windows.target.GetSafeHwnd(), nullptr);
    CTextDropTarget dropTarget;
    dropTarget.m_accepted = c.accepted;
    ASSERT_TRUE(dropTarget.Register(&windows.target));
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, MakeGlobal("dragged text", 13));
    CScriptedDropSource dropSource;
    dropSource.m_answer = c.sourceAnswer;

    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &dropSource), c.result) << c.what;
    EXPECT_EQ(dropTarget.m_log, c.log) << c.what;
    EXPECT_EQ(dropTarget.m_dropped, c.dropped) << c.what;
    if (!c.log.empty()) {
      EXPECT_EQ(dropTarget.m_lastPoint, CPoint(40, 60)) << c.what << ": points are in the target's client area";
    }
    dropTarget.Revoke();
    windows.source.DestroyWindow();
    windows.target.DestroyWindow();
  }
}

std::string PeerPath() {
  char szPath[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string path(szPath);
  return path.substr(0, path.find_last_of("\\/") + 1) + "framework_clipboard_peer.exe";
}

// Runs the peer and pumps this thread's messages meanwhile (the clipboard's
// owner renders its data for the peer on request); returns its exit code.
DWORD RunPeer(const std::string& arguments) {
  std::string commandLine = "\"" + PeerPath() + "\" " + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0xFFFF;
  DWORD dwStart = ::GetTickCount();
  for (;;) {
    DWORD dwElapsed = ::GetTickCount() - dwStart;
    if (dwElapsed >= kPeerWait) break;
    DWORD dw = ::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, kPeerWait - dwElapsed, QS_ALLINPUT);
    if (dw != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  }
  DWORD dwExit = 0xFFFE;
  if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
  else
    ::TerminateProcess(pi.hProcess, 0xFFFD);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return dwExit;
}

TEST_F(OleDataTransferTest, AnotherProgramReadsWhatThisOnePutOnTheClipboard) {
  COleDataSource* pSource = new COleDataSource;  // the clipboard owns it
  CacheTestData(pSource, "from the test", "bytes-1");
  pSource->SetClipboard();
  EXPECT_EQ(RunPeer("read \"from the test\" bytes-1"), 0u);
  // Once flushed, the data stays readable without its source.
  COleDataSource::FlushClipboard();
  EXPECT_EQ(RunPeer("read \"from the test\" bytes-1"), 0u);
}

TEST_F(OleDataTransferTest, ThisProgramReadsWhatAnotherPutOnTheClipboardAndLeft) {
  ASSERT_EQ(RunPeer("write \"from the peer\" bytes-2"), 0u);
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_EQ(TextOf(TakeGlobal(data.GetGlobalData(CF_TEXT))), "from the peer");
  EXPECT_EQ(TakeGlobal(data.GetGlobalData(TestBytesFormat())).substr(0, 7), "bytes-2");
}

}  // namespace
