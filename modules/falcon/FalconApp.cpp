// falcon's device side: start-up, device information, opening the box (with
// its boot) and closing it, tuning, DiSEqC, teletext and the CAM dialog.
#include "FalconApp.h"

#include <dbt.h>

#include <cstring>
#include <string>

#include <DVBCommon.h>
#include <DVBLibrary.h>
#include <DvbChannels.h>

#include "BootImage.h"
#include "PesTap.h"
#include "RadioPva.h"

namespace {

constexpr DWORD kResetSettleMs = 100;
constexpr DWORD kBootPumpMs = 10;
constexpr DWORD kBootSettleMs = 100;
constexpr DWORD kCiSettleMs = 1000;
constexpr DWORD kSpareSettleMs = 50;
constexpr DWORD kReceiverSettleMs = 100;
constexpr DWORD kSupplyOffSettleMs = 250;
constexpr DWORD kFilterSettleMs = 100;
constexpr DWORD kTuneSettleMs = 20;
constexpr DWORD kAfterTuneMs = 50;
constexpr DWORD kCiReopenMs = 100;
constexpr int kStartStream = 8;  // alternate setting 8: the isochronous input stream
constexpr int kStopStreams = 0;

void ErrorBox(const char* text, UINT icon) { ::MessageBoxA(nullptr, text, nullptr, MB_OK | icon | MB_TOPMOST); }

// The drive and directory of this module's file; empty when it can't be had.
std::string ModuleFolder() {
  static const char anchor = 0;  // an address inside this DLL
  HMODULE module = nullptr;
  char path[MAX_PATH] = {};
  if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            &anchor, &module) ||
      !::GetModuleFileNameA(module, path, sizeof(path)))
    return std::string();
  char drive[_MAX_DRIVE], dir[_MAX_DIR];
  _splitpath(path, drive, dir, nullptr, nullptr);
  return std::string(drive) + dir;
}

}  // namespace

CFalconApp::CFalconApp()
    : CModuleApp(ModuleKind::falcon, "falcon", "Quillon Ex STB/DEC S/C/T DVB Module"),
      m_tapBuffer(pestap::kBufferSize),
      m_radioBuffer(radiopva::kBufferSize) {}

BOOL CFalconApp::InitInstance() {
  if (!CModuleApp::InitInstance()) return FALSE;
  InitDvbApiDll();
  return TRUE;
}

int CFalconApp::ExitInstance() {
  m_pReceiver.reset();
  StopHostFilters();
  CloseCommonInterface();
  {
    CSingleLock lock(&m_graphLock, TRUE);
    m_pWindows.reset();
    m_pGraph.reset();
  }
  m_pTeletext.reset();
  m_pSpareFilter.reset();
  UnregisterDeviceNotice();
  return CModuleApp::ExitInstance();
}

int CFalconApp::GetDeviceCount() { return CDVBCommon::GetNumberOfDevices(); }

bool CFalconApp::DeviceName(int index, CString* name) {
  if (CDVBCommon::GetNumberOfDevices() == 0) return false;
  CString mac, third;
  CDVBCommon::GetDeviceInfo(static_cast<WORD>(index), *name, mac, third);
  return true;
}

void CFalconApp::FillDeviceMAC(char* text) {
  CString name, mac, third;
  CDVBCommon::GetDeviceInfo(m_wDeviceIndex, name, mac, third);
  std::strncpy(text, mac, 31);
}

UINT CFalconApp::BootThread(LPVOID app) {
  static_cast<CFalconApp*>(app)->Boot();
  return 0;
}

void CFalconApp::Boot() {
  WORD vendor = 0;
  m_wProduct = 0;
  m_Board.GetUsbDeviceIDs(vendor, m_wProduct);
  WORD* v = m_wVersions;
  m_Board.GetSTBVersions(v[0], v[1], v[2], v[3], v[4], v[5]);
  const std::string path = bootimage::ImagePath(ModuleFolder(), m_wProduct, v[3]);
  m_nBootResult = m_Board.BootARM(path.c_str());
  m_pBootThread = nullptr;
}

DVB_ERROR CFalconApp::BootWhilePumping() {
  CWinThread* thread = AfxBeginThread(&BootThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  if (!thread) return DVB_ERR_FAILED;
  m_pBootThread = thread;
  thread->ResumeThread();
  // The host's window and the status timer are served meanwhile: one
  // message per round.
  while (m_pBootThread.load()) {
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(kBootPumpMs);
  }
  return static_cast<DVB_ERROR>(m_nBootResult.load());
}

void CFalconApp::RegisterDeviceNotice() {
  const HANDLE device = CDVBCommon::GetActDeviceHandle();
  if (device == INVALID_HANDLE_VALUE) return;
  DEV_BROADCAST_HANDLE filter = {};
  filter.dbch_size = sizeof(filter);
  filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
  filter.dbch_handle = device;
  m_hDeviceNotify = ::RegisterDeviceNotificationA(HostWindow(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CFalconApp::UnregisterDeviceNotice() {
  if (m_hDeviceNotify) ::UnregisterDeviceNotification(m_hDeviceNotify);
  m_hDeviceNotify = nullptr;
}

void CFalconApp::OpenCommonInterface() {
  m_pCI = std::make_unique<CCommonInterface>(Host(), SourceName(), *this);
  m_pCamDialog = std::make_unique<CCAMMenuDialog>(*m_pCI);
  if (m_pCamDialog->Create()) m_pCI->SetMenuWindow(m_pCamDialog.get());
  m_bCIReady = m_pCI->Open() == DVB_ERR_NONE;
  if (!m_bCIReady) Log(__LINE__, kLogInfo, "Warning: CI init failed, or no CI found!");
}

BOOL CFalconApp::OpenDevice(int index) {
  UnregisterDeviceNotice();
  m_wDeviceIndex = static_cast<WORD>(index & 0xFF);
  if (!CDVBCommon::OpenDevice(m_wDeviceIndex, nullptr, FALSE)) {
    Log(__LINE__, kLogError, "CDVBCommon::OpenDevice not sucessfull.");
    ErrorBox("CDVBCommon::OpenDevice not sucessfull. Shutting down.", MB_ICONERROR);
    Log(__LINE__, kLogInfo, "ERROR: OpenDevice not successfull.");
    m_Board.Reset2STBModus();
    m_Board.STB2StandbyModus();
    CDVBCommon::CloseDevice();
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "CDVBCommon::OpenDevice successfull.");
  m_Board.ResetInit();
  ::Sleep(kResetSettleMs);

  if (BootWhilePumping() != DVB_ERR_NONE) {
    const char text[] = "ERROR: BootARM not successfull. Module will shutdown.";
    ErrorBox(text, 0);
    Log(__LINE__, kLogError, "%s", text);
    m_Board.Reset2STBModus();
    CDVBCommon::CloseDevice();
    return FALSE;
  }
  Log(__LINE__, kLogInfo, "BoardControl.BootARM successfull.");
  ::Sleep(kBootSettleMs);
  RegisterDeviceNotice();

  if (m_Frontend.Init() != DVB_ERR_NONE)
    Log(__LINE__, kLogInfo, "Error initializing Frontend.");
  else
    Log(__LINE__, kLogInfo, "Frontend successfully initialized.");
  const int type = m_Frontend.GetType();

  if (m_Board.EnableIsoStream(kStartStream) != DVB_ERR_NONE)
    Log(__LINE__, kLogInfo, "BoardControl.EnableIsoStream not successful.");
  DWORD mode = 0, second = 0, third = 0;
  m_Board.GetSTBMode(mode, second, third);
  if (m_AVControl.Init() != DVB_ERR_NONE) Log(__LINE__, kLogInfo, "Error initializing AV-HW!");

  m_nFrontendType = (type >= 1 && type <= 3) ? type : 0;
  MODULE_STATUS* status = Host().m_pStatus;
  if (status) status->m_iFrontendType = static_cast<DWORD>(m_nFrontendType);

  if (!m_pTeletext) m_pTeletext = std::make_unique<CFalconTeletext>();
  if (!m_pReceiver) m_pReceiver = std::make_unique<CPESReceiver>(*this);
  OpenCommonInterface();
  ::Sleep(kCiSettleMs);

  m_pSpareFilter = std::make_unique<CDVBTSFilter>();
  if (m_nFrontendType == frontendtypes::FE_TERRESTRIAL && status) {
    unsigned long min = 0, max = 0;
    m_Frontend.GetFrequencyRange(min, max);
    status->m_dwMinFrequency = static_cast<DWORD>(min);
    status->m_dwMaxFrequency = static_cast<DWORD>(max);
  }
  m_bDeviceOpen = true;
  return TRUE;
}

void CFalconApp::CloseCommonInterface() {
  if (m_pCI && m_bCIReady) m_pCI->Close();
  m_bCIReady = false;
  if (m_pCI) m_pCI->SetMenuWindow(nullptr);
  if (m_pCamDialog) m_pCamDialog->DestroyWindow();
  m_pCamDialog.reset();
  m_pCI.reset();
}

void CFalconApp::StopHostFilters() {
  CSingleLock lock(&m_filterLock, TRUE);
  for (auto& filter : m_filters) {
    filter->m_pfnCallback = nullptr;
    filter->m_pContext = nullptr;
    filter->ResetFilter();
    ::Sleep(kFilterSettleMs);
  }
  m_filters.clear();
}

int CFalconApp::CloseDevice() {
  m_bDeviceOpen = false;
  if (m_pSpareFilter) {
    m_pSpareFilter->ResetFilter();
    ::Sleep(kSpareSettleMs);
    m_pSpareFilter.reset();
  }
  if (m_pReceiver) m_pReceiver->StopRecord();
  ::Sleep(kReceiverSettleMs);
  CloseCommonInterface();
  // The video window is closed already (CModuleApp::CloseDVBHardware).
  if (m_nFrontendType == frontendtypes::FE_SATELLITE) {
    CDVBFrontend::_CHANNEL_TYPE record = {};
    m_Frontend.GetChannel(record);
    record.dwLNBSupply = 0;
    m_Frontend.SetChannel(record, 1);
    ::Sleep(kSupplyOffSettleMs);
  }
  StopHostFilters();
  if (m_pTeletext) {
    m_pTeletext->TTXOff();
    m_pTeletext.reset();
  }
  m_AVControl.SetVideoOutputMode(VIDEO_OUTPUT_MODE_OFF);
  m_Board.EnableIsoStream(kStopStreams);
  DWORD mode = 0, second = 0, third = 0;
  m_Board.GetSTBMode(mode, second, third);
  UnregisterDeviceNotice();
  m_Board.Reset2STBModus();
  CDVBCommon::CloseDevice();
  // A box pulled out could not be told to stop, and the library's recorder
  // stays in its recording mode until it is stopped without a device.
  if (m_pReceiver && m_pReceiver->GetRecPlayMode() != RP_MODE_IDLE) m_pReceiver->StopRecord();
  Log(__LINE__, kLogInfo, "CDVBCommon::CloseDevice()");
  return 0;
}

BOOL CFalconApp::GetState(BOOL* locked, SIGNAL_TYPE* signal) {
  if (!m_bDeviceOpen) return FALSE;
  int lock = 0;
  CDVBFrontend::_SIGNAL_TYPE s = {};
  const DVB_ERROR result = m_Frontend.GetState(lock, &s, nullptr);
  *locked = lock ? TRUE : FALSE;
  signal->dBER = s.dBER;
  signal->wLevel = s.wLevel;
  signal->wQuality = s.wQuality;
  return result == DVB_ERR_NONE;
}

const DVB_CHANNELS* CFalconApp::CurrentChannel() {
  MODULE_STATUS* status = Host().m_pStatus;
  return status ? status->m_pChannel : nullptr;
}

int CFalconApp::Tune(const CHANNEL_TYPE& tuning) {
  static_assert(sizeof(CHANNEL_TYPE) == sizeof(CDVBFrontend::_CHANNEL_TYPE));
  CDVBFrontend::_CHANNEL_TYPE record;
  std::memcpy(&record, &tuning, sizeof(record));
  if (m_nFrontendType == frontendtypes::FE_TERRESTRIAL) record.dwSymbolRate = 1;  // the tuning flag
  const DVB_ERROR result = m_Frontend.SetChannel(record, 0);
  ::Sleep(kTuneSettleMs);
  const MODULE_STATUS* status = Host().m_pStatus;
  const DVB_CHANNELS* channel = CurrentChannel();
  if (channel && m_bCIReady && m_pCI && status && !status->m_bNoChannel) {
    if (m_pCI->ReadPSIFast(channel->serviceId) != DVB_ERR_NONE)
      Log(__LINE__, kLogError, "Error while receiving PSI tables.");
    m_pCI->AskRelease();
  }
  ::Sleep(kAfterTuneMs);
  return result;
}

int CFalconApp::SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) {
  return m_Frontend.SendDiSEqCMsg(const_cast<BYTE*>(message), length, burst);
}

int CFalconApp::StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) {
  if (!m_pTeletext) return kModuleBadArgument;
  Log(__LINE__, kLogInfo, "MOD_falcon: Settings teletext PID: %d", pid);
  m_pTeletext->m_pfnCallback = callback;
  const DVB_ERROR result = m_pTeletext->TTXOn(pid);
  if (result == DVB_ERR_NONE) {
    Log(__LINE__, kLogInfo, "MOD_falcon: Teletext successfully started.");
    m_pTeletext->TTXModifySearchTable(0xFFFF, 0xFFFF, 0xFFFF, static_cast<TTX_REQUEST>(1));
  }
  return result;
}

int CFalconApp::StopTeletext() { return m_pTeletext ? m_pTeletext->TTXOff() : static_cast<int>(kModuleFailed); }

int CFalconApp::StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                            PFN_FILTER_CALLBACK callback, void* context) {
  if (!callback || !context) return kModuleFailed;
  CSingleLock lock(&m_filterLock, TRUE);
  CFalconFilter* filter = nullptr;
  for (auto& f : m_filters)
    if (f->m_pContext.load() == context) {
      filter = f.get();
      Log(__LINE__, kLogInfo, "Using attached filter object.");
      break;
    }
  if (!filter)
    for (auto& f : m_filters)
      if (f->Idle()) {
        filter = f.get();
        Log(__LINE__, kLogInfo, "Using existing filter object.");
        break;
      }
  std::unique_ptr<CFalconFilter> made;
  if (!filter) {
    Log(__LINE__, kLogInfo, "Creating new filter.");
    made = std::make_unique<CFalconFilter>();
    filter = made.get();
  }
  const DVB_ERROR result =
      filter->SetFilter(BoxFilterType(type), pid, const_cast<BYTE*>(match), const_cast<BYTE*>(mask), length);
  filter->m_pContext = context;
  filter->m_pfnCallback = callback;
  filter->m_wPid = pid;
  ::Sleep(kSpareSettleMs);
  if (made) m_filters.push_back(std::move(made));
  return result;
}

int CFalconApp::StopFilter(void* context) {
  CSingleLock lock(&m_filterLock, TRUE);
  for (auto it = m_filters.begin(); it != m_filters.end(); ++it) {
    if ((*it)->m_pContext.load() != context) continue;
    Log(__LINE__, kLogInfo, "Stopping filter.");
    std::unique_ptr<CFalconFilter> filter = std::move(*it);
    m_filters.erase(it);
    filter->m_pContext = nullptr;
    filter->m_pfnCallback = nullptr;
    const DVB_ERROR result = filter->ResetFilter();
    ::Sleep(kSpareSettleMs);
    return result;
  }
  return kModuleBadArgument;
}

void CFalconApp::EnterCAMDialog(int command, int value) {
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

CFalconApp theApp;
