// The allowed values of a property grid item: CJVKPropertyGridItemConstraint
// (a text, a data word, an image index) and the owned, ordered collection
// CJVKPropertyGridItemConstraints with its current index. Both reference
// counted; the collection tells its owner item after each change.
#pragma once

#include <Framework.h>

class CJVKPropertyGridItem;
class CJVKImageManagerIcon;

class CJVKPropertyGridItemConstraint : public CCmdTarget {
 public:
  CJVKPropertyGridItemConstraint(LPCTSTR pszText, DWORD_PTR dwData, int nImage)
      : m_strConstraint(pszText ? pszText : ""), m_dwData(dwData), m_nImage(nImage) {}

  virtual int GetIndex() const { return m_nIndex; }
  // The icon of the image index from the grid's image manager; null for -1
  // or when the owner is in no grid.
  virtual CJVKImageManagerIcon* GetImage() const;

  CString m_strConstraint;
  DWORD_PTR m_dwData;
  int m_nImage;
  int m_nIndex = -1;
  CJVKPropertyGridItem* m_pItem = nullptr;
};

class CJVKPropertyGridItemConstraints : public CCmdTarget {
 public:
  explicit CJVKPropertyGridItemConstraints(CJVKPropertyGridItem* pItem) : m_pItem(pItem) {}
  ~CJVKPropertyGridItemConstraints() override;
  CJVKPropertyGridItemConstraints(const CJVKPropertyGridItemConstraints&) = delete;
  CJVKPropertyGridItemConstraints& operator=(const CJVKPropertyGridItemConstraints&) = delete;

  virtual CJVKPropertyGridItemConstraint* AddConstraint(LPCTSTR pszText, DWORD_PTR dwData = 0, int nImage = -1);
  virtual BOOL IsEmpty() const { return m_arrConstraints.GetSize() == 0; }
  virtual int FindConstraintByData(DWORD_PTR dwData) const;
  virtual int FindConstraint(LPCTSTR pszText) const;
  // By text, in the code page's order; indices follow, the current entry too.
  virtual void Sort();

  int GetCount() const { return static_cast<int>(m_arrConstraints.GetSize()); }
  // The text at the index; "" out of range.
  CString GetAt(int nIndex) const;
  CJVKPropertyGridItemConstraint* GetConstraintAt(int nIndex) const;
  void Clear();
  int GetCurrent() const { return m_nCurrent; }
  void SetCurrent(int nIndex) { m_nCurrent = nIndex; }
  // All texts, in order.
  void GetTexts(CStringArray& texts) const;

  // Null once the item let the collection go.
  CJVKPropertyGridItem* m_pItem;

 private:
  void Changed();
  CArray<CJVKPropertyGridItemConstraint*, CJVKPropertyGridItemConstraint*> m_arrConstraints;
  int m_nCurrent = -1;
};
