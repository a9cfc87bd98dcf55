// Recording through the box into virtual handlers: the raw PVA blocks, the
// raw MPEG audio blocks, and the video and audio PES packets and program
// stream that the PVA demultiplexer makes of a PVA recording. A worker
// thread per recording reads the packets and calls the handlers; an
// application derives from the class and overrides what it needs. Playback
// takes whole PES packets, which the PVA multiplexer cuts and sends to the
// box's player on the caller's thread.
#pragma once

#include "DVBRecPlay.h"

#include "WorkerLoop.h"

class CPvaDemultiplexer;
class CPvaMultiplexer;

class AFX_EXT_CLASS CDVBRecPlayPES : public CDVBRecPlay {
 public:
  static const DWORD kPacketBuffer = 8192;

  CDVBRecPlayPES();
  // Stops a recording and its worker first: the handlers never run on a
  // destroyed object.
  ~CDVBRecPlayPES() override;

  virtual void OnPVAPacketArrival(BYTE* data, int length);
  virtual void OnMP2AudioArrival(BYTE* data, int length);
  virtual void OnPESAudio(BYTE* data, int length);
  virtual void OnPESVideo(BYTE* data, int length);
  virtual void OnPESRecord(BYTE* data, int length);

  BOOL StartRecord(_REC_PLAY_FORMAT format);
  BOOL StopRecord();
  BOOL StartPlayback(_REC_PLAY_FORMAT format);
  BOOL StopPlayback();
  // Hands a PES packet to the multiplexer; FALSE only without a packet.
  // May block until the box takes data.
  BOOL WritePES(BYTE* pes, WORD length);
  // Drops the playback data queued (as on a channel change).
  void InitClearBuffer();
  void PauseRecording();
  DWORD GetByteCount() const { return m_dwByteCount; }
  BOOL IsRunning() { return IsWorkerRunning(m_worker); }

 private:
  class CHandlers;
  class CPlayerSink;
  static UINT WorkerThread(LPVOID object);
  int Run();
  // The worker's demultiplexer, under m_CS (the pause comes from another
  // thread).
  void SetDemultiplexer(CPvaDemultiplexer* demux);

  BYTE m_packet[kPacketBuffer];
  volatile DWORD m_dwByteCount = 0;
  CPvaDemultiplexer* m_pDemux = nullptr;
  CPlayerSink* m_pPlayerSink;
  CPvaMultiplexer* m_pMux;
  CCriticalSection m_CS;
  CWorkerThread m_worker;
};
