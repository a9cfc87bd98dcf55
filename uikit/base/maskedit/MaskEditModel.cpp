#include "MaskEditModel.h"

#include <cstring>
#include <string>

#include "TreeFindText.h"

namespace {

// The Western code page: letters and small letters as the tree search knows
// them, capitals derived from them.
class CWesternMaskCharClasses : public CJVKMaskCharClasses {
 public:
  CWesternMaskCharClasses() {
    for (int c = 0; c < 256; ++c) m_upper[c] = static_cast<unsigned char>(c);
    for (int c = 0; c < 256; ++c) {
      const unsigned char lower = LowerOf(static_cast<unsigned char>(c));
      if (lower != c) m_upper[lower] = static_cast<unsigned char>(c);
    }
  }
  BOOL IsDigit(TCHAR ch) const override { return ch >= '0' && ch <= '9'; }
  BOOL IsSpace(TCHAR ch) const override {
    const unsigned char c = Byte(ch);
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0;
  }
  BOOL IsXDigit(TCHAR ch) const override {
    const unsigned char c = Byte(ch);
    return IsDigit(ch) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
  }
  BOOL IsAlpha(TCHAR ch) const override { return JVWesternCharSet().IsLetter(Byte(ch)); }
  BOOL IsPrintable(TCHAR ch) const override {
    const unsigned char c = Byte(ch);
    if (c < 0x20 || c == 0x7F) return FALSE;
    // The code page leaves these five unassigned.
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
  }
  TCHAR ToUpper(TCHAR ch) const override { return static_cast<TCHAR>(m_upper[Byte(ch)]); }
  TCHAR ToLower(TCHAR ch) const override { return static_cast<TCHAR>(LowerOf(Byte(ch))); }

 private:
  static unsigned char Byte(TCHAR ch) { return static_cast<unsigned char>(ch); }
  static unsigned char LowerOf(unsigned char c) {
    std::string s(1, static_cast<char>(c));
    JVWesternCharSet().ToLower(s);
    return static_cast<unsigned char>(s[0]);
  }
  unsigned char m_upper[256];
};

}  // namespace

const CJVKMaskCharClasses& JVKWesternMaskCharClasses() {
  static const CWesternMaskCharClasses classes;
  return classes;
}

BOOL JVKMaskCharAccepts(TCHAR chMask, TCHAR& ch, const CJVKMaskCharClasses& classes) {
  const BOOL bDigit = classes.IsDigit(ch);
  const BOOL bSpace = classes.IsSpace(ch);
  const BOOL bAlpha = classes.IsAlpha(ch);
  switch (chMask) {
    case '0': return bDigit;
    case '9': return bDigit || bSpace;
    case '#': return bDigit || bSpace || ch == '+' || ch == '-';
    case 'd': return bDigit || bSpace || ch == '+' || ch == ',' || ch == '-' || ch == '.';
    case 'L': return bAlpha;
    case '?': return bAlpha || bSpace;
    case 'A': return bAlpha || bDigit;
    case 'a': return bAlpha || bDigit || bSpace;
    case '&': return classes.IsPrintable(ch);
    case 'H': return classes.IsXDigit(ch);
    case 'X': return classes.IsXDigit(ch) || bSpace;
    case '>':
      if (!bAlpha) return FALSE;
      ch = classes.ToUpper(ch);
      return TRUE;
    case '<':
      if (!bAlpha) return FALSE;
      ch = classes.ToLower(ch);
      return TRUE;
    default: return FALSE;
  }
}

BOOL CJVKMaskEditModel::IsInputPos(int nPos) const {
  return nPos >= 0 && nPos < m_strLiteral.GetLength() && m_strLiteral[nPos] == m_chPrompt;
}

int CJVKMaskEditModel::LastInputPos() const {
  for (int i = m_strLiteral.GetLength() - 1; i >= 0; --i) {
    if (IsInputPos(i)) return i;
  }
  return -1;
}

int CJVKMaskEditModel::NextInputPos(int nPos, BOOL bForward) const {
  const int nLength = m_strLiteral.GetLength();
  if (IsInputPos(nPos)) return nPos;
  if (bForward) {
    for (int i = nPos < 0 ? 0 : nPos + 1; i < nLength; ++i) {
      if (IsInputPos(i)) return i;
    }
    for (int i = (nPos < nLength ? nPos : nLength) - 1; i >= 0; --i) {
      if (IsInputPos(i)) return i + 1;
    }
    return nPos;
  }
  for (int i = (nPos < nLength ? nPos : nLength) - 1; i >= 0; --i) {
    if (IsInputPos(i)) return i;
  }
  for (int i = nPos < 0 ? 0 : nPos + 1; i < nLength; ++i) {
    if (IsInputPos(i)) return i;
  }
  return nPos;
}

CString CJVKMaskEditModel::GetInputData(int nStart, int nEnd) const {
  const int nLength = m_strWindowText.GetLength();
  if (nEnd < 0 || nEnd > nLength) nEnd = nLength;
  if (nStart < 0) nStart = 0;
  CString strData;
  for (int i = nStart; i < nEnd; ++i) {
    if (IsInputPos(i)) strData += m_strWindowText[i];
  }
  return strData;
}

TCHAR CJVKMaskEditModel::GetMaskChar(int nPos) const {
  return IsInputPos(nPos) && nPos < m_strMask.GetLength() ? m_strMask[nPos] : '\0';
}

BOOL CJVKMaskEditModel::CheckChar(TCHAR& ch, int nPos, const CJVKMaskCharClasses& classes) const {
  if (nPos < 0 || nPos >= m_strMask.GetLength()) return FALSE;
  return JVKMaskCharAccepts(m_strMask[nPos], ch, classes);
}

BOOL CJVKMaskEditModel::ProcessChar(TCHAR& ch, int nPos, CJVKMaskEditSite& site) const {
  return IsInputPos(nPos) && site.CheckChar(ch, nPos);
}

BOOL CJVKMaskEditModel::SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault,
                                    CJVKMaskEditSite& site) {
  const CString strMask(lpszMask ? lpszMask : "");
  const CString strLiteral(lpszLiteral ? lpszLiteral : "");
  // A mask shorter than its literal would be read past its end.
  if (strMask.GetLength() != strLiteral.GetLength()) return FALSE;
  m_strMask = strMask;
  m_strLiteral = strLiteral;
  if (lpszDefault != nullptr) {
    const CString strDefault(lpszDefault);
    m_strWindowText = strDefault;
    if (strDefault.GetLength() != m_strLiteral.GetLength()) {
      m_strWindowText.Empty();
      SetInputData(strDefault, 0, site);
    }
    m_strDefault = m_strWindowText;
  } else {
    m_strDefault = m_strWindowText = m_strLiteral;
  }
  m_bRedo = FALSE;
  m_bModified = FALSE;
  site.SetShownText(m_strWindowText);
  m_strUndoBuffer = m_strWindowText;
  return TRUE;
}

void CJVKMaskEditModel::SetPromptChar(TCHAR ch, BOOL bRedraw, CJVKMaskEditSite& site) {
  if (ch == m_chPrompt) return;
  if (bRedraw) Synchronise(site);
  // The empty positions of every text that is laid over the literal take the
  // new prompt, so that undo and Backspace in overtype mode bring back
  // empty positions, not characters.
  CString* texts[] = {&m_strWindowText, &m_strDefault, &m_strUndoBuffer, &m_strRedoBuffer};
  for (int i = 0; i < m_strLiteral.GetLength(); ++i) {
    if (m_strLiteral[i] != m_chPrompt) continue;
    for (CString* pText : texts) {
      if (i < pText->GetLength() && pText->GetAt(i) == m_chPrompt) pText->SetAt(i, ch);
    }
    m_strLiteral.SetAt(i, ch);
  }
  m_chPrompt = ch;
  if (bRedraw) {
    site.SetShownText(m_strWindowText);
    site.SetShownSel(m_nStartChar, m_nEndChar);
  }
}

void CJVKMaskEditModel::FitToLiteral() {
  const int nLength = m_strLiteral.GetLength();
  if (m_strWindowText.GetLength() > nLength) {
    m_strWindowText = m_strWindowText.Left(nLength);
  } else if (m_strWindowText.GetLength() < nLength) {
    m_strWindowText += m_strLiteral.Mid(m_strWindowText.GetLength());
  }
}

void CJVKMaskEditModel::Synchronise(CJVKMaskEditSite& site, BOOL bToInput) {
  int nStart = 0, nEnd = 0;
  site.GetShownSel(nStart, nEnd);
  if (nStart < 0) nStart = 0;
  if (nEnd < nStart) nEnd = nStart;
  m_strWindowText = site.GetShownText();
  FitToLiteral();
  if (bToInput) {
    nStart = NextInputPos(nStart);
    nEnd = NextInputPos(nEnd);
    if (nEnd < nStart) nEnd = nStart;
  }
  m_nStartChar = nStart;
  m_nEndChar = nEnd;
}

void CJVKMaskEditModel::Redisplay(CJVKMaskEditSite& site, BOOL bSaveUndo) {
  const CString strShown = site.GetShownText();
  if (strShown != m_strWindowText) {
    if (bSaveUndo || m_bSaveUndo) m_strUndoBuffer = strShown;
    site.SetShownText(m_strWindowText);
    m_bRedo = FALSE;
    m_bModified = TRUE;
    // A run of typing is one undo step: it stores the text before its first
    // character only.
    m_bSaveUndo = bSaveUndo;
  }
  site.SetShownSel(m_nStartChar, m_nEndChar);
}

void CJVKMaskEditModel::SetInputData(const CString& str, int nPos, CJVKMaskEditSite& site) {
  const int nLength = m_strLiteral.GetLength();
  if (nPos < 0) nPos = 0;
  if (nPos < m_strWindowText.GetLength()) m_strWindowText = m_strWindowText.Left(nPos);
  nPos = m_strWindowText.GetLength();
  int nNext = 0;
  for (int i = nPos; i < nLength && nNext < str.GetLength(); ++i) {
    if (IsInputPos(i)) {
      TCHAR ch = str[nNext];
      if (ch == m_chPrompt || site.CheckChar(ch, i)) {
        m_strWindowText += ch;
        ++nNext;
        continue;
      }
    }
    m_strWindowText += m_strLiteral[i];
  }
  FitToLiteral();
}

void CJVKMaskEditModel::InsertAt(TCHAR ch, int nPos, CJVKMaskEditSite& site) {
  SetInputData(CString(ch) + GetInputData(nPos), nPos, site);
}

void CJVKMaskEditModel::DeleteSelection(CJVKMaskEditSite& site) {
  SetInputData(GetInputData(m_nEndChar), m_nStartChar, site);
  m_nEndChar = m_nStartChar;
}

BOOL CJVKMaskEditModel::InsertAtCaret(TCHAR ch, CJVKMaskEditSite& site) {
  if (m_nStartChar >= m_strWindowText.GetLength()) {
    site.OnInputError();
    return FALSE;
  }
  if (m_nStartChar != m_nEndChar) DeleteSelection(site);
  const int nPos = NextInputPos(m_nStartChar);
  if (!IsInputPos(nPos)) {
    site.OnInputError();
    return FALSE;
  }
  if (m_bOverType) {
    m_strWindowText.SetAt(nPos, ch);
  } else {
    InsertAt(ch, nPos, site);
  }
  m_nStartChar = m_nEndChar = NextInputPos(nPos + 1);
  return TRUE;
}

BOOL CJVKMaskEditModel::OnChar(TCHAR ch, CJVKMaskEditSite& site) {
  // Backspace and space were applied by the key-down handling.
  if (ch == '\b' || ch == ' ') return TRUE;
  Synchronise(site);
  if (!IsInputPos(m_nStartChar)) {
    site.OnInputError();
    return TRUE;
  }
  if (!site.ProcessChar(ch, m_nStartChar)) {
    site.OnInvalidChar(ch, GetMaskChar(m_nStartChar));
    return TRUE;
  }
  if (site.IsPrintable(ch)) {
    if (InsertAtCaret(ch, site)) Redisplay(site, FALSE);
    return TRUE;
  }
  return ch == 127;
}

void CJVKMaskEditModel::OnBackspace(CJVKMaskEditSite& site) {
  Synchronise(site);
  // Nothing lies before the caret at 0; a selection from 0 is deleted.
  if ((m_nStartChar == 0 && m_nEndChar == 0) || m_nStartChar > m_strLiteral.GetLength()) {
    site.OnInputError();
    return;
  }
  if (m_nStartChar == m_nEndChar) {
    m_nStartChar = NextInputPos(m_nStartChar - 1, FALSE);
    if (m_nStartChar > m_nEndChar) m_nStartChar = m_nEndChar;
    if (m_bOverType && IsInputPos(m_nStartChar)) {
      const TCHAR ch = m_nStartChar < m_strDefault.GetLength() ? m_strDefault[m_nStartChar] : m_chPrompt;
      m_strWindowText.SetAt(m_nStartChar, ch);
      m_nEndChar = m_nStartChar;
    }
  }
  DeleteSelection(site);
  Redisplay(site, TRUE);
}

void CJVKMaskEditModel::OnSpace(CJVKMaskEditSite& site) {
  Synchronise(site, TRUE);
  if (!IsInputPos(m_nStartChar)) {
    site.OnInputError();
    return;
  }
  TCHAR ch = ' ';
  if (!site.ProcessChar(ch, m_nStartChar)) ch = m_chPrompt;
  if (InsertAtCaret(ch, site)) Redisplay(site, TRUE);
}

void CJVKMaskEditModel::OnDelete(CJVKMaskEditSite& site) {
  Synchronise(site);
  if (m_nStartChar == m_nEndChar) m_nEndChar = m_nStartChar + 1;
  DeleteSelection(site);
  Redisplay(site, TRUE);
}

void CJVKMaskEditModel::AfterCaretMove(BOOL bForward, BOOL bShift, CJVKMaskEditSite& site) {
  Synchronise(site);
  const int nStart = m_nStartChar, nEnd = m_nEndChar;
  if (bForward) {
    const int nLast = LastInputPos();
    if (m_nEndChar > nLast) {
      m_nEndChar = nLast + 1;
      if (!bShift || m_nStartChar > m_nEndChar) m_nStartChar = m_nEndChar;
    }
  } else {
    int nFirst = -1;
    for (int i = 0; i <= m_nStartChar && i < m_strLiteral.GetLength(); ++i) {
      if (IsInputPos(i)) {
        nFirst = i;
        break;
      }
    }
    if (nFirst < 0) {
      m_nStartChar = NextInputPos(m_nStartChar);
      if (!bShift || m_nEndChar < m_nStartChar) m_nEndChar = m_nStartChar;
    }
  }
  // Left alone, the window keeps the end a Shift selection grows from.
  if (m_nStartChar != nStart || m_nEndChar != nEnd) Redisplay(site, FALSE);
}

void CJVKMaskEditModel::Undo(CJVKMaskEditSite& site) {
  Synchronise(site);
  if (m_bRedo) {
    site.SetShownText(m_strRedoBuffer);
  } else {
    m_strRedoBuffer = site.GetShownText();
    site.SetShownText(m_strUndoBuffer);
  }
  m_bModified = TRUE;
  m_bRedo = !m_bRedo;
  // The next change is a step of its own.
  m_bSaveUndo = TRUE;
  m_nEndChar = m_nStartChar;
  site.SetShownSel(m_nStartChar, m_nStartChar);
}

CString CJVKMaskEditModel::GetCopyText(CJVKMaskEditSite& site) {
  Synchronise(site);
  return GetInputData(m_nStartChar, m_nEndChar);
}

void CJVKMaskEditModel::Clear(CJVKMaskEditSite& site) {
  Synchronise(site);
  DeleteSelection(site);
  Redisplay(site, TRUE);
}

void CJVKMaskEditModel::Paste(const char* pText, size_t nMax, CJVKMaskEditSite& site) {
  // The block need not end in a NUL: it is read no further than nMax.
  const void* pNul = pText != nullptr ? memchr(pText, '\0', nMax) : nullptr;
  const size_t nText = pText == nullptr ? 0 : pNul != nullptr ? static_cast<const char*>(pNul) - pText : nMax;
  Synchronise(site);
  if (m_nStartChar != m_nEndChar) DeleteSelection(site);
  int nPos = NextInputPos(m_nStartChar);
  for (size_t i = 0; i < nText && IsInputPos(nPos); ++i) {
    TCHAR ch = pText[i];
    if (ch == m_chPrompt || site.ProcessChar(ch, nPos)) {
      InsertAt(ch, nPos, site);
      nPos = NextInputPos(nPos + 1);
    }
  }
  m_nStartChar = m_nEndChar = NextInputPos(nPos);
  Redisplay(site, TRUE);
}

void CJVKMaskEditModel::SelectAll(CJVKMaskEditSite& site) {
  Synchronise(site);
  m_nStartChar = NextInputPos(0);
  m_nEndChar = m_strWindowText.GetLength();
  if (m_nStartChar > m_nEndChar) m_nStartChar = m_nEndChar;
  site.SetShownSel(m_nStartChar, m_nEndChar);
}

void CJVKMaskEditModel::CaretToInput(CJVKMaskEditSite& site) {
  Synchronise(site);
  m_nStartChar = m_nEndChar = NextInputPos(m_nStartChar);
  site.SetShownSel(m_nStartChar, m_nEndChar);
}
