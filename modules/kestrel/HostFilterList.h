// The host's filters on the card's transport packets: each entry serves the
// packets of one PID by its type (payload, whole packet or re-assembled
// sections) to the host's callback with the host's context, which is also
// the entry's key. Portable: packets in, callbacks out; the module guards
// the list with its lock.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <functional>
#include <vector>

class CHostFilterList {
 public:
  // The host's filter callback (cdecl, as every host callback).
  typedef int (*Callback)(void* context, const BYTE* data, int length);
  typedef std::function<void(int level, const char* text)> Log;

  enum Type : DWORD { kPayload = 1, kPayload2 = 2, kSections = 5, kWholePacket = 7 };
  static const size_t kSectionBufferSize = 65535;
  static const size_t kPacketSize = 188;

  explicit CHostFilterList(Log log) : m_log(std::move(log)) {}

  // Appends an entry; the section filter compares the first byte of a
  // section, masked, with the first byte of value.
  void Add(DWORD type, WORD pid, BYTE value, BYTE mask, BYTE lengthByte, Callback callback, void* context);
  // Removes the entry of context; FALSE when there is none. *pid: its PID.
  BOOL Remove(void* context, WORD* pid);
  void Clear() { m_entries.clear(); }
  size_t Count() const { return m_entries.size(); }

  // Serves one 188-byte packet to the entries of its PID.
  void Dispatch(const BYTE* packet);

 private:
  struct Entry {
    std::vector<BYTE> section;  // the section gathered so far
    WORD pid;
    DWORD type;
    BYTE value, mask, lengthByte;
    Callback callback;
    void* context;
    bool sectionStarted = false;
  };
  // FALSE when the packet ends the whole dispatch.
  BOOL ServeSection(Entry& entry, const BYTE* payload, size_t length);

  Log m_log;
  std::vector<Entry> m_entries;
};
