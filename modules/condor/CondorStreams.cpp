// condor's streams: the current PIDs to the source, the TS callback that
// routes each packet to the recorder and the picture-format detection or to
// the host's filters, and the host's filters themselves.
#include "CondorApp.h"

#include <framework/SingleLock.h>

#include <DvbChannels.h>

#include "Ac3HeaderScan.h"
#include "SequenceHeaderScan.h"

namespace {

constexpr BYTE kSyncByte = 0x47;
constexpr BYTE kTransportError = 0x80;
constexpr size_t kPacketSize = 188;
enum StreamType { kVideo = 0, kAudio = 1, kAc3 = 2 };

WORD PidOf(const BYTE* packet) { return static_cast<WORD>((packet[1] & 0x1F) << 8 | packet[2]); }

}  // namespace

void __stdcall CCondorApp::TsCallback(BYTE* packet) {
  if (packet) static_cast<CCondorApp&>(ModuleApp()).OnTsPacket(packet);
}

void CCondorApp::OnTsPacket(const BYTE* packet) {
  if (packet[0] != kSyncByte) return;
  CSingleLock lock(&m_filterLock, TRUE);
  const WORD pid = PidOf(packet);
  int type = -1;
  if (pid != 0 && pid == m_wVideoPid) {
    ForEachSequenceHeader(packet, kPacketSize, [this](const SequenceHeader& h) { OnSequenceHeader(h); });
    type = kVideo;
  } else if (pid != 0 && pid == m_wAudioPid) {
    type = kAudio;
  } else if (pid != 0 && pid == m_wAc3Pid) {
    if (MODULE_STATUS* status = Host().m_pStatus) {
      DWORD mode = status->m_iAC3Mode;
      if (ScanForAC3Header(packet, kPacketSize, &mode)) status->m_iAC3Mode = mode;
    }
    type = kAc3;
  }
  if (type >= 0) {
    m_recorder.OnStreamData(type, packet, kPacketSize);
    m_dwBytes += kPacketSize;
    return;
  }
  // A damaged packet is dropped without a word: the card reports many.
  if (packet[1] & kTransportError) return;
  m_filters.Dispatch(packet);
}

void CCondorApp::OnSequenceHeader(const SequenceHeader& header) {
  ModuleProfile& profile = Profile();
  const int mode = MonitorModeAfter(header.aspectCode, profile.monitorMode);
  const bool changed = mode != profile.monitorMode;
  profile.monitorMode = mode;
  MODULE_STATUS* status = Host().m_pStatus;
  if (status) status->m_iMPEGAspect = static_cast<DWORD>(mode);
  if (changed && HostWindow()) PostMessage(HostWindow(), WM_PAINT, 0, 0);
  if (status) {
    status->m_iVideoWidth = static_cast<DWORD>(header.width);
    status->m_iVideoHeight = static_cast<DWORD>(header.height);
  }
}

std::array<WORD, 3> CCondorApp::CurrentPids() {
  CSingleLock lock(&m_filterLock, TRUE);
  return {m_wAc3Pid, m_wVideoPid, m_wAudioPid};
}

void CCondorApp::AddCurrentPids() {
  for (WORD pid : CurrentPids())
    if (pid) m_graph.AddPid(&TsCallback, pid);
}

void CCondorApp::RemoveCurrentPids() {
  for (WORD pid : CurrentPids())
    if (pid) m_graph.RemovePid(&TsCallback, pid);
}

int CCondorApp::SetPids(WORD video, WORD audio, WORD, WORD ac3) {
  MODULE_STATUS* status = Host().m_pStatus;
  const DVB_CHANNELS* channel = status ? status->m_pChannel : nullptr;
  const int scrambled = channel && channel->scrambled ? 1 : 0;
  RemoveCurrentPids();
  const WORD pmtPid = channel ? channel->pmtPid : 0;
  const WORD serviceId = channel ? channel->serviceId : 0;
  {
    CSingleLock lock(&m_filterLock, TRUE);
    m_wAudioPid = audio;
    m_wVideoPid = video;
    m_wAc3Pid = ac3;
  }
  m_graph.StopAndDisconnect();
  if (!video && audio && !m_graph.UsesVMR()) m_graph.RemoveFilters(false);
  m_graph.SetService(video, audio, scrambled, pmtPid, serviceId);
  if (scrambled) Sleep(kScrambledSettleMs);
  if ((video || audio) && m_bRendered && SUCCEEDED(m_graph.RenderGraph(GetVideoWindowHandle()))) m_graph.Run();
  AddCurrentPids();
  return kModuleOk;
}

int CCondorApp::StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                            PFN_FILTER_CALLBACK callback, void* context) {
  int ignored;
  while (RemoveFilterEntry(context, &ignored)) {
  }
  {
    CSingleLock lock(&m_filterLock, TRUE);
    m_filters.Add(static_cast<DWORD>(type), pid, match ? match[0] : 0, mask ? mask[0] : 0, length, callback, context);
  }
  return m_graph.AddPid(&TsCallback, pid) ? kModuleOk : kModuleBadArgument;
}

int CCondorApp::StopFilter(void* context) {
  int result = kModuleBadArgument;
  if (!context || !RemoveFilterEntry(context, &result)) return kModuleBadArgument;
  return result;
}

bool CCondorApp::RemoveFilterEntry(void* context, int* result) {
  WORD pid = 0;
  {
    CSingleLock lock(&m_filterLock, TRUE);
    if (!m_filters.Remove(context, &pid)) return false;
  }
  Log(__LINE__, kLogInfo, "Stopping filter.");
  *result = m_graph.RemovePid(&TsCallback, pid) ? kModuleOk : kModuleBadArgument;
  return true;
}
