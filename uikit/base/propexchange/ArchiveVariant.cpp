// The variant form of the archive exchange (code 12): a COleVariant through
// the framework's archive operators (the 16-bit VARTYPE, then the value).
// Types the archive form does not carry fail the exchange; a load that fails
// leaves the variant empty.
#include "PropExchangeArchive.h"

BOOL CJVKPropExchangeArchive::ExchangeVariant(void* pValue) {
  COleVariant& var = *static_cast<COleVariant*>(pValue);
  if (!m_bLoading) {
    try {
      m_ar << var;
    } catch (CNotSupportedException* e) {
      e->Delete();
      return FALSE;
    }
    return TRUE;
  }
  var.Clear();
  try {
    m_ar >> var;
  } catch (CArchiveException* e) {
    // An unknown type fails this value; a stream that ends is the caller's.
    if (e->m_cause != CArchiveException::genericException) throw;
    e->Delete();
    return FALSE;
  }
  return TRUE;
}
