// CList: a doubly linked list of elements held by value, walked with
// POSITION values. Nodes come from blocks of nBlockSize nodes (CPlex).
#pragma once

#include "Array.h"
#include "Plex.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR nBlockSize = 10)
      : m_pNodeHead(nullptr),
        m_pNodeTail(nullptr),
        m_nCount(0),
        m_pNodeFree(nullptr),
        m_pBlocks(nullptr),
        m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() {
    ENSURE_ARG(m_pNodeHead != nullptr);
    return m_pNodeHead->data;
  }
  const TYPE& GetHead() const {
    ENSURE_ARG(m_pNodeHead != nullptr);
    return m_pNodeHead->data;
  }
  TYPE& GetTail() {
    ENSURE_ARG(m_pNodeTail != nullptr);
    return m_pNodeTail->data;
  }
  const TYPE& GetTail() const {
    ENSURE_ARG(m_pNodeTail != nullptr);
    return m_pNodeTail->data;
  }

  TYPE RemoveHead();
  TYPE RemoveTail();
  POSITION AddHead(ARG_TYPE newElement);
  POSITION AddTail(ARG_TYPE newElement);
  void AddHead(CList* pNewList);
  void AddTail(CList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* p = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pNext);
    return p->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* p = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pNext);
    return p->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* p = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pPrev);
    return p->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* p = Node(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pPrev);
    return p->data;
  }
  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
  void RemoveAt(POSITION position);

  POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
  POSITION FindIndex(INT_PTR nIndex) const;

  void Serialize(CArchive& ar) override;

 protected:
  static CNode* Node(POSITION position) {
    ENSURE_ARG(position != nullptr && position != BEFORE_START_POSITION);
    return reinterpret_cast<CNode*>(position);
  }
  CNode* NewNode(CNode* pPrev, CNode* pNext);
  void FreeNode(CNode* pNode);

  CNode* m_pNodeHead;
  CNode* m_pNodeTail;
  INT_PTR m_nCount;
  CNode* m_pNodeFree;
  CPlex* m_pBlocks;
  INT_PTR m_nBlockSize;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext) {
  if (m_pNodeFree == nullptr) {
    CPlex* pNewBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CNode));
    CNode* pNode = static_cast<CNode*>(pNewBlock->data()) + m_nBlockSize - 1;
    for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pNode) {
      pNode->pNext = m_pNodeFree;
      m_pNodeFree = pNode;
    }
  }
  CNode* pNode = m_pNodeFree;
  m_pNodeFree = m_pNodeFree->pNext;
  pNode->pPrev = pPrev;
  pNode->pNext = pNext;
  ConstructElements<TYPE>(&pNode->data, 1);
  ++m_nCount;
  return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode) {
  DestructElements<TYPE>(&pNode->data, 1);
  pNode->pNext = m_pNodeFree;
  m_pNodeFree = pNode;
  if (--m_nCount == 0) RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
  for (CNode* p = m_pNodeHead; p != nullptr; p = p->pNext) DestructElements<TYPE>(&p->data, 1);
  m_nCount = 0;
  m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
  if (m_pBlocks != nullptr) m_pBlocks->FreeDataChain();
  m_pBlocks = nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement) {
  TYPE copy;  // newElement may be an element of this list
  copy = newElement;
  CNode* pNewNode = NewNode(nullptr, m_pNodeHead);
  pNewNode->data = copy;
  if (m_pNodeHead != nullptr)
    m_pNodeHead->pPrev = pNewNode;
  else
    m_pNodeTail = pNewNode;
  m_pNodeHead = pNewNode;
  return reinterpret_cast<POSITION>(pNewNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement) {
  TYPE copy;
  copy = newElement;
  CNode* pNewNode = NewNode(m_pNodeTail, nullptr);
  pNewNode->data = copy;
  if (m_pNodeTail != nullptr)
    m_pNodeTail->pNext = pNewNode;
  else
    m_pNodeHead = pNewNode;
  m_pNodeTail = pNewNode;
  return reinterpret_cast<POSITION>(pNewNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
  ENSURE_ARG(pNewList != nullptr && pNewList != this);
  POSITION pos = pNewList->GetTailPosition();
  while (pos != nullptr) AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
  ENSURE_ARG(pNewList != nullptr && pNewList != this);
  POSITION pos = pNewList->GetHeadPosition();
  while (pos != nullptr) AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
  ENSURE_ARG(m_pNodeHead != nullptr);
  CNode* pOldNode = m_pNodeHead;
  TYPE returnValue = pOldNode->data;
  m_pNodeHead = pOldNode->pNext;
  if (m_pNodeHead != nullptr)
    m_pNodeHead->pPrev = nullptr;
  else
    m_pNodeTail = nullptr;
  FreeNode(pOldNode);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
  ENSURE_ARG(m_pNodeTail != nullptr);
  CNode* pOldNode = m_pNodeTail;
  TYPE returnValue = pOldNode->data;
  m_pNodeTail = pOldNode->pPrev;
  if (m_pNodeTail != nullptr)
    m_pNodeTail->pNext = nullptr;
  else
    m_pNodeHead = nullptr;
  FreeNode(pOldNode);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
  if (position == nullptr) return AddHead(newElement);
  TYPE copy;
  copy = newElement;
  CNode* pOldNode = Node(position);
  CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);
  pNewNode->data = copy;
  if (pOldNode->pPrev != nullptr)
    pOldNode->pPrev->pNext = pNewNode;
  else
    m_pNodeHead = pNewNode;
  pOldNode->pPrev = pNewNode;
  return reinterpret_cast<POSITION>(pNewNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
  if (position == nullptr) return AddTail(newElement);
  TYPE copy;
  copy = newElement;
  CNode* pOldNode = Node(position);
  CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);
  pNewNode->data = copy;
  if (pOldNode->pNext != nullptr)
    pOldNode->pNext->pPrev = pNewNode;
  else
    m_pNodeTail = pNewNode;
  pOldNode->pNext = pNewNode;
  return reinterpret_cast<POSITION>(pNewNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
  CNode* pOldNode = Node(position);
  if (pOldNode == m_pNodeHead)
    m_pNodeHead = pOldNode->pNext;
  else
    pOldNode->pPrev->pNext = pOldNode->pNext;
  if (pOldNode == m_pNodeTail)
    m_pNodeTail = pOldNode->pPrev;
  else
    pOldNode->pNext->pPrev = pOldNode->pPrev;
  FreeNode(pOldNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
  CNode* pNode = startAfter == nullptr ? m_pNodeHead : Node(startAfter)->pNext;
  for (; pNode != nullptr; pNode = pNode->pNext)
    if (CompareElements<TYPE>(&pNode->data, &searchValue)) return reinterpret_cast<POSITION>(pNode);
  return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
  CNode* pNode = m_pNodeHead;
  while (nIndex--) pNode = pNode->pNext;
  return reinterpret_cast<POSITION>(pNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(m_nCount);
    for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext) SerializeElements(ar, &pNode->data, 1);
  } else {
    DWORD_PTR nNewCount = ar.ReadCount();
    ar.EnsureAvailable(nNewCount);
    while (nNewCount--) {
      TYPE newData{};
      SerializeElements(ar, &newData, 1);
      AddTail(newData);
    }
  }
}
