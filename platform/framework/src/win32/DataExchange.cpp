// Dialog data exchange and validation.
#include "framework/DataExchange.h"

#include "framework/MessageBox.h"
#include "framework/Wnd.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr), m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWndCtrl == nullptr) AfxThrowNotSupportedException();  // no such control in the template
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) AfxThrowUserException();  // loading does not fail on its own
  if (m_hWndLastControl != nullptr) {
    if (m_bEditLastControl) {
      ::SetFocus(m_hWndLastControl);
      ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    } else {
      ::SetFocus(m_hWndLastControl);
    }
  }
  AfxThrowUserException();
}

namespace {

CString ControlText(HWND hWndCtrl) {
  CString text;
  int nLen = ::GetWindowTextLength(hWndCtrl);
  ::GetWindowText(hWndCtrl, text.GetBuffer(nLen), nLen + 1);
  text.ReleaseBuffer();
  return text;
}

void Refuse(CDataExchange* pDX, LPCTSTR lpszPrompt) {
  AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION, static_cast<UINT>(-1));
  pDX->Fail();
}

// Whole text as a signed/unsigned decimal in [minVal, maxVal]; blanks around
// the number are allowed, nothing else.
BOOL ParseSigned(const CString& text, long long minVal, long long maxVal, long long* pValue) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == 0) return FALSE;
  char* pEnd = nullptr;
  errno = 0;
  long long v = strtoll(p, &pEnd, 10);
  if (pEnd == p || errno == ERANGE) return FALSE;
  while (*pEnd == ' ' || *pEnd == '\t') ++pEnd;
  if (*pEnd != 0 || v < minVal || v > maxVal) return FALSE;
  *pValue = v;
  return TRUE;
}

BOOL ParseUnsigned(const CString& text, unsigned long long maxVal, unsigned long long* pValue) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == '-' || *p == 0) return FALSE;  // negative numbers are refused, not wrapped
  char* pEnd = nullptr;
  errno = 0;
  unsigned long long v = strtoull(p, &pEnd, 10);
  if (pEnd == p || errno == ERANGE) return FALSE;
  while (*pEnd == ' ' || *pEnd == '\t') ++pEnd;
  if (*pEnd != 0 || v > maxVal) return FALSE;
  *pValue = v;
  return TRUE;
}

template <class T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseSigned(ControlText(hWndCtrl), minVal, maxVal, &v)) Refuse(pDX, "Please enter an integer.");
    value = static_cast<T>(v);
  } else {
    char sz[32];
    snprintf(sz, sizeof(sz), "%lld", static_cast<long long>(value));
    ::SetWindowText(hWndCtrl, sz);
  }
}

template <class T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(ControlText(hWndCtrl), maxVal, &v)) Refuse(pDX, "Please enter a positive integer.");
    value = static_cast<T>(v);
  } else {
    char sz[32];
    snprintf(sz, sizeof(sz), "%llu", static_cast<unsigned long long>(value));
    ::SetWindowText(hWndCtrl, sz);
  }
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) { TextSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextUnsigned(pDX, nIDC, value, UINT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { TextUnsigned(pDX, nIDC, value, 0xFFFFFFFFull); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { TextUnsigned(pDX, nIDC, value, 255); }

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString text = ControlText(hWndCtrl);
    const char* p = text;
    char* pEnd = nullptr;
    double v = strtod(p, &pEnd);
    while (pEnd != nullptr && (*pEnd == ' ' || *pEnd == '\t')) ++pEnd;
    if (pEnd == p || *pEnd != 0 || !std::isfinite(v)) Refuse(pDX, "Please enter a number.");
    value = v;
  } else {
    char sz[64];
    snprintf(sz, sizeof(sz), "%.15g", value);
    ::SetWindowText(hWndCtrl, sz);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ControlText(hWndCtrl);
  else
    ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2) value = 0;  // only unchecked, checked, indeterminate
    ::SendMessage(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  // The radio buttons from nIDC up to the next control that starts a group.
  int iButton = 0;
  do {
    if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0) value = iButton;
      } else {
        ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
      }
      ++iButton;
    }
    hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
  } while (hWndCtrl != nullptr && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
  else
    ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ControlText(hWndCtrl);
  } else {
    // Select the matching item; a drop-down shows the text even without one.
    if (::SendMessage(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR)
      ::SetWindowText(hWndCtrl, value);
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
  else
    ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value.Empty();
    int nIndex = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
    if (nIndex != LB_ERR) {
      int nLen = static_cast<int>(::SendMessage(hWndCtrl, LB_GETTEXTLEN, nIndex, 0));
      ::SendMessage(hWndCtrl, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(value.GetBuffer(nLen)));
      value.ReleaseBuffer(nLen);
    }
  } else {
    ::SendMessage(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                  reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
  }
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ::GetScrollPos(hWndCtrl, SB_CTL);
  else
    ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;  // tied on an earlier exchange
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWndCtrl)) AfxThrowNotSupportedException();
}

// ------------------------------------------------------------- validation

namespace {
template <class T>
void MinMaxSigned(CDataExchange* pDX, T value, T minVal, T maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char sz[128];
  snprintf(sz, sizeof(sz), "Enter an integer between %lld and %lld.", static_cast<long long>(minVal),
           static_cast<long long>(maxVal));
  Refuse(pDX, sz);
}
template <class T>
void MinMaxUnsigned(CDataExchange* pDX, T value, T minVal, T maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char sz[128];
  snprintf(sz, sizeof(sz), "Enter an integer between %llu and %llu.", static_cast<unsigned long long>(minVal),
           static_cast<unsigned long long>(maxVal));
  Refuse(pDX, sz);
}
}  // namespace

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  MinMaxSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  MinMaxSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  MinMaxSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  MinMaxUnsigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  MinMaxUnsigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  MinMaxUnsigned(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char sz[128];
  snprintf(sz, sizeof(sz), "Enter a number between %g and %g.", minVal, maxVal);
  Refuse(pDX, sz);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
      ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    return;
  }
  if (value.GetLength() <= nChars) return;
  char sz[128];
  snprintf(sz, sizeof(sz), "Enter no more than %d characters.", nChars);
  Refuse(pDX, sz);
}
