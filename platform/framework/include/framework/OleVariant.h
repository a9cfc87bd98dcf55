// COleVariant: a VARIANT that owns its value (a BSTR is freed with it) and
// converts between types. ChangeType throws COleException when the value
// does not convert. The archive operators use the archive's variant form
// (ArchiveVariant.h).
#pragma once

#include "ArchiveVariant.h"
#include "OleDateTime.h"
#include "OleException.h"

class COleVariant : public tagVARIANT {
 public:
  COleVariant() { ::VariantInit(this); }
  COleVariant(const VARIANT& varSrc);  // NOLINT: a copy
  COleVariant(const COleVariant& varSrc);
  COleVariant(LPCTSTR lpszSrc);                    // NOLINT: VT_BSTR
  COleVariant(BYTE nSrc);                          // NOLINT: VT_UI1
  COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);  // NOLINT: VT_I2 or VT_BOOL
  COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);   // NOLINT: VT_I4, VT_ERROR or VT_BOOL
  COleVariant(float fltSrc);                       // NOLINT: VT_R4
  COleVariant(double dblSrc);                      // NOLINT: VT_R8
  COleVariant(const COleDateTime& dateSrc);        // NOLINT: VT_DATE
  ~COleVariant() { ::VariantClear(this); }

  COleVariant& operator=(const COleVariant& varSrc);
  bool operator==(const VARIANT& varSrc) const;
  bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }
  operator LPVARIANT() { return this; }
  operator const VARIANT*() const { return this; }

  void Clear() { ::VariantClear(this); }
  // Converts pSrc (this variant when null) into this one as vartype.
  void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
  // Takes the value of varSrc, which is left VT_EMPTY; Detach gives the
  // value away and leaves this one empty.
  void Attach(VARIANT& varSrc);
  VARIANT Detach();
};

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);
