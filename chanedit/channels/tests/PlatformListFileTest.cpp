// The codec over this platform's real files: POSIX on the host, Win32 (with
// its share modes) on Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "TestPaneGroup.h"
#include "TreeDump.h"

using namespace fixtures;
namespace fs = std::filesystem;

namespace {

class PlatformListFile : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() / (std::string("quillon-channels-") + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string PathOf(const char* name) const { return (folder / name).string(); }
  static void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder;
  CTestPaneGroup group;
  CListFileCodec codec{group};
};

TEST_F(PlatformListFile, OpenThenSaveGivesTheSameBytesOnDisk) {
  const Bytes list = QcxFile(3, 2, 0,
                             {Provider("Astra", 1), Channel("ZDF", 1, 1, 1, 1), Channel("ARD", 1, 2, 1, 1),
                              Provider("Astra", 2), Channel("DLF", 2, 3, 1, 1)});
  const Bytes fav = FavFile({Favourite("Mine", 0), Favourite("DLF", 1, 3, 1, 1)});
  WriteBytes(PathOf("astra.qcx"), list);
  WriteBytes(PathOf("astra.fav2"), fav);
  group.clipboard.files[0].path = PathOf("astra.qcx").c_str();
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Mine img0/0 bold kind1", "  DLF img4/2 kind2"}), DumpTree(group.fav(), true));

  fs::remove(PathOf("astra.qcx"));
  fs::remove(PathOf("astra.fav2"));
  group.clipboard.files[0].modified = 1;
  codec.WriteChannelFile();
  EXPECT_TRUE(group.messages.empty());
  EXPECT_EQ(0, group.clipboard.files[0].modified);
  EXPECT_EQ(list, ReadBytes(PathOf("astra.qcx")));
  EXPECT_EQ(fav, ReadBytes(PathOf("astra.fav2")));
  EXPECT_EQ((std::vector<std::string>{"astra.fav2", "astra.qcx"}), FolderNames());

  // Saving over existing files replaces them.
  group.clipboard.files[0].modified = 1;
  codec.WriteChannelFile();
  EXPECT_EQ(list, ReadBytes(PathOf("astra.qcx")));
  EXPECT_EQ(0, group.clipboard.files[0].modified);
}

TEST_F(PlatformListFile, MissingFileCannotBeOpened) {
  group.clipboard.files[0].path = PathOf("missing.qcx").c_str();
  EXPECT_EQ(kReadCannotOpen, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ(Lines{"Can't open file " + PathOf("missing.qcx")}, group.messages);
}

TEST_F(PlatformListFile, SaveIntoAMissingFolderReportsBadPathAndStaysModified) {
  const std::string path = PathOf("no such folder/list.qcx");
  group.clipboard.files[0].path = path.c_str();
  group.clipboard.files[0].modified = 1;
  codec.WriteChannelFile();
  EXPECT_EQ(Lines{"File " + path + " could not be opened. Cause 3"}, group.messages);
  EXPECT_EQ(1, group.clipboard.files[0].modified);
}

#ifdef _WIN32
TEST_F(PlatformListFile, ReaderDeniesOthersWriteAccess) {
  const std::string path = PathOf("busy.qcx");
  WriteBytes(path, QcxFile(0, 0, 0, {}));
  // Another program has the file open for writing: the reader may not share it.
  HANDLE writer =
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, writer);
  group.clipboard.files[0].path = path.c_str();
  EXPECT_EQ(kReadCannotOpen, codec.ReadChannelFile(kReadReplace));
  CloseHandle(writer);
  EXPECT_EQ(Lines{"Can't open file " + path}, group.messages);
  group.messages.clear();
  EXPECT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
}

TEST_F(PlatformListFile, SaveOverALockedFileKeepsItAndStaysModified) {
  const std::string path = PathOf("locked.dvb");
  WriteBytes(path, Bytes(64, 9));
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  group.clipboard.files[0].path = path.c_str();
  group.clipboard.files[0].modified = 1;
  codec.WriteChannelFile();
  CloseHandle(holder);
  ASSERT_EQ(1u, group.messages.size());
  EXPECT_EQ(0u, group.messages[0].find("File " + path + " could not be opened. Cause "));
  EXPECT_EQ(1, group.clipboard.files[0].modified);
  EXPECT_EQ(Bytes(64, 9), ReadBytes(path));
  EXPECT_EQ(std::vector<std::string>{"locked.dvb"}, FolderNames());
}
#endif

}  // namespace
