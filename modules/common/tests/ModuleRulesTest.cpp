// The module layer's portable rules: the capability columns of the six
// modules, the status timer's quality, data-rate and aspect rules, the
// filter list, and volume with mute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapabilityColumns.h"
#include "CapturedLog.h"
#include "FilterList.h"
#include "StatusRules.h"
#include "VolumeControl.h"

namespace {

constexpr DWORD kSentinel = 0xA5A5A5A5;

// Each module's column as the offsets it writes 1, the offsets it leaves
// alone; every other offset gets 0.
struct Column {
  ModuleKind module;
  std::vector<int> ones;
  std::vector<int> left;
};

TEST(Capabilities, EachModuleWritesItsColumnAndLeavesTheRestToTheHost) {
  const Column columns[] = {
      {ModuleKind::kestrel,
       {8, 12, 16, 20, 24, 36, 40, 48, 52, 56, 60, 76, 84, 88, 100, 104, 108, 112, 116, 132, 144, 156, 176, 180},
       {148, 160, 164, 168}},
      {ModuleKind::merlin,
       {0,  8,   12,  16,  20,  24,  36,  40,  48,  52,  56,  60,  76, 84,
        88, 100, 104, 108, 112, 116, 140, 144, 148, 152, 156, 176, 180},
       {44, 160, 164, 168, 172}},
      {ModuleKind::osprey,
       {8, 12, 16, 20, 24, 36, 40, 48, 52, 56, 60, 76, 88, 100, 104, 108, 112, 116, 132, 144, 148, 156, 164, 176, 180},
       {152, 160, 168, 172}},
      {ModuleKind::falcon,
       {0, 8, 12, 16, 20, 24, 36, 40, 52, 56, 60, 76, 84, 88, 92, 100, 112, 140, 148, 156, 168, 176, 180},
       {44, 144, 152, 160, 164, 172}},
      {ModuleKind::harrier,
       {0, 20, 24, 32, 36, 44, 52, 56, 60, 64, 68, 72, 76, 84, 88, 92, 100, 112, 140, 152, 160, 172},
       {156, 164, 168, 176, 180}},
      {ModuleKind::condor,
       {8, 12, 16, 20, 24, 36, 40, 48, 52, 56, 60, 76, 84, 88, 100, 104, 108, 112, 116, 132, 144, 152, 176, 180},
       {148, 156, 160, 164, 168, 172}},
  };
  for (const Column& c : columns) {
    MODULE_CAPABILITIES caps;
    for (DWORD& f : caps.flags) f = kSentinel;
    WriteCapabilities(c.module, &caps, 0x101);
    for (int offset = 0; offset < 184; offset += 4) {
      DWORD expected = 0;
      for (int o : c.ones) expected |= o == offset;
      for (int o : c.left) expected = o == offset ? kSentinel : expected;
      if (c.module == ModuleKind::harrier && offset == 40) expected = 1;
      if (c.module == ModuleKind::harrier && offset == 136) expected = 0x100;
      EXPECT_EQ(expected, caps.flags[offset / 4]) << "module " << static_cast<int>(c.module) << " offset " << offset;
    }
  }
  MODULE_CAPABILITIES caps{};
  WriteCapabilities(ModuleKind::harrier, &caps, 0x0FE);
  EXPECT_EQ(0u, caps.flags[10]);
  EXPECT_EQ(0u, caps.flags[34]);
  WriteCapabilities(ModuleKind::harrier, nullptr);
}

TEST(StatusRules, QualityComesFromTheBitErrorRateAndTheLock) {
  const struct {
    double ber;
    bool locked;
    int quality;
  } cases[] = {{0.0, true, 100},  {0.000999, true, 100}, {0.001, true, 75}, {0.0099, true, 75}, {0.01, true, 50},
               {0.099, true, 50}, {0.1, true, 25},       {1.0, true, 25},   {0.0, false, 0},    {0.001, false, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.quality, QualityFromBitErrorRate(c.ber, c.locked)) << c.ber << c.locked;
  EXPECT_EQ(0u, DataRateKbit(1023));
  EXPECT_EQ(8u, DataRateKbit(2047));
  EXPECT_EQ(80000u, DataRateKbit(10240000));
}

TEST(StatusRules, AspectFollowsTheHostsRequestOrThePicture) {
  const struct {
    int aspectMode, monitorMode, x, y, next;
  } cases[] = {
      {0, 1, 4, 3, 0},     {0, 0, 4, 3, 0},     {0, 0, 16, 9, 1},      {0, 1, 16, 9, 1}, {0, 0, 20, 11, 1},
      {0, 0, 221, 100, 0}, {0, 1, 720, 576, 0}, {0, 0, 1920, 1080, 1}, {1, 0, 4, 3, 1},  {2, 1, 16, 9, 0},
      {2, 0, 20, 11, 0},   {3, 1, 4, 3, 1},     {-1, 0, 16, 9, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.next, NextMonitorMode(c.aspectMode, c.monitorMode, c.x, c.y))
        << c.aspectMode << " " << c.x << ":" << c.y;
}

// A device filter that records what the list asks of it.
struct FakeFilter : CHostFilter {
  static inline std::vector<std::string> calls;
  int Set(int type, WORD pid, const BYTE*, const BYTE*, BYTE length) override {
    calls.push_back("set " + std::to_string(type) + " " + std::to_string(pid) + " " + std::to_string(length));
    return pid == 0x1FFF ? 6 : 0;
  }
  int Remove() override {
    calls.push_back("remove");
    return 0;
  }
};

std::vector<std::string> g_data;
int __cdecl Received(void* context, const BYTE* data, int length) {
  g_data.push_back(static_cast<const char*>(context) + std::string(reinterpret_cast<const char*>(data), length));
  return 0;
}

TEST(FilterList, KeepsOneEntryPerContextAndForwardsItsData) {
  ModuleHostLink host{&CapturedLog::Log, nullptr};
  bool refuse = false;
  CFilterList list(host, ".\\testmodule", [&] { return refuse ? nullptr : std::make_unique<FakeFilter>(); });
  FakeFilter::calls.clear();
  CapturedLog::lines.clear();
  char a[] = "a:", b[] = "b:";
  const BYTE match[1] = {0x42}, mask[1] = {0xFF};

  EXPECT_EQ(2, list.Start(0, 0x12, match, mask, 1, nullptr, a));
  EXPECT_EQ(2, list.Start(0, 0x12, match, mask, 1, &Received, nullptr));
  EXPECT_EQ(0, list.Start(5, 0x12, match, mask, 1, &Received, a));
  EXPECT_EQ(0, list.Start(6, 0x13, match, mask, 1, &Received, a));    // same context: re-used
  EXPECT_EQ(6, list.Start(9, 0x1FFF, match, mask, 1, &Received, b));  // kept although refused
  EXPECT_EQ(2u, list.Count());
  const std::vector<std::string> sets = {"set 3 18 1", "set 4 19 1", "set 0 8191 1"};
  EXPECT_EQ(sets, FakeFilter::calls);
  const std::vector<std::string> lines = {
      ".\\testmodule 10 Creating new filter.",          ".\\testmodule 10 Setting filter parameter.",
      ".\\testmodule 10 Using attached filter object.", ".\\testmodule 10 Setting filter parameter.",
      ".\\testmodule 10 Creating new filter.",          ".\\testmodule 10 Setting filter parameter."};
  EXPECT_EQ(lines, CapturedLog::lines);

  EXPECT_EQ(0, list.Stop(a));
  EXPECT_EQ(3, list.Stop(a));
  EXPECT_EQ(3, list.Stop(reinterpret_cast<void*>(0x1234)));
  EXPECT_EQ(1u, list.Count());
  refuse = true;
  EXPECT_EQ(2, list.Start(1, 0x20, match, mask, 1, &Received, a));
  EXPECT_EQ(1u, list.Count());
  list.StopAll();
  EXPECT_EQ(0u, list.Count());

  // Forwarding needs both callback and context; a stopped filter forwards nothing.
  FakeFilter filter;
  g_data.clear();
  filter.Forward(reinterpret_cast<const BYTE*>("x"), 1);
  filter.m_pContext = b;
  filter.m_pfnCallback = &Received;
  filter.Forward(reinterpret_cast<const BYTE*>("yz"), 2);
  EXPECT_EQ(std::vector<std::string>{"b:yz"}, g_data);
  const int maps[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {4, 0}, {5, 3}, {6, 4}, {7, 0}, {-1, 0}};
  for (const auto& m : maps) EXPECT_EQ(m[1], CFilterList::MapType(m[0])) << m[0];
}

TEST(Volume, KeepsTheLastVolumeAndMutesOnlyWhenTheRendererTakesIt) {
  std::vector<long> put;
  bool accept = true;
  const CVolumeControl::Renderer renderer = [&](long v) {
    put.push_back(v);
    return accept;
  };
  CVolumeControl volume;
  EXPECT_EQ(1, volume.SetVolume(1000, renderer));
  EXPECT_EQ(0, volume.LastVolume());
  EXPECT_EQ(1, volume.SetVolume(0, renderer));
  EXPECT_EQ(-10000, volume.LastVolume());
  EXPECT_EQ(1, volume.SetVolume(0x10000 + 500, renderer));  // the low 16 bits
  EXPECT_EQ(-5000, volume.LastVolume());
  EXPECT_EQ(0, volume.SetVolume(700, nullptr));  // no graph: kept, not set
  EXPECT_EQ(-3000, volume.LastVolume());

  EXPECT_EQ(1, volume.ToggleMute(renderer));
  EXPECT_EQ(0, volume.SetVolume(100, renderer));  // muted: nothing changes
  EXPECT_EQ(-3000, volume.LastVolume());
  accept = false;
  EXPECT_EQ(1, volume.ToggleMute(renderer));  // refused: still muted
  accept = true;
  EXPECT_EQ(0, volume.ToggleMute(renderer));
  EXPECT_EQ(0, volume.ToggleMute(nullptr));
  volume.Reapply(renderer);
  const std::vector<long> expected = {0, -10000, -5000, -10000, -3000, -3000, -3000};
  EXPECT_EQ(expected, put);
}

}  // namespace
