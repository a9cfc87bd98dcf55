// Which process holds which box, in shared memory that every process of the
// library sees (boxes 0 to 7), and the registered window message with which
// another process asks the holder to let go of its box.
#pragma once

#include "DVBSharedMemory.h"
#include "OwnerRecord.h"

class CDVBOwnerTable : public CDVBSharedMemory {
 public:
  // Maps the table under the name ("FILE_"/"MUTEX_" + name) and registers
  // the message "MSG_" + name. When the memory cannot be had the table has
  // no view and every operation is FALSE.
  explicit CDVBOwnerTable(const char* name);
  ~CDVBOwnerTable() override;

  // Records this process (its executable, appId or none, its first
  // top-level window or 1) as the holder of box idx. FALSE for idx 8 and
  // above, an appId of 260 characters or more, or no table.
  BOOL Register(WORD idx, const char* appId);
  // Frees the record of box idx, unless it has since been taken by another
  // process (FALSE then, and the record stays).
  BOOL Release(WORD idx);
  // The holder of box idx: module path and application id, both empty when
  // the record is free. The texts are this process's copies, terminated
  // within their 260 bytes; they stay valid and unchanged (also when the
  // record is cleared) until the next GetOwner of the same box.
  BOOL GetOwner(WORD idx, const char*& module, const char*& appId);
  // Posts the close message to every top-level window and waits, at most
  // timeoutMs (held to kMaxCloseWaitMs), for the record to change. TRUE
  // when it changed; also TRUE, with the record freed, when the holder's
  // window no longer exists (its process has ended). FALSE for a free
  // record, a failed post, or no change in time.
  BOOL RequestClose(WORD idx, DWORD timeoutMs);

  const char* GetMessageName() const { return m_pszMsgName; }
  UINT GetCloseMessage() const { return m_uCloseMsg; }

  static const DWORD kWaitStepMs = 20;
  // Longest wait for a holder to let go; a holder that takes longer is hung.
  static const DWORD kMaxCloseWaitMs = 30000;

 protected:
  static BOOL CALLBACK FindOwnWindow(HWND window, LPARAM table);

  HWND m_hOwnerWnd;
  UINT m_uCloseMsg;
  char* m_pszMsgName;

 private:
  // The holder's window no longer exists: its process ended without
  // closing the box.
  static bool OwnerGone(DWORD window);
  // The record belongs to another process than this one.
  bool HeldByOther(const ownerrecord::OwnerRecord& record) const;

  ownerrecord::OwnerRecord m_copies[ownerrecord::kRecords];
};

// The library's owner table, made when the library loads; null before and
// after, and in programs that link the library's objects directly.
extern CDVBOwnerTable* g_pDVBOwnerTable;

// Name of the library's owner table and of its kernel objects and message.
#define BOXLINK_OWNER_TABLE_NAME "4D3280DC-AC73-42ea-9F6C-236EAEC29280"
