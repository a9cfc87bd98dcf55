#include "DVBComnIF.h"

#include "ByteOrder.h"
#include "CiCommands.h"
#include "CiMessage.h"
#include "CiText.h"
#include "ConsumerLink.h"
#include "DVBCommon.h"
#include "DVBIoI2c.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace cicommands;

namespace {

const DWORD kRing = 64000;

// One box command of the common interface: 7 when it fails, else 0.
DVB_ERROR SendCICommand(BYTE command, BYTE* data, BYTE length, BYTE* reply = nullptr, BYTE replyLength = 0) {
  return CDVBIoI2c::SendCommand(command, data, length, reply, replyLength) == 0xFF ? DVB_ERR_NO_ANSWER : DVB_ERR_NONE;
}

// A command whose one parameter byte names the CAM slot (numbered from 1).
DVB_ERROR SlotCommand(BYTE command, BYTE slot) {
  BYTE p[] = {BYTE(slot + 1)};
  return SendCICommand(command, p, sizeof(p));
}

// A command whose parameter is a program number, big-endian.
DVB_ERROR ProgramCommand(BYTE command, WORD program) {
  BYTE p[2];
  byteorder::PutBE16(p, program);
  return SendCICommand(command, p, sizeof(p));
}

}  // namespace

// Routes the decoded messages to the object's virtual handlers.
class CDVBComnIF::CHandlerCalls final : public cimessage::ICiMessageHandler {
 public:
  explicit CHandlerCalls(CDVBComnIF& target) : m_t(target) {}
  void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info) override { m_t.OnSlotStatus(slot, status, info); }
  void OnCAStatus(BYTE slot, BYTE tag, WORD value) override { m_t.OnCAStatus(slot, tag, value); }
  void OnDisplayString(BYTE slot, char* text, WORD length) override { m_t.OnDisplayString(slot, text, length); }
  void OnDisplayMenu(BYTE slot, WORD value, char* text, WORD length) override {
    m_t.OnDisplayMenu(slot, value, text, length);
  }
  void OnDisplayList(BYTE slot, WORD value, char* text, WORD length) override {
    m_t.OnDisplayList(slot, value, text, length);
  }
  void OnSwitchOsdOff(BYTE slot) override { m_t.OnSwitchOsdOff(slot); }
  void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD keys) override {
    m_t.OnInputRequest(slot, blind, answerLength, keys);
  }
  void OnLscSetDescriptor(BYTE slot, _typ_ConnectionDesc* descriptor) override {
    m_t.OnLscSetDescriptor(slot, descriptor);
  }
  void OnLscConnect(BYTE slot) override { m_t.OnLscConnect(slot); }
  void OnLscDisconnect(BYTE slot) override { m_t.OnLscDisconnect(slot); }
  void OnLscSetParams(BYTE slot, BYTE bufferSize, BYTE timeout) override {
    m_t.OnLscSetParams(slot, bufferSize, timeout);
  }
  void OnLscEnquireStatus(BYTE slot) override { m_t.OnLscEnquireStatus(slot); }
  void OnLscGetNextBuffer(BYTE slot, BYTE phaseId) override { m_t.OnLscGetNextBuffer(slot, phaseId); }
  void OnLscTransmitBuffer(BYTE slot, BYTE phaseId, BYTE* data, WORD length) override {
    m_t.OnLscTransmitBuffer(slot, phaseId, data, length);
  }

 private:
  CDVBComnIF& m_t;
};

CDVBComnIF::CDVBComnIF() : m_pConsumer(new CConsumerLink(kRing, this, HandlePacket)), m_bSlot(0) {}

CDVBComnIF::~CDVBComnIF() {
  StopDelivery();
  if (m_bSlot && CDVBCommon::IsOpen()) SendCICommand(kCloseLink, nullptr, 0);
  m_bSlot = 0;
  delete m_pConsumer;
}

void CDVBComnIF::StopDelivery() {
  // A superseded object leaves the slot, and the box's link, to the object
  // that took them over.
  if (m_pConsumer->OtherHolds(m_bSlot)) m_bSlot = 0;
  m_pConsumer->Shutdown();
}

void CDVBComnIF::OnSlotStatus(BYTE, BYTE, _typ_SlotInfo*) {}
void CDVBComnIF::OnCAStatus(BYTE, BYTE, WORD) {}
void CDVBComnIF::OnDisplayString(BYTE, char*, WORD) {}
void CDVBComnIF::OnDisplayMenu(BYTE, WORD, char*, WORD) {}
void CDVBComnIF::OnDisplayList(BYTE, WORD, char*, WORD) {}
void CDVBComnIF::OnSwitchOsdOff(BYTE) {}
void CDVBComnIF::OnInputRequest(BYTE, int, BYTE, DWORD) {}
void CDVBComnIF::OnTune(BYTE, WORD, WORD, WORD, WORD) {}
void CDVBComnIF::OnReplace(BYTE, BYTE, WORD, WORD) {}
void CDVBComnIF::OnClearReplace(BYTE, BYTE) {}
void CDVBComnIF::OnLscSetDescriptor(BYTE, _typ_ConnectionDesc*) {}
void CDVBComnIF::OnLscConnect(BYTE) {}
void CDVBComnIF::OnLscDisconnect(BYTE) {}
void CDVBComnIF::OnLscSetParams(BYTE, BYTE, BYTE) {}
void CDVBComnIF::OnLscEnquireStatus(BYTE) {}
void CDVBComnIF::OnLscGetNextBuffer(BYTE, BYTE) {}
void CDVBComnIF::OnLscTransmitBuffer(BYTE, BYTE, BYTE*, WORD) {}

DVB_ERROR CDVBComnIF::Open() {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (m_bSlot) {
    DVB_ERROR result = Close();
    if (result != DVB_ERR_NONE) return result;
  }
  int registered = m_pConsumer->RegisterSlot(kStreamSlot);
  if (registered) return DVB_ERROR(registered);
  m_bSlot = kStreamSlot;
  BYTE reply = 0;
  DVB_ERROR result = SendCICommand(kOpenLink, nullptr, 0, &reply, 1);
  if (result != DVB_ERR_NONE) return result;
  return reply == 0 ? DVB_ERR_REFUSED : DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::Close() {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (!m_bSlot) return DVB_ERR_STATE;
  if (m_pConsumer->GetSlot()) {
    int result = m_pConsumer->UnregisterSlot();
    if (result) return DVB_ERROR(result);
  }
  // A failed command leaves the link open on this side too, so that a
  // second Close can tell the box.
  DVB_ERROR result = SendCICommand(kCloseLink, nullptr, 0);
  if (result != DVB_ERR_NONE) return result;
  m_bSlot = 0;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::MenuAnswer(BYTE slot, BYTE choice) {
  BYTE p[] = {BYTE(slot + 1), choice};
  return SendCICommand(kMenuAnswer, p, sizeof(p));
}

DVB_ERROR CDVBComnIF::SetProgram(WORD program) { return ProgramCommand(kSetProgram, program); }

DVB_ERROR CDVBComnIF::EnterModuleMenu(BYTE slot) {
  for (int mmi = 0; mmi < kMmiSlots; ++mmi) CloseMMI(BYTE(mmi));
  Sleep(kEnterMenuPauseMs);
  return SlotCommand(kEnterMenu, slot);
}

DVB_ERROR CDVBComnIF::ReadPSIFast(WORD program) { return ProgramCommand(kReadPsiFast, program); }

DVB_ERROR CDVBComnIF::GetSlotStatus(BYTE slot) { return SlotCommand(kGetSlotStatus, slot); }

DVB_ERROR CDVBComnIF::CloseMMI(BYTE slot) { return SlotCommand(kCloseMmi, slot); }

DVB_ERROR CDVBComnIF::Answer(BYTE slot, char* text, BYTE length) {
  const int n = text ? std::min<int>(length, kMaxAnswerText) : 0;
  BYTE p[2 + kMaxAnswerText];
  p[0] = BYTE(slot + 1);
  p[1] = BYTE(n);
  if (n) memcpy(p + 2, text, size_t(n));
  return SendCICommand(kAnswer, p, BYTE(2 + n));
}

DVB_ERROR CDVBComnIF::CommsReply(BYTE slot, BYTE id, BYTE value) {
  BYTE p[] = {BYTE(slot + 1), id, value};
  return SendCICommand(kCommsReply, p, sizeof(p));
}

DVB_ERROR CDVBComnIF::DataReceived(BYTE slot, BYTE phaseId, BYTE* data, WORD length) {
  if (length > kMaxData) return DVB_ERR_ARGUMENT;
  if (!data) length = 0;
  // The pieces' results are ignored: the closing command tells the box how
  // much to expect.
  for (int at = 0; at < length; at += kDataChunkBytes) {
    const int n = std::min(kDataChunkBytes, length - at);
    BYTE chunk[1 + kDataChunkBytes];
    chunk[0] = BYTE(at);
    memcpy(chunk + 1, data + at, size_t(n));
    SendCICommand(kDataChunk, chunk, BYTE(1 + n));
  }
  BYTE end[] = {BYTE(slot + 1), phaseId, BYTE(length)};
  return SendCICommand(kDataEnd, end, sizeof(end));
}

DVB_ERROR CDVBComnIF::AskRelease() { return SendCICommand(kAskRelease, nullptr, 0); }

DVB_ERROR CDVBComnIF::GetCIVersion(CString& first, CString& second) {
  BYTE reply[citext::kVersionReply] = {};
  DVB_ERROR result = SendCICommand(kGetVersion, nullptr, 0, reply, sizeof(reply));
  if (result != DVB_ERR_NONE) return result;
  citext::SplitVersion(reply, first, second);
  return DVB_ERR_NONE;
}

int CDVBComnIF::ConvertCharBuf(CString& text, int length) { return citext::ConvertCharBuf(text, length); }

void CDVBComnIF::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (context) static_cast<CDVBComnIF*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CDVBComnIF::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  m_pConsumer->TSCallback(kind, slot, data, length, flag);
}

int CDVBComnIF::StartThread(int priority) { return m_pConsumer->StartThread(priority); }
int CDVBComnIF::StopThread(DWORD timeoutMs) { return m_pConsumer->StopThread(timeoutMs); }
int CDVBComnIF::IsRunning() { return m_pConsumer->IsRunning(); }

void CDVBComnIF::ProcessCiData(BYTE* message, int length) {
  // A copy with a zero after the message's end: a text that an application
  // reads as zero-terminated strings ends inside it, whatever the box sent.
  // Malformed messages are dropped by the parser.
  std::vector<BYTE> held(message, message + length);
  held.push_back(0);
  CHandlerCalls calls(*this);
  cimessage::ParseCiMessage(held.data(), length, calls);
}

void CDVBComnIF::HandlePacket(void* object, const PacketDesc& packet) {
  auto* self = static_cast<CDVBComnIF*>(object);
  if (packet.length && packet.slot == self->m_bSlot) self->ProcessCiData(packet.data, int(packet.length));
}
