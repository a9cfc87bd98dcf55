// The narrow file access of the list readers and writers. Failures carry the
// framework's file-exception cause numbers, which the save message shows;
// system error codes become causes through the framework's one map.
#pragma once

#include <Framework.h>

#include <cstdint>
#include <memory>

enum ListFileCause {
  kFileCauseNone = CFileException::none,
  kFileCauseGeneric = CFileException::genericException,
  kFileCauseFileNotFound = CFileException::fileNotFound,
  kFileCauseBadPath = CFileException::badPath,
  kFileCauseTooManyOpenFiles = CFileException::tooManyOpenFiles,
  kFileCauseAccessDenied = CFileException::accessDenied,
  kFileCauseInvalidFile = CFileException::invalidFile,
  kFileCauseRemoveCurrentDir = CFileException::removeCurrentDir,
  kFileCauseDirectoryFull = CFileException::directoryFull,
  kFileCauseBadSeek = CFileException::badSeek,
  kFileCauseHardIO = CFileException::hardIO,
  kFileCauseSharingViolation = CFileException::sharingViolation,
  kFileCauseLockViolation = CFileException::lockViolation,
  kFileCauseDiskFull = CFileException::diskFull,
  kFileCauseEndOfFile = CFileException::endOfFile,
};

class CListFile {
 public:
  virtual ~CListFile() = default;
  // Reads up to count bytes; fewer at the end of the file or on an error.
  virtual uint32_t Read(void* buffer, uint32_t count) = 0;
  // Writes all count bytes; false with *cause set on failure.
  virtual bool Write(const void* buffer, uint32_t count, int* cause) = 0;
  virtual uint64_t GetLength() = 0;
  // Flushes and closes; false with *cause set when data could not be stored.
  virtual bool Close(int* cause) = 0;
};

class CListFileSystem {
 public:
  virtual ~CListFileSystem() = default;
  // Opens an existing file for reading while others may not write it.
  virtual std::unique_ptr<CListFile> OpenRead(const char* path, int* cause) = 0;
  // Creates or truncates a file for writing, shared with nobody.
  virtual std::unique_ptr<CListFile> CreateExclusive(const char* path, int* cause) = 0;
  // Puts the file from over the file to, replacing it in one step.
  virtual bool Replace(const char* from, const char* to, int* cause) = 0;
  virtual void Remove(const char* path) = 0;
};

// The file system of this platform (POSIX on the host, Win32 on Windows).
CListFileSystem& GetPlatformListFileSystem();
