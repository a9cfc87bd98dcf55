// CMap: a hash table from keys to values, both held by value, walked with
// POSITION values. 17 buckets unless InitHashTable says otherwise; entries
// come from blocks of nBlockSize entries (CPlex).
#pragma once

#include "Array.h"
#include "Plex.h"

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
  if constexpr (std::is_pointer_v<ARG_KEY>)
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);  // heap blocks are aligned
  else
    return static_cast<UINT>(key);
}
template <>
inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) {
  UINT nHash = 0;
  if (key != nullptr)
    while (*key) nHash = (nHash << 5) + nHash + static_cast<unsigned char>(*key++);
  return nHash;
}
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key) {
  return HashKey<LPCTSTR>(key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;
    KEY key;
    VALUE value;
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10)
      : m_pHashTable(nullptr),
        m_nHashTableSize(17),
        m_nCount(0),
        m_pFreeList(nullptr),
        m_pBlocks(nullptr),
        m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == nullptr) return FALSE;
    rValue = pAssoc->value;
    return TRUE;
  }

  VALUE& operator[](ARG_KEY key);
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

  // Sets the number of buckets; only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

  void Serialize(CArchive& ar) override;

 protected:
  CAssoc* NewAssoc(ARG_KEY key);
  void FreeAssoc(CAssoc* pAssoc);
  CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;

  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  INT_PTR m_nCount;
  CAssoc* m_pFreeList;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow) {
  ENSURE_ARG(m_nCount == 0 && nHashSize > 0);
  free(m_pHashTable);
  m_pHashTable = nullptr;
  if (bAllocNow) {
    m_pHashTable = static_cast<CAssoc**>(calloc(nHashSize, sizeof(CAssoc*)));
    if (m_pHashTable == nullptr) AfxThrowMemoryException();
  }
  m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
  if (m_pHashTable != nullptr) {
    for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash)
      for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
        DestructElements<VALUE>(&pAssoc->value, 1);
        DestructElements<KEY>(&pAssoc->key, 1);
      }
    free(m_pHashTable);
    m_pHashTable = nullptr;
  }
  m_nCount = 0;
  m_pFreeList = nullptr;
  if (m_pBlocks != nullptr) m_pBlocks->FreeDataChain();
  m_pBlocks = nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key) {
  if (m_pFreeList == nullptr) {
    CPlex* newBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CAssoc));
    CAssoc* pAssoc = static_cast<CAssoc*>(newBlock->data()) + m_nBlockSize - 1;
    for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pAssoc) {
      pAssoc->pNext = m_pFreeList;
      m_pFreeList = pAssoc;
    }
  }
  CAssoc* pAssoc = m_pFreeList;
  m_pFreeList = m_pFreeList->pNext;
  ++m_nCount;
  ConstructElements<KEY>(&pAssoc->key, 1);
  pAssoc->key = key;
  ConstructElements<VALUE>(&pAssoc->value, 1);
  return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc) {
  DestructElements<VALUE>(&pAssoc->value, 1);
  DestructElements<KEY>(&pAssoc->key, 1);
  pAssoc->pNext = m_pFreeList;
  m_pFreeList = pAssoc;
  if (--m_nCount == 0) RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
    ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const {
  nHashValue = HashKey<ARG_KEY>(key);
  nHashBucket = nHashValue % m_nHashTableSize;
  if (m_pHashTable == nullptr) return nullptr;
  for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
    if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) return pAssoc;
  return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
  UINT nHashBucket, nHashValue;
  CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
  if (pAssoc == nullptr) {
    if (m_pHashTable == nullptr) InitHashTable(m_nHashTableSize);
    pAssoc = NewAssoc(key);
    pAssoc->nHashValue = nHashValue;
    pAssoc->pNext = m_pHashTable[nHashBucket];
    m_pHashTable[nHashBucket] = pAssoc;
  }
  return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
  if (m_pHashTable == nullptr) return FALSE;
  UINT nHashValue = HashKey<ARG_KEY>(key);
  CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
  for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
    if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) {
      *ppAssocPrev = pAssoc->pNext;
      FreeAssoc(pAssoc);
      return TRUE;
    }
    ppAssocPrev = &pAssoc->pNext;
  }
  return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
  ENSURE_ARG(m_pHashTable != nullptr && rNextPosition != nullptr);
  CAssoc* pAssocRet = reinterpret_cast<CAssoc*>(rNextPosition);
  if (rNextPosition == BEFORE_START_POSITION) {
    pAssocRet = nullptr;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == nullptr; ++nBucket)
      pAssocRet = m_pHashTable[nBucket];
    ENSURE_ARG(pAssocRet != nullptr);
  }
  CAssoc* pAssocNext = pAssocRet->pNext;
  for (UINT nBucket = pAssocRet->nHashValue % m_nHashTableSize + 1; pAssocNext == nullptr && nBucket < m_nHashTableSize;
       ++nBucket)
    pAssocNext = m_pHashTable[nBucket];
  rNextPosition = reinterpret_cast<POSITION>(pAssocNext);
  rKey = pAssocRet->key;
  rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(m_nCount);
    if (m_nCount == 0) return;
    for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash)
      for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
        SerializeElements(ar, &pAssoc->key, 1);
        SerializeElements(ar, &pAssoc->value, 1);
      }
  } else {
    DWORD_PTR nNewCount = ar.ReadCount();
    ar.EnsureAvailable(nNewCount);
    while (nNewCount--) {
      KEY newKey{};
      VALUE newValue{};
      SerializeElements(ar, &newKey, 1);
      SerializeElements(ar, &newValue, 1);
      SetAt(newKey, newValue);
    }
  }
}
