// CJVKPropertyGridInplaceList: the drop-down list of the selected item's
// allowed values. One per grid; made anew each time it opens, as a popup
// owned by the view, and destroyed when it loses the focus. While it is
// open the outside-click hook gives the focus back to the view when the
// user clicks elsewhere; the hook is removed on every way the list closes.
#pragma once

#include <Framework.h>

class CJVKPropertyGridItem;

class CJVKPropertyGridInplaceList : public CListBox {
  DECLARE_DYNAMIC(CJVKPropertyGridInplaceList)
 public:
  CJVKPropertyGridInplaceList() = default;
  ~CJVKPropertyGridInplaceList() override;
  CJVKPropertyGridInplaceList(const CJVKPropertyGridInplaceList&) = delete;
  CJVKPropertyGridInplaceList& operator=(const CJVKPropertyGridInplaceList&) = delete;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // Opens below the item's row (view coordinates) with the item's constraints.
  virtual void Show(CJVKPropertyGridItem* pItem, CRect rcRow);
  // Forgets the item, removes the hook and destroys the window.
  virtual void Hide();
  // Closes without a change.
  virtual void Cancel();
  // Takes the selected entry into the item, then closes.
  virtual void Apply();

  CJVKPropertyGridItem* GetItem() const { return m_pItem; }

 protected:
  void PostNcDestroy() override;
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  // Focus to the owner (else the parent), then the list goes whether or not
  // that moved the focus away from it.
  void Close();

  CJVKPropertyGridItem* m_pItem = nullptr;
};
