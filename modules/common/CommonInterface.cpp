#include "CommonInterface.h"

#include <DvbChannels.h>

#include "CAMMenuDialog.h"
#include "CaSystemNames.h"
#include "CamMenuText.h"

namespace {

// Slot states the device library reports.
constexpr BYTE kSlotEmpty = 0, kSlotInserted = 1, kSlotReady = 2, kSlotReadyToo = 3, kSlotTest = 4,
               kSlotUnknown = 0xFF;
// Our own slot states.
constexpr BYTE kNoModule = 0, kDetecting = 1, kModuleReady = 2;
// OnCAStatus replies and statuses.
constexpr BYTE kCaPmtReply = 14;
constexpr WORD kUnknownProgram = 4, kDetectingCa = 5;

}  // namespace

CCommonInterface::CCommonInterface(const ModuleHostLink& host, const char* source, ICamHost& module)
    : m_host(host), m_source(source), m_module(module) {}

CCommonInterface::~CCommonInterface() { StopDelivery(); }

std::string CCommonInterface::ModuleName(BYTE slot) const {
  CSingleLock lock(&m_nameLock, TRUE);
  return m_strModuleName[slot & 1];
}

bool CCommonInterface::SlotLine(std::string* line) const {
  const BYTE slot = m_bCurrentSlot;
  return CamSlotLine(m_bSlotState[slot], ModuleName(slot), line);
}

void CCommonInterface::RefreshSlotLine() {
  std::string line;
  if (CCAMMenuDialog* dialog = m_pMenuWindow; dialog && SlotLine(&line)) dialog->SetSlotLine(line);
}

void CCommonInterface::NameSlotInHostMenu(BYTE slot, const char* text) {
  const HWND window = m_module.HostWindow();
  const HMENU menu = window ? ::GetMenu(window) : nullptr;
  if (!menu) return;
  const UINT id = kSlotMenuItem[slot & 1];
  ::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text);
}

void CCommonInterface::OnSlotStatus(BYTE slot, BYTE state, _typ_SlotInfo* info) {
  slot &= 1;
  m_bCurrentSlot = slot;
  switch (state) {
    case kSlotEmpty:
    case kSlotUnknown:
      NameSlotInHostMenu(slot, slot == 0 ? "Slot 1 ..." : "Slot 2 ...");
      Log(__LINE__, kLogInfo, "Slot %d is empty or unknown CAM module inserted.", slot + 1);
      m_bSlotState[slot] = kNoModule;
      break;
    case kSlotInserted:
      Log(__LINE__, kLogInfo, "CAM module inserted.");
      m_bSlotState[slot] = kDetecting;
      break;
    case kSlotTest: Log(__LINE__, kLogInfo, "Test structure received."); break;
    case kSlotReady:
    case kSlotReadyToo: {
      m_bSlotState[slot] = kModuleReady;
      for (WORD i = 0; info && info->pCaIds && i < info->wCaIdCount; ++i)
        Log(__LINE__, kLogInfo, "supported CA ID: %04X - %s", info->pCaIds[i], CaSystemName(info->pCaIds[i]));
      // Descramble the current service again once no slot is still detecting.
      const BYTE other = m_bSlotState[slot ^ 1];
      const DVB_CHANNELS* channel = m_module.CurrentChannel();
      if ((other == kNoModule || other == kModuleReady) && channel && channel->scrambled) {
        ReadPSIFast(channel->serviceId);
        m_module.PostGraphRestart();
      }
      const std::string name =
          info && info->pRest ? TrimCamName(reinterpret_cast<const char*>(info->pRest), info->wRestLength) : "";
      {
        CSingleLock lock(&m_nameLock, TRUE);
        m_strModuleName[slot] = name;
      }
      Log(__LINE__, kLogInfo, "CAM: %s Slot: %d", name.c_str(), slot + 1);
      NameSlotInHostMenu(slot, name.c_str());
      break;
    }
    default: Log(__LINE__, kLogInfo, "Unknown CI SlotState\n"); break;
  }
  RefreshSlotLine();
}

void CCommonInterface::OnCAStatus(BYTE, BYTE reply, WORD status) {
  if (reply != kCaPmtReply) return;
  CCAMMenuDialog* dialog = m_pMenuWindow;
  if (!dialog) return;
  if (status == kUnknownProgram) dialog->SetStatusLine("Unknown PNR!");
  if (status == kDetectingCa) dialog->SetStatusLine("Detecting CA ...");
  dialog->ClearList();
}

void CCommonInterface::OnDisplayString(BYTE slot, char* text, WORD length) {
  CCAMMenuDialog* dialog = m_pMenuWindow;
  if (!dialog) return;
  dialog->SetSlot(slot);
  dialog->SetStatusLine("CAM-Dialog aktiv");
  dialog->Show(true);
  const std::string line = ComposeCamString(text, length, &CDVBComnIF::ConvertCharBuf);
  std::vector<std::string> lines;
  if (!line.empty()) lines.push_back(line);
  dialog->ShowLines(lines);
}

void CCommonInterface::ShowMenuOrList(bool menu, BYTE slot, WORD count, char* strings, WORD length) {
  CCAMMenuDialog* dialog = m_pMenuWindow;
  if (!dialog) return;
  const CamMenuLines text =
      ComposeCamMenu(menu ? CamMenuKind::kMenu : CamMenuKind::kList, count, strings, length, &CDVBComnIF::ConvertCharBuf);
  if (text.fault != CamMenuLines::kNone) {
    Log(__LINE__, kLogError, "Dropped a CAM %s of %u bytes with %u entries: %s", menu ? "menu" : "list", length, count,
        text.fault == CamMenuLines::kTooShort ? "too short" : "more entries than the dialog shows");
    return;
  }
  dialog->Show(true);
  dialog->ShowLines(text.lines);
  if (menu) dialog->SetMenuRequested(true);
  dialog->SetSlot(slot);
  dialog->SetStatusLine("CI active");
}

void CCommonInterface::OnDisplayMenu(BYTE slot, WORD count, char* strings, WORD length) {
  ShowMenuOrList(true, slot, count, strings, length);
}

void CCommonInterface::OnDisplayList(BYTE slot, WORD count, char* strings, WORD length) {
  ShowMenuOrList(false, slot, count, strings, length);
}

void CCommonInterface::OnSwitchOsdOff(BYTE) {
  CCAMMenuDialog* dialog = m_pMenuWindow;
  if (!dialog) return;
  dialog->ClearList();
  dialog->Show(false);
  dialog->SetMenuRequested(false);
  dialog->SetStatusLine("CI inactive");
}

void CCommonInterface::OnInputRequest(BYTE slot, int, BYTE answerLength, DWORD) {
  CCAMMenuDialog* dialog = m_pMenuWindow;
  if (!dialog) return;
  dialog->Show(true);
  m_bAnswerLength = answerLength;
  dialog->SetStatusLine("Enter answer and press send.");
  dialog->SetSlot(slot);
}

bool CCommonInterface::SendAnswer(BYTE slot, const std::string& text) {
  if (m_bAnswerLength >= CCAMMenuDialog::kAnswerBufferSize) {
    Log(__LINE__, kLogError, "The CAM asks for an answer of %u characters; at most %d can be sent.", m_bAnswerLength,
        CCAMMenuDialog::kAnswerBufferSize - 1);
    return false;
  }
  if (text.size() != m_bAnswerLength) return false;
  char answer[CCAMMenuDialog::kAnswerBufferSize] = {};
  text.copy(answer, text.size());
  Answer(slot, answer, m_bAnswerLength);
  return true;
}

int CCommonInterface::Reopen(CCAMMenuDialog* menuWindow) {
  Close();
  ::Sleep(kReopenWaitMs);
  m_pMenuWindow = menuWindow;
  const int result = Open();
  RefreshSlotLine();
  return result;
}
