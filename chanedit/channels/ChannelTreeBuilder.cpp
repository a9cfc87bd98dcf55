#include "ChannelTreeBuilder.h"

#include <cstring>
#include <string>

namespace {

std::string NameOf(const DVB_CHANNELS& r) {
  return std::string(r.channelName, strnlen(r.channelName, sizeof(r.channelName)));
}

}  // namespace

void CChannelTreeBuilder::Add(const DVB_CHANNELS& record) {
  if (record.itemType == 0)
    AddProvider(record);
  else
    AddChannel(record);
}

void CChannelTreeBuilder::DropIfChildless(CChannelTree& tree, ChannelTreeItem& provider) {
  if (tree.GetCount() > 0 && provider && !tree.ItemHasChildren(provider)) tree.DeleteItem(provider);
  provider = nullptr;
}

void CChannelTreeBuilder::AddProvider(const DVB_CHANNELS& record) {
  DropIfChildless(m_tv, m_lastTvProvider);
  DropIfChildless(m_radio, m_lastRadioProvider);
  m_providerKind = (record.serviceKind == 1 || record.serviceKind == 2) ? record.serviceKind : 0;

  DVB_CHANNELS provider = record;
  provider.frequency = 0;
  provider.symbolRate = 0;
  const std::string text = NameOf(record);
  struct {
    CChannelTree& tree;
    ChannelTreeItem& last;
    uint8_t kind;
  } targets[] = {{m_tv, m_lastTvProvider, 1}, {m_radio, m_lastRadioProvider, 2}};
  for (auto& target : targets) {
    provider.serviceKind = target.kind;
    ChannelTreeInsert insert;
    insert.text = text;
    insert.image = insert.selectedImage = kImageProvider;
    insert.bold = true;
    insert.record = std::make_unique<CChannelRecord>(&provider);
    target.last = target.tree.InsertItem(std::move(insert));
  }
}

void CChannelTreeBuilder::AddChannel(const DVB_CHANNELS& record) {
  int kind = record.serviceKind;
  if (kind == 0) kind = m_providerKind;
  if (kind != 1 && kind != 2) return;  // no TV or Radio tree to put it in

  DVB_CHANNELS channel = record;
  channel.serviceKind = static_cast<uint8_t>(kind);
  CChannelTree& tree = kind == 1 ? m_tv : m_radio;
  ChannelTreeInsert insert;
  insert.parent = kind == 1 ? m_lastTvProvider : m_lastRadioProvider;
  insert.text = NameOf(record);
  insert.image = record.scrambled ? kImageScrambled : kImageChannel;
  insert.selectedImage = kImageSelectedChannel;
  insert.record = std::make_unique<CChannelRecord>(&channel);
  tree.InsertItem(std::move(insert));
}

void CChannelTreeBuilder::Finish() {
  DropIfChildless(m_tv, m_lastTvProvider);
  DropIfChildless(m_radio, m_lastRadioProvider);
}
