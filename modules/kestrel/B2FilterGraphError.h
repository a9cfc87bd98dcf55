// The card graph's last error, the name of the step that failed and its
// code, and the exception that carries such a pair to the module's catch
// sites (which show it in a message box and delete it).
#pragma once

#include <Framework.h>

// Held by the card graph: every step stores its name and result here.
class CB2FilterGraphError {
 public:
  static const DWORD kInternalError = 0x90020001;   // the filter lacks a control
  static const DWORD kNotInitialized = 0x90020003;  // a call before its part was built
  static const int kTextSize = 50;

  // Stores the step's name, cut to 49 characters, and its code.
  void SetLastError(LPCSTR text, DWORD code);
  // The code, cleared by the call.
  DWORD GetLastErrorCode();
  LPCSTR GetLastErrorText() const { return m_text; }

 private:
  char m_text[kTextSize] = {};
  DWORD m_code = 0;
};

class CB2FilterGraphException : public CException {
  DECLARE_DYNAMIC(CB2FilterGraphException)
 public:
  // "STEP failed (#CODE)!", or "B2C2 Filter Graph error #CODE!" without a step.
  CB2FilterGraphException(LPCSTR step, DWORD code);

  DWORD GetCode() const { return m_code; }
  // The message, cut to nMaxError - 1 characters; FALSE when there is none.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

 private:
  DWORD m_code;
  CString m_message;
};
