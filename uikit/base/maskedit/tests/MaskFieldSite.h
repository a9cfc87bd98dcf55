// A masked field without a window: the "window" text and selection are
// strings and numbers, the tests are the model's defaults over the Western
// code page, and beeps are counted.
#pragma once

#include "MaskEditModel.h"

class CMaskFieldSite : public CJVKMaskEditSite {
 public:
  explicit CMaskFieldSite(CJVKMaskEditModel& model) : m_model(model) {}

  CString GetShownText() const override { return m_strText; }
  void SetShownText(const CString& strText) override {
    m_strText = strText;
    // Setting a window's text puts the caret at its start.
    m_nStart = m_nEnd = 0;
  }
  void GetShownSel(int& nStart, int& nEnd) const override {
    nStart = m_nStart;
    nEnd = m_nEnd;
  }
  void SetShownSel(int nStart, int nEnd) override {
    // An edit control keeps its selection within the text.
    const int nLength = m_strText.GetLength();
    m_nStart = nStart < 0 ? 0 : nStart > nLength ? nLength : nStart;
    m_nEnd = nEnd < 0 || nEnd > nLength ? nLength : nEnd;
    ++m_nSelSets;
  }
  BOOL CheckChar(TCHAR& ch, int nPos) override { return m_model.CheckChar(ch, nPos, JVKWesternMaskCharClasses()); }
  BOOL ProcessChar(TCHAR& ch, int nPos) override { return m_model.ProcessChar(ch, nPos, *this); }
  BOOL IsPrintable(TCHAR ch) override { return JVKWesternMaskCharClasses().IsPrintable(ch); }
  void OnInputError() override { ++m_nInputErrors; }
  void OnInvalidChar(TCHAR, TCHAR chMask) override {
    ++m_nInvalidChars;
    m_chLastMask = chMask;
  }

  CJVKMaskEditModel& m_model;
  CString m_strText;
  int m_nStart = 0;
  int m_nEnd = 0;
  int m_nSelSets = 0;
  int m_nInputErrors = 0;
  int m_nInvalidChars = 0;
  TCHAR m_chLastMask = 0;
};
