// osprey's transport packets: the PIDs given to the TS grabber and mapped on
// the demultiplexer, the grabber's callback, and the host's filters.
#include "OspreyApp.h"

#include <cstdio>

#include <framework/SingleLock.h>

namespace {

void FilterErrorBox(const char* format, HRESULT hr) {
  char text[80];
  std::snprintf(text, sizeof(text), format, static_cast<unsigned>(hr));
  ::MessageBoxA(nullptr, text, "B2C2 TunerCtrl", MB_OK | MB_ICONERROR);
}

}  // namespace

void __cdecl COspreyApp::OnPacket(unsigned pid, const BYTE* packet) {
  COspreyApp& app = static_cast<COspreyApp&>(ModuleApp());
  CSingleLock lock(&app.m_deliveryLock, TRUE);
  if (!app.m_bDelivering || !packet) return;
  app.m_router.Route(pid, packet);
  app.CountReceived(static_cast<DWORD>(app.m_router.TakeByteCount()));
}

void COspreyApp::OpenDelivery(bool open) {
  CSingleLock lock(&m_deliveryLock, TRUE);
  m_bDelivering = open;
}

void COspreyApp::AddStreamPid(int stream, WORD pid) {
  ITsGrabber* grabber = m_pCore ? m_pCore->Grabber() : nullptr;
  if (grabber && pid) grabber->AddPIDs(pid, &OnPacket, &m_streamContexts[stream]);
}

void COspreyApp::RemoveStreamPid(int stream, WORD pid) {
  ITsGrabber* grabber = m_pCore ? m_pCore->Grabber() : nullptr;
  if (grabber && pid) grabber->DelPIDs(&m_streamContexts[stream]);
}

int COspreyApp::SetPids(WORD video, WORD audio, WORD, WORD ac3) {
  RemoveStreamPid(CTsRouter::kAc3, m_router.Ac3Pid());
  RemoveStreamPid(CTsRouter::kVideo, m_router.VideoPid());
  RemoveStreamPid(CTsRouter::kAudio, m_router.AudioPid());
  m_router.SetPids(video, audio, ac3);
  AddStreamPid(CTsRouter::kAc3, ac3);
  AddStreamPid(CTsRouter::kVideo, video);
  AddStreamPid(CTsRouter::kAudio, audio);
  if (m_pCore) {
    if (audio) m_pCore->MapAudioPID(audio, FALSE);
    if (video) m_pCore->MapVideoPID(video);
  }
  return kModuleOk;
}

int COspreyApp::StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                            PFN_FILTER_CALLBACK callback, void* context) {
  CSingleLock lock(&m_router.FilterLock(), TRUE);
  // Every filter of the same context is stopped first, outside the lock.
  for (;;) {
    lock.Unlock();
    const int stopped = StopFilter(context);
    lock.Lock();
    if (stopped != kModuleOk) break;
  }
  ITsGrabber* grabber = m_pCore ? m_pCore->Grabber() : nullptr;
  if (!grabber) return kModuleBadArgument;
  // A missing value or mask compares as 0.
  m_router.Filters().Add(static_cast<DWORD>(type), pid, match ? match[0] : 0, mask ? mask[0] : 0, length, callback,
                         context);
  const HRESULT hr = grabber->AddPIDs(pid, &OnPacket, context);
  if (FAILED(hr)) {
    FilterErrorBox("Filter AddPIDs method failed, error: 0x%8.8x", hr);
    return kModuleBadArgument;
  }
  return kModuleOk;
}

int COspreyApp::StopFilter(void* context) {
  if (!context) return kModuleBadArgument;
  CSingleLock lock(&m_router.FilterLock(), TRUE);
  ITsGrabber* grabber = m_pCore ? m_pCore->Grabber() : nullptr;
  if (!grabber || !m_router.Filters().Remove(context, nullptr)) return kModuleBadArgument;
  Log(__LINE__, kLogInfo, "Stopping filter.");
  const HRESULT hr = grabber->DelPIDs(context);
  if (FAILED(hr)) {
    FilterErrorBox("Filter DelPIDs method failed, error: 0x%8.8x", hr);
    return kModuleBadArgument;
  }
  return kModuleOk;
}
