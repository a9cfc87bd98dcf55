#include "DVBRecPlayPES.h"

#include "PvaDemultiplexer.h"
#include "PvaMultiplexer.h"

namespace {

const DWORD kStopWaitMs = 200;
// The worker looks at its stop request at least this often while it waits
// for packets, so a stop never has to terminate it.
const DWORD kPacketWaitMs = 100;
const DWORD kIdlePollMs = 20;

bool IsPvaFormat(_REC_PLAY_FORMAT f) { return f == RP_FORMAT_PVA_1 || f == RP_FORMAT_PVA_4 || f == RP_FORMAT_PVA_5; }

}  // namespace

// The demultiplexer's handlers are the object's virtual handlers.
class CDVBRecPlayPES::CHandlers : public IPesHandlers {
 public:
  explicit CHandlers(CDVBRecPlayPES* owner) : m_owner(owner) {}
  void OnPESAudio(BYTE* data, int length) override { m_owner->OnPESAudio(data, length); }
  void OnPESVideo(BYTE* data, int length) override { m_owner->OnPESVideo(data, length); }
  void OnPESRecord(BYTE* data, int length) override { m_owner->OnPESRecord(data, length); }

 private:
  CDVBRecPlayPES* m_owner;
};

// Released playback packets go to the box's player, waiting while it is
// full.
class CDVBRecPlayPES::CPlayerSink : public IPvaPacketSink {
 public:
  explicit CPlayerSink(CDVBRecPlayPES* owner) : m_owner(owner) {}
  int ReleasePacket(BYTE* packet, DWORD length) override { return m_owner->WritePacket(packet, length, TRUE); }

 private:
  CDVBRecPlayPES* m_owner;
};

CDVBRecPlayPES::CDVBRecPlayPES() : m_pPlayerSink(new CPlayerSink(this)), m_pMux(new CPvaMultiplexer) {
  m_pMux->Reset(m_pPlayerSink);
}

CDVBRecPlayPES::~CDVBRecPlayPES() {
  StopRecord();
  delete m_pMux;
  delete m_pPlayerSink;
}

void CDVBRecPlayPES::OnPVAPacketArrival(BYTE*, int) {}
void CDVBRecPlayPES::OnMP2AudioArrival(BYTE*, int) {}
void CDVBRecPlayPES::OnPESAudio(BYTE*, int) {}
void CDVBRecPlayPES::OnPESVideo(BYTE*, int) {}
void CDVBRecPlayPES::OnPESRecord(BYTE*, int) {}

BOOL CDVBRecPlayPES::StartRecord(_REC_PLAY_FORMAT format) {
  if (IsRunning() || GetRecPlayMode() != RP_MODE_IDLE) return FALSE;
  m_dwByteCount = 0;
  // Toggles while no recording ran do not carry into this one.
  InterlockedExchange(&m_lPauseToggles, 0);
  if (!m_worker.Start(WorkerThread, this, THREAD_PRIORITY_NORMAL)) return FALSE;
  if (Record(format) != DVB_ERR_NONE) {
    StopWorker(m_worker, kStopWaitMs, nullptr);
    return FALSE;
  }
  return TRUE;
}

BOOL CDVBRecPlayPES::StopRecord() {
  const BOOL stopped = Stop() == DVB_ERR_NONE;
  // A worker that had to be terminated leaves its demultiplexer (and the
  // demultiplexer's lock) behind: only the worker ever touches it.
  StopWorker(m_worker, kStopWaitMs, nullptr);
  return stopped;
}

BOOL CDVBRecPlayPES::StartPlayback(_REC_PLAY_FORMAT format) {
  InitClearBuffer();
  return Playback(format) == DVB_ERR_NONE;
}

BOOL CDVBRecPlayPES::StopPlayback() { return Stop() == DVB_ERR_NONE; }

BOOL CDVBRecPlayPES::WritePES(BYTE* pes, WORD length) {
  if (!m_pMux || !pes) return FALSE;
  m_pMux->CutPes(pes, length);
  return TRUE;
}

void CDVBRecPlayPES::InitClearBuffer() {
  if (!m_pMux) return;
  m_pMux->Reset(m_pPlayerSink);
  m_pMux->Clear();
}

void CDVBRecPlayPES::PauseRecording() { InterlockedIncrement(&m_lPauseToggles); }

UINT CDVBRecPlayPES::WorkerThread(LPVOID object) {
  auto* self = static_cast<CDVBRecPlayPES*>(object);
  RunUntilStopped(self->m_worker, [self] { return self->Run(); });
  return kWorkerEndedExitCode;
}

int CDVBRecPlayPES::Run() {
  CPvaDemultiplexer* demux = new CPvaDemultiplexer;
  CHandlers handlers(this);
  demux->Initialise(nullptr, &handlers);
  bool formatSeen = false;
  while (!m_worker.IsStopRequested()) {
    const _REC_PLAY_MODE mode = GetRecPlayMode();
    if (mode != RP_MODE_RECORD) {
      Sleep(kIdlePollMs);
      continue;
    }
    const _REC_PLAY_FORMAT format = GetRecPlayFormat();
    if (!formatSeen) {
      // An audio-only recording does not wait for a sequence header.
      demux->SetWaitForSequenceHeader(format != RP_FORMAT_PVA_1);
      formatSeen = true;
    }
    const int length = ReadPacket(m_packet, kPacketBuffer, FALSE);
    if (length == 0) WaitForPacket(kPacketWaitMs);
    if (length < 1 || m_worker.IsStopRequested()) continue;
    m_dwByteCount = m_dwByteCount + DWORD(length);
    if (IsPvaFormat(format)) {
      OnPVAPacketArrival(m_packet, length);
      for (LONG toggles = InterlockedExchange(&m_lPauseToggles, 0); toggles > 0; --toggles) demux->TogglePause();
      demux->Demultiplex(m_packet, DWORD(length));
    } else if (format == RP_FORMAT_MPEG_AUDIO) {
      OnMP2AudioArrival(m_packet, length);
    }
  }
  delete demux;
  return 0;
}
