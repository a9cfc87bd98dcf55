// harrier's device side: start-up, device information, opening and closing
// the card, tuning, DiSEqC, the input switch, teletext and the CAM dialog.
#include "HarrierApp.h"

#include <cstring>

#include <DVBCommon.h>
#include <DVBLibrary.h>
#include <DvbChannels.h>

namespace {

constexpr DWORD kSecondImage = 0xF021;
constexpr DWORD kCiSettleMs = 1000;
constexpr DWORD kLnbOffSettleMs = 250;
constexpr DWORD kCiReopenMs = 100;
constexpr int kBootPathLength = 260;
const char kDefaultBootFolder[] = "Boot\\";

}  // namespace

CHarrierApp::CHarrierApp() : CModuleApp(ModuleKind::harrier, "harrier", "Quillon Ex Zephra S/C/T DVB Module") {}

BOOL CHarrierApp::InitInstance() {
  if (!CModuleApp::InitInstance()) return FALSE;
  InitDvbApiDll();
  m_DDMode = static_cast<int>(GetProfileInt("Setup", "m_DDMode", 0));
  return TRUE;
}

int CHarrierApp::ExitInstance() {
  ReleaseFilters();
  CloseCommonInterface();
  CloseVideoWindow(false);
  DestroyFullscreen();
  m_pTeletext.reset();
  WriteProfileInt("Setup", "m_DDMode", m_DDMode);
  return CModuleApp::ExitInstance();
}

int CHarrierApp::GetDeviceCount() { return CDVBCommon::GetNumberOfDevices(); }

// Device 0 names the module, whichever index the host asks about.
bool CHarrierApp::DeviceName(int, CString* name) {
  CString mac, third;
  CDVBCommon::GetDeviceInfo(0, *name, mac, third);
  *name += " (Hardware)";
  return true;
}

void CHarrierApp::FillDeviceMAC(char* text) {
  CString name, mac, third;
  CDVBCommon::GetDeviceInfo(0, name, mac, third);
  std::strncpy(text, mac, 31);
}

CString CHarrierApp::ModuleFolder() {
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

CString CHarrierApp::BootFolder() {
  char folder[kBootPathLength + 1] = {};
  ::GetPrivateProfileStringA("Quillon", "strBootPath", kDefaultBootFolder, folder, kBootPathLength,
                             ModuleFolder() + "Quillon.ini");
  CString boot(folder);
  if (boot.IsEmpty()) return kDefaultBootFolder;
  // The firmware's subfolder is appended to it.
  if (boot.Right(1) != "\\" && boot.Right(1) != "/") boot += "\\";
  return boot;
}

bool CHarrierApp::BootFirmware() {
  const CString firmware = ModuleFolder() + "Firmware\\" + BootFolder();
  CString folder = firmware + "24\\";
  Log(__LINE__, kLogInfo, "Loading firmware: %s", static_cast<LPCTSTR>(folder));
  if (m_Board.BootARM(&folder) != DVB_ERR_NONE)
    Log(__LINE__, kLogInfo, "ERROR: BoardControl.BootARM(24) not successfull.");
  else
    Log(__LINE__, kLogInfo, "BoardControl.BootARM(24) successfull.");

  _BE_VERSION version = {};
  if (m_Board.GetBEVersion(version) != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "Could not get BE-version!");
    return false;
  }
  if (version.dwVersion[0] >> 16 == kSecondImage) {
    Log(__LINE__, kLogInfo, "Boot 2.1!");
    CString second = firmware + "21\\";
    Log(__LINE__, kLogInfo, "Loading firmware from: %s", static_cast<LPCTSTR>(second));
    if (m_Board.BootARM(&second) != DVB_ERR_NONE) {
      Log(__LINE__, kLogError, "BoardControl.BootARM(21) not sucessfull.");
      return false;
    }
    Log(__LINE__, kLogInfo, "BoardControl.BootARM(21) sucessfull.");
  }
  return true;
}

void CHarrierApp::OpenCommonInterface() {
  if (!m_pCamDialog) {
    auto dialog = std::make_unique<CCAMMenuDialog>(*m_pCI);
    if (dialog->Create()) m_pCamDialog = std::move(dialog);
  }
  if (m_pCamDialog) m_pCI->SetMenuWindow(m_pCamDialog.get());
  m_bCIReady = m_pCI->Open() == DVB_ERR_NONE;
  if (!m_bCIReady) Log(__LINE__, kLogInfo, "Warning: CI init failed, or no CI found!");
}

BOOL CHarrierApp::OpenDevice(int index) {
  if (!m_pCI) m_pCI = std::make_unique<CCommonInterface>(Host(), SourceName(), *this);
  m_wDeviceIndex = static_cast<WORD>(index & 0xFF);
  if (!CDVBCommon::OpenDevice(m_wDeviceIndex, kAppId, TRUE)) {
    Log(__LINE__, kLogInfo, "CDVBCommon::OpenDevice not sucessfull.");
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "CDVBCommon::OpenDevice successfull.");
  if (!BootFirmware()) return FALSE;
  m_Board.ResetInit();

  if (m_Frontend.Init() != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "Error initializing Frontend.");
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "Frontend successfully initialized.");
  const int type = m_Frontend.GetType();
  m_nFrontendType = (type >= 1 && type <= 3) ? type : 0;
  if (MODULE_STATUS* status = Status()) status->m_iFrontendType = static_cast<DWORD>(m_nFrontendType);

  if (m_Board.EnableDataDMA(TRUE) != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "BoardControl.EnableDataDMA not sucessfull.");
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "BoardControl.EnableDataDMA sucessfull.");
  if (m_AVControl.Init(0) != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "Error initializing AV-HW!");
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "AV-HW initialized!");

  if (!m_pTeletext) m_pTeletext = std::make_unique<CHostTeletext>();
  // The card's answer may differ from what the host was told at the start.
  if (MODULE_CAPABILITIES* caps = Capabilities()) {
    caps->flags[40 / 4] = m_AVControl.m_dwCapabilities & CDVBAVControl::kVolumeControl;
    caps->flags[136 / 4] = m_AVControl.m_dwCapabilities & CDVBAVControl::kNoTrebleBass;
  }
  OpenCommonInterface();
  ::Sleep(kCiSettleMs);

  if (m_nFrontendType == frontendtypes::FE_TERRESTRIAL) {
    ULONG min = 0, max = 0;
    m_Frontend.GetFrequencyRange(min, max);
    if (MODULE_STATUS* status = Status()) {
      status->m_dwMinFrequency = static_cast<DWORD>(min);
      status->m_dwMaxFrequency = static_cast<DWORD>(max);
    }
  }
  const BYTE volume = static_cast<BYTE>(Profile().lastVolume);
  m_AVControl.SetVolume(volume, volume);
  return TRUE;
}

void CHarrierApp::CloseCommonInterface() {
  if (m_pCI && m_bCIReady) m_pCI->Close();
  m_bCIReady = false;
  if (m_pCI) m_pCI->SetMenuWindow(nullptr);
  if (m_pCamDialog) m_pCamDialog->DestroyWindow();
  m_pCamDialog.reset();
  m_pCI.reset();
}

void CHarrierApp::ReleaseFilters() {
  CSingleLock lock(&m_csFilters, TRUE);
  for (auto& filter : m_Filters) {
    filter->m_pContext = nullptr;
    filter->m_pfnCallback = nullptr;
    filter->ResetFilter();
    ::Sleep(100);
    filter.reset();
  }
  m_Filters.clear();
}

int CHarrierApp::CloseDevice() {
  m_AVControl.SetPIDs(0, 0, 0);
  CloseCommonInterface();
  if (m_hVideoWnd) SwitchVideoWindow(nullptr, kNoWindow, false);
  if (m_nFrontendType == frontendtypes::FE_SATELLITE) {
    CDVBFrontend::_CHANNEL_TYPE channel = {};
    m_Frontend.GetChannel(channel);
    channel.dwLNBSupply = 0;
    m_Frontend.SetChannel(channel, TRUE);
    ::Sleep(kLnbOffSettleMs);
  }
  ReleaseFilters();
  if (m_pTeletext) {
    m_pTeletext->TTXOff();
    m_pTeletext.reset();
  }
  const DVB_ERROR result = m_Board.EnableDataDMA(FALSE);
  if (result != DVB_ERR_NONE) {
    Log(__LINE__, kLogError, "EnableDataDMA(FALSE) reported error.");
    return result;
  }
  Log(__LINE__, kLogInfo, "EnableDataDMA(FALSE)");
  CDVBCommon::CloseDevice();
  Log(__LINE__, kLogInfo, "CDVBCommon::CloseDevice()");
  return DVB_ERR_NONE;
}

BOOL CHarrierApp::GetState(BOOL* locked, SIGNAL_TYPE* signal) {
  int lock = 0;
  CDVBFrontend::_SIGNAL_TYPE s = {};
  const DVB_ERROR result = m_Frontend.GetState(lock, &s, nullptr);
  *locked = lock ? TRUE : FALSE;
  signal->dBER = s.dBER;
  signal->wLevel = s.wLevel;
  signal->wQuality = s.wQuality;
  return result == DVB_ERR_NONE;
}

const DVB_CHANNELS* CHarrierApp::CurrentChannel() {
  MODULE_STATUS* status = Status();
  return status ? status->m_pChannel : nullptr;
}

int CHarrierApp::Tune(const CHANNEL_TYPE& tuning) {
  if (MODULE_STATUS* status = Status()) {
    const int type = m_Frontend.GetType();
    status->m_iFrontendType = static_cast<DWORD>((type >= 1 && type <= 3) ? type : 0);
  }
  static_assert(sizeof(CHANNEL_TYPE) == sizeof(CDVBFrontend::_CHANNEL_TYPE));
  CDVBFrontend::_CHANNEL_TYPE record;
  std::memcpy(&record, &tuning, sizeof(record));
  const DVB_ERROR result = m_Frontend.SetChannel(record, 0);
  const DVB_CHANNELS* channel = CurrentChannel();
  if (m_bCIReady && m_pCI && channel && channel->scrambled) m_pCI->ReadPSIFast(channel->serviceId);
  return result;
}

int CHarrierApp::SetPids(WORD video, WORD audio, WORD third, WORD) {
  m_AVControl.SetPIDs(audio, video, third);
  return kModuleOk;
}

int CHarrierApp::SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) {
  return m_Frontend.SendDiSEqCMsg(const_cast<BYTE*>(message), length, burst);
}

int CHarrierApp::SetADSwitch(int input) { return m_AVControl.SetADSwitch(static_cast<DEVICE_INPUT>(input)); }

int CHarrierApp::StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) {
  if (!callback || !m_pTeletext) return kModuleBadArgument;
  Log(__LINE__, kLogInfo, "MOD_harrier: Settings teletext PID: %d", pid);
  m_pTeletext->m_pfnCallback = callback;
  const DVB_ERROR result = m_pTeletext->TTXOn(pid);
  if (result == DVB_ERR_NONE) {
    Log(__LINE__, kLogInfo, "MOD_harrier: Teletext successfully started.");
    m_pTeletext->TTXModifySearchTable(0xFFFF, 0xFFFF, 0xFFFF, 1);
  }
  return result;
}

int CHarrierApp::StopTeletext() { return m_pTeletext ? m_pTeletext->TTXOff() : static_cast<int>(kModuleFailed); }

void CHarrierApp::EnterCAMDialog(int command, int value) {
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

CHarrierApp theApp;
