// CCheckListBox: a list box with a check box in front of each item. It must
// be owner-drawn (LBS_OWNERDRAWFIXED or VARIABLE, with LBS_HASSTRINGS);
// the check state lives in the list box itself, the item data stays the
// caller's. A click on the box (or the space bar) toggles it and sends the
// parent CLBN_CHKCHANGE.
#pragma once

#include "Array.h"
#include "ListBox.h"

#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)
 public:
  CCheckListBox();
  ~CCheckListBox() override;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

  void SetCheckStyle(UINT nStyle) { m_nStyle = nStyle; }  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_AUTO3STATE, BS_3STATE
  UINT GetCheckStyle() const { return m_nStyle; }
  void SetCheck(int nIndex, int nCheck);
  int GetCheck(int nIndex) const;
  void Enable(int nIndex, BOOL bEnabled = TRUE);
  BOOL IsEnabled(int nIndex) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void PreSubclassWindow() override;
  int CheckBoxWidth() const;
  void Toggle(int nIndex);
  UINT m_nStyle;
  // Per item: check state and enabled flag, kept by item position.
  CArray<BYTE, BYTE> m_states;
};
