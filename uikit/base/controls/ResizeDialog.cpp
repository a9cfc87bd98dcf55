#include "ResizeDialog.h"

IMPLEMENT_DYNCREATE(CJVResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CJVResizeDialog, CDialog)
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CJVResizeDialog::CJVResizeDialog() : CJVResize(this, 0), m_nIDTemplate(0) {}

CJVResizeDialog::CJVResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, DWORD dwResizeFlags)
    : CDialog(nIDTemplate, pParentWnd), CJVResize(this, dwResizeFlags), m_nIDTemplate(nIDTemplate) {}

BOOL CJVResizeDialog::OnInitDialog() {
  if (!(GetStyle() & WS_THICKFRAME)) CJVResize::m_nFlags |= JVRESIZE_NOSIZEICON;
  CDialog::OnInitDialog();
  Init();
  EnableToolTips();
  return TRUE;
}

void CJVResizeDialog::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  Layout();
}

void CJVResizeDialog::OnGetMinMaxInfo(MINMAXINFO* pMMI) { GetMinMaxInfo(pMMI); }

void CJVResizeDialog::OnDestroy() {
  SavePlacement();
  CDialog::OnDestroy();
}
