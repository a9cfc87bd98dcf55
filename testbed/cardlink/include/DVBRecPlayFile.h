// Media files played through the card's decoder: the library reads the file
// and feeds the decoder, which the application steers (play, pause, fast,
// slow, stop, a new position) and asks for the playback's state. The
// stand-in plays in simulation: the position moves with the clock at the
// scripted data rate, faster or slower as asked, and stops at the file's end.
#pragma once

#include <memory>

#include "CardTypes.h"

// What the file holds.
enum _REC_PLAY_FILE_FORMAT {
  RP_FILE_MPEG_AUDIO = 0,
  RP_FILE_PVA = 1,
  RP_FILE_PVA_REORDERED = 2,  // played with video held against audio
  RP_FILE_PROGRAM_STREAM = 3,
};

enum _REC_PLAY_MODE {
  RP_MODE_IDLE = 0,
  RP_MODE_RECORD = 1,
  RP_MODE_PLAY = 2,
  RP_MODE_PAUSE = 3,
  RP_MODE_SLOW = 4,
  RP_MODE_FAST = 5,
};

class CSimPlayback;

class AFX_EXT_CLASS CDVBRecPlayFile {
 public:
  static const int kPlay = 1;  // Open's mode that plays the file

  CDVBRecPlayFile();
  virtual ~CDVBRecPlayFile();
  CDVBRecPlayFile(const CDVBRecPlayFile&) = delete;
  CDVBRecPlayFile& operator=(const CDVBRecPlayFile&) = delete;

  // bufferSize in bytes, -1 for the library's own; FALSE when the file
  // cannot be read or a file is open.
  BOOL Open(LPCTSTR name, _REC_PLAY_FILE_FORMAT format, int mode, int bufferSize);
  // FALSE when no file is open.
  BOOL Close();
  // From a stop: plays from position (bytes into the file). Paused, fast
  // or slow: position 0 goes on at normal speed where the playback stands,
  // any other position jumps there.
  BOOL Playback(DWORD position);
  BOOL PlaybackPause();
  // 0 twice, 1 four times the normal speed.
  BOOL PlaybackFast(int faster);
  // 1 / speed of the normal speed.
  BOOL PlaybackSlow(BYTE speed);
  BOOL Stop();

  // The file's length and position in bytes, the data rate in kbit/s
  // (0 unless playing), the mode and the format.
  void GetStatus(DWORD& total, DWORD& rate, DWORD& position, _REC_PLAY_MODE& mode, _REC_PLAY_FILE_FORMAT& format);
  // The length of the open file in bytes.
  DWORD GetFileSize();

 private:
  std::unique_ptr<CSimPlayback> m_pPlayback;
};
