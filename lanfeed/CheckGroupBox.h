// A group box whose caption is a check box that enables or disables the
// controls registered with it.
#pragma once

class CCheckGroupBox : public CStatic {
 public:
  static constexpr UINT kCheckBoxId = 6013;

  CCheckGroupBox() = default;

  using CStatic::Create;
  // Moves the caption onto a check box laid over the group box's top left
  // (once, after the group box is subclassed). The check box starts checked.
  BOOL Create();
  // Registers a control of the parent dialog; returns the number registered.
  int AddControl(int nID);
  // Sets the check box and enables (1) or disables (0) the registered controls.
  void SetCheck(int nState);
  int GetCheck() const { return m_check.GetCheck(); }

 protected:
  afx_msg void OnCheckClicked();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableControls(BOOL bEnable);

  int m_bFlag = 1;
  CButton m_check;
  CRect m_rect;  // the group box in its own client coordinates
  CDWordArray m_arrIDs;
};
