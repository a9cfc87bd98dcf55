// CJVKPropertyGridItem: one row of the property grid: a caption left of the
// divider, a value right of it, a description for the help panel, children,
// allowed values (constraints) and the in-place editors it uses. Items form
// a tree whose top level are categories (CJVKPropertyGridItemCategory).
// Reference counted: the collection that holds an item owns one reference.
// Applications derive their own items and override the virtual operations,
// whose order and default behaviour are part of the contract.
#pragma once

#include <Framework.h>

#include "PropertyGridItemConstraints.h"
#include "PropertyGridItemMetrics.h"
#include "PropertyGridItems.h"

class CJVKPropertyGrid;
class CJVKPropertyGridView;
class CJVKPropertyGridInplaceEdit;
class CJVKPropertyGridInplaceButton;
class CJVKPropertyGridInplaceList;

// Which in-place controls the value part uses.
enum {
  jvkItemHasEdit = 1,
  jvkItemHasExpandButton = 2,  // a push button right of the value; it only notifies the owner
  jvkItemHasComboButton = 4,   // a button that opens the list of constraints
};

class CJVKPropertyGridItem : public CCmdTarget {
  DECLARE_DYNAMIC(CJVKPropertyGridItem)
 public:
  // Caption and description from the id's string resource (split at the
  // first newline); value null means "".
  explicit CJVKPropertyGridItem(UINT nID, LPCTSTR pszValue = nullptr, CString* pBindString = nullptr);
  // The same from a caption text (which may hold the description too).
  explicit CJVKPropertyGridItem(LPCTSTR pszCaption, LPCTSTR pszValue = nullptr, CString* pBindString = nullptr);
  ~CJVKPropertyGridItem() override;
  CJVKPropertyGridItem(const CJVKPropertyGridItem&) = delete;
  CJVKPropertyGridItem& operator=(const CJVKPropertyGridItem&) = delete;

  virtual void SetReadOnly(BOOL bReadOnly);
  virtual CRect GetValueRect();
  virtual void SetValue(CString strValue);
  virtual void CommitValue(CString strValue);
  // TRUE when the override drew the value itself.
  virtual BOOL DrawValue(CDC& dc, CRect rcValue);
  virtual void DrawConstraint(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint, CRect rc, BOOL bSelected);
  virtual CSize MeasureConstraint(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint);
  virtual void MeasureHeight(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual BOOL IsValueChanged();
  virtual void RestoreDefault();
  virtual CString GetDisplayValue();
  virtual CJVKPropertyGridInplaceEdit& GetEditWindow();
  virtual DWORD GetEditStyle() const;
  virtual void SetVisible(BOOL bVisible);
  virtual void IndexChanged() {}
  virtual void OnSelect();
  virtual void OnDeselect();
  virtual BOOL OnChar(UINT nChar);
  virtual void OnDoubleClick();
  virtual void OnRightButtonDown() {}
  virtual BOOL OnLeftButtonDown(UINT nFlags, CPoint point);
  virtual void OnLeftButtonUp(UINT nFlags, CPoint point) {}
  virtual void ChildAdded() {}
  virtual void OnButtonPressed();
  virtual CJVKPropertyGridInplaceButton& GetButtonWindow();
  virtual CJVKPropertyGridInplaceList& GetListWindow();
  virtual void CommitEdit();
  virtual void SetEditWindowText(CString strText);
  virtual void RefreshFromBinding();
  virtual void ConstraintsChanged() {}

  CString GetValue() const { return m_strValue; }
  void Expand();
  void Collapse();
  void Select();
  CRect GetItemRect() const;
  CJVKPropertyGridItem* AddChildItem(CJVKPropertyGridItem* pItem) { return InsertChildItem(m_pChildren->GetCount(), pItem); }
  CJVKPropertyGridItem* InsertChildItem(int nIndex, CJVKPropertyGridItem* pItem);
  CJVKPropertyGridItems* GetChildren() const { return m_pChildren; }
  CJVKPropertyGridItemConstraints* GetConstraints() const { return m_pConstraints; }
  void SetDefaultValue(LPCTSTR pszValue) { m_strDefaultValue = pszValue ? pszValue : ""; }
  void SetHidden(BOOL bHidden);
  BOOL IsHidden() const { return m_bHidden; }
  CString GetCaption() const { return m_strCaption; }
  // The value's (bValuePart) or the caption's own metrics; made on request.
  CJVKPropertyGridItemMetrics* GetMetrics(BOOL bValuePart, BOOL bCreate = TRUE);
  BOOL IsChildOf(const CJVKPropertyGridItem* pItem) const;
  // Lets go of the view and everything shown for this item, and of its
  // children and constraints (run for every item a collection clears).
  void Detach();

  // Accessors of the plain fields.
  UINT GetID() const { return m_nID; }
  void SetID(UINT nID) { m_nID = nID; }
  int GetIndex() const { return m_nIndex; }
  int GetIndent() const { return m_nIndent; }
  UINT GetFlags() const { return m_nFlags; }
  void SetFlags(UINT nFlags) { m_nFlags = nFlags; }
  BOOL IsReadOnly() const { return m_bReadOnly; }
  BOOL IsVisible() const { return m_bVisible; }
  BOOL IsCategory() const { return m_bCategory; }
  BOOL IsExpanded() const { return m_bExpanded; }
  BOOL HasChildren() const { return m_pChildren->GetCount() > 0; }
  CString GetDescription() const { return m_strDescription; }
  void SetCaption(LPCTSTR pszCaption) { m_strCaption = pszCaption; }
  void SetDescription(LPCTSTR pszDescription) { m_strDescription = pszDescription; }
  CJVKPropertyGridItem* GetParentItem() const { return m_pParent; }
  CJVKPropertyGridView* GetView() const { return m_pView; }
  CJVKPropertyGrid* GetGrid() const;
  void BindToString(CString* pBindString) { m_pBindString = pBindString; }
  void SetMask(LPCTSTR pszMask, LPCTSTR pszLiteral, TCHAR chPrompt = '_');
  CString GetMask() const { return m_strMask; }
  CString GetLiteral() const { return m_strLiteral; }
  TCHAR GetPasswordChar() const { return m_chPrompt; }
  BOOL IsUseMask() const { return m_bUseMask; }
  void SetPasswordMask(TCHAR chMask = '*');
  BOOL IsPassword() const { return m_bPassword; }
  void SetItemHeight(int nHeight) { m_nHeight = nHeight; }
  int GetMultiLinesCount() const { return m_nLinesCount; }
  void SetMultiLinesCount(int nLines) { m_nLinesCount = nLines; }
  void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }

  BOOL m_bAutoComplete = FALSE;  // type-ahead through the constraints

 protected:
  void Init(LPCTSTR pszValue, CString* pBindString);
  void Notify(WPARAM nCode);
  void RedrawView();
  // The view and the depth for this item and everything below it: an item
  // may get its children before it is added to a grid.
  void AttachSubtree(CJVKPropertyGridView* pView, int nIndent);
  friend class CJVKPropertyGridView;
  friend class CJVKPropertyGridItems;

  int m_nIndex = -1;
  int m_nIndent = 0;
  UINT m_nID = 0;
  UINT m_nFlags = jvkItemHasEdit;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bVisible = FALSE;
  BOOL m_bCategory = FALSE;
  BOOL m_bExpanded = FALSE;
  CString m_strValue;
  CString m_strDefaultValue;
  CString m_strCaption;
  CString m_strDescription;
  CJVKPropertyGridItem* m_pParent = nullptr;
  CJVKPropertyGridView* m_pView = nullptr;
  CJVKPropertyGridItems* m_pChildren;
  CJVKPropertyGridItemConstraints* m_pConstraints;
  CJVKPropertyGridItemMetrics* m_pValueMetrics = nullptr;
  CJVKPropertyGridItemMetrics* m_pCaptionMetrics = nullptr;
  CString* m_pBindString = nullptr;
  CString m_strMask;
  CString m_strLiteral;
  TCHAR m_chPrompt = '*';
  BOOL m_bUseMask = FALSE;
  BOOL m_bPassword = FALSE;
  BOOL m_bHidden = FALSE;
  int m_nHeight = -1;
  int m_nLinesCount = 1;
  DWORD m_dwEditStyle = 0;
};

// A top-level item: no value, no in-place controls.
class CJVKPropertyGridItemCategory : public CJVKPropertyGridItem {
  DECLARE_DYNAMIC(CJVKPropertyGridItemCategory)
 public:
  explicit CJVKPropertyGridItemCategory(LPCTSTR pszCaption);
  explicit CJVKPropertyGridItemCategory(UINT nID);
};
