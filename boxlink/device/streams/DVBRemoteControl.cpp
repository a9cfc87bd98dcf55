#include "DVBRemoteControl.h"

#include "ConsumerLink.h"
#include "DVBCommon.h"
#include "RemoteCode.h"

namespace {

const DWORD kRing = 16000;

}  // namespace

CDVBRemoteControl::CDVBRemoteControl()
    : m_IRType(IR_TYPE(0)),
      m_wAddress(remotecode::kAnyAddress),
      m_pConsumer(new CConsumerLink(kRing, this, HandlePacket, PassesAddress)),
      m_bSlot(0) {}

CDVBRemoteControl::~CDVBRemoteControl() {
  StopDelivery();
  m_bSlot = 0;
  m_IRType = IR_TYPE(0);
  m_wAddress = remotecode::kAnyAddress;
  delete m_pConsumer;
}

void CDVBRemoteControl::StopDelivery() { m_pConsumer->Shutdown(); }

void CDVBRemoteControl::OnRemoteControlCode(BYTE*, int) {}

DVB_ERROR CDVBRemoteControl::SetRemoteControl(IR_TYPE type, WORD address) {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (type != 0) {
    m_wAddress = address;
    m_bSlot = remotecode::kSlot;
    m_IRType = type;
    return DVB_ERROR(m_pConsumer->RegisterInterruptSlot(remotecode::kSlot));
  }
  if (!m_bSlot) return DVB_ERR_ARGUMENT;
  if (m_pConsumer->GetSlot()) {
    int result = m_pConsumer->UnregisterSlot();
    if (result) return DVB_ERROR(result);
  }
  m_bSlot = 0;
  m_IRType = IR_TYPE(0);
  m_wAddress = remotecode::kAnyAddress;
  return DVB_ERR_NONE;
}

void CDVBRemoteControl::ExtCallback(void* context, BYTE slot, BYTE* data, DWORD length) {
  if (context) static_cast<CDVBRemoteControl*>(context)->TSCallback(slot, data, length);
}

void CDVBRemoteControl::TSCallback(BYTE slot, BYTE* data, DWORD length) {
  CPacketConsumer::IntCallback(m_pConsumer, slot, data, length);
}

int CDVBRemoteControl::StartThread(int priority) { return m_pConsumer->StartThread(priority); }
int CDVBRemoteControl::StopThread(DWORD timeoutMs) { return m_pConsumer->StopThread(timeoutMs); }
int CDVBRemoteControl::IsRunning() { return m_pConsumer->IsRunning(); }

bool CDVBRemoteControl::PassesAddress(void* object, const BYTE* data, DWORD length) {
  return remotecode::PassesAddress(static_cast<CDVBRemoteControl*>(object)->m_wAddress, data, length);
}

void CDVBRemoteControl::HandlePacket(void* object, const PacketDesc& packet) {
  if (remotecode::Deliverable(packet.slot, packet.length))
    static_cast<CDVBRemoteControl*>(object)->OnRemoteControlCode(packet.data, int(remotecode::kCodeLength));
}
