#include "B2FilterGraphError.h"

#include <cstring>

void CB2FilterGraphError::SetLastError(LPCSTR text, DWORD code) {
  m_code = code;
  m_text[0] = 0;
  if (text) strncat(m_text, text, kTextSize - 1);
}

DWORD CB2FilterGraphError::GetLastErrorCode() {
  const DWORD code = m_code;
  m_code = 0;
  return code;
}

IMPLEMENT_DYNAMIC(CB2FilterGraphException, CException)

CB2FilterGraphException::CB2FilterGraphException(LPCSTR step, DWORD code) : m_code(code) {
  if (step && *step)
    m_message.Format("%s failed (#%lX)!", step, static_cast<unsigned long>(code));
  else
    m_message.Format("B2C2 Filter Graph error #%lX!", static_cast<unsigned long>(code));
}

BOOL CB2FilterGraphException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (m_message.IsEmpty()) return FALSE;
  return CopyMessage(m_message, lpszError, nMaxError);
}
