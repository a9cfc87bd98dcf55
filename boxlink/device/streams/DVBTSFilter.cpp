#include "DVBTSFilter.h"

#include "ConsumerLink.h"
#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DVBIsoStreamReader.h"
#include "DVBNetAdapter.h"
#include "FilterRules.h"

using namespace filterrules;

namespace {

const DWORD kDefaultRing = 256000;
const int kMaxCountedSlots = 64;

WORD NetworkLength(DWORD length) { return WORD(length < kMaxNetworkData ? length : kMaxNetworkData); }

}  // namespace

CDVBTSFilter::CDVBTSFilter() : CDVBTSFilter(kDefaultRing) {}

CDVBTSFilter::CDVBTSFilter(DWORD ringSize)
    : m_pConsumer(new CConsumerLink(ringSize, this, HandlePacket)),
      m_bNetwork(FALSE),
      m_bFilterID(0),
      m_FilterType(FILTER_NONE) {}

CDVBTSFilter::~CDVBTSFilter() {
  // The slot goes whether or not a box is open; then the box filter, when
  // it can.
  StopDelivery();
  if (m_bFilterID) DelFilter(m_bFilterID);
  m_bFilterID = 0;
  delete m_pConsumer;
}

void CDVBTSFilter::StopDelivery() { m_pConsumer->Shutdown(); }

void CDVBTSFilter::RequestWorkerStop() { m_pConsumer->RequestStop(); }

void CDVBTSFilter::OnDataArrival(BYTE*, int) {}

DVB_ERROR CDVBTSFilter::SetFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length) {
  return Set(FALSE, type, pid, data, mask, length);
}

DVB_ERROR CDVBTSFilter::SetWinSockFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length) {
  return Set(TRUE, type, pid, data, mask, length);
}

DVB_ERROR CDVBTSFilter::Set(BOOL network, FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length) {
  if (m_bFilterID) {
    DVB_ERROR result = DelFilter(m_bFilterID);
    if (result != DVB_ERR_NONE) return result;
    m_bFilterID = 0;
    m_FilterType = FILTER_NONE;
  }
  m_bNetwork = network;
  m_FilterType = type;
  DVB_ERROR result = AddFilter(m_bFilterID, type, pid, data, mask, length);
  if (result != DVB_ERR_NONE) m_FilterType = FILTER_NONE;
  return result;
}

DVB_ERROR CDVBTSFilter::ResetFilter() {
  DVB_ERROR result = DVB_ERR_STATE;
  if (m_bFilterID) {
    result = DelFilter(m_bFilterID);
    if (result == DVB_ERR_NONE) {
      m_bFilterID = 0;
      m_FilterType = FILTER_NONE;
    }
  }
  m_bNetwork = FALSE;
  return result;
}

DVB_ERROR CDVBTSFilter::AddFilter(volatile BYTE& filterId, FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask,
                                  BYTE length) {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (CheckArguments(type, pid, data, mask, length)) return DVB_ERR_ARGUMENT;
  WORD number = kNoBoxFilter;
  BOOL sent = type == FILTER_PIPE ? CDVBIoI2c::AddPipeFilter(number, pid, length)
                                  : CDVBIoI2c::AddSectionFilter(number, pid, data, mask, length, SectionMode(type));
  if (!sent || number == kNoBoxFilter) {
    filterId = 0;
    return DVB_ERR_REFUSED;
  }
  BYTE slot = SlotOf(number);
  if (!SlotUsable(slot)) {
    // No stream slot can carry this filter's data: the box filter would
    // only be left behind for ever.
    CDVBIoI2c::DelFilter(number);
    filterId = 0;
    return DVB_ERR_ARGUMENT;
  }
  filterId = slot;  // before the data can arrive
  return DVB_ERROR(m_pConsumer->RegisterSlot(slot));
}

DVB_ERROR CDVBTSFilter::DelFilter(BYTE filterId) {
  if (!CDVBCommon::IsOpen()) return DVB_ERR_NO_DEVICE;
  if (m_pConsumer->GetSlot()) {
    int result = m_pConsumer->UnregisterSlot();
    if (result) return DVB_ERROR(result);
  }
  WORD number = WORD(filterId - 1);
  if (!CDVBIoI2c::DelFilter(number)) return DVB_ERR_ARGUMENT;
  return number + 1 == filterId ? DVB_ERR_NONE : DVB_ERR_ARGUMENT;
}

DWORD CDVBTSFilter::GetByteCount() { return TheIsoStreamReader().GetByteCount(m_bFilterID); }

DVB_ERROR CDVBTSFilter::GetFiltersByteCount(DWORD* counts, BYTE n) {
  if (!counts) return DVB_ERR_NONE;  // nowhere to write: nothing to do
  int slots = n < kMaxCountedSlots ? n : kMaxCountedSlots;
  for (int slot = 0; slot < slots; ++slot) counts[slot] = TheIsoStreamReader().GetByteCount(BYTE(slot));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBTSFilter::ResetAllFilters() { return DVB_ERR_NONE; }

void CDVBTSFilter::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (context) static_cast<CDVBTSFilter*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CDVBTSFilter::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  m_pConsumer->TSCallback(kind, slot, data, length, flag);
}

int CDVBTSFilter::StartThread(int priority) { return m_pConsumer->StartThread(priority); }
int CDVBTSFilter::StopThread(DWORD timeoutMs) { return m_pConsumer->StopThread(timeoutMs); }
int CDVBTSFilter::IsRunning() { return m_pConsumer->IsRunning(); }

void CDVBTSFilter::HandlePacket(void* object, const PacketDesc& packet) {
  auto* self = static_cast<CDVBTSFilter*>(object);
  switch (RouteOf(packet.slot, packet.length, self->m_bFilterID, self->m_FilterType, self->m_bNetwork != FALSE)) {
    case kHandler: self->OnDataArrival(packet.data, int(packet.length)); break;
    case kNetworkBlock: CDVBNetAdapter::SendBlock(packet.data, NetworkLength(packet.length)); break;
    case kNetworkSection:
      CDVBNetAdapter::SendSection(packet.data, NetworkLength(packet.length), self->m_bFilterID);
      break;
    case kDrop: break;
  }
}
