// CJVResizeDialog: a modal or modeless dialog whose controls follow its size
// through the resize engine (second base): each control registered with
// SetResize in OnInitDialog moves its edges by its anchor factors.
#pragma once

#include "Resize.h"

#include <Framework.h>

class CJVResizeDialog : public CDialog, public CJVResize {
  DECLARE_DYNCREATE(CJVResizeDialog)
 public:
  CJVResizeDialog();
  CJVResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, DWORD dwResizeFlags = 0);

  // A dialog without a sizing border gets no size grip.
  BOOL OnInitDialog() override;

  UINT m_nIDTemplate;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
