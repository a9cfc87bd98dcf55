#include "framework/OleException.h"

IMPLEMENT_DYNAMIC(COleException, CException)

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  LPTSTR lpszSystem = nullptr;
  DWORD dwLength = ::FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                                   static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPTSTR>(&lpszSystem), 0, nullptr);
  CString strText;
  if (dwLength != 0 && lpszSystem != nullptr) {
    strText = lpszSystem;
    strText.TrimRight();
  } else {
    strText.Format("OLE error 0x%08lX.", static_cast<unsigned long>(m_sc));
  }
  if (lpszSystem != nullptr) ::LocalFree(lpszSystem);
  return CopyMessage(strText, lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* pAnyException) {
  if (const COleException* pOle = DYNAMIC_DOWNCAST(COleException, const_cast<CException*>(pAnyException)))
    return pOle->m_sc;
  if (pAnyException != nullptr && pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
  return E_UNEXPECTED;
}

void AFXAPI AfxThrowOleException(SCODE sc) {
  COleException* e = new COleException;
  e->m_sc = sc;
  throw e;
}

BOOL AFXAPI AfxOleInit() {
  static thread_local BOOL t_bStarted = FALSE;
  if (t_bStarted) return TRUE;
  HRESULT hr = ::OleInitialize(nullptr);
  // S_FALSE: already started on this thread by someone else, which serves.
  t_bStarted = SUCCEEDED(hr);
  return t_bStarted;
}
