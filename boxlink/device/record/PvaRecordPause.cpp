#include "PvaRecordPause.h"

#include "PesTimestamp.h"
#include "PvaFormat.h"

void CPvaRecordPause::Clear() {
  m_paused = FALSE;
  m_audioSeen = false;
  m_audio = Stream();
  m_video = Stream();
}

bool CPvaRecordPause::Admit(BYTE* packet, DWORD length) {
  if (length < pva::kHeaderSize) return false;
  const bool video = pva::Stream(packet) == pva::kStreamVideo;
  Stream& s = video ? m_video : m_audio;
  BYTE* pes = packet + pva::kHeaderSize;
  const DWORD pesLength = length - pva::kHeaderSize;
  bool stamped = false;
  if (pva::Flags(packet) & pva::kFlagPts) {
    if (video && pesLength >= pva::kPtsSize) {
      s.current = byteorder::GetBE32(pes);
      stamped = true;
    } else if (!video && pestimestamp::HasPts(pes, pesLength)) {
      s.current = DWORD(pestimestamp::Decode(pes + 9));
      m_audioSeen = true;
      stamped = true;
    }
  }
  if (m_paused) {
    if (stamped) s.resumed = false;
  } else if (stamped && !s.resumed) {
    s.resumed = true;
    const DWORD gap = s.current - s.lastWritten;
    if (gap > kKeptGap) s.offset += gap - kKeptGap;
  }
  if (!s.resumed || (video && !m_audio.resumed)) return false;

  s.lastWritten = s.current;
  if (stamped) {
    if (video) {
      byteorder::PutBE32(pes, s.current - (m_audioSeen ? m_audio.offset : m_video.offset));
    } else {
      const BYTE prefix = pestimestamp::HasDts(pes, pesLength) ? pestimestamp::kPrefixPtsWithDts
                                                                : pestimestamp::kPrefixPtsOnly;
      pestimestamp::Encode(pes + 9, prefix, s.current - m_audio.offset);
    }
  }
  packet[3] = s.counter++;
  return true;
}
