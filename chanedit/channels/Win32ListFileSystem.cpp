// Windows build: list files through CreateFileA with the share modes the
// editor relies on (readers deny others write access, writers share nothing).
#include <windows.h>

#include "ListFile.h"

namespace {

int CauseFromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return kFileCauseFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return kFileCauseBadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return kFileCauseTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return kFileCauseAccessDenied;
    case ERROR_INVALID_HANDLE: return kFileCauseInvalidFile;
    case ERROR_CURRENT_DIRECTORY: return kFileCauseRemoveCurrentDir;
    case ERROR_CANNOT_MAKE: return kFileCauseDirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return kFileCauseBadSeek;
    case ERROR_SHARING_VIOLATION: return kFileCauseSharingViolation;
    case ERROR_LOCK_VIOLATION: return kFileCauseLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kFileCauseDiskFull;
    case ERROR_HANDLE_EOF: return kFileCauseEndOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return kFileCauseHardIO;
    default: return kFileCauseGeneric;
  }
}

class CWin32ListFile : public CListFile {
 public:
  explicit CWin32ListFile(HANDLE handle) : m_handle(handle) {}
  ~CWin32ListFile() override {
    if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
  }

  uint32_t Read(void* buffer, uint32_t count) override {
    uint32_t done = 0;
    while (done < count) {
      DWORD got = 0;
      if (!::ReadFile(m_handle, static_cast<char*>(buffer) + done, count - done, &got, nullptr) ||
          got == 0)
        break;
      done += got;
    }
    return done;
  }

  bool Write(const void* buffer, uint32_t count, int* cause) override {
    uint32_t done = 0;
    while (done < count) {
      DWORD put = 0;
      if (!::WriteFile(m_handle, static_cast<const char*>(buffer) + done, count - done, &put,
                       nullptr)) {
        *cause = CauseFromError(::GetLastError());
        return false;
      }
      if (put == 0) {
        *cause = kFileCauseDiskFull;
        return false;
      }
      done += put;
    }
    return true;
  }

  uint64_t GetLength() override {
    LARGE_INTEGER size;
    return ::GetFileSizeEx(m_handle, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }

  bool Close(int* cause) override {
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(handle)) {
      *cause = CauseFromError(::GetLastError());
      return false;
    }
    return true;
  }

 private:
  HANDLE m_handle;
};

class CWin32ListFileSystem : public CListFileSystem {
 public:
  std::unique_ptr<CListFile> OpenRead(const char* path, int* cause) override {
    const HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      *cause = CauseFromError(::GetLastError());
      return nullptr;
    }
    return std::make_unique<CWin32ListFile>(h);
  }

  std::unique_ptr<CListFile> CreateExclusive(const char* path, int* cause) override {
    const HANDLE h = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      *cause = CauseFromError(::GetLastError());
      return nullptr;
    }
    return std::make_unique<CWin32ListFile>(h);
  }

  bool Replace(const char* from, const char* to, int* cause) override {
    if (!::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      *cause = CauseFromError(::GetLastError());
      return false;
    }
    return true;
  }

  void Remove(const char* path) override { ::DeleteFileA(path); }
};

}  // namespace

CListFileSystem& GetPlatformListFileSystem() {
  static CWin32ListFileSystem fileSystem;
  return fileSystem;
}
