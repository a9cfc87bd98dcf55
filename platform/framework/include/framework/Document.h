// CDocument: the data a program works on, shown by its views. It knows its
// views, its title and file, whether it changed since it was saved, and the
// template it was made from. Commands that reach a view go on to its
// document, then to the template. With m_bAutoDelete (the default) a
// document deletes itself when its last view goes.
#pragma once

#include "CmdTarget.h"
#include "Lists.h"
#include "String.h"

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  const CString& GetPathName() const { return m_strPathName; }
  // The full path; the title becomes the file's name, and the path joins
  // the application's recent file list when bAddToMRU.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }
  // Every view but pSender gets OnUpdate(pSender, lHint, pHint).
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

  // Closes the frames of its views; deletes the document when m_bAutoDelete.
  virtual void OnCloseDocument();
  virtual void OnChangedViewList();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate;
  CPtrList m_viewList;
  BOOL m_bModified;
  BOOL m_bAutoDelete;
};
