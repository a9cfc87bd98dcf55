// Counts one kind of stream fault and says when to log it: at the 1st, 10th,
// 100th ... occurrence, so that a stream that keeps failing the same way
// leaves a few lines with counts in the log instead of one per packet.
#pragma once

#include <cstdint>

class CFaultCount {
 public:
  // Counts one more; true when this one is to be logged.
  bool Add() {
    ++m_count;
    if (m_count < m_nextLog) return false;
    m_nextLog = m_nextLog * 10;
    return true;
  }
  uint64_t Count() const { return m_count; }

 private:
  uint64_t m_count = 0;
  uint64_t m_nextLog = 1;
};
