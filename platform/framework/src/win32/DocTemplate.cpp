#include "framework/DocTemplate.h"

#include "framework/Document.h"

#include "BackLinkedList.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() {
  while (!m_docList.IsEmpty()) static_cast<CDocument*>(m_docList.RemoveHead())->m_pDocTemplate = nullptr;
}

void CDocTemplate::AddDocument(CDocument* pDoc) { AfxJoinHolder(m_docList, pDoc, &CDocument::m_pDocTemplate, this); }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  AfxLeaveHolder(m_docList, pDoc, &CDocument::m_pDocTemplate, this);
}
