#include "PropertyGridItemNumber.h"

#include "PropertyGridText.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridItemNumber, CJVKPropertyGridItem)

CJVKPropertyGridItemNumber::CJVKPropertyGridItemNumber(UINT nID, long nValue, long* pBindNumber)
    : CJVKPropertyGridItem(nID) {
  InitNumber(nValue, pBindNumber);
}

CJVKPropertyGridItemNumber::CJVKPropertyGridItemNumber(LPCTSTR pszCaption, long nValue, long* pBindNumber)
    : CJVKPropertyGridItem(pszCaption) {
  InitNumber(nValue, pBindNumber);
}

void CJVKPropertyGridItemNumber::InitNumber(long nValue, long* pBindNumber) {
  m_pBindNumber = pBindNumber;
  SetNumber(nValue);
  SetDefaultValue(m_strValue);
}

void CJVKPropertyGridItemNumber::SetValue(CString strValue) { SetNumber(JVKParseLong(strValue)); }

void CJVKPropertyGridItemNumber::RefreshFromBinding() {
  if (m_pBindNumber && *m_pBindNumber != m_nValue) SetNumber(*m_pBindNumber);
}

void CJVKPropertyGridItemNumber::SetNumber(long nValue) {
  m_nValue = nValue;
  if (m_pBindNumber) *m_pBindNumber = nValue;
  CString strValue;
  strValue.Format("%i", static_cast<int>(nValue));
  CJVKPropertyGridItem::SetValue(strValue);
}

void CJVKPropertyGridItemNumber::BindToNumber(long* pBindNumber) {
  m_pBindNumber = pBindNumber;
  if (m_pBindNumber) *m_pBindNumber = m_nValue;
}
