#include "ProgramStreamReader.h"

#include "ByteOrder.h"

namespace {

// Any PES start code from 0xC0 on.
const BYTE kStartCode[4] = {0x00, 0x00, 0x01, 0xC0};
const BYTE kStartMask[4] = {0xFF, 0xFF, 0xFF, 0xC0};
const DWORD kPesHead = 6;

bool IsPlayedStream(BYTE id) { return id >= 0xC0 && id <= 0xEF; }

}  // namespace

CProgramStreamReader::CProgramStreamReader() : m_pes(kPesHead + 0xFFFF) {}

void CProgramStreamReader::Reset(IRecordFile* file) {
  m_file = file;
  m_mux.Reset(this);
  m_ready.clear();
  m_end = m_drained = false;
}

int CProgramStreamReader::ReleasePacket(BYTE* packet, DWORD length) {
  m_ready.emplace_back(packet, packet + length);
  return int(length);
}

int CProgramStreamReader::Next(const BYTE*& packet, DWORD& length) {
  while (m_ready.empty()) {
    if (!m_file || m_drained) return 0;
    if (m_end) {
      m_mux.Drain();
      m_drained = true;
    } else if (!CutNextPes()) {
      m_end = true;
    }
  }
  m_current.swap(m_ready.front());
  m_ready.pop_front();
  packet = m_current.data();
  length = DWORD(m_current.size());
  return 1;
}

bool CProgramStreamReader::CutNextPes() {
  for (;;) {
    if (recordfile::FindPattern(*m_file, kStartCode, kStartMask, sizeof(kStartCode), kSearchLimit) < 0) return false;
    const DWORD at = m_file->Position();
    if (m_file->Read(m_pes.data(), kPesHead) != kPesHead) return false;
    const DWORD body = byteorder::GetBE16(&m_pes[4]);
    if (!IsPlayedStream(m_pes[3]) || body == 0) {
      m_file->Seek(at + 4);
      continue;
    }
    const DWORD read = m_file->Read(m_pes.data() + kPesHead, body);
    // A packet cut by the end of the file is played as far as it goes.
    if (!m_mux.CutPes(m_pes.data(), kPesHead + read)) ++m_droppedPes;
    return read == body;
  }
}

DWORD CProgramStreamReader::TimePosition(DWORD duration) {
  if (!m_file) return 0;
  return recordfile::Scale(m_file->Position(), duration, m_file->Length());
}

void CProgramStreamReader::EndOfFile() {
  m_file->Seek(m_file->Length());
  m_ready.clear();
  m_end = m_drained = true;
}

DWORD CProgramStreamReader::Seek(DWORD duration, int deltaMs) {
  if (!m_file || !duration || !m_file->Length()) return TimePosition(duration);
  const DWORD length = m_file->Length();
  const double target = double(m_file->Position()) + double(deltaMs) * length / duration;
  if (target >= double(length)) {
    EndOfFile();
    return duration;
  }
  m_file->Seek(target < 0 ? 0 : DWORD(target));
  if (recordfile::FindPattern(*m_file, kStartCode, kStartMask, sizeof(kStartCode), kSearchLimit) < 0) {
    EndOfFile();
    return duration;
  }
  // What was queued belongs to the old place.
  IRecordFile* file = m_file;
  Reset(file);
  return TimePosition(duration);
}
