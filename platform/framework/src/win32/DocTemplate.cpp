#include "framework/DocTemplate.h"

#include "framework/Document.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {
  while (!m_docList.IsEmpty()) static_cast<CDocument*>(m_docList.RemoveHead())->m_pDocTemplate = nullptr;
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
  ENSURE_ARG(pDoc != nullptr && pDoc->m_pDocTemplate == nullptr);
  m_docList.AddTail(pDoc);
  pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  ENSURE_ARG(pDoc != nullptr && pDoc->m_pDocTemplate == this);
  POSITION pos = m_docList.Find(pDoc);
  if (pos != nullptr) m_docList.RemoveAt(pos);
  pDoc->m_pDocTemplate = nullptr;
}
