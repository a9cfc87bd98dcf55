// A recording file in memory for the readers' tests and fuzz targets.
#pragma once

#include "RecordFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

class CMemoryRecordFile : public IRecordFile {
 public:
  explicit CMemoryRecordFile(std::vector<BYTE> bytes = {}) : m_bytes(std::move(bytes)) {}

  DWORD Read(BYTE* buffer, DWORD count) override {
    const DWORD n = m_position < m_bytes.size() ? std::min<DWORD>(count, DWORD(m_bytes.size()) - m_position) : 0;
    if (n) memcpy(buffer, &m_bytes[m_position], n);
    m_position += n;
    return n;
  }
  BOOL Seek(DWORD position) override {
    m_position = position;
    return TRUE;
  }
  DWORD Position() override { return m_position; }
  DWORD Length() override { return DWORD(m_bytes.size()); }

  std::vector<BYTE>& Bytes() { return m_bytes; }

 private:
  std::vector<BYTE> m_bytes;
  DWORD m_position = 0;
};
