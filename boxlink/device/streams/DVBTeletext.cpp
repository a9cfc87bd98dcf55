#include "DVBTeletext.h"

#include "ConsumerLink.h"
#include "DVBCommon.h"
#include "DVBIoI2c.h"

namespace {

const DWORD kRing = 64000;
const BYTE kTeletextSlot = 33;

}  // namespace

CDVBTeletext::CDVBTeletext() : m_pConsumer(new CConsumerLink(kRing, this, HandlePacket)), m_bSlot(0) {}

CDVBTeletext::~CDVBTeletext() {
  StopDelivery();
  if (m_bSlot && CDVBCommon::IsOpen()) CDVBIoI2c::VTDisable();
  m_bSlot = 0;
  delete m_pConsumer;
}

void CDVBTeletext::StopDelivery() {
  // A superseded object leaves the slot, and the box's teletext, to the
  // object that took them over.
  if (m_pConsumer->OtherHolds(m_bSlot)) m_bSlot = 0;
  m_pConsumer->Shutdown();
}

void CDVBTeletext::OnTTXPage(BYTE*, int) {}

DVB_ERROR CDVBTeletext::TTXOn(WORD pid) {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (m_bSlot) {
    DVB_ERROR result = TTXOff();
    if (result != DVB_ERR_NONE) return result;
  }
  if (CDVBIoI2c::VTEnable(pid) == 0) {
    m_bSlot = 0;
    return DVB_ERR_ARGUMENT;
  }
  m_bSlot = kTeletextSlot;
  return DVB_ERROR(m_pConsumer->RegisterSlot(kTeletextSlot));
}

DVB_ERROR CDVBTeletext::TTXOff() {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (!m_bSlot) return DVB_ERR_STATE;
  if (m_pConsumer->GetSlot()) {
    int result = m_pConsumer->UnregisterSlot();
    if (result) return DVB_ERROR(result);
  }
  if (!CDVBIoI2c::VTDisable()) return DVB_ERR_NO_ANSWER;
  m_bSlot = 0;
  return DVB_ERR_NONE;
}

int CDVBTeletext::TTXModifySearchTable(WORD first, WORD second, WORD third, TTX_REQUEST request) {
  return CDVBIoI2c::VTModifySearchTable(first, second, third, WORD(request));
}

int CDVBTeletext::TTXGetP29_P830(int value) { return CDVBIoI2c::VTGetP29_P830(WORD(value)); }

void CDVBTeletext::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (context) static_cast<CDVBTeletext*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CDVBTeletext::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  m_pConsumer->TSCallback(kind, slot, data, length, flag);
}

int CDVBTeletext::StartThread(int priority) { return m_pConsumer->StartThread(priority); }
int CDVBTeletext::StopThread(DWORD timeoutMs) { return m_pConsumer->StopThread(timeoutMs); }
int CDVBTeletext::IsRunning() { return m_pConsumer->IsRunning(); }

void CDVBTeletext::HandlePacket(void* object, const PacketDesc& packet) {
  auto* self = static_cast<CDVBTeletext*>(object);
  if (packet.length && packet.slot == self->m_bSlot) self->OnTTXPage(packet.data, int(packet.length));
}
