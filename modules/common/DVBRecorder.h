// Turns the transport packets of one programme into MPEG-2 PES packets and
// hands each, behind a program-stream pack header, to the host's PES tap.
// The file side writes the transport stream straight into a file (mode 10)
// or starts a file with the program-stream header. One recorder per module;
// the module's transport-stream callback routes video, audio and AC-3 into
// it as stream types 0, 1 and 2.
#pragma once

#include <framework/File.h>
#include <framework/SyncObject.h>

#include "ModuleHostLink.h"
#include "PESStreamBuffer.h"
#include "RecorderVariant.h"

class CDVBRecorder : public CFile {
 public:
  static constexpr WORD kDirectWriteMode = 10;
  // The most the host is handed at once: the pack header and the packet.
  static constexpr DWORD kDeliverySize = 65536;
  static constexpr DWORD kPackHeaderSize = 14;

  CDVBRecorder(const ModuleHostLink& host, RecorderModule module);
  CDVBRecorder(const CDVBRecorder&) = delete;
  CDVBRecorder& operator=(const CDVBRecorder&) = delete;
  ~CDVBRecorder() override;

  // Opens path for writing with the given mode; FALSE when it cannot be
  // opened, or in the modules whose recorder does not start files.
  BOOL StartRecording(LPCTSTR path, WORD mode, LONG limit);
  // FALSE when no file is open.
  BOOL StopRecording();
  // The open file's length, 0 without one.
  ULONGLONG GetRecordedSize() const;
  void OnStreamData(int type, const BYTE* data, DWORD length);

  // The buffers' output: pack header and packet to the host's tap. The
  // packet is not copied: the pack header goes into the kPackHeaderSize
  // bytes in front of it, which the caller gives up.
  void DeliverPES(BYTE* packet, DWORD length);
  // Raises the SCR by 146 and writes bytes 0..8 of a pack header carrying it.
  void BuildPackHeader(BYTE* out);
  // A 32-bit 90 kHz time stamp into a 5-byte PES time-stamp field.
  static void EncodePTS(BYTE* out, DWORD ts);
  // As EncodePTS with the DTS prefix; also marks the PTS field that lies
  // the 5 bytes before out as followed by a DTS.
  static void EncodeDTS(BYTE* out, DWORD ts);
  static BOOL HasSequenceHeader(const BYTE* data, DWORD length);

  const ModuleHostLink& Host() const { return m_host; }
  const RecorderVariant& Variant() const { return m_variant; }
  const CPESStreamBuffer& Buffer(int type) const { return m_Buffers[type]; }
  ULONGLONG SystemClockReference() const { return m_llSCR; }
  uint64_t DroppedDeliveries() const { return m_tooLong.Count(); }

 private:
  static constexpr WORD kNominalSizes[3] = {6144, 2048, 2048};

  void InitBuffers();
  bool IsOpen() const { return m_hFile != hFileNull; }
  bool WritesTransportStream() const;

  const ModuleHostLink& m_host;
  const RecorderVariant& m_variant;
  CCriticalSection m_Lock;  // serialises the stream input, the start and the stop
  ULONGLONG m_llSCR = 0;
  int m_nMode = 2;
  CPESStreamBuffer m_Buffers[3];  // video, audio, AC-3
  BYTE m_PackHeader[kPackHeaderSize];
  CFaultCount m_tooLong;  // packets longer than the host is handed
};
