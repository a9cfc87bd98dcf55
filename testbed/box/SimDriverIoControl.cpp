// The driver's I/O controls, one table row each (code, input and output
// sizes, handler) in the order of the driver's control list, and the pipe
// and stream transfers they make.
#include "SimDriver.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "DriverIoctl.h"
#include "SimDriverStatus.h"

#include <algorithm>
#include <cstring>
#include <iterator>

using namespace driverioctl;
using namespace simstatus;

namespace {

// A configuration with one interface and the box's endpoints: bulk command
// out/in, bulk stream out/in, isochronous in/out, interrupt out/in.
const BYTE kConfigDescriptor[] = {
    9,    2,    74, 0,    1,    1,    0,    0x80, 0xFA, 9,  4,    0,    0,    8,    0xFF, 0,    0,  0,    7,
    5,    0x01, 2,  0x40, 0x00, 0,    7,    5,    0x81, 2,  0x40, 0x00, 0,    7,    5,    0x02, 2,  0x40, 0x00,
    0,    7,    5,  0x82, 2,    0x40, 0x00, 0,    7,    5,  0x83, 1,    0x00, 0x04, 1,    7,    5,  0x03, 1,
    0x00, 0x04, 1,  7,    5,    0x04, 3,    0x08, 0x00, 10, 7,    5,    0x84, 3,    0x08, 0x00, 10,
};
static_assert(sizeof(kConfigDescriptor) == 74, "total length");

const DWORD kDriverVersion = 0x00020105;
const DWORD kInterruptMessage = 8;

// Alternate settings 1-6 carry the isochronous output only, 7-12 the input
// only, 13 and above both.
bool SettingHasInput(DWORD s) { return s >= 7; }
bool SettingHasOutput(DWORD s) { return (s >= 1 && s <= 6) || s >= 13; }

// Input sizes other than a fixed count: a control that reads no input
// (whatever the caller passes is ignored), one that takes the bytes to send.
const int kNoInput = -1;
const int kAnyInput = -2;
// Output of a size the call decides (the box's answer, a pipe's data), cut
// to the caller's buffer.
const int kVaries = -1;

}  // namespace

const CSimDriver::IoControl CSimDriver::kIoControls[] = {
    // code                   input      output                     handler
    {kGetConfigDescriptor, kNoInput, sizeof(kConfigDescriptor), &CSimDriver::GetConfigDescriptor},
    {kResetDevice, kNoInput, 0, &CSimDriver::NoOperation},
    {kAbortPipe, 4, 0, &CSimDriver::AbortPipe},
    {kResetPipe, 4, 0, &CSimDriver::ResetPipe},
    {kWriteBulkCmdOut, kAnyInput, 0, &CSimDriver::WriteBulkCmdOut},
    {kReadBulkCmdIn, kNoInput, kVaries, &CSimDriver::ReadBulkCmdIn},
    {kWriteBulkStrmOut, kAnyInput, 0, &CSimDriver::WritePipe},
    {kReadBulkStrmIn, kNoInput, kVaries, &CSimDriver::ReadBulkStrmIn},
    {kWriteIntCtrlOut, kAnyInput, 0, &CSimDriver::WritePipe},
    {kReadIntCtrlIn, kNoInput, kVaries, &CSimDriver::ReadIntCtrlIn},
    {kCommandChannel, kAnyInput, kVaries, &CSimDriver::CommandChannel},
    {kSelectAlternateSetting, 4, 0, &CSimDriver::SelectAlternateSetting},
    {kSwitchIsoInStream, 4, 0, &CSimDriver::SwitchIsoInStream},
    {kGetUsbBandWidth, kNoInput, 8, &CSimDriver::GetUsbBandWidth},
    {kGetUsbDeviceIds, kNoInput, kDeviceDescriptorSize, &CSimDriver::GetUsbDeviceIds},
    {kSetupReadEvent, 4, 0, &CSimDriver::SetupReadEvent},
    {kGetDriverStatus, kNoInput, 4 * kDriverStatusWords, &CSimDriver::GetDriverStatus},
    {kSetPipeTimeout, 8, 0, &CSimDriver::SetPipeTimeout},
    {kSwitchIsoOutStream, 4, 0, &CSimDriver::SwitchIsoOutStream},
    {kSetupWriteEvent, 4, 0, &CSimDriver::SetupWriteEvent},
    {kResetDriver, kNoInput, 0, &CSimDriver::NoOperation},
    {kGetAlternateSetting, kNoInput, 4, &CSimDriver::GetAlternateSetting},
    {kSetThreshold, 4, 0, &CSimDriver::SetThreshold},
    {kClearBuffer, kNoInput, 0, &CSimDriver::ClearBuffer},
    {kGetDriverVersion, kNoInput, 4, &CSimDriver::GetDriverVersion},
};

DWORD CSimDriver::IoRequest::Word(int i) const { return byteorder::GetLE32(in + 4 * i); }

CSimDriver::Outcome CSimDriver::HandleIoControl(DWORD code, const BYTE* in, DWORD inSize, DWORD outSize) {
  Outcome o;
  const IoControl* control = std::find_if(std::begin(kIoControls), std::end(kIoControls),
                                          [code](const IoControl& c) { return c.code == code; });
  if (control == std::end(kIoControls)) {
    o.status = kInvalidDeviceRequest;
  } else if (control->input >= 0 && inSize != DWORD(control->input)) {
    o.status = kInvalidParameter;
  } else {
    if (control->output > 0) o.data.assign(size_t(control->output), 0);
    (this->*control->handler)(IoRequest{in, inSize, outSize}, o);
  }
  return o;
}

// ---- Pipes and streams -------------------------------------------------------

CSimDriver::Outcome CSimDriver::PipeRead(int pipe, DWORD size) {
  Outcome o;
  if (m_pipeData[pipe].empty()) {
    o.waitPipe = pipe;
    return o;
  }
  DWORD limit = pipe == kPipeIntCtrlIn ? std::min(size, kInterruptMessage) : size;
  std::deque<BYTE>& q = m_pipeData[pipe];
  DWORD n = std::min<DWORD>(limit, DWORD(q.size()));
  o.data.assign(q.begin(), q.begin() + n);
  q.erase(q.begin(), q.begin() + n);
  m_counters[kPipeBytesIn] += n;
  return o;
}

void CSimDriver::TakePipeData(Pending& p, int pipe) {
  Outcome o = PipeRead(pipe, p.outputSize);
  p.data = o.data;
  p.bytes = DWORD(p.data.size());
  p.status = kSuccess;
  p.waitPipe = -1;
  p.due = Now();
}

CSimDriver::Outcome CSimDriver::StreamRead(DWORD size) {
  // The isochronous input: whatever has arrived, possibly nothing.
  Outcome o;
  std::deque<BYTE>& q = m_pipeData[kPipeIsoIn];
  DWORD n = Streaming() ? std::min<DWORD>(size, DWORD(q.size())) : 0;
  o.data.assign(q.begin(), q.begin() + n);
  q.erase(q.begin(), q.begin() + n);
  m_counters[kStreamBytes] += n;
  return o;
}

CSimDriver::Outcome CSimDriver::StreamWrite(const BYTE* data, DWORD size) {
  Outcome o;
  if (!m_isoOut) {
    o.status = kUnsuccessful;
  } else {
    o.bytes = size;
    o.reportData = false;
    if (m_player.Accept(data, size, Now())) {
      m_counters[kStreamBytes] += size;
    } else {
      // The player is full: the writer waits for the write event.
      o.status = kDeviceBusy;
      o.bytes = 0;
      SetEvent(m_wake);
    }
  }
  return o;
}

void CSimDriver::SignalReadEvent() {
  if (m_readEvent) SetEvent(m_readEvent);
}

// ---- The handlers --------------------------------------------------------------

bool CSimDriver::PipeOf(const IoRequest& r, Outcome& o, DWORD& pipe) {
  pipe = r.Word(0);
  if (pipe < kPipeCount) return true;
  o.status = kInvalidParameter;
  return false;
}

bool CSimDriver::SwitchStream(const IoRequest& r, Outcome& o, bool (*carried)(DWORD setting), BOOL& on) {
  if (r.Word(0) && !carried(m_alternateSetting)) {
    o.status = kUnsuccessful;
    return false;
  }
  on = r.Word(0) != 0;
  return true;
}

void CSimDriver::GetConfigDescriptor(const IoRequest&, Outcome& o) {
  memcpy(o.data.data(), kConfigDescriptor, sizeof(kConfigDescriptor));
}

void CSimDriver::NoOperation(const IoRequest&, Outcome&) {}

void CSimDriver::AbortPipe(const IoRequest& r, Outcome& o) {
  DWORD pipe;
  if (!PipeOf(r, o, pipe)) return;
  for (Pending& p : m_pending) {
    if (p.waitPipe == int(pipe)) {
      p.status = kCancelled;
      p.waitPipe = -1;
      p.due = Now();
    }
  }
}

void CSimDriver::ResetPipe(const IoRequest& r, Outcome& o) {
  AbortPipe(r, o);
  if (o.status == kSuccess) m_pipeData[r.Word(0)].clear();
}

void CSimDriver::WriteBulkCmdOut(const IoRequest& r, Outcome& o) {
  m_box->BulkCommandOut(r.in, int(r.inSize));
  WritePipe(r, o);
  o.delayMs = m_bulkLatency;
}

void CSimDriver::WritePipe(const IoRequest& r, Outcome& o) {
  o.bytes = r.inSize;
  o.reportData = false;
  m_counters[kPipeBytesOut] += r.inSize;
}

void CSimDriver::ReadBulkCmdIn(const IoRequest& r, Outcome& o) { o = PipeRead(kPipeBulkCmdIn, r.outSize); }

void CSimDriver::ReadBulkStrmIn(const IoRequest& r, Outcome& o) { o = PipeRead(kPipeBulkStrmIn, r.outSize); }

void CSimDriver::ReadIntCtrlIn(const IoRequest& r, Outcome& o) { o = PipeRead(kPipeIntCtrlIn, r.outSize); }

void CSimDriver::CommandChannel(const IoRequest& r, Outcome& o) {
  ++m_counters[kCommands];
  SimAnswer a = m_box->Command(r.in, int(r.inSize));
  if (BYTE letter = m_box->Boot().TakeStart()) BeginReboot(letter);
  if (!a.ok) o.status = kUnsuccessful;
  o.data = a.bytes;
  o.delayMs = m_commandLatency;
  if (a.ok && r.inSize == 2 && r.in[0] == boxcommands::kRecord) StartRecorder(r.in[1]);
  if (a.ok && r.inSize >= 1 && r.in[0] == boxcommands::kStop) m_recorderPending.clear();  // stops sending
  if (a.ok && r.inSize >= 1 && r.in[0] >= boxcommands::kStop && r.in[0] <= boxcommands::kFastI) {
    m_player.Command(r.in[0], r.inSize > 1 ? r.in[1] : 0, Now());
    SetEvent(m_wake);  // the drain may have started or stopped
  }
  SendCamMessages();
}

void CSimDriver::SelectAlternateSetting(const IoRequest& r, Outcome& o) {
  if (r.Word(0) > 31) {
    o.status = kInvalidParameter;
    return;
  }
  m_alternateSetting = r.Word(0);
  if (!SettingHasInput(m_alternateSetting)) m_isoIn = FALSE;
  if (!SettingHasOutput(m_alternateSetting)) m_isoOut = FALSE;
}

void CSimDriver::SwitchIsoInStream(const IoRequest& r, Outcome& o) {
  if (SwitchStream(r, o, SettingHasInput, m_isoIn) && Streaming() && !m_pipeData[kPipeIsoIn].empty()) SignalReadEvent();
}

void CSimDriver::SwitchIsoOutStream(const IoRequest& r, Outcome& o) {
  if (SwitchStream(r, o, SettingHasOutput, m_isoOut) && m_isoOut && m_writeEvent) SetEvent(m_writeEvent);
}

void CSimDriver::GetUsbBandWidth(const IoRequest&, Outcome& o) {
  // Bytes per frame the setting reserves, and the frame rate.
  byteorder::PutLE32(&o.data[0], m_alternateSetting * 1023);
  byteorder::PutLE32(&o.data[4], 1000);
}

void CSimDriver::GetUsbDeviceIds(const IoRequest&, Outcome& o) {
  const BYTE head[] = {18, 1, 0x00, 0x02, 0xFF, 0, 0, 64};
  BYTE* d = o.data.data();
  memcpy(d, head, sizeof(head));
  byteorder::PutLE16(d + 8, m_vendor);
  byteorder::PutLE16(d + 10, m_product);
  d[12] = 0x01;
  d[17] = 1;
}

void CSimDriver::SetupReadEvent(const IoRequest& r, Outcome&) {
  m_readEvent = reinterpret_cast<HANDLE>(UINT_PTR(r.Word(0)));
}

void CSimDriver::SetupWriteEvent(const IoRequest& r, Outcome&) {
  m_writeEvent = reinterpret_cast<HANDLE>(UINT_PTR(r.Word(0)));
}

void CSimDriver::GetDriverStatus(const IoRequest&, Outcome& o) {
  // The words' meaning is this driver's own: setting, stream switches,
  // traffic counters, threshold; the rest 0.
  const DWORD words[] = {m_alternateSetting,       DWORD(m_isoIn),
                         DWORD(m_isoOut),          m_counters[kCommands],
                         m_counters[kPipeBytesIn], m_counters[kPipeBytesOut],
                         m_counters[kStreamBytes], m_threshold};
  static_assert(std::size(words) <= size_t(kDriverStatusWords), "status words");
  for (size_t i = 0; i < std::size(words); ++i) byteorder::PutLE32(&o.data[4 * i], words[i]);
}

void CSimDriver::SetPipeTimeout(const IoRequest& r, Outcome& o) {
  DWORD pipe;
  if (PipeOf(r, o, pipe)) m_pipeTimeout[pipe] = r.Word(1);
}

void CSimDriver::GetAlternateSetting(const IoRequest&, Outcome& o) {
  byteorder::PutLE32(o.data.data(), m_alternateSetting);
}

void CSimDriver::SetThreshold(const IoRequest& r, Outcome&) {
  m_threshold = r.Word(0);
  m_player.SetLimit(m_threshold);
}

void CSimDriver::ClearBuffer(const IoRequest&, Outcome&) { m_pipeData[kPipeIsoIn].clear(); }

void CSimDriver::GetDriverVersion(const IoRequest&, Outcome& o) { byteorder::PutLE32(o.data.data(), kDriverVersion); }
