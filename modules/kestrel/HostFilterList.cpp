#include "HostFilterList.h"

namespace {
constexpr int kLogInfo = 10;
constexpr int kLogError = 127;
constexpr size_t kHeaderSize = 4;
// An adaptation field of a packet with payload leaves at least one byte.
constexpr BYTE kMaxAdaptationLength = 182;
}  // namespace

void CHostFilterList::Add(DWORD type, WORD pid, BYTE value, BYTE mask, BYTE lengthByte, Callback callback,
                          void* context) {
  Entry entry{{}, pid, type, value, mask, lengthByte, callback, context};
  entry.section.reserve(kSectionBufferSize);
  m_entries.push_back(std::move(entry));
}

BOOL CHostFilterList::Remove(void* context, WORD* pid) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->context != context) continue;
    if (pid) *pid = it->pid;
    m_entries.erase(it);
    return TRUE;
  }
  return FALSE;
}

void CHostFilterList::Dispatch(const BYTE* packet) {
  if (packet[1] & 0x80) {
    m_log(kLogInfo, "Invalid transport stream packet received.");
    return;
  }
  const WORD pid = static_cast<WORD>((packet[1] & 0x1F) << 8 | packet[2]);
  size_t adaptation = 0;
  bool hasPayload = true;
  switch ((packet[3] >> 4) & 3) {
    case 0:
      m_log(kLogError, "RESERVED for future use");
      break;
    case 2:
      hasPayload = false;
      break;
    case 3:
      // A length that leaves no payload would put the payload past the
      // packet: such a packet is dropped.
      if (packet[4] > kMaxAdaptationLength) return;
      adaptation = packet[4] + 1;
      break;
  }
  const BYTE* payload = packet + kHeaderSize + adaptation;
  const size_t length = kPacketSize - kHeaderSize - adaptation;
  for (Entry& entry : m_entries) {
    if (entry.pid != pid) continue;
    if (entry.type == kWholePacket) {
      entry.callback(entry.context, packet, static_cast<int>(kPacketSize));
    } else if (!hasPayload) {
      continue;
    } else if (entry.type == kPayload || entry.type == kPayload2) {
      entry.callback(entry.context, payload, static_cast<int>(length));
    } else if (entry.type == kSections && !ServeSection(entry, payload, length)) {
      return;
    }
  }
}

BOOL CHostFilterList::ServeSection(Entry& entry, const BYTE* payload, size_t length) {
  const bool sectionStarts = payload[0] == 0;
  if (!entry.sectionStarted) {
    if (!sectionStarts) return FALSE;
    entry.sectionStarted = true;
  }
  std::vector<BYTE>& section = entry.section;
  const BYTE* from = sectionStarts && section.empty() ? payload + 1 : payload;
  const size_t n = payload + length - from;
  if (section.size() + n > kSectionBufferSize) {
    // A section that never ends would outgrow its buffer: it is dropped and
    // the filter waits for the next section start.
    section.clear();
    entry.sectionStarted = false;
    return TRUE;
  }
  section.insert(section.end(), from, from + n);
  if (section.size() > 1 && section.back() == 0xFF) {
    if ((section[0] & entry.mask) == entry.value) {
      size_t end = section.size();
      while (end > 0 && section[end - 1] == 0xFF) --end;
      entry.callback(entry.context, section.data(), static_cast<int>(end));
    }
    section.clear();
  }
  return TRUE;
}
