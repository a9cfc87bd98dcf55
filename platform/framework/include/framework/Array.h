// CArray: a growable array of elements held by value.
//
// Growth rule: SetSize(newSize, growBy) with a negative newSize raises the
// invalid-argument failure; growBy >= 0 replaces the grow-by count; size 0
// destroys every element and frees the block; growing within the capacity
// zero-fills and default-constructs; shrinking destroys the tail; growing past
// the capacity allocates max(capacity + step, newSize), where step is the
// grow-by count or, when that is 0, size / 8 bounded to 4..1024; the first
// block holds max(grow-by, newSize). A reallocation moves the elements bit for
// bit and frees the old block without destroying them.
#pragma once

#include "Archive.h"
#include "Object.h"

#include <cstdlib>
#include <limits>
#include <type_traits>

template <class TYPE>
void AFXAPI ConstructElements(TYPE* pElements, INT_PTR nCount) {
  memset(static_cast<void*>(pElements), 0, nCount * sizeof(TYPE));
  for (; nCount--; ++pElements) ::new (static_cast<void*>(pElements)) TYPE;
}

template <class TYPE>
void AFXAPI DestructElements(TYPE* pElements, INT_PTR nCount) {
  for (; nCount--; ++pElements) pElements->~TYPE();
}

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

// Elements travel as their raw bytes unless an overload below (or one of the
// user's) says otherwise; a type that is not a plain value needs an overload.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if constexpr (std::is_trivially_copyable_v<TYPE>) {
    if (nCount <= 0) return;
    UINT_PTR nBytes = static_cast<UINT_PTR>(nCount) * sizeof(TYPE);
    if (ar.IsStoring()) {
      ar.Write(pElements, static_cast<UINT>(nBytes));
    } else if (ar.Read(pElements, static_cast<UINT>(nBytes)) != nBytes) {
      AfxThrowArchiveException(CArchiveException::endOfFile);
    }
  } else {
    (void)ar;
    (void)pElements;
    (void)nCount;
    AfxThrowNotSupportedException();
  }
}

inline void AFXAPI SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount) {
  for (; nCount-- > 0; ++pElements) {
    if (ar.IsStoring())
      ar << *pElements;
    else
      ar >> *pElements;
  }
}

inline void AFXAPI SerializeElements(CArchive& ar, CObject** pElements, INT_PTR nCount) {
  for (; nCount-- > 0; ++pElements) {
    if (ar.IsStoring())
      ar << *pElements;
    else
      ar >> *pElements;
  }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
  ~CArray() override { SetSize(0); }

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  INT_PTR GetMaxSize() const { return m_nMaxSize; }
  INT_PTR GetGrowBy() const { return m_nGrowBy; }

  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  const TYPE& GetAt(INT_PTR nIndex) const {
    CheckIndex(nIndex);
    return m_pData[nIndex];
  }
  TYPE& GetAt(INT_PTR nIndex) {
    CheckIndex(nIndex);
    return m_pData[nIndex];
  }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) {
    CheckIndex(nIndex);
    m_pData[nIndex] = newElement;
  }
  const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

  const TYPE* GetData() const { return m_pData; }
  TYPE* GetData() { return m_pData; }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
  INT_PTR Add(ARG_TYPE newElement) {
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
  }
  INT_PTR Append(const CArray& src);
  void Copy(const CArray& src);

  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);

  void Serialize(CArchive& ar) override;

 protected:
  void CheckIndex(INT_PTR nIndex) const { ENSURE_ARG(nIndex >= 0 && nIndex < m_nSize); }
  // True when the element lies in this array's block (it would move on growth).
  bool IsInside(const void* p) const {
    return m_pData != nullptr && p >= static_cast<const void*>(m_pData) &&
           p < static_cast<const void*>(m_pData + m_nSize);
  }
  static TYPE* AllocBlock(INT_PTR nCount) {
    if (static_cast<UINT_PTR>(nCount) > SIZE_MAX / sizeof(TYPE)) AfxThrowMemoryException();
    void* p = malloc(static_cast<size_t>(nCount) * sizeof(TYPE));
    if (p == nullptr) AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
  }

  TYPE* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
  INT_PTR m_nGrowBy;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
  ENSURE_ARG(nNewSize >= 0);
  if (nGrowBy >= 0) m_nGrowBy = nGrowBy;

  if (nNewSize == 0) {
    if (m_pData != nullptr) {
      DestructElements(m_pData, m_nSize);
      free(m_pData);
      m_pData = nullptr;
    }
    m_nSize = m_nMaxSize = 0;
  } else if (m_pData == nullptr) {
    INT_PTR nAlloc = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
    m_pData = AllocBlock(nAlloc);
    ConstructElements(m_pData, nNewSize);
    m_nSize = nNewSize;
    m_nMaxSize = nAlloc;
  } else if (nNewSize <= m_nMaxSize) {
    if (nNewSize > m_nSize)
      ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    else if (m_nSize > nNewSize)
      DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
  } else {
    INT_PTR nStep = m_nGrowBy;
    if (nStep == 0) {
      nStep = m_nSize / 8;
      nStep = nStep < 4 ? 4 : (nStep > 1024 ? 1024 : nStep);
    }
    const INT_PTR nLargest = std::numeric_limits<INT_PTR>::max();
    INT_PTR nNewMax = (nStep > nLargest - m_nMaxSize || m_nMaxSize + nStep < nNewSize) ? nNewSize : m_nMaxSize + nStep;
    TYPE* pNewData = AllocBlock(nNewMax);
    memcpy(static_cast<void*>(pNewData), static_cast<const void*>(m_pData), m_nSize * sizeof(TYPE));
    ConstructElements(pNewData + m_nSize, nNewSize - m_nSize);
    free(m_pData);
    m_pData = pNewData;
    m_nSize = nNewSize;
    m_nMaxSize = nNewMax;
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
  if (m_nSize == m_nMaxSize) return;
  TYPE* pNewData = nullptr;
  if (m_nSize != 0) {
    pNewData = AllocBlock(m_nSize);
    memcpy(static_cast<void*>(pNewData), static_cast<const void*>(m_pData), m_nSize * sizeof(TYPE));
  }
  free(m_pData);
  m_pData = pNewData;
  m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
  ENSURE_ARG(nIndex >= 0);
  if (nIndex == std::numeric_limits<INT_PTR>::max()) AfxThrowMemoryException();
  if (nIndex >= m_nSize) {
    if (nIndex >= m_nMaxSize && IsInside(&newElement)) {
      // The element would move with the block: copy it out first.
      TYPE copy;
      copy = newElement;
      SetSize(nIndex + 1, -1);
      m_pData[nIndex] = copy;
      return;
    }
    SetSize(nIndex + 1, -1);
  }
  m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
  ENSURE_ARG(this != &src);
  INT_PTR nOldSize = m_nSize;
  if (src.m_nSize > std::numeric_limits<INT_PTR>::max() - m_nSize) AfxThrowMemoryException();
  SetSize(m_nSize + src.m_nSize);
  for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[nOldSize + i] = src.m_pData[i];
  return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
  if (this == &src) return;
  SetSize(src.m_nSize);
  for (INT_PTR i = 0; i < src.m_nSize; ++i) m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
  ENSURE_ARG(nIndex >= 0 && nCount > 0);
  const INT_PTR nLargest = std::numeric_limits<INT_PTR>::max();
  if (nCount > nLargest - (nIndex > m_nSize ? nIndex : m_nSize)) AfxThrowMemoryException();
  TYPE copy;  // newElement may lie in the part that moves
  copy = newElement;
  if (nIndex >= m_nSize) {
    SetSize(nIndex + nCount, -1);
  } else {
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + nCount, -1);
    // The new tail elements were constructed; the moved ones take their bytes.
    DestructElements(m_pData + nOldSize, nCount);
    memmove(static_cast<void*>(m_pData + nIndex + nCount), static_cast<const void*>(m_pData + nIndex),
            (nOldSize - nIndex) * sizeof(TYPE));
    ConstructElements(m_pData + nIndex, nCount);
  }
  while (nCount--) m_pData[nIndex++] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
  ENSURE_ARG(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
  INT_PTR nMoveCount = m_nSize - (nIndex + nCount);
  DestructElements(m_pData + nIndex, nCount);
  if (nMoveCount)
    memmove(static_cast<void*>(m_pData + nIndex), static_cast<const void*>(m_pData + nIndex + nCount),
            nMoveCount * sizeof(TYPE));
  m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
  ENSURE_ARG(pNewArray != nullptr && pNewArray != this && nStartIndex >= 0);
  if (pNewArray->GetSize() > 0) {
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
    for (INT_PTR i = 0; i < pNewArray->GetSize(); ++i) SetAt(nStartIndex + i, pNewArray->GetAt(i));
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(m_nSize);
  } else {
    DWORD_PTR nCount = ar.ReadCount();
    ar.EnsureAvailable(nCount);  // every element takes at least one byte
    SetSize(static_cast<INT_PTR>(nCount), -1);
  }
  SerializeElements(ar, m_pData, m_nSize);
}
