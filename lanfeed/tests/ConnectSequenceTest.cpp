#include <gtest/gtest.h>

#include <map>

#include "ConnectSequence.h"
#include "FakeHost.h"
#include "RecordingWriter.h"

namespace {

using Bytes = std::vector<BYTE>;

template <typename Record>
Bytes Message(uint16_t type, uint32_t index, uint32_t count, const Record& record) {
  Bytes m;
  EncodeLanMessage(m, type, index, count, record.data(), static_cast<uint16_t>(record.size()));
  return m;
}

Bytes Notice(uint16_t type, uint32_t index) {
  Bytes m;
  EncodeLanMessage(m, type, index, 0, nullptr, 0);
  return m;
}

class ConnectSequence : public testing::Test {
 protected:
  void Fetch() { lists.Fetch(host); }
  CFakeHost host;
  CChannelLists lists;
  CRecordingWriter client;
};

TEST_F(ConnectSequence, SendsBothListsThenTheCurrentChannelOneMessagePerWrite) {
  host.channels = CFakeHost::NumberedChannels(3);
  host.second = CFakeHost::NumberedSecond(2);
  host.current = 0x10007;
  Fetch();
  ASSERT_TRUE(SendConnectSequence(client, lists, host));
  const std::vector<Bytes> expected = {
      Message(kLanChannelRecord, 0, 3, host.channels[0]), Message(kLanChannelRecord, 1, 3, host.channels[1]),
      Message(kLanChannelRecord, 2, 3, host.channels[2]), Message(kLanSecondRecord, 0, 2, host.second[0]),
      Message(kLanSecondRecord, 1, 2, host.second[1]),    Notice(kLanCurrentChannel, 7),
  };
  EXPECT_EQ(expected, client.Writes());
  EXPECT_EQ(std::vector<int>(6, kConnectMessageLimitMs), client.limits);
  EXPECT_EQ(0, client.disconnects);
}

TEST_F(ConnectSequence, FetchAsksCountsThenEachRecordByIndex) {
  host.channels = CFakeHost::NumberedChannels(2);
  host.second = CFakeHost::NumberedSecond(1);
  Fetch();
  const auto calls = host.Calls();
  ASSERT_EQ(5u, calls.size());
  EXPECT_EQ(kHostChannelCount, calls[0].code);
  EXPECT_EQ(kHostChannelRecord, calls[1].code);
  EXPECT_EQ(0, calls[1].value);
  EXPECT_EQ(1, calls[2].value);
  EXPECT_EQ(kHostSecondCount, calls[3].code);
  EXPECT_EQ(kHostSecondRecord, calls[4].code);
  EXPECT_EQ(host.channels, lists.channels);
  EXPECT_EQ(host.second, lists.second);
}

TEST_F(ConnectSequence, EmptyOrNegativeListsGiveTheCurrentChannelAlone) {
  for (int32_t count : {0, -1, -70000}) {
    host.channelCount = count;
    host.current = 3;
    Fetch();
    EXPECT_TRUE(lists.channels.empty());
    CRecordingWriter fresh;
    ASSERT_TRUE(SendConnectSequence(fresh, lists, host));
    EXPECT_EQ(std::vector<Bytes>{Notice(kLanCurrentChannel, 3)}, fresh.Writes());
  }
}

// A client connection that keeps, per message type, how many came and the
// count the last one carried.
class CCountingWriter : public CStreamWriter {
 public:
  int Write(const BYTE* data, unsigned length, int) override {
    LanMessageHeader h;
    if (DecodeLanHeader(data, length, &h)) {
      ++messages[h.type];
      lastCount[h.type] = h.count;
    }
    return static_cast<int>(length);
  }
  bool IsConnected() const override { return true; }
  void Disconnect() override {}

  std::map<uint16_t, size_t> messages;
  std::map<uint16_t, uint32_t> lastCount;
};

// A host that answers a count beyond what a list holds (the largest count it
// can give, and one past the bound) gets asked for the records up to that
// bound, and the client is told the count it gets.
TEST_F(ConnectSequence, CountsBeyondWhatAListHoldsAreCapped) {
  const size_t maxChannels = CChannelLists::kMaxChannelRecords;
  const size_t maxSecond = CChannelLists::kMaxSecondRecords;
  host.channels = CFakeHost::NumberedChannels(3);
  host.channelCount = 0x7FFFFFFF;
  host.secondCount = static_cast<int32_t>(maxSecond) + 1;
  Fetch();
  ASSERT_EQ(maxChannels, lists.channels.size());
  ASSERT_EQ(maxSecond, lists.second.size());
  EXPECT_EQ(2 + maxChannels + maxSecond, host.Calls().size());  // two counts, then each record once
  EXPECT_EQ(host.channels[2], lists.channels[2]);

  CCountingWriter counted;
  ASSERT_TRUE(SendConnectSequence(counted, lists, host));
  EXPECT_EQ(maxChannels, counted.messages[kLanChannelRecord]);
  EXPECT_EQ(maxChannels, counted.lastCount[kLanChannelRecord]);
  EXPECT_EQ(maxSecond, counted.messages[kLanSecondRecord]);
  EXPECT_EQ(maxSecond, counted.lastCount[kLanSecondRecord]);
}

TEST_F(ConnectSequence, ListsBeyond65535RecordsWrapTheIndexAndKeepTheCount) {
  host.channels = CFakeHost::NumberedChannels(65538);
  Fetch();
  ASSERT_TRUE(SendConnectSequence(client, lists, host));
  const auto writes = client.Writes();
  ASSERT_EQ(65539u, writes.size());
  for (size_t i : {size_t{0}, size_t{65535}, size_t{65536}, size_t{65537}}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Message(kLanChannelRecord, static_cast<uint32_t>(i), 65538, host.channels[i]), writes[i]);
    LanMessageHeader h;
    ASSERT_TRUE(DecodeLanHeader(writes[i].data(), writes[i].size(), &h));
    EXPECT_EQ(static_cast<uint16_t>(i), h.index);
    EXPECT_EQ(65538u, h.count);
  }
}

// A client that stops reading: the first message that does not go out ends
// the sequence and the connection instead of holding the host's UI thread
// for every remaining record.
TEST_F(ConnectSequence, AMessageNotSentInTimeEndsSequenceAndConnection) {
  host.channels = CFakeHost::NumberedChannels(50);
  Fetch();
  client.refuseFrom = 10;
  EXPECT_FALSE(SendConnectSequence(client, lists, host));
  EXPECT_EQ(10u, client.Writes().size());
  EXPECT_EQ(11u, client.limits.size());
  EXPECT_EQ(1, client.disconnects);
}

TEST_F(ConnectSequence, NothingGoesToANotConnectedClient) {
  host.channels = CFakeHost::NumberedChannels(2);
  Fetch();
  client.connected = false;
  EXPECT_FALSE(SendConnectSequence(client, lists, host));
  SendChannelSwitched(client, 4);
  EXPECT_TRUE(client.limits.empty());
}

TEST_F(ConnectSequence, SwitchNoticeCarriesTheLow16BitsWithASecondLimit) {
  SendChannelSwitched(client, 0x20005);
  EXPECT_EQ(std::vector<Bytes>{Notice(kLanChannelSwitched, 5)}, client.Writes());
  EXPECT_EQ(std::vector<int>{kSwitchNoticeLimitMs}, client.limits);
}

}  // namespace
