// The archive form of the property exchange: the values go through a
// CArchive in call order, in the archive's own binary form, without names or
// defaults. A section is the continuation of the same stream.
#pragma once

#include "PropExchange.h"

class CJVKPropExchangeArchive : public CJVKPropExchange {
 public:
  // The archive is not owned; the direction is the archive's.
  explicit CJVKPropExchangeArchive(CArchive& ar);

  BOOL ExchangeValue(LPCTSTR pszName, int nType, void* pValue, const void* pDefault) override;
  // Storing: the count, then the bytes. Loading fails, without allocating,
  // when the stream holds fewer bytes than the stored count.
  BOOL ExchangeBinary(LPCTSTR pszName, void*& pData, DWORD& nBytes) override;
  BOOL ExchangeClass(LPCTSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
  // Also enters the object in the archive's object map, as the archive does
  // for objects it writes or reads itself.
  BOOL ExchangeObject(CObject*& pObject, CRuntimeClass* pRequiredClass) override;
  CArchive* OpenArchive(LPCTSTR pszName) override;
  void CloseArchive(LPCTSTR pszName, CArchive* pArchive) override;
  CJVKPropExchange* OpenSection(LPCTSTR pszName) override;
  void WriteCount(DWORD nCount) override;
  DWORD ReadCount() override;
  void WriteBinary(LPCTSTR pszName, const BYTE* pData, UINT nBytes) override;
  UINT ReadBinary(LPCTSTR pszName, BYTE* pData, UINT nBytes) override;
  BOOL CanSkipDefaults() const override { return FALSE; }
  BOOL IsBinaryForm() const override { return TRUE; }

 private:
  // The variant form (code 12); FALSE where the platform has no variants.
  BOOL ExchangeVariant(void* pValue);

  CArchive& m_ar;
};
