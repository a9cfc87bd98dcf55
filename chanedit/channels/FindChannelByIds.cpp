#include "FindChannelByIds.h"

#include <cstring>
#include <string>

#include "TreeWalk.h"

namespace {

bool SameIds(const DVB_CHANNELS& a, const DVB_CHANNELS& b) {
  return a.serviceId == b.serviceId && a.networkId == b.networkId && a.transportStreamId == b.transportStreamId;
}

bool FindInTree(const CChannelTree& tree, const std::string& name, CChannelRecord* record) {
  const ChannelTreeItem first = tree.GetRootItem();
  if (!first) return false;
  ChannelTreeItem firstHit = nullptr;
  ChannelTreeItem start = first;
  for (;;) {
    const ChannelTreeItem hit = tree.FindItem(name.c_str(), start);
    // The search wraps; meeting the first hit again means one full pass.
    if (!hit || hit == firstHit) return false;
    if (!firstHit) firstHit = hit;
    const CChannelRecord* found = tree.GetItemData(hit);
    if (found && SameIds(found->m_record, record->m_record)) {
      std::memcpy(&record->m_record, &found->m_record, sizeof(DVB_CHANNELS));
      return true;
    }
    start = GetNextTreeItem(tree, hit);
    if (!start || start == first) return false;  // back where the search began
  }
}

}  // namespace

int FindChannelByIds(const CChannelTree& tv, const CChannelTree& radio, CChannelRecord* record) {
  const DVB_CHANNELS& r = record->m_record;
  const std::string name(r.channelName, strnlen(r.channelName, sizeof(r.channelName)));
  if (name.empty()) return 0;
  if (FindInTree(tv, name, record)) return 1;
  if (FindInTree(radio, name, record)) return 1;
  return 0;
}
