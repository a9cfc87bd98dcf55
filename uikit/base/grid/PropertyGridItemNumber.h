// CJVKPropertyGridItemNumber: an item whose value is a signed 32-bit number,
// shown and edited as decimal text, optionally mirrored into a caller's
// long. Text that overflows the range is read as its nearest limit.
#pragma once

#include "PropertyGridItem.h"

class CJVKPropertyGridItemNumber : public CJVKPropertyGridItem {
  DECLARE_DYNAMIC(CJVKPropertyGridItemNumber)
 public:
  explicit CJVKPropertyGridItemNumber(UINT nID, long nValue = 0, long* pBindNumber = nullptr);
  explicit CJVKPropertyGridItemNumber(LPCTSTR pszCaption, long nValue = 0, long* pBindNumber = nullptr);

  // Reads the text as a number and stores its normalised form.
  void SetValue(CString strValue) override;
  void RefreshFromBinding() override;

  virtual void SetNumber(long nValue);
  virtual long GetNumber() const { return m_nValue; }
  virtual void BindToNumber(long* pBindNumber);

 protected:
  void InitNumber(long nValue, long* pBindNumber);

  long m_nValue = 0;
  long* m_pBindNumber = nullptr;
};
