// The filter's "Audio" and "Video" output pins: MPEG-1/2 audio and MPEG-2
// video of the PIDs set through the AV control. They connect and take an
// allocator like the card's pins; while the filter is active, a thread of
// each connected pin waits for it to run, then reads the scripted stream
// over and over and delivers its PID's elementary stream, one sample per PES
// packet (without time stamps: shown as they come), until the filter leaves
// running. Like any live source it delivers nothing while paused.
#pragma once

#include <Framework.h>
#include <Streams.h>

#include <functional>
#include <vector>

class CCardOutputPin : public CBaseOutputPin {
 public:
  enum Kind { kAudio, kVideo };
  // pid: the PID the AV control routes to this pin now (0 or 8191: none);
  // running: whether the filter runs.
  CCardOutputPin(Kind kind, CBaseFilter* pFilter, CCritSec* pLock, std::function<long()> pid,
                 std::function<bool()> running, HRESULT* phr);
  ~CCardOutputPin() override;

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;
  HRESULT Active() override;
  HRESULT Inactive() override;

 private:
  static UINT Stream(LPVOID self);
  // One PES packet's payload downstream, in as many samples as it needs.
  void DeliverPayload(const std::vector<BYTE>& payload);

  Kind m_kind;
  std::function<long()> m_pid;
  std::function<bool()> m_running;
  CWorkerThread m_worker;  // delivers while the filter is active
};
