// kestrel's stream side: the card's transport packets to the recorder and to
// the host's filters, the picture reports of the AV callback, the PIDs and
// the host's filters at the card.
#include <DvbChannels.h>

#include <framework/SingleLock.h>

#include "Ac3HeaderScan.h"
#include "KestrelApp.h"

namespace {

constexpr BYTE kSyncByte = 0x47;
constexpr DWORD kPacketSize = 188;
constexpr WORD kNullPid = 8191;
constexpr DWORD kWideAspect = 3;  // the AV callback's aspect code of a 16:9 picture
enum RecorderStream { kVideoStream = 0, kAudioStream = 1, kAc3Stream = 2 };

CKestrelApp& App() { return static_cast<CKestrelApp&>(ModuleApp()); }

}  // namespace

// ------------------------------------------------------- the filter's threads

UINT WINAPI CKestrelApp::OnTsPacket(USHORT pid, BYTE* packet) {
  CKestrelApp& app = App();
  CSingleLock lock(&app.m_deviceLock, TRUE);
  if (app.m_bDelivering && packet) app.DeliverPacket(pid, packet);
  return 0;
}

UINT WINAPI CKestrelApp::OnVideoInfo(USHORT width, USHORT height, DWORD aspect) {
  CKestrelApp& app = App();
  CSingleLock lock(&app.m_deviceLock, TRUE);
  if (app.m_bDelivering) app.OnPicture(width, height, aspect);
  return 0;
}

void CKestrelApp::DeliverPacket(USHORT pid, BYTE* packet) {
  if (packet[0] != kSyncByte) return;
  MODULE_STATUS* status = Host().m_pStatus;
  const DVB_CHANNELS* channel = status ? status->m_pChannel : nullptr;
  int stream = -1;
  if (pid != 0 && pid == m_wVideoPid) {
    stream = kVideoStream;
  } else if (channel && pid != 0 && pid == channel->audioPid) {
    stream = kAudioStream;
  } else if (channel && pid != 0 && pid == channel->ac3Pid) {
    DWORD mode = 0;
    if (ScanForAC3Header(packet, kPacketSize, &mode) && status) status->m_iAC3Mode = mode;
    stream = kAc3Stream;
  }
  if (stream >= 0) {
    m_recorder.OnStreamData(stream, packet, kPacketSize);
    m_dwBytes += kPacketSize;
    return;
  }
  CSingleLock lock(&m_filterLock, TRUE);
  m_filters.Dispatch(packet);
}

void CKestrelApp::OnPicture(USHORT width, USHORT height, DWORD aspect) {
  m_iWidth = width;
  m_iHeight = height;
  const int wide = aspect == kWideAspect ? 1 : 0;
  if (MODULE_STATUS* status = Host().m_pStatus) {
    int mode = wide;
    if (status->m_iAspectMode == 1) mode = 1;
    if (status->m_iAspectMode == 2) mode = 0;
    Profile().monitorMode = mode;
    status->m_iMPEGAspect = static_cast<DWORD>(mode);
  }
  m_iAutoMonitorMode = wide;
}

// --------------------------------------------------------------------- PIDs

int CKestrelApp::SetPids(WORD video, WORD audio, WORD, WORD ac3) {
  HRESULT last = S_OK;
  if (m_wAc3Pid && m_pDataCtrl) {
    long pid = m_wAc3Pid, count = 1;
    last = m_pDataCtrl->DeletePIDs(&count, &pid);
    if (FAILED(last))
      Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Interface DelPIDs (AC3) method failed, error: 0x%8.8x",
          static_cast<unsigned>(last));
  }
  m_wVideoPid = video;
  m_wAudioPid = audio;
  m_wAc3Pid = ac3;

  if (m_pAVControl && m_pGraph) {
    m_pAVControl->SetPids(audio, video);
    try {
      m_pGraph->Stop();
      m_pGraph->DisconnectAll();
      m_pGraph->ClearRendered();
      last = m_pGraph->SetPvrPids(audio, video);
      m_pGraph->RenderAVPins();
      m_pGraph->Run();
    } catch (CB2FilterGraphException* e) {
      e->ReportError(MB_OK);
      e->Delete();
      last = E_FAIL;
    }
    ReapplyVolume();
  }

  if (ac3 && m_pDataCtrl) {
    long pid = ac3, count = 1;
    last = m_pDataCtrl->AddPIDs(&count, &pid);
    if (FAILED(last))
      Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Interface AddPIDs (AC3) method failed, error: 0x%8.8x",
          static_cast<unsigned>(last));
  }
  return FAILED(last) ? kModuleBadArgument : kModuleOk;
}

// ---------------------------------------------------------- host's filters

int CKestrelApp::StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                             PFN_FILTER_CALLBACK callback, void* context) {
  if (!callback || !context) return kModuleFailed;
  CSingleLock lock(&m_filterLock, TRUE);
  while (StopFilterLocked(context) == kModuleOk) {
  }
  m_filters.Add(static_cast<DWORD>(type), pid, match ? match[0] : 0, mask ? mask[0] : 0, length, callback, context);
  if (!m_pDataCtrl) return kModuleFailed;
  long pids = pid, count = 1;
  HRESULT hr = m_pDataCtrl->AddPIDs(&count, &pids);
  if (FAILED(hr)) {
    TunerBox("B2C2 MPEG2 Filter Data Ctrl. Interface AddPIDs method failed, error: 0x%8.8x", hr);
    return kModuleBadArgument;
  }
  if (!m_bStatsReset) {
    hr = m_pDataCtrl->ResetDataReceptionStats();
    if (FAILED(hr))
      TunerBox("B2C2 MPEG2 Filter Data Ctrl. Interface ResetDataReceptionStats method failed, error: 0x%8.8x", hr);
    else
      m_bStatsReset = true;
  }
  return kModuleOk;
}

int CKestrelApp::StopFilter(void* context) {
  CSingleLock lock(&m_filterLock, TRUE);
  return StopFilterLocked(context);
}

int CKestrelApp::StopFilterLocked(void* context) {
  WORD pid = 0;
  if (!context || !m_filters.Remove(context, &pid)) return kModuleBadArgument;
  Log(__LINE__, kLogInfo, "Stopping filter.");
  if (pid != kNullPid && m_pDataCtrl) {
    long pids = pid, count = 1;
    const HRESULT hr = m_pDataCtrl->DeletePIDs(&count, &pids);
    if (FAILED(hr)) TunerBox("B2C2 MPEG2 Filter Data Ctrl. Interface Delete PIDs method failed, error: 0x%8.8x", hr);
  }
  return kModuleOk;
}
