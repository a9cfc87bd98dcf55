// COleDocument with its items (CDocItem, COleClientItem).
#include "framework/OleDocument.h"

#include "framework/View.h"

#include "BackLinkedList.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleClientItem, CDocItem)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::CDocItem() : m_pDocument(nullptr) {}

CDocItem::~CDocItem() {
  if (m_pDocument != nullptr) m_pDocument->RemoveItem(this);
}

CDocument* CDocItem::GetDocument() const { return m_pDocument; }

COleClientItem::COleClientItem(COleDocument* pContainerDoc) : m_lpObject(nullptr), m_nItemState(emptyState) {
  if (pContainerDoc != nullptr) pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem() {
  if (m_lpObject != nullptr) m_lpObject->Release();
}

void COleClientItem::AttachObject(LPOLEOBJECT lpObject) {
  if (m_lpObject != nullptr) m_lpObject->Release();
  m_lpObject = lpObject;
  m_nItemState = lpObject != nullptr ? loadedState : emptyState;
}

COleDocument::COleDocument() = default;

COleDocument::~COleDocument() {
  while (!m_docItemList.IsEmpty()) delete static_cast<CDocItem*>(m_docItemList.GetHead());
}

void COleDocument::AddItem(CDocItem* pItem) { AfxJoinHolder(m_docItemList, pItem, &CDocItem::m_pDocument, this); }

void COleDocument::RemoveItem(CDocItem* pItem) { AfxLeaveHolder(m_docItemList, pItem, &CDocItem::m_pDocument, this); }

COleClientItem* COleDocument::GetNextClientItem(POSITION& pos) const {
  while (pos != nullptr) {
    CDocItem* pItem = GetNextItem(pos);
    if (pItem->IsKindOf(RUNTIME_CLASS(COleClientItem))) return static_cast<COleClientItem*>(pItem);
  }
  return nullptr;
}

COleClientItem* COleDocument::GetPrimarySelectedItem(CView* pView) {
  if (pView == nullptr) return nullptr;
  COleClientItem* pSelected = nullptr;
  POSITION pos = GetStartPosition();
  while (COleClientItem* pItem = GetNextClientItem(pos)) {
    if (!pView->IsSelected(pItem)) continue;
    if (pSelected != nullptr) return nullptr;  // more than one
    pSelected = pItem;
  }
  return pSelected;
}
