// CJVKMaskEdit: an edit control that can restrict input position by
// position with a mask, keeps fixed literal characters, shows a prompt
// character in empty positions, and has its own undo, cut, copy, paste and
// clear that keep the literal characters in place. Without a mask, with the
// mask switched off or while read-only it is a plain edit control.
//
// Mask characters (each position of the mask tests the character typed there):
//   "0" digit             "9" digit or space        "#" digit, space, "+" or "-"
//   "d" digit, space, "+", ",", "-" or "."          "L" letter
//   "?" letter or space   "A" letter or digit       "a" letter, digit or space
//   "&" printable         "H" hexadecimal digit     "X" hexadecimal digit or space
//   ">" letter, stored in upper case                "<" letter, stored in lower case
// Any other mask character takes nothing. The literal is as long as the mask;
// where it holds the prompt character the position takes input, elsewhere it
// shows the literal's character.
//
// The text logic is CJVKMaskEditModel's (MaskEditModel.h); this class keeps
// it in step with the window. A derived control (the property grid's in-place
// edit) calls OnChar and OnKeyDown of this class after its own handling.
#pragma once

#include <Framework.h>

#include "MaskEditModel.h"

// The standard edit commands.
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY 0xE122
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT 0xE123
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE 0xE125
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL 0xE12A
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO 0xE12B
#endif

class CJVKMaskEdit : public CEdit {
  DECLARE_DYNAMIC(CJVKMaskEdit)

 public:
  CJVKMaskEdit();
  CJVKMaskEdit(const CJVKMaskEdit&) = delete;
  CJVKMaskEdit& operator=(const CJVKMaskEdit&) = delete;
  ~CJVKMaskEdit() override;

  // Fails when mask and literal differ in length (nothing changes then).
  // Without a default text the field shows the literal; a default text of
  // another length than the literal's is laid over it as input.
  virtual BOOL SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault = nullptr);
  // Whether ch may be placed at an input position (may change its case).
  virtual BOOL ProcessChar(TCHAR& ch, int nPos);
  // The mask table for the mask character at nPos.
  virtual BOOL CheckChar(TCHAR& ch, int nPos);
  // The character classes the mask table uses, of the ANSI code page.
  virtual BOOL IsPrintable(TCHAR ch);
  virtual BOOL IsAlpha(TCHAR ch);
  // A key that cannot be applied; beeps.
  virtual void OnInputError();
  // A character the mask rejects; beeps.
  virtual void OnInvalidChar(TCHAR ch, TCHAR chMask);

  // The prompt character of the empty positions (default "_"); the literal's
  // input positions and the shown text take the new one, redrawn with bRedraw.
  void SetPromptChar(TCHAR ch, BOOL bRedraw = TRUE);
  TCHAR GetPromptChar() const { return m_mask.m_chPrompt; }

  // The clipboard and undo operations: masked, or the plain edit's.
  void Undo();
  void Cut();
  void Copy();
  void Paste();
  void Clear();
  void SelectAll();

  // Mask enabled (default TRUE).
  void SetUseMask(BOOL bUseMask) { m_bUseMask = bUseMask; }
  BOOL GetUseMask() const { return m_bUseMask; }
  // TRUE while the masked behaviour applies: the mask is enabled and not
  // empty, the window exists and is not read-only.
  BOOL IsMaskedMode() const;
  BOOL IsOverType() const { return m_mask.m_bOverType; }
  // TRUE once the masked text changed.
  BOOL IsMaskModified() const { return m_mask.m_bModified; }
  const CString& GetMask() const { return m_mask.m_strMask; }
  const CString& GetLiteral() const { return m_mask.m_strLiteral; }
  const CString& GetDefaultText() const { return m_mask.m_strDefault; }

  // Keypad "-" and "+" typed through the mask, and Ctrl+C, Ctrl+V, Ctrl+X
  // and Ctrl+Z as the masked operations, before the keys are translated.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  // ID_EDIT_CLEAR, _COPY, _CUT, _PASTE, _SELECT_ALL and _UNDO.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg LRESULT OnUndoMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnCutMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnCopyMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnPasteMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnClearMessage(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  BOOL m_bUseMask;
  // Selection, overtype, undo toggle, modified flag, prompt, mask, default
  // text, undo and redo texts, working text, literal, save-undo flag.
  CJVKMaskEditModel m_mask;

 private:
  // The model's view of the window and of the overridable tests above.
  class CWindowSite : public CJVKMaskEditSite {
   public:
    explicit CWindowSite(CJVKMaskEdit& edit) : m_edit(edit) {}
    CString GetShownText() const override;
    void SetShownText(const CString& strText) override;
    void GetShownSel(int& nStart, int& nEnd) const override;
    void SetShownSel(int nStart, int nEnd) override;
    BOOL CheckChar(TCHAR& ch, int nPos) override { return m_edit.CheckChar(ch, nPos); }
    BOOL ProcessChar(TCHAR& ch, int nPos) override { return m_edit.ProcessChar(ch, nPos); }
    BOOL IsPrintable(TCHAR ch) override { return m_edit.IsPrintable(ch); }
    void OnInputError() override { m_edit.OnInputError(); }
    void OnInvalidChar(TCHAR ch, TCHAR chMask) override { m_edit.OnInvalidChar(ch, chMask); }

   private:
    CJVKMaskEdit& m_edit;
  };

  CWindowSite m_site;
};
