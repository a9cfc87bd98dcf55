#include "FEBoxFirmware.h"

#include "BoxCommands.h"
#include "ByteOrder.h"

#include <cstring>

namespace {

const DWORD kSatellite = 1, kCable = 2, kTerrestrial = 3;
const DWORD kStillTuning = 2;

}  // namespace

bool CFEBoxFirmware::Command(BYTE command, const DWORD* words, int count, BYTE* answer, int answerLength) {
  if (!m_bus.DeviceOpen()) return false;
  BYTE request[boxcommands::kMaxParams];
  for (int i = 0; i < count; ++i) byteorder::PutBE32(request + 4 * i, words[i]);
  // A short answer would leave zeros that read as "accepted".
  return m_bus.SendCommand(command, request, 4 * count, answer, answerLength) == answerLength;
}

BOOL CFEBoxFirmware::Init(DWORD kind) {
  DWORD reported = 0;
  if (!m_bus.DeviceOpen() || !m_bus.GetFEType(reported) || reported != kind) return FALSE;
  if (kind != kSatellite && kind != kCable && kind != kTerrestrial) return FALSE;
  m_dwKind = kind;
  return TRUE;
}

BOOL CFEBoxFirmware::SetChannel(DWORD w1, DWORD w2, DWORD w3, DWORD w4, DWORD w5, DWORD w6, DWORD w7, DWORD w8) {
  DWORD words[10];
  int count;
  if (m_dwKind == kSatellite) {
    DWORD low = w4 & 0xFF;
    DWORD second = DWORD(INT(static_cast<signed char>(BYTE(w4 >> 8))));
    const DWORD sat[10] = {kSatellite, w1, w2, w3, low, second, w5, w6, w7, w8};
    memcpy(words, sat, sizeof(sat));
    count = 10;
  } else if (m_dwKind == kCable || m_dwKind == kTerrestrial) {
    const DWORD other[6] = {m_dwKind, w1, w2, w3, w4, w5};
    memcpy(words, other, sizeof(other));
    count = 6;
  } else {
    return FALSE;
  }
  BYTE answer[4];
  if (!Command(boxcommands::kSetChannel, words, count, answer, 4) || byteorder::GetBE32(answer) != 0) return FALSE;
  if (m_dwKind == kTerrestrial) {
    // The box tunes on; its progress does not change the result.
    m_bus.Sleep(kProgressPauseMs);
    const DWORD progress[2] = {0, 0};
    for (int poll = 0; poll < kProgressPolls; ++poll) {
      if (poll) m_bus.Sleep(kProgressPauseMs);
      if (!Command(boxcommands::kFeQuery, progress, 2, answer, 4) || byteorder::GetBE32(answer) != kStillTuning) break;
    }
  }
  const DWORD tuning[8] = {w1, w2, w3, w4, w5, w6, w7, w8};
  memcpy(m_dwTuning, tuning, sizeof(tuning));
  return TRUE;
}

BOOL CFEBoxFirmware::GetStatus(DWORD* lock, firmwareanswers::Signal* signal, DWORD* channel) {
  BYTE answer[firmwareanswers::kSignalAnswer];
  firmwareanswers::Status status;
  firmwareanswers::Signal values;
  const DWORD query[2] = {1, signal ? 1u : 0u};
  int length = signal ? firmwareanswers::kSignalAnswer : firmwareanswers::kStatusAnswer;
  if (!Command(boxcommands::kFeQuery, query, 2, answer, length)) return FALSE;
  bool parsed = signal ? firmwareanswers::ParseSignal(answer, length, status, values)
                       : firmwareanswers::ParseStatus(answer, length, status);
  if (!parsed || status.error != 0) return FALSE;
  if (lock) *lock = status.lock;
  if (signal) *signal = values;
  if (channel) firmwareanswers::ChannelWords(m_dwKind, status, channel);
  return TRUE;
}

BOOL CFEBoxFirmware::GetCapsAndRanges(DWORD out[8]) {
  BYTE answer[firmwareanswers::kCapsAnswer];
  return Command(boxcommands::kFeCaps, nullptr, 0, answer, firmwareanswers::kCapsAnswer) &&
         firmwareanswers::ParseCaps(answer, firmwareanswers::kCapsAnswer, out);
}

BOOL CFEBoxFirmware::SetAntennaPower(DWORD on) {
  BYTE answer[4];
  return Command(boxcommands::kSetAntennaPower, &on, 1, answer, 4) && INT(byteorder::GetBE32(answer)) > 0;
}

BOOL CFEBoxFirmware::GetAntennaPower(DWORD* on) {
  BYTE answer[firmwareanswers::kAntennaAnswer];
  DWORD value = 0;
  if (!Command(boxcommands::kGetAntennaPower, nullptr, 0, answer, firmwareanswers::kAntennaAnswer) ||
      !firmwareanswers::ParseAntenna(answer, firmwareanswers::kAntennaAnswer, value))
    return FALSE;
  if (on) *on = value;
  return TRUE;
}
