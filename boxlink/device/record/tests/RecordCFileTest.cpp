// The framework file object behind a recording, on Win32 files: whatever
// fails in the file ends as a result, never as an exception (the recording
// worker calls it), and the cause of the first failed write or close is kept.
#include "RecordCFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

TEST(RecordCFileTest, FailuresEndAsResultsNeverAsExceptions) {
  // A file object whose handle is no file (or no longer one).
  BYTE buffer[16] = {};
  struct Row {
    const char* name;
    std::function<BOOL(CRecordCFile&)> step;
    bool keepsCause;  // a failed write or close stops a recording with it
  } rows[] = {
      {"read", [&](CRecordCFile& f) { return BOOL(f.Read(buffer, sizeof(buffer)) != 0); }, false},
      {"seek", [](CRecordCFile& f) { return f.Seek(10); }, false},
      {"position", [](CRecordCFile& f) { return BOOL(f.Position() != 0); }, false},
      {"length", [](CRecordCFile& f) { return BOOL(f.Length() != 0); }, false},
      {"truncate", [](CRecordCFile& f) { return f.Truncate(); }, false},
      {"write", [&](CRecordCFile& f) { return f.Write(buffer, sizeof(buffer)); }, true},
      {"close", [](CRecordCFile& f) { return f.Close(); }, true},
  };
  for (const Row& row : rows) {
    CFile file(HANDLE(UINT_PTR(0x7FF0)));
    CRecordCFile access(file);
    BOOL result = TRUE;
    EXPECT_NO_THROW(result = row.step(access)) << row.name;
    EXPECT_FALSE(result) << row.name;
    EXPECT_EQ(access.GetWriteError() != 0, row.keepsCause) << row.name;
  }
}

TEST(RecordCFileTest, ACloseThatFailsIsKeptAsAWriteErrorAndClosesAllTheSame) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string name = std::string(temp) + "recordcfile-" + std::to_string(GetCurrentProcessId()) + ".rec";
  CFile file;
  ASSERT_TRUE(file.Open(name.c_str(), CFile::modeCreate | CFile::modeReadWrite));
  CRecordCFile access(file);
  const BYTE data[4] = {1, 2, 3, 4};
  ASSERT_TRUE(access.Write(data, sizeof(data)));
  EXPECT_EQ(access.Position(), 4u);
  EXPECT_EQ(access.Length(), 4u);
  // The handle closed behind the file object's back: its close fails.
  CloseHandle(file.m_hFile);
  BOOL closed = TRUE;
  EXPECT_NO_THROW(closed = access.Close());
  EXPECT_FALSE(closed);
  EXPECT_EQ(access.GetWriteError(), CFileException::invalidFile);
  EXPECT_EQ(file.m_hFile, CFile::hFileNull);
  // A first write error stays the one reported.
  EXPECT_FALSE(access.Write(data, sizeof(data)));
  EXPECT_EQ(access.GetWriteError(), CFileException::invalidFile);
  // A file that closes well.
  ASSERT_TRUE(file.Open(name.c_str(), CFile::modeRead));
  CRecordCFile reader(file);
  EXPECT_TRUE(reader.Close());
  EXPECT_EQ(reader.GetWriteError(), 0);
  DeleteFileA(name.c_str());
}
