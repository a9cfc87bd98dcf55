#include "CIMenuDialog.h"

#include <ModuleResources.h>
#include <TwinhanTypes.h>

namespace {
const char kWrongValue[] = "Error while sending answer (Wrong value)!";
const char kWrongLength[] = "Error while sending answer (Wrong length)!";
}  // namespace

BEGIN_MESSAGE_MAP(CCIMenuDialog, CDialog)
  ON_LBN_DBLCLK(IDC_CAM_LIST, OnListDoubleClick)
  ON_COMMAND_RANGE(IDC_CAM_DIGIT0, IDC_CAM_DIGIT9, OnDigit)
  ON_BN_CLICKED(IDC_CAM_SEND, OnSendAnswer)
  ON_BN_CLICKED(IDC_CAM_OK, OnSendAnswer)
  ON_BN_CLICKED(IDC_CAM_CANCEL_ENQUIRY, OnCancelEnquiry)
  ON_BN_CLICKED(IDC_CAM_CLOSE, OnCloseDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CCIMenuDialog::CCIMenuDialog(CIProvider ci, ObjectProvider object) : m_ci(std::move(ci)), m_object(std::move(object)) {}

BOOL CCIMenuDialog::Create() { return CDialog::Create(IDD_CAM_MENU, CWnd::GetDesktopWindow()); }

BOOL CCIMenuDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTimer(kPollTimer, kPollPeriodMs);
  return TRUE;
}

void CCIMenuDialog::GetCIState(int* present, int* state) {
  *present = *state = 0;
  ITwinhanCI* ci = m_ci();
  if (ci && FAILED(ci->GetCIState(present, state))) *present = *state = 0;
}

void CCIMenuDialog::Open(HWND hostWindow) {
  BYTE info[kCamInfoSize] = {};
  ITwinhanCI* ci = m_ci();
  if (ci && FAILED(ci->GetCAMInfo(info))) info[kCamInfoNameOffset] = 0;
  info[kCamInfoSize - 1] = 0;  // the CAM's text need not end
  std::string name = reinterpret_cast<const char*>(info + kCamInfoNameOffset);
  ::SetParent(m_hWnd, hostWindow);
  if (HMENU menu = hostWindow ? ::GetMenu(hostWindow) : nullptr)
    ::ModifyMenuA(menu, kHostCamMenuItem, MF_BYCOMMAND | MF_STRING, kHostCamMenuItem, name.c_str());
  name.erase(name.find_last_not_of(" \t\r\n") + 1);
  ::SetDlgItemTextA(m_hWnd, IDC_CAM_SLOT, name.c_str());
  if (!m_object()) {
    ShowLines({});
    return;
  }
  ::SetWindowTextA(m_hWnd, "CAM Slot 1");
  m_bMenuOpen = true;
  if (ci) ci->EnterCAMMenu();
  Refresh();
}

void CCIMenuDialog::Refresh() {
  for (int i = 0; i < kRefreshPolls; ++i) {
    int present, state;
    GetCIState(&present, &state);
    if (state == kCiStateHasMmi) break;
    Sleep(kRefreshPollMs);
  }
  CCamDataObject* object = m_object();
  ITwinhanCI* ci = m_ci();
  int type = kMmiNone;
  if (!object || !ci || FAILED(ci->GetMMI(object->Data(), &type))) type = kMmiNone;
  m_iMmiType = type;
  if (type == kMmiMenu || type == kMmiList) {
    Show(true);
    ShowLines(object->ListLines(type));
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CAM_LIST), type == kMmiMenu);
  } else if (type == kMmiEnquiry) {
    Show(true);
    ShowLines({object->Prompt()});
    HWND edit = ::GetDlgItem(m_hWnd, IDC_CAM_ANSWER);
    ::SendMessageA(edit, EM_SETPASSWORDCHAR, object->Blind() ? '*' : 0, 0);
    ::InvalidateRect(edit, nullptr, TRUE);
  } else if (m_bMenuOpen) {
    OnCloseDialog();
  } else {
    Show(false);
  }
}

void CCIMenuDialog::ShowLines(const std::vector<std::string>& lines) {
  ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines)
    ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void CCIMenuDialog::SendChoice(int choice) {
  CCamDataObject* object = m_object();
  if (!object || (m_iMmiType != kMmiMenu && m_iMmiType != kMmiList)) return;
  if (choice < 0 || choice > object->ChoiceCount()) {
    SetStatusLine(kWrongValue);
    return;
  }
  object->SetSelector(choice);
  if (ITwinhanCI* ci = m_ci()) ci->SendMMIAnswer(object->Data(), m_iMmiType);
  Refresh();
}

// Line a > 1 is choice a - 1 (lines 0 and 1 are the title and subtitle).
void CCIMenuDialog::OnListDoubleClick() {
  const LRESULT line = ::SendDlgItemMessageA(m_hWnd, IDC_CAM_LIST, LB_GETCURSEL, 0, 0);
  if (line > 1) SendChoice(static_cast<int>(line) - 1);
}

void CCIMenuDialog::OnDigit(UINT id) { SendChoice(static_cast<int>(id) - IDC_CAM_DIGIT0); }

void CCIMenuDialog::OnSendAnswer() {
  CCamDataObject* object = m_object();
  if (!object) return;
  // One more than the answer holds, so that a longer text is seen as such.
  char text[CCamDataObject::kMaxAnswerLength + 2] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_CAM_ANSWER, text, sizeof(text));
  const std::string answer = text;
  if (static_cast<int>(answer.size()) != object->RequestedLength()) {
    SetStatusLine(kWrongLength);
    return;
  }
  if (m_iMmiType == kMmiEnquiry) {
    object->SetAnswer(answer);
    object->SetSelector(CCamDataObject::kEnquiryAnswered);
  } else {
    object->SetSelector(0);
  }
  if (ITwinhanCI* ci = m_ci()) ci->SendMMIAnswer(object->Data(), m_iMmiType);
  ::SetDlgItemTextA(m_hWnd, IDC_CAM_ANSWER, "");
  Refresh();
}

void CCIMenuDialog::OnCancelEnquiry() {
  CCamDataObject* object = m_object();
  if (!object) return;
  object->ClearAnswer(object->RequestedLength());
  object->SetRequestedLength(0);
  if (ITwinhanCI* ci = m_ci()) ci->SendMMIAnswer(object->Data(), m_iMmiType);
  Refresh();
}

void CCIMenuDialog::OnCloseDialog() {
  if (ITwinhanCI* ci = m_ci()) ci->CloseMMI();
  m_bMenuOpen = false;
  Show(false);
}

void CCIMenuDialog::OnTimer(UINT_PTR id) {
  if (id != kPollTimer || m_bMenuOpen) return;
  int present, state;
  GetCIState(&present, &state);
  if (present && state == kCiStateHasMmi) Refresh();
}
