#include "DVBRecPlayFile.h"

#include "MpegAudioFrame.h"
#include "ProgramStreamReader.h"
#include "PvaDemultiplexer.h"
#include "PvaRecordPause.h"
#include "RecordCFile.h"
#include "RecordFileReader.h"
#include "SplitFileName.h"

#include "framework/SingleLock.h"

#include <algorithm>
#include <cstring>

namespace {

const UINT kPlayFlags = CFile::modeRead | CFile::shareDenyNone;                             // 0x40
const UINT kRecordFlags = CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite;  // 0x1022
// The worker looks at its stop request at least this often, so a stop
// never has to terminate it.
const DWORD kWaitStepMs = 100;
const DWORD kIdlePollMs = 20;
const DWORD kStopWaitMs = 1000;
// A playback that ran out ends this long after its last unit.
const DWORD kEndDelayMs = 100;
const DWORD kStatusIntervalMs = 500;

const _REC_PLAY_FORMAT kStreamOfFile[4] = {RP_FORMAT_MPEG_AUDIO, RP_FORMAT_PVA_4, RP_FORMAT_PVA_5, RP_FORMAT_PVA_5};

}  // namespace

// The recording's output, for the program-stream writer as for the packets
// written as they come.
class CDVBRecPlayFile::CPartOutput final : public IRecordOutput {
 public:
  explicit CPartOutput(CDVBRecPlayFile* owner) : m_owner(owner) {}
  BOOL Write(const BYTE* data, DWORD length) override { return m_owner->WritePart(data, length); }

 private:
  CDVBRecPlayFile* m_owner;
};

const WORD (&CDVBRecPlayFile::bitrates1)[16] = mpegaudio::kBitrates1;
const WORD (&CDVBRecPlayFile::bitrates2)[16] = mpegaudio::kBitrates2;
const DWORD (&CDVBRecPlayFile::samplerates1)[4] = mpegaudio::kSamplerates1;
const DWORD (&CDVBRecPlayFile::samplerates2)[4] = mpegaudio::kSamplerates2;
const double (&CDVBRecPlayFile::ms_per_frame)[3] = mpegaudio::kMsPerFrame;

CDVBRecPlayFile::CDVBRecPlayFile()
    : m_pReader(new CRecordFileReader),
      m_pFileAccess(new CRecordCFile(m_File)),
      m_pPartOutput(new CPartOutput(this)),
      m_pPause(new CPvaRecordPause) {}

CDVBRecPlayFile::~CDVBRecPlayFile() {
  Close();
  delete m_pPause;
  delete m_pPartOutput;
  delete m_pFileAccess;
  delete m_pReader;
}

bool CDVBRecPlayFile::FileOpen() const { return m_File.m_hFile != CFile::hFileNull; }

// ---- Opening and closing -------------------------------------------------------

BOOL CDVBRecPlayFile::Open(LPCTSTR name, _REC_PLAY_FORMAT format, int mode) {
  if (FileOpen() || !name) return FALSE;
  m_strFileName = name;
  m_partNumber = 0;
  m_nFileError = 0;
  if (mode == 1) {
    if (!m_File.Open(name, kPlayFlags)) return FALSE;
    m_pReader->Attach(m_pFileAccess, format, m_fileFormat);
    if (!m_pReader->GetFileParams(m_dwFileLength, m_dwDuration, m_wSampleRate)) {
      m_File.Abort();
      return FALSE;
    }
  } else {
    if (!m_File.Open(name, kRecordFlags)) return FALSE;
  }
  m_nOpenMode = mode;
  m_streamFormat = format;
  if (!m_worker.Start(WorkerThread, this, THREAD_PRIORITY_NORMAL)) {
    m_File.Abort();
    m_streamFormat = RP_FORMAT_NONE;
    return FALSE;
  }
  SendStatusMessage();
  return TRUE;
}

BOOL CDVBRecPlayFile::Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode) {
  if (FileOpen()) return FALSE;
  if (unsigned(format) >= 4) {
    m_fileFormat = RP_FILE_MPEG_AUDIO;
    return FALSE;
  }
  m_fileFormat = format;
  const BOOL opened = Open(name, kStreamOfFile[format], mode);
  if (!opened) m_fileFormat = RP_FILE_MPEG_AUDIO;
  return opened;
}

BOOL CDVBRecPlayFile::Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, DWORD sizeLimitKB) {
  if (FileOpen()) return FALSE;
  m_dwSizeLimit = sizeLimitKB == 0 || sizeLimitKB > kMaxSizeLimitKB ? kMaxSizeLimitKB : sizeLimitKB;
  const BOOL opened = Open(name, format, mode);
  if (!opened) m_dwSizeLimit = kMaxSizeLimitKB;
  return opened;
}

BOOL CDVBRecPlayFile::Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, DWORD sizeLimitKB, BOOL ring) {
  if (FileOpen()) return FALSE;
  m_bRing = ring;
  const BOOL opened = Open(name, format, mode, sizeLimitKB);
  // The next Open may be one without a ring.
  if (!opened) m_bRing = FALSE;
  return opened;
}

BOOL CDVBRecPlayFile::Close() {
  if (GetRecPlayMode() != RP_MODE_IDLE && CDVBRecPlay::Stop() == DVB_ERR_NONE) SendStatusMessage();
  StopWorker(m_worker, kStopWaitMs, nullptr);
  if (FileOpen()) m_File.Abort();
  m_dwFileLength = m_dwDuration = 0;
  m_dwRate = 0;
  m_dwPosition = 0;
  m_wSampleRate = 0;
  m_streamFormat = RP_FORMAT_NONE;
  m_fileFormat = RP_FILE_MPEG_AUDIO;
  m_dwSizeLimit = kMaxSizeLimitKB;
  m_bRing = FALSE;
  SendStatusMessage();
  return TRUE;
}

// ---- Record and playback -------------------------------------------------------

BOOL CDVBRecPlayFile::Record() {
  // A recording that runs is left as it is: a new run would start the file
  // again from its start.
  if (m_nOpenMode != 0 || !FileOpen() || GetRecPlayMode() != RP_MODE_IDLE) return FALSE;
  {
    CSingleLock lock(&m_CS, TRUE);
    m_pPause->Clear();
  }
  m_nFileError = 0;
  InterlockedIncrement(&m_lRun);
  if (CDVBRecPlay::Record(m_streamFormat) != DVB_ERR_NONE) return FALSE;
  SendStatusMessage();
  return TRUE;
}

BOOL CDVBRecPlayFile::Playback(DWORD seek) {
  if (m_nOpenMode != 1 || !FileOpen()) return FALSE;
  const bool fromIdle = GetRecPlayMode() == RP_MODE_IDLE;
  // Taken before the worker can see the jump and report where it landed.
  const DWORD from = fromIdle ? 0 : m_dwPosition;
  // The worker takes a pending seek whenever it plays, so the seek is
  // posted only where a refusal cannot follow it: from idle before the
  // start (nothing plays until it succeeds), otherwise once the box took
  // the command.
  if (fromIdle) {
    InterlockedIncrement(&m_lRun);
    InterlockedExchange(&m_lPendingSeek, LONG(seek));
  }
  if (CDVBRecPlay::Playback(m_streamFormat) != DVB_ERR_NONE) {
    if (fromIdle) InterlockedExchange(&m_lPendingSeek, 0);
    return FALSE;
  }
  if (!fromIdle) InterlockedExchange(&m_lPendingSeek, LONG(seek));
  // The position the jump aims at (from the start when idle), inside the
  // file; the worker reports where it lands.
  const LONGLONG target = LONGLONG(from) + LONG(seek);
  m_dwPosition = target < 0 ? 0 : target > LONGLONG(m_dwDuration) && m_dwDuration ? m_dwDuration : DWORD(target);
  SendStatusMessage();
  return TRUE;
}

BOOL CDVBRecPlayFile::Stop() {
  if (CDVBRecPlay::Stop() != DVB_ERR_NONE) return FALSE;
  SendStatusMessage();
  return TRUE;
}

BOOL CDVBRecPlayFile::PlaybackPause() { return CDVBRecPlay::PlaybackPause() == DVB_ERR_NONE; }
BOOL CDVBRecPlayFile::PlaybackFast(int withPFrames) { return CDVBRecPlay::PlaybackFast(withPFrames) == DVB_ERR_NONE; }
BOOL CDVBRecPlayFile::PlaybackSlow(BYTE speed) { return CDVBRecPlay::PlaybackSlow(speed) == DVB_ERR_NONE; }

void CDVBRecPlayFile::PauseRecording() {
  OutputDebugStringA("PauseRec");
  CSingleLock lock(&m_CS, TRUE);
  m_pPause->Toggle();
  if (m_pDemux) m_pDemux->TogglePause();
}

void CDVBRecPlayFile::SetDemultiplexer(CPvaDemultiplexer* demux) {
  CSingleLock lock(&m_CS, TRUE);
  m_pDemux = demux;
}

// ---- Status --------------------------------------------------------------------

void CDVBRecPlayFile::GetStatus(DWORD& duration, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode,
                                _REC_PLAY_FORMAT& format) {
  duration = m_dwDuration;
  rate = m_dwRate;
  position = m_dwPosition;
  mode = GetRecPlayMode();
  format = m_streamFormat;
}

void CDVBRecPlayFile::GetStatus(DWORD& duration, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode,
                                _REC_PLAY_FILE_FORMAT& format) {
  _REC_PLAY_FORMAT streamFormat;
  GetStatus(duration, rate, position, mode, streamFormat);
  format = m_fileFormat;
}

ULONGLONG CDVBRecPlayFile::GetFilePosition() {
  if (!FileOpen()) return 0;
  try {
    return m_File.GetPosition();
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

void CDVBRecPlayFile::SetStatusChangedMessage(HWND window, UINT message, BOOL enable) {
  m_hStatusWnd = window;
  m_uStatusMsg = message;
  m_bStatusEnabled = enable;
  if (enable && window && message) SendStatusMessage();
}

void CDVBRecPlayFile::SendStatusMessage() {
  if (m_bStatusEnabled && m_hStatusWnd && m_uStatusMsg) PostMessage(m_hStatusWnd, m_uStatusMsg, 0, 0);
}

void CDVBRecPlayFile::CountForStatus(DWORD bytes) {
  m_bytesSinceStatus += bytes;
  const DWORD now = GetTickCount();
  const DWORD elapsed = now - m_lastStatusTick;
  if (elapsed < kStatusIntervalMs) return;
  m_dwRate = (DWORD(ULONGLONG(m_bytesSinceStatus) * 8 / elapsed) + 1 + m_dwRate) / 2;
  m_bytesSinceStatus = 0;
  m_lastStatusTick = now;
  if (GetRecPlayMode() == RP_MODE_RECORD) m_dwPosition = now - m_startTick;
  SendStatusMessage();
}

// ---- The worker ----------------------------------------------------------------

UINT CDVBRecPlayFile::WorkerThread(LPVOID object) {
  auto* self = static_cast<CDVBRecPlayFile*>(object);
  RunUntilStopped(self->m_worker, [self] { return self->Run(); });
  return kWorkerEndedExitCode;
}

int CDVBRecPlayFile::Run() {
  m_dwPartBytes = 0;
  m_dwRate = 0;
  m_dwPosition = 0;
  CPvaDemultiplexer* demux = nullptr;
  CProgramStreamReader* programReader = nullptr;
  if (m_fileFormat == RP_FILE_PROGRAM_STREAM) {
    if (m_nOpenMode == 0) {
      demux = new CPvaDemultiplexer;
      demux->Initialise(m_pPartOutput, nullptr);
      SetDemultiplexer(demux);
    } else if (m_nOpenMode == 1) {
      programReader = new CProgramStreamReader;
    }
  }
  // Each run is begun once: one that Record or Playback started before the
  // thread ran as well.
  LONG run = m_lRun - 1;
  while (!m_worker.IsStopRequested()) {
    const _REC_PLAY_MODE mode = GetRecPlayMode();
    const bool recording = mode == RP_MODE_RECORD && m_nOpenMode == 0;
    const bool playing = mode >= RP_MODE_PLAY && m_nOpenMode == 1;
    if (!recording && !playing) {
      m_worker.WaitForStop(kIdlePollMs);
      continue;
    }
    if (m_lRun != run) {
      run = m_lRun;
      BeginRun(demux, programReader);
    }
    if (!FileOpen()) {
      m_worker.WaitForStop(kIdlePollMs);
      continue;
    }
    const DWORD moved = recording ? RecordOne(demux) : PlayOne(programReader);
    if (moved) CountForStatus(moved);
  }
  SetDemultiplexer(nullptr);
  delete demux;
  delete programReader;
  return 0;
}

void CDVBRecPlayFile::BeginRun(CPvaDemultiplexer* demux, CProgramStreamReader* programReader) {
  m_startTick = m_lastStatusTick = GetTickCount();
  m_bytesSinceStatus = 0;
  m_dwRate = 0;
  m_dwPartBytes = 0;
  if (!FileOpen()) return;
  m_pFileAccess->Seek(0);
  if (m_nOpenMode == 0) {
    // A new recording replaces what an earlier one left in the file; a
    // ring keeps its length.
    m_pFileAccess->ClearWriteError();
    m_nPartFailure = 0;
    if (!m_bRing) m_pFileAccess->Truncate();
    if (demux) {
      CSingleLock lock(&m_CS, TRUE);
      demux->Initialise(m_pPartOutput, nullptr);
      if (m_pPause->IsPaused()) demux->TogglePause();
    }
  } else if (programReader) {
    programReader->Reset(m_pFileAccess);
  } else {
    m_pReader->ClearVidBuff();
  }
}

DWORD CDVBRecPlayFile::RecordOne(CPvaDemultiplexer* demux) {
  const int length = ReadPacket(m_packet, kPacketBuffer, FALSE);
  if (length == 0) WaitForPacket(kWaitStepMs);
  if (length < 1) return 0;
  const DWORD n = DWORD(length);
  BOOL written = TRUE;
  {
    CSingleLock lock(&m_CS, TRUE);
    if (demux) {
      demux->Demultiplex(m_packet, n);
      written = !demux->HasFailed();
    } else if (recordformat::IsPva(m_streamFormat) && m_packet[0] == 'A') {
      // Only PVA packets: a block of an MPEG audio or raw recording may
      // start with "A" as well.
      if (m_pPause->Admit(m_packet, n)) written = WritePart(m_packet, n);
    } else {
      written = WritePart(m_packet, n);
    }
  }
  if (!written) {
    FailRecording(m_nPartFailure);
    return 0;
  }
  return n;
}

BOOL CDVBRecPlayFile::WritePart(const BYTE* data, DWORD length) {
  if ((ULONGLONG(m_dwPartBytes) + length) / 1024 >= m_dwSizeLimit && !(m_bRing ? WrapRing() : OpenNextPart()))
    return FALSE;
  if (!m_pFileAccess->Write(data, length)) {
    m_nPartFailure = m_pFileAccess->GetWriteError();
    return FALSE;
  }
  m_dwPartBytes = m_dwPartBytes + length;
  return TRUE;
}

bool CDVBRecPlayFile::WrapRing() {
  const DWORD end = DWORD(ULONGLONG(m_dwSizeLimit) * 1024);
  const DWORD at = m_pFileAccess->Position();
  if (at < end && !recordfile::WriteZeros(*m_pFileAccess, end - at)) {
    m_nPartFailure = m_pFileAccess->GetWriteError();
    return false;
  }
  char line[64];
  wsprintfA(line, "\n Reset RingBuffer! %d \n", int(end));
  OutputDebugStringA(line);
  m_pFileAccess->Seek(0);
  m_dwPartBytes = 0;
  return true;
}

bool CDVBRecPlayFile::OpenNextPart() {
  // A part whose close failed may lack what the system held of it: the
  // recording stops there.
  if (!m_pFileAccess->Close()) {
    m_nPartFailure = m_pFileAccess->GetWriteError();
    return false;
  }
  ++m_partNumber;
  const std::string part = SplitPartName(std::string(LPCTSTR(m_strFileName)), m_partNumber);
  CFileException error;
  if (!m_File.Open(part.c_str(), kRecordFlags, &error)) {
    m_nPartFailure = error.m_cause ? error.m_cause : CFileException::genericException;
    return false;
  }
  m_dwPartBytes = 0;
  return true;
}

void CDVBRecPlayFile::FailRecording(int cause) {
  m_nFileError = cause;
  m_worker.WaitForStop(kEndDelayMs);
  Stop();
}

// ---- Playing -------------------------------------------------------------------

DWORD CDVBRecPlayFile::PlayOne(CProgramStreamReader* programReader) {
  const LONG seek = InterlockedExchange(&m_lPendingSeek, 0);
  const BYTE* data = m_packet;
  DWORD length = 0;
  if (programReader) {
    m_dwPosition = seek ? programReader->Seek(m_dwDuration, int(seek)) : programReader->TimePosition(m_dwDuration);
    if (!programReader->Next(data, length)) length = 0;
  } else {
    DWORD time = 0;
    const int mode = int(GetRecPlayMode());
    length = seek ? m_pReader->SeekFileBlock2(m_packet, mode, time, int(seek))
                  : m_pReader->GetPVAPacket(m_packet, mode, time);
    m_dwPosition = time;
  }
  if (!length) {
    EndPlayback();
    return 0;
  }
  return SendToBox(data, length) ? length : 0;
}

bool CDVBRecPlayFile::SendToBox(const BYTE* data, DWORD length) {
  for (;;) {
    const int sent = WritePacket(const_cast<BYTE*>(data), length, FALSE);
    if (sent > 0) return true;
    if (sent == -1) {
      m_dwSkippedUnits = m_dwSkippedUnits + 1;
      return false;
    }
    if (sent == -2 || m_worker.IsStopRequested()) return false;
    WaitForWriteRoom(kWaitStepMs);
  }
}

void CDVBRecPlayFile::EndPlayback() {
  m_worker.WaitForStop(kEndDelayMs);
  if (GetRecPlayMode() != RP_MODE_IDLE) Stop();
}
