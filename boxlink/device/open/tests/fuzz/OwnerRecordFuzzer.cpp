// The owner table as other processes may leave it: any bytes, any size.
// Every record read must stay inside the table and give terminated texts.
#include "OwnerRecord.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> table(data, data + size);  // exact size: ASan sees over-reads
  for (int idx = -1; idx <= ownerrecord::kRecords; ++idx) {
    ownerrecord::OwnerRecord record;
    bool ok = ownerrecord::ReadRecord(table.data(), table.size(), idx, record);
    if (strnlen(record.module, sizeof(record.module)) >= sizeof(record.module)) __builtin_trap();
    if (strnlen(record.appId, sizeof(record.appId)) >= sizeof(record.appId)) __builtin_trap();
    if (!ok && (record.window || record.module[0] || record.appId[0])) __builtin_trap();
    if (ok && record.window != ownerrecord::RecordWindow(table.data(), table.size(), idx)) __builtin_trap();
  }
  // Writing back what was read keeps the record's texts.
  ownerrecord::OwnerRecord first;
  if (ownerrecord::ReadRecord(table.data(), table.size(), 0, first)) {
    ownerrecord::WriteRecord(table.data(), table.size(), 0, first.module, first.appId, first.window);
    ownerrecord::OwnerRecord again;
    ownerrecord::ReadRecord(table.data(), table.size(), 0, again);
    if (memcmp(&first, &again, sizeof(first)) != 0) __builtin_trap();
  }
  return 0;
}
