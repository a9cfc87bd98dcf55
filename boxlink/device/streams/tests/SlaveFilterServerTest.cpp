// The slave filter server through boxlink.dll: another process (the
// requester program) asks this process, which holds the box, for network
// filters through the named memory and events. The box receives the
// filters, their sections go to the network adapter with the filter id in
// front, and the server stops and starts again with the device.
#include "NetworkBoxFixture.h"

#include "DVBBoardControl.h"
#include "FilterRequests.h"
#include "NetAdapterIoctl.h"
#include "SimFilterOutput.h"

using namespace filterrequests;

class SlaveFilterServerTest : public NetworkBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NE(getenv("BOXLINK_FILTER_REQUESTER"), nullptr);
    NetworkBoxTest::SetUp();
  }
  int BoxFilters() {
    SimBoxState s = State();
    int used = 0;
    for (const auto& f : s.filters) used += f.used ? 1 : 0;
    return used;
  }
};

TEST_F(SlaveFilterServerTest, SixteenNetworkFiltersReachTheBoxAndTheSeventeenthIsRefused) {
  OpenWithNetwork();
  std::vector<std::string> requests;
  for (int i = 0; i < 17; ++i) requests.push_back("create");
  for (int n = 1; n <= 16; ++n) requests.push_back("set:" + std::to_string(n) + ":2:" + std::to_string(0x100 + n));
  std::vector<Response> r = Ask(requests);
  ASSERT_EQ(r.size(), requests.size());
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(r[i].number, unsigned(i + 1)) << r[i].line;
    EXPECT_EQ(r[i].command, 1u);
  }
  EXPECT_EQ(r[16].number, 0xFFu) << r[16].line;

  SimBoxState box = State();
  for (int n = 1; n <= 16; ++n) {
    const Response& set = r[16 + n];
    ASSERT_TRUE(set.answered) << set.line;
    EXPECT_EQ(set.number, unsigned(n));
    EXPECT_EQ(set.command, 4u);
    EXPECT_EQ(set.result, 0u);
    EXPECT_EQ(set.ip, kAdapterIp);
    EXPECT_EQ(set.mask, kAdapterMask);
    EXPECT_EQ(set.port, kAdapterPort);
    // The filter id is the box's filter number + 1; the box holds the PID.
    ASSERT_GE(set.filterId, 1u);
    const SimBoxState::Filter& f = box.filters[set.filterId - 1];
    EXPECT_TRUE(f.used);
    EXPECT_EQ(f.section, 1);
    EXPECT_EQ(f.pid, 0x100 + n);
  }
  EXPECT_EQ(BoxFilters(), 16);

  // A section on filter 5's PID goes to the adapter behind filter 5's id.
  const Response& five = r[16 + 5];
  SimSection section = SimSectionWithCrc(0x42, 7, {1, 2, 3});
  Send(SimSectionOutput(State(), WORD(0x105), {section}));
  ISimNetAdapter* net = NetSimulator();
  ASSERT_TRUE(WaitFor([&] { return net->SentCount() >= 1; }));
  SimNetPacket sent;
  ASSERT_TRUE(net->GetSent(0, &sent));
  EXPECT_EQ(sent.code, netadapterioctl::kSendSection);
  EXPECT_EQ(sent.length, section.size() + 1);
  EXPECT_EQ(sent.data[0], five.filterId);
  EXPECT_EQ(sent.data[1], section[0]);

  // Board control removes the box filters of every slave filter; the
  // filters stay and can be set again.
  board.ResetAllSlaveFilters();
  EXPECT_EQ(BoxFilters(), 0);
  Response again = AskOne("set:16:2:0x200");
  EXPECT_EQ(again.result, 0u) << again.line;
  EXPECT_EQ(BoxFilters(), 1);
}

TEST_F(SlaveFilterServerTest, RequestsOnFreeOrUnknownNumbersAreRefused) {
  std::vector<Response> r = Ask({"create", "create", "delete:1", "delete:0", "delete:17", "delete:1", "reset:1",
                                 "count:1", "set:1:2:0x100", "counts:3:4", "create", "count:2", "raw:0:2", "raw:7:2"});
  ASSERT_EQ(r.size(), 14u);
  EXPECT_EQ(r[0].number, 1u);
  EXPECT_EQ(r[1].number, 2u);
  EXPECT_EQ(r[2].result, 0u) << "delete of 1";
  for (int i = 3; i <= 9; ++i) {
    EXPECT_EQ(r[i].result, unsigned(DVB_ERR_ARGUMENT)) << r[i].line;
    EXPECT_EQ(r[i].command, std::vector<unsigned>({2, 2, 2, 3, 5, 4, 6})[i - 3]) << r[i].line;
  }
  EXPECT_EQ(r[4].number, 17u);
  // The lowest free number is used again.
  EXPECT_EQ(r[10].number, 1u);
  EXPECT_EQ(r[11].result, 0u);
  EXPECT_EQ(r[11].ip, 0u) << "no bytes through a filter that was never set";
  // Commands 0 and 7 do nothing, but are answered with their echo.
  EXPECT_TRUE(r[12].answered);
  EXPECT_EQ(r[12].command, 0u);
  EXPECT_EQ(r[13].command, 7u);
  EXPECT_EQ(BoxFilters(), 0);
}

TEST_F(SlaveFilterServerTest, TheServerStopsAndStartsAgainWithTheDevice) {
  ASSERT_EQ(AskOne("create").number, 1u);
  Response set = AskOne("set:1:2:0x100");
  ASSERT_EQ(set.result, 0u) << set.line;
  EXPECT_EQ(BoxFilters(), 1);

  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  // Closed: nobody serves, and the slave filters are gone.
  EXPECT_FALSE(AskOne("create", kSilenceWaitMs).answered);
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_EQ(AskOne("reset:1").result, unsigned(DVB_ERR_ARGUMENT));
  EXPECT_EQ(AskOne("create").number, 1u);

  // Closing and opening at once, again and again, always leaves a server
  // running: a start never finds the old thread on its way out.
  for (int i = 0; i < 20; ++i) {
    CDVBCommon::CloseDevice();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  }
  Response after = AskOne("create");
  EXPECT_TRUE(after.answered) << after.line;
  EXPECT_EQ(after.number, 1u);
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
}

TEST_F(SlaveFilterServerTest, OpeningAnotherBoxLeavesTheServerRunningForIt) {
  sim->SetPresent(2);
  ASSERT_TRUE(CDVBCommon::OpenDevice(1, nullptr, TRUE));
  ASSERT_EQ(CDVBCommon::GetActDeviceIdx(), 1);
  Response created = AskOne("create");
  EXPECT_TRUE(created.answered) << "box 1 has no server: " << created.line;
  EXPECT_EQ(created.number, 1u);
}

TEST_F(SlaveFilterServerTest, TheFilterLengthIsPassedOnAndTheFilterJudgesIt) {
  const std::string twelve = "474849505152535455565758";
  const std::string section = "set:1:2:0x100:" + twelve + ":" + twelve;
  struct Row {
    std::string request;
    unsigned result;
    int boxSection;   // the box's filter: 1 section, 0 pipe, -1 none
    int boxLength;    // its length byte (section) or value (pipe)
  } rows[] = {
      {section, DVB_ERR_NONE, 1, 12},
      {section + ":13", DVB_ERR_REFUSED, -1, 0},  // more section bytes than the box takes
      {"set:1:2:0x100:::17", DVB_ERR_ARGUMENT, -1, 0},
      {"set:1:1:0x101:::14", DVB_ERR_NONE, 0, 14},
      {"set:1:1:0x101:::16", DVB_ERR_NONE, 0, 16},
      {"set:1:1:0x101:::17", DVB_ERR_ARGUMENT, -1, 0},
  };
  ASSERT_EQ(AskOne("create").number, 1u);
  for (const Row& row : rows) {
    Response r = AskOne(row.request);
    ASSERT_TRUE(r.answered) << row.request;
    EXPECT_EQ(r.result, row.result) << row.request;
    SimBoxState box = State();
    int used = 0;
    for (const auto& f : box.filters) {
      if (!f.used) continue;
      ++used;
      EXPECT_EQ(f.section, row.boxSection) << row.request;
      EXPECT_EQ(f.section ? f.params[4] : f.value, row.boxLength) << row.request;
    }
    EXPECT_EQ(used, row.boxSection < 0 ? 0 : 1) << row.request;
  }
}
