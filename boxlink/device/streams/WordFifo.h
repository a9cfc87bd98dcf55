// The stream parser's input queue of 16-bit words. The words keep the byte
// order of the stream (they are copied, never interpreted here). One word
// always stays free, so a FIFO of capacity n holds at most n - 1 words.
#pragma once

#include <WinTypes.h>

class CWordFifo {
 public:
  CWordFifo() {}
  virtual ~CWordFifo();
  CWordFifo(const CWordFifo&) = delete;
  CWordFifo& operator=(const CWordFifo&) = delete;

  BOOL Alloc(DWORD capacity);
  // Each returns the number of words it handled; what does not fit (Put) or
  // is not there (Get, Peek, Skip) is left out.
  DWORD Put(const BYTE* data, DWORD words);
  DWORD Get(BYTE* out, DWORD words);
  DWORD Peek(BYTE* out, DWORD words) const;
  DWORD Skip(DWORD words);
  DWORD GetCount() const;
  DWORD GetFree() const { return m_capacity ? m_capacity - 1 - GetCount() : 0; }
  void Clear() { m_read = m_write = 0; }

 private:
  WORD* m_buffer = nullptr;
  DWORD m_capacity = 0;
  DWORD m_read = 0;
  DWORD m_write = 0;
};
