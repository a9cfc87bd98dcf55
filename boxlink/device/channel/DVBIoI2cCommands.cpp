// The box command set: one operation per command, each building its own
// request (big-endian fields) and decoding the box's answer.
#include "DVBIoI2c.h"

#include "BoxCommands.h"
#include "BulkFrame.h"
#include "ByteOrder.h"
#include "CommandLayouts.h"
#include "CommandChannel.h"
#include "I2cSequence.h"

#include <cstring>
#include <initializer_list>

using namespace boxcommands;
using byteorder::PutBE16;
using byteorder::PutBE32;
using commandchannel::Exchange;
using commandchannel::NoBox;

namespace {

// Sequence numbers of reset frames: one library-wide counter from 0x88.
BYTE g_resetSequence = 0x88;

// A request of up to 60 parameter bytes, filled in place.
struct CBoxRequest {
  explicit CBoxRequest(BYTE command) { bytes[0] = command; }
  BYTE* Params() { return bytes + 1; }
  void Be16(WORD v) {
    PutBE16(bytes + length, v);
    length += 2;
  }
  void Be32(DWORD v) {
    PutBE32(bytes + length, v);
    length += 4;
  }
  void Byte(BYTE v) { bytes[length++] = v; }
  BYTE bytes[1 + kMaxParams] = {};
  int length = 1;
};

}  // namespace

BOOL CDVBIoI2c::SetGPIO(BYTE output, int value) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kSetGpio);
  i2csequence::BuildGpio(r.Params(), output, value);
  r.length += 2;
  BYTE answer[2];
  if (!Exchange(r.bytes, r.length, answer, sizeof(answer))) return FALSE;
  return i2csequence::GpioAccepted(answer, output);
}

BOOL CDVBIoI2c::GetSTBMode(DWORD& mode, DWORD& second, DWORD& third) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kGetStbMode);
  BYTE answer[kStbModeAnswer];
  if (!Exchange(r.bytes, r.length, answer, sizeof(answer))) return FALSE;
  DWORD w[3];
  DecodeBE32Words(answer, w, 3);
  mode = w[0];
  second = w[1];
  third = w[2];
  return TRUE;
}

BOOL CDVBIoI2c::GetSTBVersions(WORD& v0, WORD& v1, WORD& v2, WORD& v3, WORD& v4, WORD& v5) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kGetStbVersions);
  BYTE answer[kStbVersionsAnswer];
  if (!Exchange(r.bytes, r.length, answer, sizeof(answer))) return FALSE;
  WORD w[8];
  DecodeBE16Words(answer, w, 8);
  WORD* out[6] = {&v0, &v1, &v2, &v3, &v4, &v5};
  for (int i = 0; i < 6; ++i) *out[i] = w[i];
  return TRUE;
}

void CDVBIoI2c::SetBitRate(WORD, WORD kHz) {
  if (NoBox()) return;
  BYTE fast = kHz >= 200 ? 1 : 0;
  SendCommand(kSetI2cBitRate, &fast, 1, nullptr, 0);
}

BOOL CDVBIoI2c::ResetSTB(DWORD mode) {
  if (NoBox()) return FALSE;
  BYTE payload = BYTE(mode);
  BYTE frame[bulkframe::kMaxFrame];
  int n = bulkframe::Encode(frame, g_resetSequence++, bulkframe::kReset, &payload, 1);
  return SyncWriteEPBulkCmdOut(frame, WORD(n)) >= 0;
}

BOOL CDVBIoI2c::SetPIDs(DWORD& answer, WORD pid0, WORD pid1, WORD pid2, WORD pid3, WORD pid4, WORD pid5) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kSetPids);
  for (WORD pid : {pid0, pid1, pid2, pid3, pid4, pid5}) r.Be16(pid);
  BYTE a[4];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  answer = byteorder::GetBE32(a);
  return TRUE;
}

BOOL CDVBIoI2c::SetVolume(BYTE& answer, BYTE first, BYTE second) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kSetVolume);
  r.Byte(first);
  r.Byte(second);
  BYTE a[1];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  answer = a[0];
  return TRUE;
}

BOOL CDVBIoI2c::AddSectionFilter(WORD& filter, WORD pid, BYTE* data, BYTE* mask, BYTE length, WORD mode) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kAddSectionFilter);
  if (BuildSectionFilter(r.Params(), pid, data, mask, length, mode) < 0) return FALSE;
  r.length += kSectionFilterParams;
  BYTE a[2];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  filter = byteorder::GetBE16(a);
  return TRUE;
}

BOOL CDVBIoI2c::AddPipeFilter(WORD& filter, WORD pid, WORD value) {
  if (NoBox() || pid > kMaxPid) return FALSE;
  CBoxRequest r(kAddPipeFilter);
  r.Be16(pid);
  r.Be16(value);
  BYTE a[2];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  filter = byteorder::GetBE16(a);
  return TRUE;
}

BOOL CDVBIoI2c::DelFilter(WORD& filter) {
  if (NoBox() || filter == 0xFFFF) return FALSE;
  CBoxRequest r(kDelFilter);
  r.Be16(filter);
  BYTE a[2];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  filter = byteorder::GetBE16(a);
  return TRUE;
}

BOOL CDVBIoI2c::GetFEType(DWORD& type) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kGetFeType);
  BYTE a[4];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  type = byteorder::GetBE32(a);
  return TRUE;
}

namespace {

BOOL SetChannel(BYTE type, DWORD& answer, const DWORD* args, int count) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kSetChannel);
  r.length += BuildSetChannel(r.Params(), type, args, count);
  BYTE a[4];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return FALSE;
  answer = byteorder::GetBE32(a);
  return TRUE;
}

}  // namespace

BOOL CDVBIoI2c::SetChannelS(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3, DWORD a4, DWORD a5, DWORD a6,
                            DWORD a7, DWORD a8) {
  const DWORD args[9] = {a0, a1, a2, a3, a4, a5, a6, a7, a8};
  return SetChannel(1, answer, args, 9);
}

BOOL CDVBIoI2c::SetChannelC(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3) {
  const DWORD args[4] = {a0, a1, a2, a3};
  return SetChannel(2, answer, args, 4);
}

BOOL CDVBIoI2c::SetChannelT(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3) {
  const DWORD args[4] = {a0, a1, a2, a3};
  return SetChannel(3, answer, args, 4);
}

namespace {

BOOL RunFeQuery(boxcommands::FeQuery query, DWORD* const* out) {
  if (NoBox()) return FALSE;
  CBoxRequest r(kFeQuery);
  BuildFeQuery(r.Params(), query);
  r.length += kFeQueryParams;
  int words = FeQueryAnswerWords(query);
  BYTE a[48];
  if (!Exchange(r.bytes, r.length, a, 4 * words)) return FALSE;
  DWORD w[12];
  DecodeBE32Words(a, w, words);
  for (int i = 0; i < words; ++i) *out[i] = w[i];
  return TRUE;
}

}  // namespace

BOOL CDVBIoI2c::GetFEMachineState(DWORD& state) {
  DWORD* out[] = {&state};
  return RunFeQuery(kFeMachineState, out);
}

BOOL CDVBIoI2c::GetFELockState(DWORD& w0, DWORD& w1, DWORD& w2) {
  DWORD* out[] = {&w0, &w1, &w2};
  return RunFeQuery(kFeLockState, out);
}

BOOL CDVBIoI2c::GetFESignalInfo(DWORD& w0, DWORD& w1, DWORD& w2, DWORD& w3, DWORD& w4, DWORD& w5, DWORD& w6, DWORD& w7,
                                DWORD& w8, DWORD& w9, DWORD& w10, DWORD& w11) {
  DWORD* out[] = {&w0, &w1, &w2, &w3, &w4, &w5, &w6, &w7, &w8, &w9, &w10, &w11};
  return RunFeQuery(kFeSignalInfo, out);
}

WORD CDVBIoI2c::VTEnable(WORD pid) {
  if (NoBox()) return 0;
  CBoxRequest r(kVtEnable);
  r.Be16(pid);
  BYTE a[2];
  if (!Exchange(r.bytes, r.length, a, sizeof(a))) return 0;
  return byteorder::GetBE16(a);
}

namespace {

// Commands with a few BE16 parameters and no answer.
BOOL Simple(BYTE command, std::initializer_list<WORD> words) {
  if (NoBox()) return FALSE;
  CBoxRequest r(command);
  for (WORD w : words) r.Be16(w);
  return Exchange(r.bytes, r.length, nullptr, 0);
}

BOOL SimpleByte(BYTE command, BYTE value) {
  if (NoBox()) return FALSE;
  CBoxRequest r(command);
  r.Byte(value);
  return Exchange(r.bytes, r.length, nullptr, 0);
}

}  // namespace

BOOL CDVBIoI2c::VTDisable() { return Simple(kVtDisable, {}); }
BOOL CDVBIoI2c::VTModifySearchTable(WORD w0, WORD w1, WORD w2, WORD w3) {
  return Simple(kVtModifySearchTable, {w0, w1, w2, w3});
}
BOOL CDVBIoI2c::VTGetP29_P830(int value) { return Simple(kVtGetP29P830, {WORD(value)}); }
BOOL CDVBIoI2c::RPRecord(BYTE format) { return SimpleByte(kRecord, format); }
BOOL CDVBIoI2c::RPStop() { return Simple(kStop, {}); }
BOOL CDVBIoI2c::RPPlay(BYTE format) { return SimpleByte(kPlay, format); }
BOOL CDVBIoI2c::RPPause() { return Simple(kPause, {}); }
BOOL CDVBIoI2c::RPSlow(BYTE value) { return SimpleByte(kSlow, value); }
BOOL CDVBIoI2c::RPFast_IP() { return Simple(kFastIP, {}); }
BOOL CDVBIoI2c::RPFast_I() { return Simple(kFastI, {}); }
BOOL CDVBIoI2c::SetEPIntInState(int on) { return Simple(kSetIntInState, {WORD(on)}); }
