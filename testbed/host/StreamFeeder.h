// The host's stream thread: hands each packet of a PES file to the plug-in,
// at the stream's own rate (from the packets' PTS) or as fast as it can, and
// tells the host window when it is done.
#pragma once

#include <windows.h>

#include <chrono>
#include <vector>

#include <framework/WorkerThread.h>

#include "HostLog.h"
#include "PesFile.h"
#include "PluginHost.h"

class CStreamFeeder {
 public:
  // Posted to the notify window when every loop is fed.
  static constexpr UINT kFedMessage = WM_APP + 1;

  CStreamFeeder(CPluginHost& plugin, CHostLog& log) : m_plugin(plugin), m_log(log) {}
  CStreamFeeder(const CStreamFeeder&) = delete;
  CStreamFeeder& operator=(const CStreamFeeder&) = delete;
  ~CStreamFeeder() { Stop(); }

  // loops 0: for ever (until Stop).
  void Start(std::vector<PesFilePacket> packets, bool realRate, int loops, HWND notify);
  // Ends the feeding (bounded: a hand-over in progress finishes first).
  void Stop();

 private:
  static constexpr DWORD kStopLimitMs = 5000;

  static UINT StreamThread(LPVOID feeder);
  void Run();
  // Sleeps until target unless Stop comes first; false when stopped.
  bool WaitUntil(std::chrono::steady_clock::time_point target);

  CPluginHost& m_plugin;
  CHostLog& m_log;
  std::vector<PesFilePacket> m_packets;
  bool m_realRate = true;
  int m_loops = 1;
  HWND m_notify = nullptr;
  CWorkerThread m_worker;
};
