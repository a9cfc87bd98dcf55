#include "B2AVControl.h"

namespace {

// Shows the graph's failure in a message box and deletes it.
void Report(CB2FilterGraphException* e) {
  e->ReportError(MB_OK);
  e->Delete();
}

}  // namespace

std::atomic<DWORD> CB2AVControl::s_lastNotification{0};

CB2AVControl::~CB2AVControl() {
  if (IB2C2MPEG2TimeshiftCtrl* timeshift = m_graph.GetTimeshiftCtrl()) timeshift->SetCallback(nullptr);
}

UINT WINAPI CB2AVControl::OnTimeshiftNotification(DWORD code, DWORD) {
  s_lastNotification = code;
  return 0;
}

BOOL CB2AVControl::Init(HWND window) {
  m_state = kInitialising;
  try {
    m_graph.GetAVPins();
    m_graph.AddVideoRenderer();
    if (FAILED(m_graph.SetPvrPids(m_lAudioPid, m_lVideoPid))) return FALSE;
    m_graph.RenderAVPins();
    m_graph.SetVideoWindow(window);
    if (IB2C2MPEG2TimeshiftCtrl* timeshift = m_graph.GetTimeshiftCtrl()) {
      timeshift->SetCallback(&OnTimeshiftNotification);
      timeshift->SetOption(kB2C2TimeshiftOption1, m_options[1]);
      timeshift->SetOption(kB2C2TimeshiftOption0, m_options[0]);
    }
  } catch (CB2FilterGraphException* e) {
    Report(e);
    m_state = kReady;
    return FALSE;
  }
  m_state = kReady;
  return TRUE;
}

void CB2AVControl::Start() {
  if (m_state != kReady) return;
  try {
    m_fileName = kTimeshiftFile;
    std::wstring wide(m_fileName.begin(), m_fileName.end());
    if (IB2C2MPEG2TimeshiftCtrl* timeshift = m_graph.GetTimeshiftCtrl()) timeshift->SetFilename(wide.c_str());
    m_graph.Run();
    m_state = kTimeshiftRunning;
  } catch (CB2FilterGraphException* e) {
    Report(e);
  }
}

void CB2AVControl::Stop() {
  if (m_state != kTimeshiftRunning) return;
  m_state = kReady;
  try {
    m_graph.Stop();
  } catch (CB2FilterGraphException* e) {
    Report(e);
  }
}

BOOL CB2AVControl::UpdateVideo(HWND window) {
  try {
    m_graph.UpdateVideoSize(window);
    return TRUE;
  } catch (CB2FilterGraphException* e) {
    Report(e);
    return FALSE;
  }
}
