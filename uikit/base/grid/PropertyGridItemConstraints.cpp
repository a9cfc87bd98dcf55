#include "PropertyGridItemConstraints.h"

#include <algorithm>
#include <vector>

#include "ImageManager.h"
#include "PropertyGrid.h"
#include "PropertyGridItem.h"
#include "PropertyGridText.h"

CJVKImageManagerIcon* CJVKPropertyGridItemConstraint::GetImage() const {
  if (m_nImage == -1 || !m_pItem) return nullptr;
  CJVKPropertyGrid* pGrid = m_pItem->GetGrid();
  return pGrid ? pGrid->GetImageManager()->GetImage(static_cast<UINT>(m_nImage)) : nullptr;
}

CJVKPropertyGridItemConstraints::~CJVKPropertyGridItemConstraints() {
  for (int i = 0; i < GetCount(); ++i) m_arrConstraints[i]->InternalRelease();
}

void CJVKPropertyGridItemConstraints::Changed() {
  if (m_pItem) m_pItem->ConstraintsChanged();
}

CJVKPropertyGridItemConstraint* CJVKPropertyGridItemConstraints::AddConstraint(LPCTSTR pszText, DWORD_PTR dwData,
                                                                                int nImage) {
  CJVKPropertyGridItemConstraint* pConstraint = new CJVKPropertyGridItemConstraint(pszText, dwData, nImage);
  pConstraint->m_nIndex = static_cast<int>(m_arrConstraints.Add(pConstraint));
  pConstraint->m_pItem = m_pItem;
  Changed();
  return pConstraint;
}

int CJVKPropertyGridItemConstraints::FindConstraintByData(DWORD_PTR dwData) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_arrConstraints[i]->m_dwData == dwData) return i;
  return -1;
}

int CJVKPropertyGridItemConstraints::FindConstraint(LPCTSTR pszText) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_arrConstraints[i]->m_strConstraint.Compare(pszText ? pszText : "") == 0) return i;
  return -1;
}

void CJVKPropertyGridItemConstraints::Sort() {
  CJVKPropertyGridItemConstraint* pCurrent = GetConstraintAt(m_nCurrent);
  std::vector<CJVKPropertyGridItemConstraint*> sorted(m_arrConstraints.GetData(),
                                                      m_arrConstraints.GetData() + GetCount());
  std::stable_sort(sorted.begin(), sorted.end(), [](CJVKPropertyGridItemConstraint* a, CJVKPropertyGridItemConstraint* b) {
    return JVKCompareCaptions(a->m_strConstraint, b->m_strConstraint) < 0;
  });
  for (int i = 0; i < GetCount(); ++i) {
    m_arrConstraints[i] = sorted[i];
    sorted[i]->m_nIndex = i;
    if (sorted[i] == pCurrent) m_nCurrent = i;
  }
  Changed();
}

CString CJVKPropertyGridItemConstraints::GetAt(int nIndex) const {
  const CJVKPropertyGridItemConstraint* pConstraint = GetConstraintAt(nIndex);
  return pConstraint ? pConstraint->m_strConstraint : CString();
}

CJVKPropertyGridItemConstraint* CJVKPropertyGridItemConstraints::GetConstraintAt(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_arrConstraints[nIndex] : nullptr;
}

void CJVKPropertyGridItemConstraints::Clear() {
  for (int i = 0; i < GetCount(); ++i) m_arrConstraints[i]->InternalRelease();
  m_arrConstraints.RemoveAll();
  m_nCurrent = -1;
  Changed();
}

void CJVKPropertyGridItemConstraints::GetTexts(CStringArray& texts) const {
  texts.RemoveAll();
  for (int i = 0; i < GetCount(); ++i) texts.Add(m_arrConstraints[i]->m_strConstraint);
}
