#include "OwnerRecord.h"

#include "ByteOrder.h"

#include <cstring>

namespace ownerrecord {
namespace {

BYTE* Record(BYTE* table, size_t tableSize, int idx) {
  if (!table || idx < 0 || idx >= kRecords) return nullptr;
  size_t offset = size_t(idx) * kRecordSize;
  if (offset + kRecordSize > tableSize) return nullptr;
  return table + offset;
}

const BYTE* Record(const BYTE* table, size_t tableSize, int idx) {
  return Record(const_cast<BYTE*>(table), tableSize, idx);
}

// Copies a field of kTextSize bytes up to its first zero, at most
// kTextSize - 1 characters, and terminates the copy.
void CopyText(char* out, const BYTE* field) {
  size_t n = 0;
  while (n < kTextSize - 1 && field[n] != 0) ++n;
  memcpy(out, field, n);
  memset(out + n, 0, kTextSize - n);
}

void StoreText(BYTE* field, const char* text) {
  memset(field, 0, kTextSize);
  if (!text) return;
  size_t n = 0;
  while (n < kTextSize - 1 && text[n] != 0) ++n;
  memcpy(field, text, n);
}

}  // namespace

bool ReadRecord(const BYTE* table, size_t tableSize, int idx, OwnerRecord& out) {
  out = OwnerRecord();
  const BYTE* record = Record(table, tableSize, idx);
  if (!record) return false;
  CopyText(out.module, record + kModuleOffset);
  CopyText(out.appId, record + kAppIdOffset);
  out.window = byteorder::GetLE32(record + kWindowOffset);
  return true;
}

bool WriteRecord(BYTE* table, size_t tableSize, int idx, const char* module, const char* appId, DWORD window) {
  BYTE* record = Record(table, tableSize, idx);
  if (!record) return false;
  StoreText(record + kModuleOffset, module);
  StoreText(record + kAppIdOffset, appId);
  byteorder::PutLE32(record + kWindowOffset, window);
  return true;
}

bool ClearRecord(BYTE* table, size_t tableSize, int idx) {
  BYTE* record = Record(table, tableSize, idx);
  if (!record) return false;
  memset(record, 0, kRecordSize);
  return true;
}

DWORD RecordWindow(const BYTE* table, size_t tableSize, int idx) {
  const BYTE* record = Record(table, tableSize, idx);
  return record ? byteorder::GetLE32(record + kWindowOffset) : 0;
}

}  // namespace ownerrecord
