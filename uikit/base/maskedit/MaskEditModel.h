// The masked edit's text logic, apart from its window: which characters a
// mask position takes, and typing, deleting, undo, cut, copy and paste over a
// mask whose literal characters stay in place. Portable; CJVKMaskEdit
// (MaskEdit.h) is its site on a real edit control, the tests use a string.
//
// A position is an input position when the literal holds the prompt
// character there; every other position shows its literal character and is
// never typed over. The working copy of the text is always as long as the
// literal.
#pragma once

#include <Framework.h>

#include <cstddef>

// The code page's character classes that the mask characters test.
class CJVKMaskCharClasses {
 public:
  virtual ~CJVKMaskCharClasses() = default;
  virtual BOOL IsDigit(TCHAR ch) const = 0;
  virtual BOOL IsSpace(TCHAR ch) const = 0;
  virtual BOOL IsXDigit(TCHAR ch) const = 0;
  // Alphabetic in the code page, or a character whose two cases differ.
  virtual BOOL IsAlpha(TCHAR ch) const = 0;
  // Printable in the code page, or a letter.
  virtual BOOL IsPrintable(TCHAR ch) const = 0;
  virtual TCHAR ToUpper(TCHAR ch) const = 0;
  virtual TCHAR ToLower(TCHAR ch) const = 0;
};

// The Western (single-byte) code page, for builds without the system's tables.
const CJVKMaskCharClasses& JVKWesternMaskCharClasses();

// The mask table: TRUE when the mask character takes ch. ">" and "<" turn ch
// into upper or lower case; an unknown mask character takes nothing.
BOOL JVKMaskCharAccepts(TCHAR chMask, TCHAR& ch, const CJVKMaskCharClasses& classes);

// The window the model edits, and the overridable tests and reactions of the
// control that owns it.
class CJVKMaskEditSite {
 public:
  virtual ~CJVKMaskEditSite() = default;
  virtual CString GetShownText() const = 0;
  virtual void SetShownText(const CString& strText) = 0;
  virtual void GetShownSel(int& nStart, int& nEnd) const = 0;
  // Sets the selection and scrolls it into view.
  virtual void SetShownSel(int nStart, int nEnd) = 0;
  // The mask test of the character at a position.
  virtual BOOL CheckChar(TCHAR& ch, int nPos) = 0;
  // Whether ch may be placed at a position (may change its case).
  virtual BOOL ProcessChar(TCHAR& ch, int nPos) = 0;
  virtual BOOL IsPrintable(TCHAR ch) = 0;
  // A key that cannot be applied, a character the mask rejects.
  virtual void OnInputError() = 0;
  virtual void OnInvalidChar(TCHAR ch, TCHAR chMask) = 0;
};

class CJVKMaskEditModel {
 public:
  CJVKMaskEditModel() = default;
  CJVKMaskEditModel(const CJVKMaskEditModel&) = delete;
  CJVKMaskEditModel& operator=(const CJVKMaskEditModel&) = delete;

  BOOL HasMask() const { return !m_strMask.IsEmpty(); }
  BOOL IsInputPos(int nPos) const;
  // Forward: nPos when it is an input position, else the first one after
  // it, else just after the last one before it. Backward: nPos, else the
  // nearest one before it, else the first one after it. nPos when the
  // literal has no input position at all.
  int NextInputPos(int nPos, BOOL bForward = TRUE) const;
  // The characters at the input positions of [nStart, nEnd); nEnd -1 is the
  // end of the text.
  CString GetInputData(int nStart, int nEnd = -1) const;
  // The mask character at an input position, 0 elsewhere.
  TCHAR GetMaskChar(int nPos) const;

  // The default tests of CJVKMaskEdit: the mask table at a position, and
  // that test at an input position only.
  BOOL CheckChar(TCHAR& ch, int nPos, const CJVKMaskCharClasses& classes) const;
  BOOL ProcessChar(TCHAR& ch, int nPos, CJVKMaskEditSite& site) const;

  // Fails, changing nothing, when mask and literal differ in length. A
  // default text of another length is laid over the literal as input data.
  BOOL SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault, CJVKMaskEditSite& site);
  void SetPromptChar(TCHAR ch, BOOL bRedraw, CJVKMaskEditSite& site);

  // Reads the window's text and selection into the working copy; with
  // bToInput the selection moves forward onto input positions.
  void Synchronise(CJVKMaskEditSite& site, BOOL bToInput = FALSE);
  // Shows the working copy when it differs from the window's text; with
  // bSaveUndo (or when the last call asked for it) the old text becomes the
  // undo text. Restores the selection.
  void Redisplay(CJVKMaskEditSite& site, BOOL bSaveUndo);

  // Lays str over the text from nPos on: each input position takes the next
  // character that is the prompt or passes the site's CheckChar; a rejected
  // character leaves the prompt and is tried at the next input position.
  void SetInputData(const CString& str, int nPos, CJVKMaskEditSite& site);
  // Inserts ch at nPos; the later input characters shift by one input
  // position and the last one falls off.
  void InsertAt(TCHAR ch, int nPos, CJVKMaskEditSite& site);
  // Deletes the selection; the later input characters shift back.
  void DeleteSelection(CJVKMaskEditSite& site);

  // WM_CHAR in masked mode: FALSE when the character wants the window's
  // default handling.
  BOOL OnChar(TCHAR ch, CJVKMaskEditSite& site);
  void OnBackspace(CJVKMaskEditSite& site);
  void OnSpace(CJVKMaskEditSite& site);
  // Delete; the caller copies a selection first when Shift is down.
  void OnDelete(CJVKMaskEditSite& site);
  // After the window's own handling of End, Right or Down (bForward) and of
  // Home, Left or Up: keeps the selection from leaving the input positions.
  void AfterCaretMove(BOOL bForward, BOOL bShift, CJVKMaskEditSite& site);
  void ToggleOverType() { m_bOverType = !m_bOverType; }

  // Undo and redo in turn.
  void Undo(CJVKMaskEditSite& site);
  // The input characters of the selection (literal characters left out).
  CString GetCopyText(CJVKMaskEditSite& site);
  void Clear(CJVKMaskEditSite& site);
  // Pastes text that may come from any process: at most nMax bytes, up to
  // the first NUL. Characters the mask rejects are dropped.
  void Paste(const char* pText, size_t nMax, CJVKMaskEditSite& site);
  // From the first input position to the end.
  void SelectAll(CJVKMaskEditSite& site);
  // The caret to the first input position at or after the selection start.
  void CaretToInput(CJVKMaskEditSite& site);

  // The state, in the order the control keeps it.
  int m_nStartChar = 0;
  int m_nEndChar = 0;
  BOOL m_bOverType = FALSE;
  // Set after an undo: the next Undo redoes.
  BOOL m_bRedo = FALSE;
  BOOL m_bModified = FALSE;
  TCHAR m_chPrompt = '_';
  CString m_strMask;
  CString m_strDefault;
  CString m_strUndoBuffer;
  CString m_strRedoBuffer;
  CString m_strWindowText;
  CString m_strLiteral;
  BOOL m_bSaveUndo = TRUE;

 private:
  // Cuts or pads the working copy to the literal's length.
  void FitToLiteral();
  // Inserts (or in overtype mode overwrites) at the caret; FALSE after an
  // input error.
  BOOL InsertAtCaret(TCHAR ch, CJVKMaskEditSite& site);
  int LastInputPos() const;
};
