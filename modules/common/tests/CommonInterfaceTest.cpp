// The common interface and its CAM menu dialog against the card library
// stand-in: a CAM that becomes ready is logged with its CA systems, names
// its slot in the host's menu and has the scrambled service descrambled
// again, with the graph's restart posted rather than run on the CI thread;
// the CAM's menu fills the dialog, a choice and an enquiry's answer reach
// the card, the CAM closes the dialog; malformed messages are dropped.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <DvbChannels.h>

#include "CAMMenuDialog.h"
#include "CardSim.h"
#include "CommonInterface.h"
#include "ModuleResources.h"

namespace {

CCriticalSection g_logLock;
std::vector<std::string> g_log;  // guarded by g_logLock

int __cdecl Log(const char*, int, int level, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  CSingleLock lock(&g_logLock, TRUE);
  g_log.push_back(std::to_string(level) + " " + text);
  return 0;
}

bool Logged(const std::string& line) {
  CSingleLock lock(&g_logLock, TRUE);
  for (const std::string& l : g_log)
    if (l == line) return true;
  return false;
}

std::string Record() {
  std::string text(CardSimRecord(nullptr, 0) + 1, '\0');
  CardSimRecord(text.data(), static_cast<int>(text.size()));
  text.resize(text.size() - 1);
  return text;
}

bool Recorded(const std::string& line) { return Record().find(line + "\n") != std::string::npos; }

// Serves this thread's messages (the handlers send theirs to the dialog)
// until done() holds.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
  return true;
}

std::string ItemText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

class CFakeModule : public ICamHost {
 public:
  CFakeModule() {
    m_window = CreateWindowA("STATIC", "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, CCommonInterface::kSlotMenuItem[0], "Slot 1 ...");
    AppendMenuA(menu, MF_STRING, CCommonInterface::kSlotMenuItem[1], "Slot 2 ...");
    SetMenu(m_window, menu);
    channel = {};
    channel.serviceId = 28006;
    channel.scrambled = 1;
  }
  ~CFakeModule() override { DestroyWindow(m_window); }
  HWND HostWindow() override { return m_window; }
  const DVB_CHANNELS* CurrentChannel() override { return &channel; }
  void PostGraphRestart() override {
    restarts++;
    restartThread = GetCurrentThreadId();
  }
  std::string MenuText(int slot) {
    char text[64] = {};
    GetMenuStringA(GetMenu(m_window), CCommonInterface::kSlotMenuItem[slot], text, sizeof(text), MF_BYCOMMAND);
    return text;
  }

  DVB_CHANNELS channel;
  std::atomic<int> restarts{0};
  std::atomic<DWORD> restartThread{0};

 private:
  HWND m_window;
};

class CommonInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      CSingleLock lock(&g_logLock, TRUE);
      g_log.clear();
    }
    m_host.m_pfnLog = &Log;
  }
  void Start(const char* script) {
    CardSimLoadScript(script);
    m_ci = std::make_unique<CCommonInterface>(m_host, ".\\test", m_module);
    m_dialog = std::make_unique<CCAMMenuDialog>(*m_ci);
    ASSERT_TRUE(m_dialog->Create());
    m_ci->SetMenuWindow(m_dialog.get());
    ASSERT_EQ(0, m_ci->Open());
  }
  void TearDown() override {
    if (m_ci) m_ci->Close();
    if (m_dialog) m_dialog->DestroyWindow();
    m_dialog.reset();
    m_ci.reset();
  }
  HWND Dialog() const { return m_dialog->GetSafeHwnd(); }
  void Command(int id, int code = BN_CLICKED) {
    SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(Dialog(), id)));
  }

  ModuleHostLink m_host;
  CFakeModule m_module;
  std::unique_ptr<CCommonInterface> m_ci;
  std::unique_ptr<CCAMMenuDialog> m_dialog;
};

TEST_F(CommonInterfaceTest, AReadyModuleIsNamedAndTheScrambledServiceDescrambledAgain) {
  Start("ci open slot 1 1\nci open slot 0 2 Alpha\\x20CAM\\x20\\x20 0100 1A00\n");
  ASSERT_TRUE(PumpUntil([] { return Logged("10 CAM: Alpha CAM Slot: 1"); }));
  EXPECT_TRUE(Logged("10 CAM module inserted."));
  EXPECT_TRUE(Logged("10 supported CA ID: 0100 - Canal Plus (SECA/Mediaguard)"));
  EXPECT_TRUE(Logged("10 supported CA ID: 1A00 - Unknown"));
  EXPECT_EQ(1, m_ci->SlotState(1));
  EXPECT_EQ(2, m_ci->SlotState(0));
  EXPECT_EQ("Alpha CAM", m_module.MenuText(0));
  EXPECT_EQ("Slot 2 ...", m_module.MenuText(1));
  // Slot 1 still detects: the service is not asked for yet.
  EXPECT_FALSE(Recorded("ReadPSIFast 28006"));
  EXPECT_EQ(0, m_module.restarts.load());
  EXPECT_TRUE(PumpUntil([&] { return ItemText(Dialog(), IDC_CAM_SLOT) == "Alpha CAM"; }));
}

TEST_F(CommonInterfaceTest, TheRestartIsPostedFromTheCiThreadOnceNoSlotDetects) {
  Start("ci open slot 1 0\nci open slot 0 3 Alpha 0B00\n");
  ASSERT_TRUE(PumpUntil([] { return Logged("10 CAM: Alpha Slot: 1"); }));
  EXPECT_TRUE(Logged("10 Slot 2 is empty or unknown CAM module inserted."));
  EXPECT_TRUE(Recorded("ReadPSIFast 28006"));
  EXPECT_EQ(1, m_module.restarts.load());
  EXPECT_NE(GetCurrentThreadId(), m_module.restartThread.load());
}

TEST_F(CommonInterfaceTest, AMenuRoundTripReachesTheCardAndTheCamClosesTheDialog) {
  Start(
      "ci open slot 0 2 Alpha 0100\n"
      "ci menu:0 menu 0 Alpha CAM|Main menu|Press OK|Smartcard|Language|Information\n"
      "ci choice:2 enquiry 0 1 4\n"
      "ci answer:1234 osdoff 0\n");
  ASSERT_TRUE(PumpUntil([] { return Logged("10 CAM: Alpha Slot: 1"); }));
  m_dialog->SetSlot(0);
  m_dialog->BindSlot();
  char title[64] = {};
  GetWindowTextA(Dialog(), title, sizeof(title));
  EXPECT_STREQ("CAM Slot 1", title);
  EXPECT_EQ("Alpha", ItemText(Dialog(), IDC_CAM_SLOT));

  ASSERT_EQ(0, m_ci->EnterModuleMenu(0));
  const std::vector<std::string> menu = {"Alpha CAM", "Main menu", "[1] Smartcard", "[2] Language",
                                         "[3] Information", "Press OK"};
  ASSERT_TRUE(PumpUntil([&] { return m_dialog->Lines() == menu; }));
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  EXPECT_TRUE(m_dialog->MenuRequested());
  EXPECT_EQ("CI active", ItemText(Dialog(), IDC_CAM_STATUS));

  // A double click on the second choice (line 3) sends choice 2.
  SendDlgItemMessageA(Dialog(), IDC_CAM_LIST, LB_SETCURSEL, 3, 0);
  Command(IDC_CAM_LIST, LBN_DBLCLK);
  EXPECT_TRUE(Recorded("MenuAnswer 0 2"));
  ASSERT_TRUE(PumpUntil([&] { return ItemText(Dialog(), IDC_CAM_STATUS) == "Enter answer and press send."; }));
  EXPECT_EQ(4, m_ci->AnswerLength());

  // A wrong length is not sent.
  SetDlgItemTextA(Dialog(), IDC_CAM_ANSWER, "123");
  Command(IDC_CAM_SEND);
  EXPECT_EQ("Error while sending answer!", ItemText(Dialog(), IDC_CAM_STATUS));
  EXPECT_EQ(std::string::npos, Record().find("\nAnswer 0"));

  SetDlgItemTextA(Dialog(), IDC_CAM_ANSWER, "1234");
  Command(IDC_CAM_OK);
  EXPECT_TRUE(Recorded("Answer 0 4 \"1234\""));
  EXPECT_EQ("", ItemText(Dialog(), IDC_CAM_ANSWER));
  ASSERT_TRUE(PumpUntil([&] { return ItemText(Dialog(), IDC_CAM_STATUS) == "CI inactive"; }));
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  EXPECT_FALSE(m_dialog->MenuRequested());
  EXPECT_TRUE(m_dialog->Lines().empty());

  // The digits choose directly; 0 is the CAM's escape. Cancel sends an empty answer.
  Command(IDC_CAM_DIGIT0);
  Command(IDC_CAM_DIGIT0 + 3);
  Command(IDC_CAM_CANCEL_ENQUIRY);
  const std::string record = Record();
  EXPECT_NE(std::string::npos, record.find("MenuAnswer 0 0\nMenuAnswer 0 3\nAnswer 0 0 \"\"\n")) << record;
}

TEST_F(CommonInterfaceTest, MalformedMessagesAreDroppedAndLogged) {
  Start(
      "ci open list 0 Title|Sub|Bottom|Entry one\n"
      "ci open raw 0 menu 2 4142\n"
      "ci open enquiry 0 0 200\n");
  const std::vector<std::string> list = {"Title", "Sub", "Entry one", "Bottom"};
  ASSERT_TRUE(PumpUntil([] { return Logged("127 Dropped a CAM menu of 2 bytes with 65535 entries: too short"); }));
  EXPECT_EQ(list, m_dialog->Lines());
  ASSERT_TRUE(PumpUntil([&] { return m_ci->AnswerLength() == 200; }));
  SetDlgItemTextA(Dialog(), IDC_CAM_ANSWER, std::string(200, '7').c_str());
  Command(IDC_CAM_SEND);
  EXPECT_EQ("Error while sending answer!", ItemText(Dialog(), IDC_CAM_STATUS));
  EXPECT_TRUE(Logged("127 The CAM asks for an answer of 200 characters; at most 63 can be sent."));
  EXPECT_EQ(std::string::npos, Record().find("\nAnswer 0"));
}

TEST_F(CommonInterfaceTest, WithoutAMenuWindowTheDisplayMessagesAreIgnored) {
  CardSimLoadScript("ci open menu 0 T|S|B|Choice\n");
  CCommonInterface ci(m_host, ".\\test", m_module);
  ASSERT_EQ(0, ci.Open());
  Sleep(200);
  ci.Close();
  CSingleLock lock(&g_logLock, TRUE);
  EXPECT_TRUE(g_log.empty());
}

}  // namespace
