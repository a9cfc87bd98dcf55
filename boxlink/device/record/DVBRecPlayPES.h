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
  // Toggles the pause of the recording's program stream. The worker
  // applies it before the next block it demultiplexes, so it takes no lock
  // and may come from any thread, a handler's included.
  void PauseRecording();
  DWORD GetByteCount() const { return m_dwByteCount; }
  BOOL IsRunning() { return IsWorkerRunning(m_worker); }

 private:
  class CHandlers;
  class CPlayerSink;
  static UINT WorkerThread(LPVOID object);
  int Run();

  BYTE m_packet[kPacketBuffer];
  volatile DWORD m_dwByteCount = 0;
  // Pause toggles not yet applied by the worker.
  volatile LONG m_lPauseToggles = 0;
  CPlayerSink* m_pPlayerSink;
  CPvaMultiplexer* m_pMux;
  CWorkerThread m_worker;
};
