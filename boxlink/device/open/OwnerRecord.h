// The owner table in shared memory: one 524-byte record per box (boxes 0 to
// 7), which every process that loads the library sees.
//
// Record of box i at offset i * 524:
//   0   char[260]  module path of the owning process's executable
//   260 char[260]  application id given to the open (all zero when none)
//   520 u32        owner window: the owner's first top-level window, 1 when
//                  it has none, 0 when the record is free
//
// Other processes write these bytes, so a text may lack its terminator:
// every read is bounded by its field and the copy is terminated within it.
#pragma once

#include <WinTypes.h>

#include <cstddef>

namespace ownerrecord {

const int kRecords = 8;
const size_t kTextSize = 260;
const size_t kModuleOffset = 0;
const size_t kAppIdOffset = 260;
const size_t kWindowOffset = 520;
const size_t kRecordSize = 524;
const size_t kTableSize = 4192;
static_assert(kRecords * kRecordSize <= kTableSize, "the records fit the mapping");

// Owner window of a process that has no top-level window.
const DWORD kNoWindow = 1;

// A record as read out of the table: both texts terminated.
struct OwnerRecord {
  char module[kTextSize] = {};
  char appId[kTextSize] = {};
  DWORD window = 0;
};

// Reads record idx of a table of tableSize bytes. False (record left free)
// when the record lies outside the table.
bool ReadRecord(const BYTE* table, size_t tableSize, int idx, OwnerRecord& out);

// Writes record idx: the texts cut to 259 characters and zero-padded (a null
// text writes zeros). False when the record lies outside the table.
bool WriteRecord(BYTE* table, size_t tableSize, int idx, const char* module, const char* appId, DWORD window);

// Zeroes record idx (both texts and the window).
bool ClearRecord(BYTE* table, size_t tableSize, int idx);

// The owner window of record idx; 0 when the record lies outside the table.
DWORD RecordWindow(const BYTE* table, size_t tableSize, int idx);

}  // namespace ownerrecord
