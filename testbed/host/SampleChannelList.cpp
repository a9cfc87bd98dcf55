#include "SampleChannelList.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "ChannelRecord.h"
#include "ListFileCodec.h"
#include "TestPaneGroup.h"

namespace {

struct SampleTransponder {
  const char* provider;
  uint32_t frequencyKHz;
  uint8_t polarisation;  // 0 horizontal, 1 vertical
  uint8_t satellite;     // 0 Astra 19.2E, 1 Hotbird 13E
  uint16_t networkId;
  uint16_t transportStreamId;
};

struct SampleChannel {
  int transponder;
  const char* name;
  uint8_t kind;  // 1 TV, 2 radio
  uint16_t serviceId, videoPid, audioPid, pmtPid, teletextPid;
  bool favourite;
};

const SampleTransponder kTransponders[] = {
    {"ARD", 11836000, 0, 0, 1, 1101},
    {"ZDFvision", 11953000, 0, 0, 1, 1079},
    {"ZDFvision", 12266000, 0, 0, 1, 1073},
    {"RAI", 11766000, 1, 1, 318, 12400},
};

const SampleChannel kChannels[] = {
    {0, "Das Erste", 1, 28106, 101, 102, 100, 104, true},   {0, "arte", 1, 28109, 401, 402, 400, 404, false},
    {0, "Phoenix", 1, 28114, 501, 502, 500, 504, false},    {1, "ZDF", 1, 28006, 110, 120, 100, 130, true},
    {1, "3sat", 1, 28007, 210, 220, 200, 230, false},       {1, "KiKA", 1, 28008, 310, 320, 300, 330, false},
    {2, "Deutschlandfunk", 2, 28208, 0, 810, 800, 0, true}, {2, "DLF Kultur", 2, 28209, 0, 710, 700, 0, false},
    {3, "Rai 1", 1, 3401, 512, 650, 257, 575, false},       {3, "Rai 2", 1, 3402, 513, 651, 258, 576, false},
    {3, "Rai Radio 1", 2, 3421, 0, 660, 259, 0, false},
};

void SetName(char (&field)[32], const char* name) {
  std::memset(field, 0, sizeof(field));
  std::memcpy(field, name, strnlen(name, sizeof(field) - 1));
}

DVB_CHANNELS ProviderRecord(const SampleTransponder& t, uint8_t kind) {
  DVB_CHANNELS r = CChannelRecord().m_record;
  SetName(r.channelName, t.provider);
  SetName(r.transponderName, t.provider);
  r.subVersion[0] = '1';
  r.itemType = 0;
  r.serviceKind = kind;
  r.frequency = 0;
  r.symbolRate = 0;
  r.satelliteIndex = t.satellite;
  return r;
}

DVB_CHANNELS ChannelRecord(const SampleTransponder& t, const SampleChannel& c) {
  DVB_CHANNELS r = ProviderRecord(t, c.kind);
  SetName(r.channelName, c.name);
  r.itemType = 1;
  r.frequency = t.frequencyKHz;
  r.symbolRate = 27500000;
  r.polarisation = t.polarisation;
  r.fec = 3;  // 3/4
  r.videoPid = c.videoPid;
  r.audioPid = c.audioPid;
  r.pmtPid = c.pmtPid;
  r.pcrPid = c.videoPid ? c.videoPid : c.audioPid;
  r.teletextPid = c.teletextPid;
  r.serviceId = c.serviceId;
  r.networkId = t.networkId;
  r.transportStreamId = t.transportStreamId;
  return r;
}

void Insert(CChannelTree& tree, ChannelTreeItem parent, const DVB_CHANNELS& record, ChannelTreeItem* out) {
  ChannelTreeInsert insert;
  insert.parent = parent;
  insert.text = record.channelName;
  insert.bold = record.itemType == 0;
  insert.record = std::make_unique<CChannelRecord>(&record);
  const ChannelTreeItem item = tree.InsertItem(std::move(insert));
  if (out) *out = item;
}

void PutPts(std::vector<uint8_t>& p, uint64_t pts) {
  p.push_back(static_cast<uint8_t>(0x21 | ((pts >> 29) & 0x0E)));
  p.push_back(static_cast<uint8_t>(pts >> 22));
  p.push_back(static_cast<uint8_t>(0x01 | ((pts >> 14) & 0xFE)));
  p.push_back(static_cast<uint8_t>(pts >> 7));
  p.push_back(static_cast<uint8_t>(0x01 | ((pts << 1) & 0xFE)));
}

std::vector<uint8_t> PesPacket(uint8_t streamId, uint64_t pts, size_t payload, uint32_t serial) {
  std::vector<uint8_t> p = {0, 0, 1, streamId, 0, 0, 0x80, 0x80, 5};
  PutPts(p, pts);
  for (size_t i = 0; i < payload; ++i) p.push_back(static_cast<uint8_t>(serial + i * 13));
  const size_t length = p.size() - 6;
  p[4] = static_cast<uint8_t>(length >> 8);
  p[5] = static_cast<uint8_t>(length);
  return p;
}

}  // namespace

bool WriteSampleChannelList(const std::string& path) {
  CTestPaneGroup group;
  group.clipboard.files[0].path = path.c_str();
  group.clipboard.files[0].hasFile = 1;
  // Each transponder is a provider in the tree of each kind it carries.
  for (uint8_t kind : {uint8_t{1}, uint8_t{2}}) {
    CChannelTree& tree = kind == 1 ? group.tv() : group.radio();
    for (size_t t = 0; t < std::size(kTransponders); ++t) {
      ChannelTreeItem provider = nullptr;
      for (const SampleChannel& c : kChannels) {
        if (c.transponder != static_cast<int>(t) || c.kind != kind) continue;
        if (!provider) Insert(tree, nullptr, ProviderRecord(kTransponders[t], kind), &provider);
        Insert(tree, provider, ChannelRecord(kTransponders[t], c), nullptr);
      }
    }
  }
  for (const SampleChannel& c : kChannels)
    if (c.favourite) Insert(group.fav(), nullptr, ChannelRecord(kTransponders[c.transponder], c), nullptr);
  CListFileCodec codec(group);
  codec.WriteChannelFile();
  return group.messages.empty() && !group.clipboard.files[0].modified;
}

bool WriteSyntheticPesStream(const std::string& path, int seconds) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  const uint64_t start = 90000;  // one second in
  uint32_t serial = 0;
  uint64_t audioPts = start;
  for (int frame = 0; frame < seconds * 25 && ok; ++frame) {
    const uint64_t videoPts = start + static_cast<uint64_t>(frame) * 3600;
    // Pictures of about 10 KB: several PES packets each, the first stamped.
    for (int part = 0; part < 2; ++part) {
      std::vector<uint8_t> p = PesPacket(0xE0, videoPts, 5000, serial++);
      if (part > 0) {  // no PTS on the continuation packets
        p[7] = 0x00;
        p[8] = 0;
        p.erase(p.begin() + 9, p.begin() + 14);
        const size_t length = p.size() - 6;
        p[4] = static_cast<uint8_t>(length >> 8);
        p[5] = static_cast<uint8_t>(length);
      }
      ok = ok && std::fwrite(p.data(), 1, p.size(), f) == p.size();
    }
    while (audioPts < videoPts + 3600 && ok) {
      const std::vector<uint8_t> a = PesPacket(0xC0, audioPts, 576, serial++);
      ok = std::fwrite(a.data(), 1, a.size(), f) == a.size();
      audioPts += 2160;  // 24 ms
    }
  }
  return std::fclose(f) == 0 && ok;
}
