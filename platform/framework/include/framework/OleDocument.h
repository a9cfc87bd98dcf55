// COleDocument: a document that holds items (CDocItem, COleClientItem among
// them). An item belongs to one document; it leaves it when deleted, and
// the document deletes the items it still holds.
#pragma once

#include "Document.h"
#include "OleClientItem.h"

class CView;

class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
 public:
  COleDocument();
  ~COleDocument() override;

  virtual void AddItem(CDocItem* pItem);
  virtual void RemoveItem(CDocItem* pItem);
  POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
  CDocItem* GetNextItem(POSITION& pos) const { return static_cast<CDocItem*>(m_docItemList.GetNext(pos)); }
  // The next COleClientItem from pos (skipping other items), or NULL.
  COleClientItem* GetNextClientItem(POSITION& pos) const;
  // The client item that is the only one selected in pView (IsSelected), or NULL.
  virtual COleClientItem* GetPrimarySelectedItem(CView* pView);

 protected:
  CPtrList m_docItemList;
};
