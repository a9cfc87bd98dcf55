// The card graph's audio and video playback: renders the source filter's
// pins into the module's video window and runs live viewing through the
// filter's timeshift file. States: 0 new, 1 initialising, 6 ready, 2
// timeshift running. Failures thrown by the graph are shown in a message
// box and end in a failure result.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "B2FilterGraph.h"

class CB2AVControl {
 public:
  enum State { kNew = 0, kInitialising = 1, kTimeshiftRunning = 2, kReady = 6 };
  static constexpr char kTimeshiftFile[] = "D:\\PVR\\Timeshift.ts";

  CB2AVControl(CB2FilterGraph& graph, long audioPid, long videoPid) : m_graph(graph), m_lAudioPid(audioPid), m_lVideoPid(videoPid) {}
  CB2AVControl(const CB2AVControl&) = delete;
  CB2AVControl& operator=(const CB2AVControl&) = delete;
  ~CB2AVControl();

  BOOL Init(HWND window);
  void Start();
  void Stop();
  BOOL UpdateVideo(HWND window);
  void SetPids(long audio, long video) {
    m_lAudioPid = audio;
    m_lVideoPid = video;
  }
  int State() const { return m_state; }

 private:
  static UINT WINAPI OnTimeshiftNotification(DWORD code, DWORD value);

  CB2FilterGraph& m_graph;
  int m_state = kNew;
  std::string m_fileName;
  long m_lAudioPid, m_lVideoPid;
  long m_options[2] = {0, 0};
  static std::atomic<DWORD> s_lastNotification;  // the timeshift control's last notification, recorded only
};
