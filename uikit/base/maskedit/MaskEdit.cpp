#include "MaskEdit.h"

#include <cstring>
#include <vector>

namespace {

WORD CharType(TCHAR ch) {
  WORD wType = 0;
  if (!::GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, &ch, 1, &wType)) return 0;
  return wType;
}

// The ANSI code page's classes, with letters and printable characters as the
// control (or a class derived from it) answers them.
class CEditCharClasses : public CJVKMaskCharClasses {
 public:
  explicit CEditCharClasses(CJVKMaskEdit& edit) : m_edit(edit) {}
  BOOL IsDigit(TCHAR ch) const override { return (CharType(ch) & C1_DIGIT) != 0; }
  BOOL IsSpace(TCHAR ch) const override { return (CharType(ch) & C1_SPACE) != 0; }
  BOOL IsXDigit(TCHAR ch) const override { return (CharType(ch) & C1_XDIGIT) != 0; }
  BOOL IsAlpha(TCHAR ch) const override { return m_edit.IsAlpha(ch); }
  BOOL IsPrintable(TCHAR ch) const override { return m_edit.IsPrintable(ch); }
  TCHAR ToUpper(TCHAR ch) const override {
    ::CharUpperBuffA(&ch, 1);
    return ch;
  }
  TCHAR ToLower(TCHAR ch) const override {
    ::CharLowerBuffA(&ch, 1);
    return ch;
  }

 private:
  CJVKMaskEdit& m_edit;
};

BOOL IsKeyDown(int nVirtKey) { return ::GetKeyState(nVirtKey) < 0; }

}  // namespace

IMPLEMENT_DYNAMIC(CJVKMaskEdit, CEdit)

BEGIN_MESSAGE_MAP(CJVKMaskEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_UNDO, OnUndoMessage)
ON_MESSAGE(WM_CUT, OnCutMessage)
ON_MESSAGE(WM_COPY, OnCopyMessage)
ON_MESSAGE(WM_PASTE, OnPasteMessage)
ON_MESSAGE(WM_CLEAR, OnClearMessage)
END_MESSAGE_MAP()

CJVKMaskEdit::CJVKMaskEdit() : m_bUseMask(TRUE), m_site(*this) {}

CJVKMaskEdit::~CJVKMaskEdit() = default;

BOOL CJVKMaskEdit::IsMaskedMode() const {
  return m_bUseMask && m_hWnd != nullptr && ::IsWindow(m_hWnd) && !(GetStyle() & ES_READONLY) && m_mask.HasMask();
}

BOOL CJVKMaskEdit::SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault) {
  return m_mask.SetEditMask(lpszMask, lpszLiteral, lpszDefault, m_site);
}

BOOL CJVKMaskEdit::ProcessChar(TCHAR& ch, int nPos) { return m_mask.ProcessChar(ch, nPos, m_site); }

BOOL CJVKMaskEdit::CheckChar(TCHAR& ch, int nPos) {
  return m_mask.CheckChar(ch, nPos, CEditCharClasses(*this));
}

BOOL CJVKMaskEdit::IsPrintable(TCHAR ch) {
  const WORD wType = CharType(ch);
  return (wType != 0 && !(wType & C1_CNTRL)) || IsAlpha(ch);
}

BOOL CJVKMaskEdit::IsAlpha(TCHAR ch) {
  if (CharType(ch) & C1_ALPHA) return TRUE;
  TCHAR chUpper = ch, chLower = ch;
  ::CharUpperBuffA(&chUpper, 1);
  ::CharLowerBuffA(&chLower, 1);
  return chUpper != chLower;
}

void CJVKMaskEdit::OnInputError() { ::MessageBeep(static_cast<UINT>(-1)); }

void CJVKMaskEdit::OnInvalidChar(TCHAR, TCHAR) { ::MessageBeep(static_cast<UINT>(-1)); }

void CJVKMaskEdit::SetPromptChar(TCHAR ch, BOOL bRedraw) {
  m_mask.SetPromptChar(ch, bRedraw && m_hWnd != nullptr, m_site);
}

void CJVKMaskEdit::Undo() {
  if (!IsMaskedMode()) {
    SendMessage(EM_UNDO, 0, 0);
    return;
  }
  m_mask.Undo(m_site);
}

void CJVKMaskEdit::Copy() {
  if (!IsMaskedMode()) {
    SendMessage(WM_COPY, 0, 0);
    return;
  }
  const CString strText = m_mask.GetCopyText(m_site);
  // Like the plain edit, an empty selection leaves the clipboard alone.
  if (strText.IsEmpty() || !::OpenClipboard(m_hWnd)) return;
  ::EmptyClipboard();
  const int nLength = strText.GetLength();
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nLength) + 1);
  if (hGlobal != nullptr) {
    memcpy(::GlobalLock(hGlobal), static_cast<LPCTSTR>(strText), static_cast<size_t>(nLength) + 1);
    ::GlobalUnlock(hGlobal);
    if (::SetClipboardData(CF_TEXT, hGlobal) == nullptr) ::GlobalFree(hGlobal);
  }
  ::CloseClipboard();
}

void CJVKMaskEdit::Cut() {
  if (!IsMaskedMode()) {
    SendMessage(WM_CUT, 0, 0);
    return;
  }
  Copy();
  Clear();
}

void CJVKMaskEdit::Clear() {
  if (!IsMaskedMode()) {
    SendMessage(WM_CLEAR, 0, 0);
    return;
  }
  m_mask.Clear(m_site);
}

void CJVKMaskEdit::Paste() {
  if (!IsMaskedMode()) {
    SendMessage(WM_PASTE, 0, 0);
    return;
  }
  // Any process may have written the block: it is read no further than its
  // size, whether or not a NUL ends it, and copied out before the clipboard
  // is closed again.
  std::vector<char> text;
  if (::IsClipboardFormatAvailable(CF_TEXT) && ::OpenClipboard(m_hWnd)) {
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    const char* pData = hData != nullptr ? static_cast<const char*>(::GlobalLock(hData)) : nullptr;
    if (pData != nullptr) {
      const size_t nSize = ::GlobalSize(hData);
      const void* pNul = memchr(pData, '\0', nSize);
      text.assign(pData, pNul != nullptr ? static_cast<const char*>(pNul) : pData + nSize);
      ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
  }
  m_mask.Paste(text.data(), text.size(), m_site);
}

void CJVKMaskEdit::SelectAll() {
  if (!IsMaskedMode()) {
    SetSel(0, -1);
    return;
  }
  m_mask.SelectAll(m_site);
}

BOOL CJVKMaskEdit::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && IsMaskedMode()) {
    if (pMsg->wParam == VK_SUBTRACT || pMsg->wParam == VK_ADD) {
      m_mask.OnChar(pMsg->wParam == VK_SUBTRACT ? '-' : '+', m_site);
      return TRUE;
    }
    if (IsKeyDown(VK_CONTROL)) {
      switch (pMsg->wParam) {
        case 'C': Copy(); return TRUE;
        case 'V': Paste(); return TRUE;
        case 'X': Cut(); return TRUE;
        case 'Z': Undo(); return TRUE;
        default: break;
      }
    }
  }
  return CEdit::PreTranslateMessage(pMsg);
}

BOOL CJVKMaskEdit::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case ID_EDIT_CLEAR: Clear(); return TRUE;
    case ID_EDIT_COPY: Copy(); return TRUE;
    case ID_EDIT_CUT: Cut(); return TRUE;
    case ID_EDIT_PASTE: Paste(); return TRUE;
    case ID_EDIT_SELECT_ALL: SelectAll(); return TRUE;
    case ID_EDIT_UNDO: Undo(); return TRUE;
    default: return CEdit::OnCommand(wParam, lParam);
  }
}

void CJVKMaskEdit::OnChar(UINT nChar, UINT, UINT) {
  if (!IsMaskedMode() || !m_mask.OnChar(static_cast<TCHAR>(nChar), m_site)) Default();
}

void CJVKMaskEdit::OnKeyDown(UINT nChar, UINT, UINT) {
  if (!IsMaskedMode()) {
    Default();
    return;
  }
  const BOOL bShift = IsKeyDown(VK_SHIFT);
  switch (nChar) {
    case VK_BACK:
      m_mask.OnBackspace(m_site);
      break;
    case VK_SPACE:
      m_mask.OnSpace(m_site);
      break;
    case VK_END:
    case VK_RIGHT:
    case VK_DOWN:
      Default();
      m_mask.AfterCaretMove(TRUE, bShift, m_site);
      break;
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
      Default();
      m_mask.AfterCaretMove(FALSE, bShift, m_site);
      break;
    case VK_INSERT:
      if (IsKeyDown(VK_CONTROL)) {
        Copy();
      } else if (bShift) {
        Paste();
      } else {
        m_mask.ToggleOverType();
      }
      break;
    case VK_DELETE: {
      int nStart = 0, nEnd = 0;
      GetSel(nStart, nEnd);
      if (bShift && nStart != nEnd) Copy();
      m_mask.OnDelete(m_site);
      break;
    }
    default:
      Default();
      break;
  }
}

void CJVKMaskEdit::OnSetFocus(CWnd*) {
  Default();
  if (IsMaskedMode()) m_mask.CaretToInput(m_site);
}

LRESULT CJVKMaskEdit::OnUndoMessage(WPARAM, LPARAM) {
  if (!IsMaskedMode()) return Default();
  m_mask.Undo(m_site);
  return TRUE;
}

LRESULT CJVKMaskEdit::OnCutMessage(WPARAM, LPARAM) {
  if (!IsMaskedMode()) return Default();
  Cut();
  return 0;
}

LRESULT CJVKMaskEdit::OnCopyMessage(WPARAM, LPARAM) {
  if (!IsMaskedMode()) return Default();
  Copy();
  return 0;
}

LRESULT CJVKMaskEdit::OnPasteMessage(WPARAM, LPARAM) {
  if (!IsMaskedMode()) return Default();
  Paste();
  return 0;
}

LRESULT CJVKMaskEdit::OnClearMessage(WPARAM, LPARAM) {
  if (!IsMaskedMode()) return Default();
  Clear();
  return 0;
}

CString CJVKMaskEdit::CWindowSite::GetShownText() const {
  CString strText;
  if (m_edit.m_hWnd != nullptr) m_edit.GetWindowText(strText);
  return strText;
}

void CJVKMaskEdit::CWindowSite::SetShownText(const CString& strText) {
  if (m_edit.m_hWnd == nullptr) return;
  // The caret would flicker through the intermediate states.
  const BOOL bHidden = ::HideCaret(m_edit.m_hWnd);
  m_edit.SetWindowText(strText);
  if (bHidden) ::ShowCaret(m_edit.m_hWnd);
}

void CJVKMaskEdit::CWindowSite::GetShownSel(int& nStart, int& nEnd) const {
  nStart = nEnd = 0;
  if (m_edit.m_hWnd != nullptr) m_edit.GetSel(nStart, nEnd);
}

void CJVKMaskEdit::CWindowSite::SetShownSel(int nStart, int nEnd) {
  if (m_edit.m_hWnd == nullptr) return;
  const BOOL bHidden = ::HideCaret(m_edit.m_hWnd);
  m_edit.SetSel(nStart, nEnd);
  if (bHidden) ::ShowCaret(m_edit.m_hWnd);
}
