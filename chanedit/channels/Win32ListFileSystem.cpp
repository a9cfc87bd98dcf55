// Windows build: list files through CreateFileA with the share modes the
// editor relies on (readers deny others write access, writers share nothing).
#include <windows.h>

#include "ListFile.h"

namespace {

// The framework's cause for the calling thread's last error.
int CauseOfLastError() { return CFileException::OsErrorToException(static_cast<LONG>(::GetLastError())); }

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
      if (!::ReadFile(m_handle, static_cast<char*>(buffer) + done, count - done, &got, nullptr) || got == 0) break;
      done += got;
    }
    return done;
  }

  bool Write(const void* buffer, uint32_t count, int* cause) override {
    uint32_t done = 0;
    while (done < count) {
      DWORD put = 0;
      if (!::WriteFile(m_handle, static_cast<const char*>(buffer) + done, count - done, &put, nullptr)) {
        *cause = CauseOfLastError();
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
      *cause = CauseOfLastError();
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
    const HANDLE h =
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      *cause = CauseOfLastError();
      return nullptr;
    }
    return std::make_unique<CWin32ListFile>(h);
  }

  std::unique_ptr<CListFile> CreateExclusive(const char* path, int* cause) override {
    const HANDLE h = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      *cause = CauseOfLastError();
      return nullptr;
    }
    return std::make_unique<CWin32ListFile>(h);
  }

  bool Replace(const char* from, const char* to, int* cause) override {
    if (!::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      *cause = CauseOfLastError();
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
