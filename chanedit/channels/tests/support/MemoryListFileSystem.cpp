#include "MemoryListFileSystem.h"

#include <algorithm>
#include <cstring>

namespace {

class CMemoryReadFile : public CListFile {
 public:
  explicit CMemoryReadFile(const std::vector<uint8_t>& data) : m_data(data) {}
  uint32_t Read(void* buffer, uint32_t count) override {
    const size_t n = std::min<size_t>(count, m_data.size() - m_at);
    if (n) std::memcpy(buffer, m_data.data() + m_at, n);
    m_at += n;
    return static_cast<uint32_t>(n);
  }
  bool Write(const void*, uint32_t, int* cause) override {
    *cause = kFileCauseAccessDenied;
    return false;
  }
  uint64_t GetLength() override { return m_data.size(); }
  bool Close(int*) override { return true; }

 private:
  const std::vector<uint8_t> m_data;  // a snapshot, as a reader denying writes sees it
  size_t m_at = 0;
};

class CMemoryWriteFile : public CListFile {
 public:
  CMemoryWriteFile(std::vector<uint8_t>& data, int64_t& space) : m_data(data), m_space(space) {}
  uint32_t Read(void*, uint32_t) override { return 0; }
  bool Write(const void* buffer, uint32_t count, int* cause) override {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    uint32_t n = count;
    if (m_space >= 0 && n > m_space) n = static_cast<uint32_t>(m_space);
    m_data.insert(m_data.end(), bytes, bytes + n);
    if (m_space >= 0) m_space -= n;
    if (n < count) {
      *cause = kFileCauseDiskFull;
      return false;
    }
    return true;
  }
  uint64_t GetLength() override { return m_data.size(); }
  bool Close(int*) override { return true; }

 private:
  std::vector<uint8_t>& m_data;
  int64_t& m_space;
};

}  // namespace

std::unique_ptr<CListFile> CMemoryListFileSystem::OpenRead(const char* path, int* cause) {
  if (lockedPaths.count(path)) {
    *cause = kFileCauseSharingViolation;
    return nullptr;
  }
  auto it = files.find(path);
  if (it == files.end()) {
    *cause = kFileCauseFileNotFound;
    return nullptr;
  }
  return std::make_unique<CMemoryReadFile>(it->second);
}

std::unique_ptr<CListFile> CMemoryListFileSystem::CreateExclusive(const char* path, int* cause) {
  log.push_back(std::string("create ") + path);
  if (lockedPaths.count(path)) {
    *cause = kFileCauseSharingViolation;
    return nullptr;
  }
  Bytes& data = files[path];
  data.clear();
  return std::make_unique<CMemoryWriteFile>(data, diskSpace);
}

bool CMemoryListFileSystem::Replace(const char* from, const char* to, int* cause) {
  log.push_back(std::string("replace ") + to);
  if (failingReplaces.count(to) || lockedPaths.count(to) || !files.count(from)) {
    *cause = kFileCauseAccessDenied;
    return false;
  }
  files[to] = std::move(files[from]);
  files.erase(from);
  return true;
}

void CMemoryListFileSystem::Remove(const char* path) {
  log.push_back(std::string("remove ") + path);
  files.erase(path);
}
