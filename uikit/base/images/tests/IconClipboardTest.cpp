// One command's icons through the clipboard: within this process, between
// this process and a second program (both ways), and crafted data in the
// format refused.
#include "ImageManager.h"

#include <gtest/gtest.h>

#include "PropStreams.h"
#include "SampleIcons.h"

namespace {

constexpr DWORD kPeerWait = 60000;

class IconClipboard : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AfxOleInit()); }

  // Puts bytes on the clipboard in the icons' format.
  static void PutBytes(const PropBytes& bytes) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty()) memcpy(::GlobalLock(hGlobal), bytes.data(), bytes.size());
    ::GlobalUnlock(hGlobal);
    ::SetClipboardData(JVK_CF_TOOLBAR_IMAGE, hGlobal);
    ::CloseClipboard();
  }

  static BOOL Copy(CJVKImageManager& manager, UINT nCommand) {
    if (!::OpenClipboard(nullptr)) return FALSE;
    ::EmptyClipboard();
    BOOL bCopied = manager.CopyIconToClipboard(nCommand);
    ::CloseClipboard();
    return bCopied;
  }

  static UINT Paste(CJVKImageManager& manager) {
    COleDataObject data;
    if (!data.AttachClipboard()) return 0;
    return manager.PasteIconFromClipboard(&data);
  }
};

TEST_F(IconClipboard, APasteTakesTheNextCustomIdWithTheCopiedIcons) {
  CJVKImageManager manager;
  AddSampleIcons(manager, 5);
  ASSERT_TRUE(Copy(manager, 5));
  EXPECT_EQ(0x10AABu, Paste(manager));
  EXPECT_EQ(0, CompareSampleIcons(manager, 0x10AAB));
  EXPECT_EQ(0x10AACu, Paste(manager));
  EXPECT_FALSE(Copy(manager, 6));
}

TEST_F(IconClipboard, WithoutIconsOnTheClipboardNothingIsPastedAndNoIdUsed) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  CJVKImageManager manager;
  EXPECT_EQ(0u, Paste(manager));
  EXPECT_TRUE(manager.GetIconSets().empty());
  EXPECT_EQ(0x10AABu, manager.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, 0))));
}

TEST_F(IconClipboard, CraftedDataIsRefusedWithoutUsingAnId) {
  CJVKImageManager source;
  AddSampleIcons(source, 5);
  PropBytes good = StoreExchange([&](CJVKPropExchange& px, CArchive&) { source.DoPropExchange(5, &px); });
  auto with = [&](size_t nAt, std::initializer_list<BYTE> patch) {
    PropBytes bytes = good;
    std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<ptrdiff_t>(nAt));
    return bytes;
  };
  // Offsets: 0 the checksum's length, 22 the icon count, 24 the first
  // width, 28 its height, 36 its first block's header count, 38 the header
  // (width at 42, height at 46, bit count at 52), 90 the pixel count.
  struct Case {
    const char* what;
    PropBytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"another checksum", with(5, {'x'})},
      {"a checksum longer than the data", with(0, {0xFF, 0xFE, 0xFF})},
      {"more icons than there are", with(22, {0xFF, 0xFF, 0xFF, 0xFF, 0x7F})},
      {"width 0", with(24, {0, 0, 0, 0})},
      {"width beyond 4096", with(24, {0, 0x20, 0, 0})},
      {"a negative height", with(28, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"a 39-byte header", with(36, {39, 0})},
      {"a 53-byte header", with(36, {53, 0})},
      {"image width 0", with(42, {0, 0, 0, 0})},
      {"image height beyond 4096", with(46, {0x01, 0x10, 0, 0})},
      {"bit count 3", with(52, {3, 0})},
      {"fewer pixel bytes than stride x height", with(90, {0xFF, 0x03})},
      {"a pixel count beyond the data", with(90, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00})},
      {"cut short", PropBytes(good.begin(), good.end() - 10)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutBytes(c.bytes);
    CJVKImageManager manager;
    EXPECT_EQ(0u, Paste(manager));
    EXPECT_TRUE(manager.GetIconSets().empty());
    EXPECT_EQ(0x10AABu, manager.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, 0))));
  }
  // The untouched bytes paste, and so do headers whose colour counts (70,
  // 74) claim a colour table the block does not hold: the counts are not
  // used.
  for (const PropBytes& bytes : {good, with(70, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}) {
    PutBytes(bytes);
    CJVKImageManager manager;
    ASSERT_NE(0u, Paste(manager));
    EXPECT_EQ(0, CompareSampleIcons(manager, 0x10AAB));
  }
}

// Runs the peer program beside this test to its end (bounded); its exit
// code. The clipboard holds plain global memory, so nothing here needs to
// answer the peer meanwhile.
DWORD RunPeer(const std::string& mode) {
  char szPath[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string dir(szPath);
  dir.resize(dir.find_last_of("\\/") + 1);
  std::string commandLine = "\"" + dir + "uikit_icon_clipboard_peer.exe\" " + mode;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0xFFFF;
  DWORD dwExit = 0xFFFE;
  if (::WaitForSingleObject(pi.hProcess, kPeerWait) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
  else
    ::TerminateProcess(pi.hProcess, 0xFFFD);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return dwExit;
}

TEST_F(IconClipboard, AnotherProgramPastesWhatThisOneCopied) {
  CJVKImageManager manager;
  AddSampleIcons(manager, 5);
  ASSERT_TRUE(Copy(manager, 5));
  EXPECT_EQ(0u, RunPeer("paste"));
}

TEST_F(IconClipboard, ThisProgramPastesWhatAnotherCopied) {
  ASSERT_EQ(0u, RunPeer("copy"));
  CJVKImageManager manager;
  UINT nID = Paste(manager);
  ASSERT_NE(0u, nID);
  EXPECT_EQ(0, CompareSampleIcons(manager, nID));
}

}  // namespace
