// merlin's device side: start-up, device information, opening and closing
// the card, tuning, DiSEqC, teletext and the CAM dialog.
#include "MerlinApp.h"

#include <cstring>

#include <DVBCommon.h>
#include <DVBLibrary.h>
#include <DvbChannels.h>

namespace {

constexpr DWORD kSecondImage = 0xF021;
constexpr DWORD kBootSettleMs = 100;
constexpr DWORD kFrontendRetryMs = 200;
constexpr DWORD kCiSettleMs = 1000;
constexpr DWORD kToneOffSettleMs = 250;
constexpr DWORD kCiReopenMs = 100;

void ErrorBox(const char* text, const char* caption) {
  ::MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_TOPMOST);
}

}  // namespace

CMerlinApp::CMerlinApp() : CModuleApp(ModuleKind::merlin, "merlin", "Quillon Ex Premium S/C/T DVB Module") {}

BOOL CMerlinApp::InitInstance() {
  if (!CModuleApp::InitInstance()) return FALSE;
  InitDvbApiDll();
  return TRUE;
}

int CMerlinApp::ExitInstance() {
  CloseStreams();
  CloseCommonInterface();
  {
    CSingleLock lock(&m_graphLock, TRUE);
    m_pWindows.reset();
    m_pGraph.reset();
  }
  m_pTeletext.reset();
  return CModuleApp::ExitInstance();
}

int CMerlinApp::GetDeviceCount() { return CDVBCommon::GetNumberOfDevices(); }

bool CMerlinApp::DeviceName(int index, CString* name) {
  if (CDVBCommon::GetNumberOfDevices() == 0) return false;
  CString mac, third;
  CDVBCommon::GetDeviceInfo(static_cast<WORD>(index), *name, mac, third);
  *name += " (Software)";
  return true;
}

void CMerlinApp::FillDeviceMAC(char* text) {
  CString name, mac, third;
  CDVBCommon::GetDeviceInfo(m_wDeviceIndex, name, mac, third);
  std::strncpy(text, mac, 31);
}

CString CMerlinApp::ModuleFolder() {
  static const char anchor = 0;  // an address inside this DLL
  HMODULE module = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, &anchor,
                       &module);
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(module, path, sizeof(path));
  char drive[_MAX_DRIVE], dir[_MAX_DIR];
  _splitpath(path, drive, dir, nullptr, nullptr);
  return CString(drive) + dir;
}

bool CMerlinApp::BootFirmware() {
  CString folder = ModuleFolder() + "Firmware\\Boot\\24\\";
  Log(__LINE__, kLogInfo, "Loading firmware: %s", static_cast<LPCTSTR>(folder));
  if (m_pBoard->BootARM(&folder) != DVB_ERR_NONE) {
    const char text[] = "ERROR: BoardControl.BootARM(24) not successfull.";
    ErrorBox(text, nullptr);
    Log(__LINE__, kLogError, "%s", text);
    return false;
  }
  Log(__LINE__, kLogInfo, "BoardControl.BootARM(24) successfull.");
  m_pBoard->ResetInit();
  ::Sleep(kBootSettleMs);

  _BE_VERSION version = {};
  if (m_pBoard->GetBEVersion(version) != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "Could not get BE-version!");
    return false;
  }
  if (version.dwVersion[0] >> 16 == kSecondImage) {
    CString second = ModuleFolder() + "Boot\\21\\";
    Log(__LINE__, kLogInfo, "Loading firmware from: %s", static_cast<LPCTSTR>(second));
    if (m_pBoard->BootARM(&second) != DVB_ERR_NONE) {
      ErrorBox("BoardControl.BootARM(21) not sucessfull", "Error");
      Log(__LINE__, kLogError, "BoardControl.BootARM(21) not sucessfull.");
      return false;
    }
    Log(__LINE__, kLogInfo, "BoardControl.BootARM(21) sucessfull.");
  }
  return true;
}

bool CMerlinApp::InitFrontend() {
  if (m_pFrontend->Init() != DVB_ERR_NONE) {
    Log(__LINE__, kLogInfo, "Error: Frontend.Init not successful.");
    ::Sleep(kFrontendRetryMs);
    if (m_pFrontend->Init() != DVB_ERR_NONE) {
      Log(__LINE__, kLogError, "Error: Frontend.Init (second chance) not successful.");
      ErrorBox("Error Init Frontend", nullptr);
      return false;
    }
  }
  Log(__LINE__, kLogInfo, "Frontend.Init successful.");
  return true;
}

void CMerlinApp::OpenCommonInterface() {
  if (!m_pCamDialog) {
    m_pCamDialog = std::make_unique<CCAMMenuDialog>(*m_pCI);
    m_pCamDialog->Create();
  }
  m_pCI->SetMenuWindow(m_pCamDialog.get());
  m_bCIReady = m_pCI->Open() == DVB_ERR_NONE;
  if (!m_bCIReady) Log(__LINE__, kLogInfo, "Warning: CI init failed, or no CI found!");
}

BOOL CMerlinApp::OpenDevice(int index) {
  for (int code = 0; code < 3; ++code)
    if (!m_pPES[code]) m_pPES[code] = std::make_unique<CPESFilter>(*this, code);
  if (!m_pAc3Filter) m_pAc3Filter = std::make_unique<CAc3Filter>();
  m_pAc3Filter->m_bPidSet = false;
  if (!m_pCI) m_pCI = std::make_unique<CCommonInterface>(Host(), SourceName(), *this);
  m_wDeviceIndex = static_cast<WORD>(index & 0xFF);

  if (CDVBCommon::OpenDevice(m_wDeviceIndex, kAppId, TRUE))
    Log(__LINE__, kLogInfo, "CDVBCommon::OpenDevice successful.");
  else
    Log(__LINE__, kLogInfo, "Error: CDVBCommon::OpenDevice not successful.");

  if (!m_pBoard) m_pBoard = std::make_unique<CDVBBoardControl>();
  if (!m_pFrontend) m_pFrontend = std::make_unique<CDVBFrontend>();
  if (!BootFirmware() || !InitFrontend()) return FALSE;

  const int type = m_pFrontend->GetType();
  m_nFrontendType = (type >= 1 && type <= 3) ? type : 0;
  if (MODULE_STATUS* status = Host().m_pStatus) status->m_iFrontendType = static_cast<DWORD>(m_nFrontendType);
  if (m_pBoard->EnableDataDMA(TRUE) != DVB_ERR_NONE) Log(__LINE__, kLogInfo, "BoardControl.EnableDataDMA not successful.");

  if (!m_pTeletext) m_pTeletext = std::make_unique<CHostTeletext>();
  OpenCommonInterface();
  ::Sleep(kCiSettleMs);

  if (m_nFrontendType == frontendtypes::FE_TERRESTRIAL) {
    ULONG min = 0, max = 0;
    m_pFrontend->GetFrequencyRange(min, max);
    if (MODULE_STATUS* status = Host().m_pStatus) {
      status->m_dwMinFrequency = static_cast<DWORD>(min);
      status->m_dwMaxFrequency = static_cast<DWORD>(max);
    }
  }
  return TRUE;
}

void CMerlinApp::CloseStreams() {
  for (auto& filter : m_pPES) {
    if (!filter) continue;
    filter->Reset();
    ::Sleep(20);
  }
  ::Sleep(150);
  for (auto& filter : m_pPES) filter.reset();
  if (m_pAc3Filter) {
    m_pAc3Filter->ResetFilter();
    m_pAc3Filter->m_bPidSet = false;
    ::Sleep(50);
    m_pAc3Filter.reset();
  }
}

void CMerlinApp::CloseCommonInterface() {
  if (m_pCI && m_bCIReady) m_pCI->Close();
  m_bCIReady = false;
  if (m_pCI) m_pCI->SetMenuWindow(nullptr);
  if (m_pCamDialog) m_pCamDialog->DestroyWindow();
  m_pCamDialog.reset();
  m_pCI.reset();
}

int CMerlinApp::CloseDevice() {
  CloseStreams();
  CloseCommonInterface();
  if (m_nFrontendType == frontendtypes::FE_SATELLITE && m_pFrontend) {
    CDVBFrontend::_CHANNEL_TYPE toneOff = m_lastTuning;
    toneOff.dwParam4 = 0;  // the 22 kHz tone
    m_pFrontend->SetChannel(toneOff, 1);
    ::Sleep(kToneOffSettleMs);
  }
  if (m_pTeletext) {
    m_pTeletext->TTXOff();
    m_pTeletext.reset();
  }
  if (!m_pBoard) return DVB_ERR_NONE;
  const DVB_ERROR result = m_pBoard->EnableDataDMA(FALSE);
  if (result != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "EnableDataDMA(FALSE) reported error.");
    return result;
  }
  Log(__LINE__, kLogInfo, "EnableDataDMA(FALSE)");
  CDVBCommon::CloseDevice();
  Log(__LINE__, kLogInfo, "CDVBCommon::CloseDevice()");
  return DVB_ERR_NONE;
}

BOOL CMerlinApp::GetState(BOOL* locked, SIGNAL_TYPE* signal) {
  if (!m_pFrontend) return FALSE;
  int lock = 0;
  CDVBFrontend::_SIGNAL_TYPE s = {};
  const DVB_ERROR result = m_pFrontend->GetState(lock, &s, nullptr);
  *locked = lock ? TRUE : FALSE;
  signal->dBER = s.dBER;
  signal->wLevel = s.wLevel;
  signal->wQuality = s.wQuality;
  return result == DVB_ERR_NONE;
}

const DVB_CHANNELS* CMerlinApp::CurrentChannel() {
  MODULE_STATUS* status = Host().m_pStatus;
  return status ? status->m_pChannel : nullptr;
}

int CMerlinApp::Tune(const CHANNEL_TYPE& tuning) {
  if (!m_pFrontend) return DVB_ERR_NO_DEVICE;
  static_assert(sizeof(CHANNEL_TYPE) == sizeof(CDVBFrontend::_CHANNEL_TYPE));
  m_bAC3Mode = FALSE;
  CDVBFrontend::_CHANNEL_TYPE record;
  std::memcpy(&record, &tuning, sizeof(record));
  record.dwInversion = 2;  // automatic, whatever the host asks
  m_lastTuning = record;
  const DVB_ERROR result = m_pFrontend->SetChannel(record, 0);
  const DVB_CHANNELS* channel = CurrentChannel();
  if (channel && m_bCIReady && m_pCI->ReadPSIFast(channel->serviceId) != DVB_ERR_NONE)
    Log(__LINE__, kLogError, "CI Error!");
  return result;
}

int CMerlinApp::SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) {
  if (!m_pFrontend) return DVB_ERR_NO_DEVICE;
  return m_pFrontend->SendDiSEqCMsg(const_cast<BYTE*>(message), length, burst);
}

int CMerlinApp::StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) {
  if (!m_pTeletext) return kModuleBadArgument;
  Log(__LINE__, kLogInfo, "MOD_merlin: Settings teletext PID: %d", pid);
  m_pTeletext->m_pfnCallback = callback;
  const DVB_ERROR result = m_pTeletext->TTXOn(pid);
  if (result == DVB_ERR_NONE) {
    Log(__LINE__, kLogInfo, "MOD_merlin: Teletext successfully started.");
    m_pTeletext->TTXModifySearchTable(0xFFFF, 0xFFFF, 0xFFFF, 1);
  }
  return result;
}

int CMerlinApp::StopTeletext() { return m_pTeletext ? m_pTeletext->TTXOff() : static_cast<int>(kModuleFailed); }

void CMerlinApp::EnterCAMDialog(int command, int value) {
  if (!m_pCI) return;
  switch (command) {
    case 0:
      m_pCI->Close();
      ::Sleep(kCiReopenMs);
      m_bCIReady = m_pCI->Reopen(m_pCamDialog.get()) == DVB_ERR_NONE;
      if (!m_bCIReady) Log(__LINE__, kLogInfo, "Warning: CI init failed, or no CI found!");
      break;
    case 1:
      if (m_bCIReady) m_pCI->ReadPSIFast(static_cast<WORD>(value));
      break;
    case 2: {
      if (!m_pCamDialog) break;
      ::SetParent(m_pCamDialog->GetSafeHwnd(), HostWindow());
      m_pCamDialog->SetSlot(static_cast<BYTE>(value));
      m_pCamDialog->Show(true);
      m_pCamDialog->BindSlot();
      if (m_bCIReady && m_pCI->EnterModuleMenu(m_pCamDialog->Slot()) == DVB_ERR_NONE)
        m_pCamDialog->SetMenuRequested(true);
      break;
    }
    default: break;
  }
}

CMerlinApp theApp;
