// CColorDialog: the common colour dialog.
#pragma once

#include "Dialog.h"

#include <commdlg.h>

class CColorDialog : public CDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
  static COLORREF* PASCAL GetSavedCustomColors();
  CHOOSECOLOR m_cc;
};
