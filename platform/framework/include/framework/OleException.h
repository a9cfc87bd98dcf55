// COleException: an OLE call failed; m_sc holds its status code.
// AfxOleInit starts OLE (single-threaded apartment) on the calling thread.
// DROPEFFECT: the DROPEFFECT_ flags of a drag and drop.
#pragma once

#include "Exception.h"

#include <ole2.h>

typedef DWORD DROPEFFECT;

class COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  COleException() : m_sc(S_OK) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
  // The status code an exception stands for: m_sc of an OLE exception,
  // E_OUTOFMEMORY for a memory exception, E_UNEXPECTED for any other.
  static SCODE PASCAL Process(const CException* pAnyException);

  SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// Once per thread; FALSE when OLE could not be started there.
BOOL AFXAPI AfxOleInit();
