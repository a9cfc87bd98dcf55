#include "CAMMenuDialog.h"

#include <cstdio>

#include "CommonInterface.h"
#include "ModuleResources.h"

BEGIN_MESSAGE_MAP(CCAMMenuDialog, CDialog)
  ON_LBN_DBLCLK(IDC_CAM_LIST, OnListDoubleClick)
  ON_COMMAND_RANGE(IDC_CAM_DIGIT0, IDC_CAM_DIGIT9, OnDigit)
  ON_BN_CLICKED(IDC_CAM_SEND, OnSendAnswer)
  ON_BN_CLICKED(IDC_CAM_OK, OnSendAnswer)
  ON_BN_CLICKED(IDC_CAM_CANCEL_ENQUIRY, OnCancelEnquiry)
  ON_BN_CLICKED(IDC_CAM_CLOSE, OnCloseDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CCAMMenuDialog::CCAMMenuDialog(CCommonInterface& ci) : m_ci(ci) {}

BOOL CCAMMenuDialog::Create() { return CDialog::Create(IDD_CAM_MENU, CWnd::GetDesktopWindow()); }

BOOL CCAMMenuDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTimer(kTitleTimer, kTitlePeriodMs);
  return TRUE;
}

void CCAMMenuDialog::OnOK() {}

// Escape hides the modeless dialog; it lives until the device closes.
void CCAMMenuDialog::OnCancel() { Show(false); }

void CCAMMenuDialog::SetTitle() {
  char title[32];
  std::snprintf(title, sizeof(title), "CAM Slot %d", m_bSlot + 1);
  ::SetWindowTextA(m_hWnd, title);
}

void CCAMMenuDialog::BindSlot() {
  m_ci.SetMenuWindow(this);
  m_ci.SetCurrentSlot(m_bSlot);
  SetTitle();
  std::string line;
  if (m_ci.SlotLine(&line)) SetSlotLine(line);
}

void CCAMMenuDialog::SetStatusLine(const char* text) { ::SetDlgItemTextA(m_hWnd, IDC_CAM_STATUS, text); }

void CCAMMenuDialog::SetSlotLine(const std::string& text) {
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CAM_CLOSE), TRUE);
  ::SetDlgItemTextA(m_hWnd, IDC_CAM_SLOT, text.c_str());
}

void CCAMMenuDialog::ClearList() { ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_RESETCONTENT, 0, 0); }

void CCAMMenuDialog::ShowLines(const std::vector<std::string>& lines) {
  ClearList();
  for (const std::string& line : lines)
    ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void CCAMMenuDialog::Show(bool visible) { ::ShowWindow(m_hWnd, visible ? SW_SHOW : SW_HIDE); }

std::vector<std::string> CCAMMenuDialog::Lines() const {
  std::vector<std::string> lines;
  const int count = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_GETTEXTLEN, i, 0);
    if (length < 0) continue;
    std::string line(static_cast<size_t>(length) + 1, '\0');
    ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<size_t>(length));
    lines.push_back(line);
  }
  return lines;
}

// Line n > 1 is the choice n - 1: the first choice is 1, and 0 (the CAM's
// escape) is never sent from the list.
void CCAMMenuDialog::OnListDoubleClick() {
  const LRESULT line = ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_GETCURSEL, 0, 0);
  if (line > 1) m_ci.MenuAnswer(m_bSlot, static_cast<BYTE>(line - 1));
}

void CCAMMenuDialog::OnDigit(UINT id) { m_ci.MenuAnswer(m_bSlot, static_cast<BYTE>(id - IDC_CAM_DIGIT0)); }

void CCAMMenuDialog::OnSendAnswer() {
  // One more than the buffer holds, so that a longer text is seen as such.
  char text[kAnswerBufferSize + 1] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_CAM_ANSWER, text, sizeof(text));
  if (!m_ci.SendAnswer(m_bSlot, text)) {
    SetStatusLine("Error while sending answer!");
    return;
  }
  ::SetDlgItemTextA(m_hWnd, IDC_CAM_ANSWER, "");
}

void CCAMMenuDialog::OnCancelEnquiry() {
  char empty[1] = {0};
  m_ci.Answer(m_bSlot, empty, 0);
}

void CCAMMenuDialog::OnCloseDialog() { Show(false); }

void CCAMMenuDialog::OnTimer(UINT_PTR id) {
  if (id == kTitleTimer && ::IsWindowVisible(m_hWnd)) SetTitle();
}
