// Host build: list files through POSIX calls. POSIX has no share modes, so
// "deny write" and "exclusive" are not enforced here.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ListFile.h"

namespace {

// The framework's cause for an errno value. A missing entry while creating is
// a folder that does not exist: a bad path rather than a missing file.
int CauseFromErrno(int error, bool creating) {
  if (creating && error == ENOENT) return kFileCauseBadPath;
  return CFileException::ErrnoToException(error);
}

class CPosixListFile : public CListFile {
 public:
  explicit CPosixListFile(int fd) : m_fd(fd) {}
  ~CPosixListFile() override {
    if (m_fd >= 0) ::close(m_fd);
  }

  uint32_t Read(void* buffer, uint32_t count) override {
    uint32_t done = 0;
    while (done < count) {
      const ssize_t n = ::read(m_fd, static_cast<char*>(buffer) + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<uint32_t>(n);
    }
    return done;
  }

  bool Write(const void* buffer, uint32_t count, int* cause) override {
    uint32_t done = 0;
    while (done < count) {
      const ssize_t n = ::write(m_fd, static_cast<const char*>(buffer) + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        *cause = n < 0 ? CauseFromErrno(errno, true) : kFileCauseDiskFull;
        return false;
      }
      done += static_cast<uint32_t>(n);
    }
    return true;
  }

  uint64_t GetLength() override {
    struct stat st;
    return ::fstat(m_fd, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  }

  bool Close(int* cause) override {
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
      *cause = CauseFromErrno(errno, true);
      return false;
    }
    return true;
  }

 private:
  int m_fd;
};

class CPosixListFileSystem : public CListFileSystem {
 public:
  std::unique_ptr<CListFile> OpenRead(const char* path, int* cause) override {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      *cause = CauseFromErrno(errno, false);
      return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      *cause = kFileCauseAccessDenied;
      return nullptr;
    }
    return std::make_unique<CPosixListFile>(fd);
  }

  std::unique_ptr<CListFile> CreateExclusive(const char* path, int* cause) override {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
      *cause = CauseFromErrno(errno, true);
      return nullptr;
    }
    return std::make_unique<CPosixListFile>(fd);
  }

  bool Replace(const char* from, const char* to, int* cause) override {
    if (std::rename(from, to) != 0) {
      *cause = CauseFromErrno(errno, true);
      return false;
    }
    return true;
  }

  void Remove(const char* path) override { ::unlink(path); }
};

}  // namespace

CListFileSystem& GetPlatformListFileSystem() {
  static CPosixListFileSystem fileSystem;
  return fileSystem;
}
