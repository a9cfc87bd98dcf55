// Recording and playback through the box. Recording: the box's recorder is
// started in a stream format, its packets arrive on stream slot 34 and wait
// in a private ring until ReadPacket takes them. Playback: the box's player
// is started and WritePacket frames each packet (prefix, padding, frame
// counter, checksum) and writes it to the driver. The trick modes are box
// commands. One recording or playback at a time.
#pragma once

#include "DVBError.h"

#include <Framework.h>

class CPacketRing;

enum _REC_PLAY_MODE {
  RP_MODE_IDLE = 0,
  RP_MODE_RECORD = 1,
  RP_MODE_PLAY = 2,
  RP_MODE_PAUSE = 3,
  RP_MODE_SLOW = 4,
  RP_MODE_FAST = 5,
};

// The byte the box's recorder and player are started with.
enum _REC_PLAY_FORMAT {
  RP_FORMAT_NONE = 0,
  RP_FORMAT_PVA_1 = 1,  // PVA packets
  RP_FORMAT_MPEG_AUDIO = 2,
  RP_FORMAT_RAW = 3,  // handled by files in 1,024-byte blocks
  RP_FORMAT_PVA_4 = 4,
  RP_FORMAT_PVA_5 = 5,
};

class AFX_EXT_CLASS CDVBRecPlay {
 public:
  // The longest playback payload of one frame.
  static const DWORD kMaxPayload = 7168;
  // Recording packets longer than this (what a recording worker reads at
  // most) are dropped on arrival and counted, so none can block the ring.
  static const DWORD kMaxRecordPacket = 8192;

  CDVBRecPlay();
  virtual ~CDVBRecPlay();
  CDVBRecPlay(const CDVBRecPlay&) = delete;
  CDVBRecPlay& operator=(const CDVBRecPlay&) = delete;

  DVB_ERROR Record(_REC_PLAY_FORMAT format);
  DVB_ERROR Playback(_REC_PLAY_FORMAT format);
  DVB_ERROR PlaybackPause();
  DVB_ERROR PlaybackFast(int withPFrames);
  DVB_ERROR PlaybackSlow(BYTE speed);
  DVB_ERROR Stop();
  _REC_PLAY_MODE GetRecPlayMode() const { return _REC_PLAY_MODE(m_mode); }
  _REC_PLAY_FORMAT GetRecPlayFormat() const { return m_format; }

  // The oldest recording packet: its length, -1 when it is longer than
  // size (it stays), 0 when none is queued and wait is FALSE, -2 when not
  // (or no longer) recording.
  int ReadPacket(BYTE* buffer, DWORD size, BOOL wait);
  // One frame to the player: the padded payload length, -1 for a payload
  // over kMaxPayload (or none), 0 when the write failed and wait is FALSE,
  // -2 when not playing (or stopped while waiting).
  int WritePacket(BYTE* data, DWORD length, BOOL wait);

  // The recording slot's callback (context: the object).
  static void ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  void TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  // Recording packets dropped on arrival (too long, or the ring full).
  DWORD GetDroppedPackets() const { return m_dropped; }

 protected:
  // Waits at most timeoutMs for a packet to be queued or a Stop.
  void WaitForPacket(DWORD timeoutMs);
  // Waits at most timeoutMs for the box to take data again or a Stop.
  void WaitForWriteRoom(DWORD timeoutMs);

 private:
  static WORD MuxCalcCheckSum(void* data, WORD words);
  BOOL SetupWriteEvent(BOOL set);
  BOOL SetThreshold(DWORD value);
  BOOL ClearBuffer();
  // Removes the recording slot and what it queued; a local operation.
  void EndRecordingSlot();
  // Leaves mode `old` for idle on this side and wakes a waiting reader or
  // writer; the box has stopped already, or is gone.
  void EndLocally(LONG old);

  _REC_PLAY_FORMAT m_format = RP_FORMAT_NONE;
  volatile LONG m_mode = RP_MODE_IDLE;
  BYTE m_recordSlot;
  BYTE m_playSlot;
  BYTE m_frame[4 + kMaxPayload + 3 + 4];
  CPacketRing* m_pRing;
  CEvent m_dataEvent;
  CEvent m_writeEvent;
  volatile BOOL m_slotRegistered = FALSE;
  volatile DWORD m_dropped = 0;
  static WORD s_frameCounter;
};
