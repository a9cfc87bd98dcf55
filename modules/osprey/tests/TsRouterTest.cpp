// Where the grabber's packets go: the current PIDs to the recorder's streams,
// every other packet to the host's filters, behind the sync-byte check.
#include "TsRouter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> Packet(WORD pid, BYTE firstPayload = 0x11, BYTE sync = 0x47) {
  std::vector<BYTE> p(188, 0xFF);
  p[0] = sync;
  p[1] = static_cast<BYTE>(pid >> 8 & 0x1F);
  p[2] = static_cast<BYTE>(pid);
  p[3] = 0x10;
  p[4] = firstPayload;
  return p;
}

struct Fixture {
  std::vector<std::pair<int, WORD>> recorded;  // stream, PID
  std::vector<std::string> log;
  std::vector<int> served;  // lengths the host's filter received
  CTsRouter router{[this](int stream, const BYTE* p, DWORD) { recorded.push_back({stream, WORD((p[1] & 0x1F) << 8 | p[2])}); },
                   [this](int, const char* text) { log.push_back(text); }};

  static int Serve(void* context, const BYTE*, int length) {
    static_cast<Fixture*>(context)->served.push_back(length);
    return 0;
  }
};

TEST(TsRouterTest, CurrentPidsGoToTheRecorderOthersToTheFilters) {
  Fixture f;
  f.router.SetPids(0x100, 0x101, 0x102);
  f.router.Filters().Add(CHostFilterList::kWholePacket, 0x200, 0, 0, 0, &Fixture::Serve, &f);
  f.router.Filters().Add(CHostFilterList::kWholePacket, 0x100, 0, 0, 0, &Fixture::Serve, &f);
  for (WORD pid : {0x100, 0x101, 0x102, 0x200, 0x300}) {
    const auto p = Packet(pid);
    f.router.Route(pid, p.data());
  }
  EXPECT_EQ(f.recorded, (std::vector<std::pair<int, WORD>>{{0, 0x100}, {1, 0x101}, {2, 0x102}}));
  // The filter of the video PID sees nothing: the recorder took its packets.
  EXPECT_EQ(f.served, std::vector<int>{188});
  EXPECT_EQ(f.router.TakeByteCount(), 3u * 188);
  EXPECT_EQ(f.router.TakeByteCount(), 0u);
}

TEST(TsRouterTest, PidZeroIsNeverARecorderStream) {
  Fixture f;
  f.router.SetPids(0, 0, 0);
  f.router.Filters().Add(CHostFilterList::kWholePacket, 0, 0, 0, 0, &Fixture::Serve, &f);
  const auto p = Packet(0);
  f.router.Route(0, p.data());
  EXPECT_TRUE(f.recorded.empty());
  EXPECT_EQ(f.served, std::vector<int>{188});
}

TEST(TsRouterTest, ALostSyncByteIsLoggedAndTheNextPacketServed) {
  Fixture f;
  f.router.Filters().Add(CHostFilterList::kWholePacket, 0x200, 0, 0, 0, &Fixture::Serve, &f);
  const auto bad = Packet(0x200, 0x11, 0x12);
  f.router.Route(0x200, bad.data());
  const auto good = Packet(0x200);
  f.router.Route(0x200, good.data());
  EXPECT_EQ(f.log, std::vector<std::string>{"Critical filter error: Buff[0]: 0x12 / should be 0x47"});
  EXPECT_EQ(f.served, std::vector<int>{188});
}

TEST(TsRouterTest, AnErrorPacketIsDroppedOnceAndTheNextDispatched) {
  Fixture f;
  f.router.Filters().Add(CHostFilterList::kPayload, 0x200, 0, 0, 0, &Fixture::Serve, &f);
  auto bad = Packet(0x200);
  bad[1] |= 0x80;
  f.router.Route(0x200, bad.data());
  const auto good = Packet(0x200);
  f.router.Route(0x200, good.data());
  EXPECT_EQ(f.log, std::vector<std::string>{"Invalid transport stream packet received."});
  EXPECT_EQ(f.served, std::vector<int>{184});
}

TEST(TsRouterTest, AnAc3SyncFrameOnTheAc3PidSetsTheMode) {
  Fixture f;
  f.router.SetPids(0, 0, 0x102);
  auto p = Packet(0x102);
  // A sync frame header: 0B 77, CRC, fscod/frmsizecod, bsid/bsmod, acmod 2 (stereo) and no LFE.
  const BYTE header[] = {0x0B, 0x77, 0x00, 0x00, 0x1C, 0x40, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00};
  std::copy(std::begin(header), std::end(header), p.begin() + 4);
  f.router.Route(0x102, p.data());
  EXPECT_NE(f.router.Ac3Mode(), 0u);
  EXPECT_EQ(f.recorded.size(), 1u);
}

TEST(TsRouterTest, ClearingTheFiltersServesNoneAfterwards) {
  Fixture f;
  f.router.Filters().Add(CHostFilterList::kWholePacket, 0x200, 0, 0, 0, &Fixture::Serve, &f);
  f.router.ClearFilters();
  const auto p = Packet(0x200);
  f.router.Route(0x200, p.data());
  EXPECT_TRUE(f.served.empty());
  EXPECT_EQ(f.router.Filters().Count(), 0u);
}

}  // namespace
