// Places records read from a list file into a group's TV and Radio trees:
// each provider goes into both trees, each channel under the last provider of
// the tree its service kind chooses. Providers that end up without channels
// are removed, which turns the doubled providers of a written file back into
// one provider per tree that holds channels.
#pragma once

#include "ChannelTree.h"
#include "DvbChannels.h"

class CChannelTreeBuilder {
 public:
  CChannelTreeBuilder(CChannelTree& tv, CChannelTree& radio) : m_tv(tv), m_radio(radio) {}

  void Add(const DVB_CHANNELS& record);
  // Removes the last providers when they have no children.
  void Finish();

 private:
  void AddProvider(const DVB_CHANNELS& record);
  void AddChannel(const DVB_CHANNELS& record);
  void DropIfChildless(CChannelTree& tree, ChannelTreeItem& provider);

  CChannelTree& m_tv;
  CChannelTree& m_radio;
  ChannelTreeItem m_lastTvProvider = nullptr;
  ChannelTreeItem m_lastRadioProvider = nullptr;
  int m_providerKind = 0;  // service kind of the last provider: 0, 1 TV or 2 Radio
};
