// CDocTemplate: what ties a kind of document to its frame and view classes
// and to its resources (m_nIDResource: the menu, accelerators, icon and
// strings of its frames). It keeps the documents made from it; a document
// it holds names it as its template.
#pragma once

#include "CmdTarget.h"
#include "Lists.h"

class CDocument;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
  ~CDocTemplate() override;

  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& rPos) const { return static_cast<CDocument*>(m_docList.GetNext(rPos)); }

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;

 protected:
  CPtrList m_docList;
};
