#include "FullscreenDialog.h"

#include <framework/DC.h>

#include "ModuleResources.h"

BEGIN_MESSAGE_MAP(CFullscreenDialog, CDialog)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CFullscreenDialog::CFullscreenDialog() : CDialog(IDD_FULLSCREEN) {}

BOOL CFullscreenDialog::Create(CWnd* parent) { return CDialog::Create(IDD_FULLSCREEN, parent); }

BOOL CFullscreenDialog::OnEraseBkgnd(CDC* pDC) {
  RECT client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(0, 0, 0));
  return TRUE;
}

void CFullscreenDialog::OnPaint() { CPaintDC dc(this); }
