// A growable array that holds its elements by value in one block, with the
// growth rule of ComputeArrayGrowth. SetSize(0) destroys every element and
// frees the block; a reallocation moves the elements into the new block.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "ArrayGrowth.h"

template <typename T>
class CByValueArray {
 public:
  CByValueArray() = default;
  CByValueArray(const CByValueArray&) = delete;
  CByValueArray& operator=(const CByValueArray&) = delete;
  virtual ~CByValueArray() { SetSize(0); }

  int GetSize() const { return m_nSize; }
  int GetCapacity() const { return m_nMaxSize; }
  int GetGrowBy() const { return m_nGrowBy; }
  bool IsEmpty() const { return m_nSize == 0; }

  // A negative growBy keeps the current grow-by count.
  void SetSize(int newSize, int growBy = -1) {
    if (newSize < 0) throw std::invalid_argument("negative array size");
    if (growBy >= 0) m_nGrowBy = growBy;
    if (newSize == 0) {
      DestroyRange(0, m_nSize);
      std::free(m_pData);
      m_pData = nullptr;
      m_nSize = m_nMaxSize = 0;
      return;
    }
    if (newSize <= m_nMaxSize) {
      if (newSize > m_nSize) ConstructRange(m_nSize, newSize);
      else DestroyRange(newSize, m_nSize);
      m_nSize = newSize;
      return;
    }
    const int newMax = ComputeArrayGrowth(m_nSize, m_nMaxSize, m_nGrowBy, newSize);
    if (newMax < 0 || static_cast<uint64_t>(newMax) * sizeof(T) >
                          std::numeric_limits<size_t>::max() / 2)
      throw std::bad_alloc();
    T* block = static_cast<T*>(std::malloc(static_cast<size_t>(newMax) * sizeof(T)));
    if (!block) throw std::bad_alloc();
    for (int i = 0; i < m_nSize; ++i) {
      new (&block[i]) T(std::move(m_pData[i]));
      m_pData[i].~T();
    }
    std::free(m_pData);
    m_pData = block;
    m_nMaxSize = newMax;
    ConstructRange(m_nSize, newSize);
    m_nSize = newSize;
  }

  // Appends a copy of element; returns its index.
  int Add(const T& element) {
    const int index = m_nSize;
    if (index == std::numeric_limits<int>::max()) throw std::bad_alloc();
    SetSize(index + 1);
    m_pData[index] = element;
    return index;
  }

  void RemoveAll() { SetSize(0); }

  T& ElementAt(int index) { return m_pData[CheckIndex(index)]; }
  const T& GetAt(int index) const { return m_pData[CheckIndex(index)]; }
  T& operator[](int index) { return ElementAt(index); }
  const T& operator[](int index) const { return GetAt(index); }

 private:
  int CheckIndex(int index) const {
    if (index < 0 || index >= m_nSize) throw std::out_of_range("array index");
    return index;
  }
  // New elements start from zeroed memory, then the default constructor.
  void ConstructRange(int from, int to) {
    std::memset(static_cast<void*>(&m_pData[from]), 0,
                static_cast<size_t>(to - from) * sizeof(T));
    for (int i = from; i < to; ++i) new (&m_pData[i]) T();
  }
  void DestroyRange(int from, int to) {
    for (int i = from; i < to; ++i) m_pData[i].~T();
  }

  T* m_pData = nullptr;
  int m_nSize = 0;
  int m_nMaxSize = 0;
  int m_nGrowBy = 0;
};
