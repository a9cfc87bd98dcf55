// Recording the box's stream into a file and playing a file into the box.
// One worker thread per opened file moves the data: while recording it
// takes the box's packets and writes them to the file (splitting it into
// parts at a size limit, or wrapping it like a ring), while playing it
// reads units from the file and writes them to the box's player, which
// paces it. Four file formats: MPEG audio, PVA, PVA played with video held
// against audio, and MPEG-2 program stream (converted from and to PVA).
// A PVA recording can be paused, the gap cut out of its timestamps; a
// playback can jump by a time offset. A window may be told of changes.
#pragma once

#include "DVBRecPlay.h"

#include "WorkerLoop.h"

class CPvaDemultiplexer;
class CPvaRecordPause;
class CProgramStreamReader;
class CRecordCFile;
class CRecordFileReader;

enum _REC_PLAY_FILE_FORMAT {
  RP_FILE_MPEG_AUDIO = 0,
  RP_FILE_PVA = 1,
  RP_FILE_PVA_REORDERED = 2,  // played with video held against audio
  RP_FILE_PROGRAM_STREAM = 3,
};

class AFX_EXT_CLASS CDVBRecPlayFile : public CDVBRecPlay {
 public:
  // The MPEG audio tables the file layer measures with.
  static const WORD (&bitrates1)[16];
  static const WORD (&bitrates2)[16];
  static const DWORD (&samplerates1)[4];
  static const DWORD (&samplerates2)[4];
  static const double (&ms_per_frame)[3];

  // Size limit of a recording file (part), in units of 1,024 bytes.
  static const DWORD kMaxSizeLimitKB = 4190000;
  static const DWORD kPacketBuffer = 8192;

  CDVBRecPlayFile();
  ~CDVBRecPlayFile() override;

  // mode 1 plays the file (it is measured first); any other mode creates
  // it for recording (only mode 0 records).
  BOOL Open(LPCTSTR name, _REC_PLAY_FORMAT format, int mode);
  BOOL Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode);
  BOOL Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, DWORD sizeLimitKB);
  BOOL Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, DWORD sizeLimitKB, BOOL ring);
  BOOL Close();

  BOOL Record();
  // From idle, pause, slow or fast; seek (ms, signed) jumps from where the
  // playback stands.
  BOOL Playback(DWORD seek);
  BOOL Stop();
  BOOL PlaybackPause();
  BOOL PlaybackFast(int withPFrames);
  BOOL PlaybackSlow(BYTE speed);
  void PauseRecording();

  void GetStatus(DWORD& duration, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode, _REC_PLAY_FORMAT& format);
  void GetStatus(DWORD& duration, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode,
                 _REC_PLAY_FILE_FORMAT& format);
  // Bytes written to the current recording file (part).
  DWORD GetFileSize() const { return m_dwPartBytes; }
  ULONGLONG GetFilePosition();
  // Posts `message` to `window` (no parameters) whenever the status
  // changes; the window then calls GetStatus.
  void SetStatusChangedMessage(HWND window, UINT message, BOOL enable);

  // Why the last recording stopped by itself: a CFileException cause
  // (diskFull, accessDenied ...; a part file that could not be created
  // gives its open error), 0 when it did not.
  int GetFileError() const { return m_nFileError; }
  // Units the box could not take (longer than a playback frame) and skipped.
  DWORD GetSkippedUnits() const { return m_dwSkippedUnits; }

 private:
  class CPartOutput;
  static UINT WorkerThread(LPVOID object);
  int Run();
  // A recording or playback that starts: the file from its start.
  void BeginRun(CPvaDemultiplexer* demux, CProgramStreamReader* programReader);
  DWORD RecordOne(CPvaDemultiplexer* demux);
  DWORD PlayOne(CProgramStreamReader* programReader);
  // Sends one unit to the player, waiting (bounded, step by step) while
  // the box is full; false when the playback ended meanwhile.
  bool SendToBox(const BYTE* data, DWORD length);
  // One write of the recording to the current part, which first wraps (a
  // ring) or is followed by the next part when the write would bring it to
  // the size limit; FALSE, with the cause kept, when the recording cannot
  // go on.
  BOOL WritePart(const BYTE* data, DWORD length);
  // The file ends at exactly the size limit; recording goes on at its start.
  bool WrapRing();
  bool OpenNextPart();
  // The recording cannot go on: the box stops, the window is told, what was
  // written stays.
  void FailRecording(int cause);
  void EndPlayback();
  void CountForStatus(DWORD bytes);
  void SendStatusMessage();
  bool FileOpen() const;
  void SetDemultiplexer(CPvaDemultiplexer* demux);

  HWND m_hStatusWnd = nullptr;
  UINT m_uStatusMsg = 0;
  BOOL m_bStatusEnabled = FALSE;
  volatile DWORD m_dwRate = 0;
  volatile DWORD m_dwPosition = 0;
  volatile DWORD m_dwPartBytes = 0;
  DWORD m_dwSizeLimit = kMaxSizeLimitKB;
  CString m_strFileName;
  DWORD m_dwFileLength = 0;
  DWORD m_dwDuration = 0;
  volatile LONG m_lPendingSeek = 0;
  CFile m_File;
  int m_nOpenMode = 0;
  WORD m_wSampleRate = 0;
  _REC_PLAY_FORMAT m_streamFormat = RP_FORMAT_NONE;
  _REC_PLAY_FILE_FORMAT m_fileFormat = RP_FILE_MPEG_AUDIO;
  BYTE m_packet[kPacketBuffer];
  CRecordFileReader* m_pReader;
  CRecordCFile* m_pFileAccess;
  // Everything a recording writes goes through it (WritePart).
  CPartOutput* m_pPartOutput;
  // Why the last write of a part failed (a CFileException cause).
  int m_nPartFailure = 0;
  BOOL m_bRing = FALSE;
  CPvaRecordPause* m_pPause;
  unsigned m_partNumber = 0;
  volatile int m_nFileError = 0;
  volatile DWORD m_dwSkippedUnits = 0;
  // Record and Playback from idle count runs; the worker starts each one
  // from the start of the file.
  volatile LONG m_lRun = 0;
  DWORD m_startTick = 0;
  DWORD m_lastStatusTick = 0;
  DWORD m_bytesSinceStatus = 0;

  // Guards the pause state and the demultiplexer (PauseRecording comes
  // from the application's thread).
  CCriticalSection m_CS;
  CPvaDemultiplexer* m_pDemux = nullptr;
  CWorkerThread m_worker;
};
