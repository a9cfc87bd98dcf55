#include "LogEdit.h"

void AppendLogLine(HWND edit, const char* line) {
  if (!edit || !IsWindow(edit)) return;
  const LRESULT end = SendMessage(edit, WM_GETTEXTLENGTH, 0, 0);
  SendMessage(edit, EM_SETSEL, end, end);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line));
}
