// What the playback tests under Wine share: heron and the decoder stand-ins
// registered in the test prefix, a host window that records the commands it
// is sent, the ffmpeg-made programme as PES packets, and the stand-ins of a
// built graph with what they received.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <ComPtr.h>
#include <TestSinkLog.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// Registers heron.ax and testdecoders.ax once per process; false when regsvr32 failed.
bool RegisterPlaybackFilters();

// A top-level window of the host (640 x 480 client area), titled "Quillon",
// that records the WM_COMMAND identifiers it receives and counts the WM_CLOSE
// it is sent (without closing).
class CHostWindowStub {
 public:
  CHostWindowStub(int width = 640, int height = 480);
  ~CHostWindowStub();
  CHostWindowStub(const CHostWindowStub&) = delete;
  CHostWindowStub& operator=(const CHostWindowStub&) = delete;
  HWND Handle() const { return m_hWnd; }
  std::vector<WPARAM> Commands() const;
  void ClearCommands();
  int Closes() const;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND m_hWnd = nullptr;
};

// Dispatches the thread's queued messages.
void PumpMessages();

struct ProgrammePacket {
  std::vector<uint8_t> bytes;
  bool video;
};
// av.pes of the test data cut along the packets' length fields.
std::vector<ProgrammePacket> ReadProgramme();

// Pushes the packets from a thread of their own, as a device library does;
// returns when all are delivered.
template <typename Target>
void FeedFromDeviceThread(Target& target, const std::vector<ProgrammePacket>& packets) {
  std::thread device([&] {
    for (const ProgrammePacket& p : packets) {
      BYTE* bytes = const_cast<BYTE*>(p.bytes.data());
      const LONG length = static_cast<LONG>(p.bytes.size());
      if (p.video)
        target.DeliverVideoPES(bytes, length);
      else
        target.DeliverAudioPES(bytes, length);
    }
  });
  device.join();
}
// One of the programme's files (video.m2v, audio.mp2, v-pts.txt ...), whole.
std::vector<uint8_t> ReadProgrammeFile(const char* name);
// ffprobe's PTS list of the video ("v") or audio ("a") stream.
std::vector<int64_t> ReadPtsList(const char* stream);

// The graph's filter of this class, or nothing.
ComPtr<IBaseFilter> FindFilter(IFilterGraph2* graph, REFCLSID clsid);
// Its sample log, when the filter is a stand-in in the graph.
ComPtr<ITestSinkLog> StandInLog(IFilterGraph2* graph, REFCLSID clsid);
// Every payload the log holds, joined; the start times of its stamped samples.
std::vector<uint8_t> JoinedPayloads(ITestSinkLog* log, std::vector<int64_t>* stampedTimes);
// A source that repeats a stream from wherever it was asked to start hands
// on the elementary stream from some offset, wrapping round: true when the
// payloads are such a rotation of whole and cover it at least once.
bool IsRotationOf(const std::vector<uint8_t>& payloads, const std::vector<uint8_t>& whole);
// Whether the filter's pins are all connected.
bool AllPinsConnected(IBaseFilter* filter);
