// Shared by the window tests: the test program's application object, the
// message pump and the message-box recorder.
#pragma once

#include <Framework.h>

#include <ostream>
#include <string>
#include <vector>

// Dispatches every message already queued (through PreTranslateMessage, as
// the framework's loop does); then the idle time frees temporary objects.
void PumpPending();

// A child window's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd);
// Failures show rectangles as numbers.
void PrintTo(const CRect& rect, std::ostream* os);

// Records message boxes instead of showing them; answers with m_nAnswer and
// runs m_onBox (if set) on each.
class CMessageBoxRecorder {
 public:
  CMessageBoxRecorder();
  ~CMessageBoxRecorder();
  std::vector<std::string> m_texts;
  int m_nAnswer = IDOK;
  void (*m_onBox)() = nullptr;

 private:
  AFX_MSGBOX_HOOK m_pfnPrevious;
};
