#include "SimBox.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "CommandLayouts.h"
#include "I2cSequence.h"
#include "MacBlock.h"

#include <cstdlib>
#include <cstring>

using namespace boxcommands;
using byteorder::GetBE16;
using byteorder::GetBE32;

namespace {

// Table entries: a parameter length the handler checks itself, an answer
// whose length depends on the request.
const int kChecked = -1;
const int kVaries = -1;

SimAnswer Empty() { return SimAnswer(); }
SimAnswer Refuse() {
  SimAnswer a;
  a.ok = false;
  return a;
}

void PushBE16(SimAnswer& a, WORD v) {
  a.bytes.push_back(BYTE(v >> 8));
  a.bytes.push_back(BYTE(v));
}

void PushBE32(SimAnswer& a, DWORD v) {
  PushBE16(a, WORD(v >> 16));
  PushBE16(a, WORD(v));
}

}  // namespace

const CSimBox::Entry CSimBox::kCommands[] = {
    // command             parameters            answer              handler
    {kSetGpio, 2, 2, &CSimBox::SetGpio},
    {kGetStbMode, 0, kStbModeAnswer, &CSimBox::GetMode},
    {kGetStbVersions, 0, kStbVersionsAnswer, &CSimBox::GetVersions},
    {kI2cCombined, kChecked, kVaries, &CSimBox::I2c},
    {kSetI2cBitRate, 1, 0, &CSimBox::BitRate},
    {kSetPids, 12, 4, &CSimBox::SetPids},
    {kSetVolume, 2, 1, &CSimBox::SetVolume},
    {kVideoOutputMode, 2, 0, &CSimBox::VideoWord},
    {kVideoStandard, 2, 0, &CSimBox::VideoWord},
    {kMonitorAspect, 2, 0, &CSimBox::VideoWord},
    {kStretchMode, 2, 0, &CSimBox::VideoWord},
    {kVideoStatus1, 0, kVideoStatusAnswer, &CSimBox::VideoStatus},
    {kVideoStatus2, 0, kVideoStatusAnswer, &CSimBox::VideoStatus},
    {kAudioChannel, 2, 0, &CSimBox::VideoWord},
    {kAudioStatus, 0, kAudioStatusAnswer, &CSimBox::AudioStatus},
    {kAddSectionFilter, kSectionFilterParams, 2, &CSimBox::AddSectionFilter},
    {kAddPipeFilter, 4, 2, &CSimBox::AddPipeFilter},
    {kDelFilter, 2, 2, &CSimBox::DelFilter},
    {kGetFeType, 0, 4, &CSimBox::FeType},
    {kSetChannel, kChecked, 4, &CSimBox::SetChannel},
    {kDiSEqC, kChecked, 4, &CSimBox::DiSEqC},
    {kFeQuery, kFeQueryParams, kVaries, &CSimBox::FeQuery},
    {kFeCommand, kChecked, kVaries, &CSimBox::FeCommand},
    {kFeCaps, 0, 9 * 4, &CSimBox::FeCaps},
    {kSetAntennaPower, 4, 4, &CSimBox::SetAntenna},
    {kGetAntennaPower, 0, 2 * 4, &CSimBox::GetAntenna},
    {kRecord, 1, 0, &CSimBox::RecPlay},
    {kStop, 0, 0, &CSimBox::RecPlay},
    {kPlay, 1, 0, &CSimBox::RecPlay},
    {kPause, 0, 0, &CSimBox::RecPlay},
    {kSlow, 1, 0, &CSimBox::RecPlay},
    {kFastIP, 0, 0, &CSimBox::RecPlay},
    {kFastI, 0, 0, &CSimBox::RecPlay},
    {kVtEnable, 2, 2, &CSimBox::VtEnable},
    {kVtDisable, 0, 0, &CSimBox::VtDisable},
    {kVtModifySearchTable, 8, 0, &CSimBox::VtSearch},
    {kVtGetP29P830, 2, 0, &CSimBox::VtP29},
    {kSetIntInState, 2, 0, &CSimBox::IntIn},
    {kUpdateHeader, kChecked, 1, &CSimBox::BootHeader},
    {kUpdateData, kChecked, 1, &CSimBox::BootData},
    {kUpdateStart, kChecked, 1, &CSimBox::BootStart},
};

namespace {
CSimBox::Observer g_observer = nullptr;
}

void CSimBox::SetObserver(Observer observer) { g_observer = observer; }

CSimBox::CSimBox() {
  m_bus.Attach(macblock::kEepromAddress, &m_eeprom);
  StoreMac(kMacFirst, kMacSecond);
  if (g_observer) g_observer(this, true);
}

CSimBox::~CSimBox() {
  if (g_observer) g_observer(this, false);
}

void CSimBox::StoreMac(DWORD first, DWORD second) {
  BYTE block[macblock::kScrambledSize];
  macblock::Scramble(first, second, block, rand);
  memcpy(m_eeprom.Contents() + macblock::kEepromOffset, block, sizeof(block));
}

SimAnswer CSimBox::Command(const BYTE* request, int length) {
  if (length < 1 || length > 1 + kMaxParams) {
    ++m_state.badRequests;
    return Refuse();
  }
  ++m_state.commands;
  m_current = request[0];
  if (CSimCam::IsCamCommand(request[0])) {
    SimAnswer a;
    a.ok = m_cam.Command(request[0], request + 1, length - 1, a.bytes);
    if (!a.ok) ++m_state.badRequests;
    return a;
  }
  for (const Entry& e : kCommands) {
    if (e.command != request[0]) continue;
    if (e.paramLength != kChecked && e.paramLength != length - 1) {
      ++m_state.badRequests;
      return Refuse();
    }
    SimAnswer a = (this->*e.handler)(request + 1, length - 1);
    // Each command answers with its layout's length.
    if (a.ok && e.answerLength != kVaries) a.bytes.resize(size_t(e.answerLength));
    return a;
  }
  return Refuse();  // a command this firmware does not know
}

void CSimBox::BulkCommandOut(const BYTE* data, int length) {
  size_t dropped = m_reader.DroppedBytes();
  m_reader.Feed(data, size_t(length));
  m_state.frameErrors += int(m_reader.DroppedBytes() - dropped);
  bulkframe::Frame frame;
  while (m_reader.Next(frame)) {
    ++m_state.frames;
    m_frames.push_back(frame);
    if (frame.command == bulkframe::kReset) {
      if (m_lastResetSequence >= 0 && frame.sequence != BYTE(m_lastResetSequence + 1)) ++m_state.frameErrors;
      m_lastResetSequence = frame.sequence;
      if (frame.length != 1) {
        ++m_state.frameErrors;
        continue;
      }
      ++m_state.resets;
      m_state.lastResetMode = frame.payload[0];
      if (frame.payload[0] == 0) m_state.mode[0] = 0;
    } else if (frame.command == bulkframe::kFlashData) {
      if (frame.sequence != BYTE(m_nextFlashSequence)) ++m_state.frameErrors;
      m_nextFlashSequence = frame.sequence + 1;
      m_boot.Frame(frame);
    } else {
      ++m_state.frameErrors;
    }
  }
}

SimAnswer CSimBox::SetGpio(const BYTE* p, int) {
  SimAnswer a;
  a.bytes = {p[0], 0};
  if (p[0] >= m_state.gpioOutputs || p[0] >= sizeof(m_state.gpio))
    a.bytes[1] = i2csequence::kGpioRefused;
  else
    m_state.gpio[p[0]] = p[1];
  return a;
}

SimAnswer CSimBox::GetMode(const BYTE*, int) {
  SimAnswer a;
  for (DWORD w : m_state.mode) PushBE32(a, w);
  return a;
}

SimAnswer CSimBox::GetVersions(const BYTE*, int) {
  SimAnswer a;
  for (WORD w : m_state.versions) PushBE16(a, w);
  return a;
}

SimAnswer CSimBox::I2c(const BYTE* p, int n) {
  i2csequence::Request r;
  if (!i2csequence::ParseRequest(p, n, r) || n != i2csequence::kHeaderSize + r.writeCount) {
    ++m_state.badRequests;
    return Refuse();
  }
  SimAnswer a;
  BYTE read[i2csequence::kMaxTransfer] = {};
  if (r.readBit || !m_bus.Transfer(r.address, r.write, r.writeCount, read, r.readCount)) {
    // A NAK: the firmware reports the address byte with bit 0 set and
    // nothing transferred.
    a.bytes = {BYTE(p[0] | 1), 0, 0};
    a.bytes.resize(size_t(i2csequence::kHeaderSize + r.readCount));
    return a;
  }
  a.bytes = {p[0], p[1], p[2]};
  if (m_bus.TakeEchoFault()) a.bytes[2] = BYTE(p[2] + 1);
  a.bytes.insert(a.bytes.end(), read, read + r.readCount);
  return a;
}

SimAnswer CSimBox::BitRate(const BYTE* p, int) {
  m_state.fastI2c = p[0];
  m_bus.SetRate(p[0] ? 400 : 100);
  return Empty();
}

SimAnswer CSimBox::SetPids(const BYTE* p, int) {
  for (int i = 0; i < 6; ++i) m_state.pids[i] = GetBE16(p + 2 * i);
  SimAnswer a;
  PushBE32(a, m_state.pidAnswer);
  return a;
}

SimAnswer CSimBox::SetVolume(const BYTE* p, int) {
  m_state.volume[0] = p[0];
  m_state.volume[1] = p[1];
  SimAnswer a;
  a.bytes = {m_state.volumeAnswer};
  return a;
}

SimAnswer CSimBox::VideoWord(const BYTE* p, int) {
  WORD v = GetBE16(p);
  switch (m_current) {
    case kVideoOutputMode: m_state.videoOutputMode = v; break;
    case kVideoStandard: m_state.videoStandard = v; break;
    case kMonitorAspect: m_state.monitorAspect = v; break;
    case kStretchMode: m_state.stretchMode = v; break;
    case kAudioChannel: m_state.audioChannel = v; break;
  }
  return Empty();
}

SimAnswer CSimBox::VideoStatus(const BYTE*, int) {
  const int kWords = kVideoStatusAnswer / 2;  // each half
  SimAnswer a;
  int first = m_current == kVideoStatus1 ? 0 : kWords;
  for (int i = 0; i < kWords; ++i) PushBE16(a, m_state.videoStatus[first + i]);
  return a;
}

SimAnswer CSimBox::AudioStatus(const BYTE*, int) {
  SimAnswer a;
  for (WORD w : m_state.audioStatus) PushBE16(a, w);
  return a;
}

int CSimBox::AllocateFilter() {
  int used = 0;
  for (const auto& f : m_state.filters) used += f.used;
  if (used >= m_state.filterLimit) return -1;
  for (int i = 0; i < SimBoxState::kFilters; ++i)
    if (!m_state.filters[i].used) return i;
  return -1;
}

SimAnswer CSimBox::AddFilter(bool usable, const SimBoxState::Filter& filter) {
  SimAnswer a;
  int slot = usable ? AllocateFilter() : -1;
  if (slot < 0) {
    PushBE16(a, 0xFFFF);
    return a;
  }
  m_state.filters[slot] = filter;
  PushBE16(a, WORD(m_state.filterNumberBase + slot));
  return a;
}

SimAnswer CSimBox::AddSectionFilter(const BYTE* p, int) {
  SimBoxState::Filter f;
  f.used = 1;
  f.section = 1;
  f.pid = GetBE16(p);
  f.mode = GetBE16(p + 2);
  memcpy(f.params, p, kSectionFilterParams);
  return AddFilter(f.pid <= kMaxPid && p[4] <= kMaxSectionFilterLength, f);
}

SimAnswer CSimBox::AddPipeFilter(const BYTE* p, int) {
  SimBoxState::Filter f;
  f.used = 1;
  f.pid = GetBE16(p);
  f.value = GetBE16(p + 2);
  return AddFilter(f.pid <= kMaxPid, f);
}

SimAnswer CSimBox::DelFilter(const BYTE* p, int) {
  SimAnswer a;
  WORD number = GetBE16(p);
  int index = int(number) - m_state.filterNumberBase;
  if (index < 0 || index >= SimBoxState::kFilters || !m_state.filters[index].used) {
    PushBE16(a, 0xFFFF);
    return a;
  }
  m_state.filters[index] = SimBoxState::Filter();
  PushBE16(a, number);
  return a;
}

SimAnswer CSimBox::FeType(const BYTE*, int) {
  SimAnswer a;
  PushBE32(a, m_state.feType);
  return a;
}

SimAnswer CSimBox::SetChannel(const BYTE* p, int n) {
  // The type word, then nine words (satellite) or five (cable, terrestrial),
  // all big-endian.
  DWORD type = n >= 4 ? GetBE32(p) : 0;
  int words = type == 1 ? 9 : (type == 2 || type == 3) ? 5 : -1;
  if (words < 0 || n != 4 + 4 * words) {
    ++m_state.badRequests;
    return Refuse();
  }
  SimAnswer a;
  PushBE32(a, m_state.channelAnswer);
  if (m_state.channelAnswer != 0) return a;
  m_state.channelType = type;
  memset(m_state.channel, 0, sizeof(m_state.channel));
  for (int i = 0; i < words; ++i) m_state.channel[i] = GetBE32(p + 4 + 4 * i);
  ++m_state.tunes;
  m_tuningPollsLeft = m_state.feTuningPolls;
  if (m_state.feAirFrequency) {
    DWORD f = m_state.channel[0];
    DWORD off = f > m_state.feAirFrequency ? f - m_state.feAirFrequency : m_state.feAirFrequency - f;
    DWORD locked = off <= m_state.feCaptureKHz ? 1 : 0;
    m_state.feLock[0] = m_state.feSignal[0] = 0;
    m_state.feLock[1] = m_state.feSignal[1] = locked;
    m_state.feLock[2] = m_state.feSignal[2] = f;
  }
  return a;
}

SimAnswer CSimBox::DiSEqC(const BYTE* p, int n) {
  if (n < i2csequence::kDiSEqCHeader || n > i2csequence::kDiSEqCHeader + i2csequence::kMaxDiSEqC || p[0] || p[2] ||
      p[3]) {
    ++m_state.badRequests;
    return Refuse();
  }
  m_state.diseqcMode = p[1];
  m_state.diseqcLength = BYTE(n - i2csequence::kDiSEqCHeader);
  memset(m_state.diseqcMessage, 0, sizeof(m_state.diseqcMessage));
  memcpy(m_state.diseqcMessage, p + i2csequence::kDiSEqCHeader, m_state.diseqcLength);
  ++m_state.diseqcCount;
  SimAnswer a;
  PushBE32(a, m_state.diseqcStatus);
  return a;
}

SimAnswer CSimBox::FeQuery(const BYTE* p, int n) {
  SimAnswer a;
  switch (ParseFeQuery(p, n)) {
    case kFeMachineState:
      if (m_tuningPollsLeft > 0) {
        --m_tuningPollsLeft;
        PushBE32(a, 2);
      } else {
        PushBE32(a, m_state.feMachineState);
      }
      break;
    case kFeLockState:
      for (DWORD w : m_state.feLock) PushBE32(a, w);
      break;
    case kFeSignalInfo:
      for (DWORD w : m_state.feSignal) PushBE32(a, w);
      break;
    default: ++m_state.badRequests; return Refuse();
  }
  return a;
}

SimAnswer CSimBox::FeCaps(const BYTE*, int) {
  SimAnswer a;
  for (DWORD w : m_state.feCaps) PushBE32(a, w);
  return a;
}

SimAnswer CSimBox::SetAntenna(const BYTE* p, int) {
  m_state.antennaPower = GetBE32(p);
  SimAnswer a;
  PushBE32(a, m_state.antennaAnswer);
  return a;
}

SimAnswer CSimBox::GetAntenna(const BYTE*, int) {
  SimAnswer a;
  PushBE32(a, m_state.antennaValid);
  PushBE32(a, m_state.antennaPower);
  return a;
}

SimAnswer CSimBox::FeCommand(const BYTE* p, int n) {
  if (n < 1) {
    ++m_state.badRequests;
    return Refuse();
  }
  SimAnswer a;
  if (m_state.feCommandAnswerLength == 0xFF)
    a.bytes.assign(p, p + n);
  else
    a.bytes.assign(m_state.feCommandAnswer, m_state.feCommandAnswer + (m_state.feCommandAnswerLength % 61));
  return a;
}

SimAnswer CSimBox::RecPlay(const BYTE* p, int n) {
  m_state.lastRecPlay = m_current;
  m_state.recPlayArg = n ? p[0] : 0;
  return Empty();
}

SimAnswer CSimBox::VtEnable(const BYTE* p, int) {
  m_state.vtPid = GetBE16(p);
  m_state.vtOn = m_state.vtAnswer != 0;
  SimAnswer a;
  PushBE16(a, m_state.vtAnswer);
  return a;
}

SimAnswer CSimBox::VtDisable(const BYTE*, int) {
  m_state.vtOn = 0;
  return Empty();
}

SimAnswer CSimBox::VtSearch(const BYTE* p, int) {
  for (int i = 0; i < 4; ++i) m_state.vtSearch[i] = GetBE16(p + 2 * i);
  return Empty();
}

SimAnswer CSimBox::VtP29(const BYTE* p, int) {
  m_state.vtP29 = GetBE16(p);
  return Empty();
}

SimAnswer CSimBox::IntIn(const BYTE* p, int) {
  m_state.intInState = GetBE16(p);
  return Empty();
}

SimAnswer CSimBox::BootHeader(const BYTE* p, int n) {
  SimAnswer a;
  a.bytes = {m_boot.Header(p, n)};
  if (a.bytes[0]) m_nextFlashSequence = 0;  // pieces count from 0 for each image
  return a;
}

// Image data through the command channel is not how this box loads.
SimAnswer CSimBox::BootData(const BYTE*, int) {
  SimAnswer a;
  a.bytes = {0};
  return a;
}

SimAnswer CSimBox::BootStart(const BYTE* p, int n) {
  SimAnswer a;
  a.bytes = {m_boot.Start(p, n)};
  return a;
}
