// Files held in memory, with faults that can be injected: a path that cannot
// be opened or created, a disk that fills after so many bytes, a replace
// that fails. For tests and fuzz targets.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ListFile.h"

class CMemoryListFileSystem : public CListFileSystem {
 public:
  using Bytes = std::vector<uint8_t>;

  std::map<std::string, Bytes> files;
  std::set<std::string> lockedPaths;      // opening or creating fails (sharing violation)
  std::set<std::string> failingReplaces;  // replacing this target fails (access denied)
  int64_t diskSpace = -1;                 // bytes left for writing; -1 unlimited
  std::vector<std::string> log;           // "create p", "replace p", "remove p"

  bool Exists(const std::string& path) const { return files.count(path) != 0; }

  std::unique_ptr<CListFile> OpenRead(const char* path, int* cause) override;
  std::unique_ptr<CListFile> CreateExclusive(const char* path, int* cause) override;
  bool Replace(const char* from, const char* to, int* cause) override;
  void Remove(const char* path) override;
};
