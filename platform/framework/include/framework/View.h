// CView: the window that shows a document inside a frame. Commands reach the
// frame's active view first, then its document. A view made active by the
// mouse becomes its frame's active view; it leaves its document when it is
// destroyed, and is deleted with its window (made with new).
#pragma once

#include "Wnd.h"

class CDC;
class CDocument;
class CFrameWnd;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView();
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  // Whether the document's item is selected in this view.
  virtual BOOL IsSelected(const CObject* pDocItem) const;
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  friend class CFrameWnd;
  friend class CDocument;
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  void PostNcDestroy() override;

  CDocument* m_pDocument;

  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
