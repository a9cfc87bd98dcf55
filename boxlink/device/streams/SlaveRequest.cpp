#include "SlaveRequest.h"

#include "ByteOrder.h"

#include <cstring>

namespace slaverequest {

namespace {

// Request offsets.
const size_t kNumber = 0, kCommand = 1, kFilterType = 2, kPid = 6, kLength = 8, kValue = 9, kMask = 25;
// Response offsets.
const size_t kResult = 2, kIp = 6, kMaskField = 10, kPort = 14, kFilterId = 16;

}  // namespace

Request ReadRequest(const BYTE* area) {
  Request r;
  r.number = area[kNumber];
  r.command = area[kCommand];
  r.filterType = byteorder::GetLE32(area + kFilterType);
  r.pid = byteorder::GetLE16(area + kPid);
  r.length = area[kLength];
  memcpy(r.value, area + kValue, kMaxFilterBytes);
  memcpy(r.mask, area + kMask, kMaxFilterBytes);
  // The count shares its byte with the low byte of the filter type.
  r.count = area[kFilterType] < kMaxCountedSlots ? area[kFilterType] : kMaxCountedSlots;
  return r;
}

void MarkTaken(BYTE* area) {
  area[kNumber] = 0;
  area[kCommand] = 0;
}

int SlotOf(BYTE number) { return number >= 1 && number <= kSlots ? number - 1 : -1; }

void PutHead(BYTE* response, BYTE number, BYTE command) {
  response[kNumber] = number;
  response[kCommand] = command;
}

void PutResult(BYTE* response, DWORD result) { byteorder::PutLE32(response + kResult, result); }

void PutAddress(BYTE* response, DWORD ip, DWORD mask, WORD port) {
  byteorder::PutLE32(response + kIp, ip);
  byteorder::PutLE32(response + kMaskField, mask);
  byteorder::PutLE16(response + kPort, port);
}

void PutByteCount(BYTE* response, DWORD count) { byteorder::PutLE32(response + kIp, count); }

void PutFilterId(BYTE* response, BYTE id) { response[kFilterId] = id; }

}  // namespace slaverequest
