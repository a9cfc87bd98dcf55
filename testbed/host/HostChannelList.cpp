#include "HostChannelList.h"

#include <cstring>

#include "ListFileCodec.h"
#include "TestPaneGroup.h"
#include "TreeWalk.h"

namespace {

void AppendTree(const CChannelTree& tree, std::vector<DVB_CHANNELS>& out) {
  ForEachListItem(tree, [&](ChannelTreeItem item) {
    if (const CChannelRecord* record = tree.GetItemData(item)) out.push_back(record->m_record);
  });
}

}  // namespace

bool CHostChannelList::Read(const std::string& path, std::string* error) {
  CTestPaneGroup group;
  group.clipboard.files[0].path = path.c_str();
  group.clipboard.files[0].hasFile = 1;
  CListFileCodec codec(group);
  const int result = codec.ReadChannelFile(kReadReplace);
  if (result != kReadOk) {
    *error = "cannot read the channel list " + path + " (" + std::to_string(result) + ")";
    for (const std::string& message : group.messages) *error += ": " + message;
    return false;
  }
  channels.clear();
  AppendTree(group.tv(), channels);
  AppendTree(group.radio(), channels);
  second.clear();
  std::vector<DVB_CHANNELS> favourites;
  AppendTree(group.fav(), favourites);
  for (const DVB_CHANNELS& favourite : favourites) {
    SecondRecord& record = second.emplace_back();
    record.fill(0);
    std::memcpy(record.data(), &favourite, sizeof(favourite));
  }
  return true;
}
