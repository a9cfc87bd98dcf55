#include <Framework.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    m_dir = std::string(temp) + "quillon-file-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(m_dir.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& path : m_created) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(m_dir.c_str());
  }
  std::string Path(const char* name) {
    m_created.push_back(m_dir + "\\" + name);
    return m_created.back();
  }
  void MakeFile(const std::string& path, const char* content) {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(content, static_cast<UINT>(strlen(content)));
  }
  // The cause of the CFileException that f throws, or -1.
  static int FileCause(const std::function<void()>& f) {
    try {
      f();
    } catch (CFileException* e) {
      int cause = e->m_cause;
      e->Delete();
      return cause;
    }
    return -1;
  }

  std::string m_dir;
  std::vector<std::string> m_created;
};

TEST_F(FileTest, OpenFailuresReportTheirCause) {
  std::string existing = Path("existing.bin");
  MakeFile(existing, "data");
  std::string readOnly = Path("readonly.bin");
  MakeFile(readOnly, "data");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

  CFile holder;
  ASSERT_TRUE(holder.Open(existing.c_str(), CFile::modeRead | CFile::shareExclusive));

  // Wine run by the superuser does not refuse writing to a read-only file;
  // that case is checked only where the system enforces it.
  HANDLE hProbe = CreateFileA(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const bool readOnlyEnforced = hProbe == INVALID_HANDLE_VALUE;
  if (!readOnlyEnforced) CloseHandle(hProbe);

  struct Row {
    const char* what;
    std::string path;
    UINT flags;
    int cause;
    LONG osError;
  };
  std::vector<Row> rows = {
      {"missing file", m_dir + "\\missing.bin", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
      {"missing folder", m_dir + "\\nowhere\\x.bin", CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND},
      {"held exclusively", existing, CFile::modeRead | CFile::shareDenyNone, CFileException::sharingViolation,
       ERROR_SHARING_VIOLATION},
      {"folder opened as a file", m_dir, CFile::modeWrite, CFileException::accessDenied, ERROR_ACCESS_DENIED},
  };
  if (readOnlyEnforced)
    rows.push_back({"read-only file opened for writing", readOnly, CFile::modeWrite, CFileException::accessDenied,
                    ERROR_ACCESS_DENIED});
  else
    std::printf("note: read-only files are writable here (superuser); that row is not run\n");
  for (const Row& row : rows) {
    CFile file;
    CFileException e;
    EXPECT_FALSE(file.Open(row.path.c_str(), row.flags, &e)) << row.what;
    EXPECT_EQ(e.m_cause, row.cause) << row.what;
    EXPECT_EQ(e.m_lOsError, row.osError) << row.what;
    EXPECT_STREQ(e.m_strFileName, row.path.c_str()) << row.what;
    EXPECT_EQ(file.m_hFile, CFile::hFileNull) << row.what;
    // The throwing constructor reports the same cause.
    EXPECT_EQ(FileCause([&] { CFile thrown(row.path.c_str(), row.flags); }), row.cause) << row.what;
  }
}

TEST_F(FileTest, ShareModes) {
  std::string path = Path("shared.bin");
  MakeFile(path, "abc");
  CFile writer(path.c_str(), CFile::modeReadWrite | CFile::shareDenyWrite);
  CFile reader;
  CFileException e;
  EXPECT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &e));
  reader.Close();
  EXPECT_FALSE(reader.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
}

TEST_F(FileTest, NumericOpenFlags) {
  EXPECT_EQ(CFile::modeRead | CFile::shareDenyNone, 0x40u);
  EXPECT_EQ(CFile::modeCreate | CFile::shareDenyWrite | CFile::modeReadWrite, 0x1022u);
  std::string path = Path("flags.bin");
  MakeFile(path, "old content");
  // 0x1022: create or truncate, read and write, others may read but not write.
  CFile recorder(path.c_str(), 0x1022);
  EXPECT_EQ(recorder.GetLength(), 0u);
  recorder.Write("new", 3);
  CFile player;
  CFileException e;
  EXPECT_TRUE(player.Open(path.c_str(), 0x40, &e));  // read only, sharing everything
  char buf[3];
  EXPECT_EQ(player.Read(buf, 3), 3u);
  EXPECT_EQ(memcmp(buf, "new", 3), 0);
  CFile writer;
  EXPECT_FALSE(writer.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
}

TEST_F(FileTest, ReadWriteSeekLength) {
  std::string path = Path("data.bin");
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
  EXPECT_NE(file.m_hFile, CFile::hFileNull);
  EXPECT_STREQ(file.GetFileName(), "data.bin");
  EXPECT_STREQ(file.GetFileTitle(), "data");
  EXPECT_STREQ(file.GetFilePath(), path.c_str());
  file.Write("0123456789", 10);
  EXPECT_EQ(file.GetLength(), 10u);
  EXPECT_EQ(file.GetPosition(), 10u);
  EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
  char buf[16] = {};
  EXPECT_EQ(file.Read(buf, sizeof(buf)), 4u);
  EXPECT_STREQ(buf, "6789");
  EXPECT_EQ(file.Read(buf, sizeof(buf)), 0u);  // end of file is not an error
  file.SetLength(3);
  EXPECT_EQ(file.GetLength(), 3u);
  file.SeekToBegin();
  EXPECT_EQ(file.SeekToEnd(), 3u);
  EXPECT_EQ(FileCause([&] { file.Seek(-10, CFile::begin); }), CFileException::badSeek);
  file.Close();
  EXPECT_EQ(file.m_hFile, CFile::hFileNull);
  EXPECT_EQ(FileCause([&] { file.Read(buf, 1); }), CFileException::invalidFile);

  // Writing through a handle opened for reading only is refused.
  {
    CFile reader(path.c_str(), CFile::modeRead);
    EXPECT_EQ(FileCause([&] { reader.Write("x", 1); }), CFileException::accessDenied);
  }
  // modeCreate truncates unless modeNoTruncate is given.
  {
    CFile keep(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
    EXPECT_EQ(keep.GetLength(), 3u);
  }
  {
    CFile trunc(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(trunc.GetLength(), 0u);
  }
}

TEST_F(FileTest, ArchiveOverAFile) {
  std::string path = Path("archive.bin");
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    CStringArray strings;
    strings.Add("first");
    strings.Add(CString('z', 5000));
    strings.Serialize(ar);
    ar << static_cast<DWORD>(0xC0FFEE);
  }
  CFile file(path.c_str(), CFile::modeRead);
  EXPECT_EQ(file.GetLength(), 2u + 1 + 5 + 3 + 5000 + 4);
  CArchive ar(&file, CArchive::load);
  CStringArray strings;
  strings.Serialize(ar);
  DWORD tail;
  ar >> tail;
  EXPECT_STREQ(strings[0], "first");
  EXPECT_EQ(strings[1].GetLength(), 5000);
  EXPECT_EQ(tail, 0xC0FFEEu);
  try {
    BYTE b;
    ar >> b;
    ADD_FAILURE();
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    EXPECT_STREQ(e->m_strFileName, path.c_str());
    e->Delete();
  }
}

TEST(CSharedFile, GlobalMemoryForTheClipboard) {
  HGLOBAL hMem;
  {
    CSharedFile file;
    file.Write("clipboard data", 14);
    EXPECT_EQ(file.GetLength(), 14u);
    hMem = file.Detach();
    EXPECT_EQ(file.GetLength(), 0u);
  }
  ASSERT_NE(hMem, nullptr);
  EXPECT_GE(GlobalSize(hMem), 14u);
  const char* p = static_cast<const char*>(GlobalLock(hMem));
  EXPECT_EQ(memcmp(p, "clipboard data", 14), 0);
  GlobalUnlock(hMem);

  CSharedFile reader;
  reader.SetHandle(hMem, FALSE);
  char buf[14];
  EXPECT_EQ(reader.Read(buf, 14), 14u);
  EXPECT_EQ(memcmp(buf, "clipboard data", 14), 0);
  reader.SeekToEnd();
  try {
    reader.Write(buf, static_cast<UINT>(sizeof(buf)));  // fixed size: cannot grow
    ADD_FAILURE();
  } catch (CMemoryException* e) {
    e->Delete();
  }
  EXPECT_EQ(reader.Detach(), hMem);
  GlobalFree(hMem);
}

}  // namespace
