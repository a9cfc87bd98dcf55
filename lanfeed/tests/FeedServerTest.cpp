#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "FakeHost.h"
#include "FeedServer.h"
#include "LoopbackClient.h"
#include "ServerWindow.h"
#include "SyntheticPes.h"
#include "TestData.h"

namespace {

using Bytes = std::vector<BYTE>;

template <typename Record>
LanItem RecordItem(uint16_t type, uint32_t index, uint32_t count, const Record& record) {
  LanItem item;
  item.isMessage = true;
  item.header.type = type;
  item.header.index = static_cast<uint16_t>(index);
  item.header.count = count;
  item.header.length = static_cast<uint16_t>(record.size());
  item.bytes.assign(record.begin(), record.end());
  return item;
}

LanItem NoticeItem(uint16_t type, uint32_t index) { return RecordItem(type, index, 0, Bytes{}); }

bool SameItem(const LanItem& a, const LanItem& b) {
  return a.isMessage == b.isMessage && a.header.type == b.header.type && a.header.index == b.header.index &&
         a.header.count == b.header.count && a.header.length == b.header.length && a.bytes == b.bytes;
}

size_t CountOf(const std::string& text, const std::string& line) {
  size_t n = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
  return n;
}

class FeedServer : public testing::Test {
 protected:
  FeedServer() : server(host), window(server), port(FreeLoopbackPort()) {}
  ~FeedServer() override { server.Stop(0); }

  // Connects a reading client and waits for its connect sequence, for as long
  // as items keep arriving: a long list on a loaded machine is slow, a server
  // that stopped sending is not.
  void ConnectAndReceiveSequence(CLoopbackClient& client, size_t records) {
    ASSERT_TRUE(client.Connect(port));
    client.StartReading();
    for (size_t seen = 0; seen < records + 1;) {
      ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() != seen; })) << "no item after the first " << seen;
      seen = client.ItemCount();
    }
  }

  // Hands packets to the server from a thread of its own, as the host's
  // stream thread does.
  std::vector<Bytes> DeliverFromStreamThread(uint32_t first, uint32_t n, size_t payload = 700) {
    std::vector<Bytes> packets;
    for (uint32_t i = 0; i < n; ++i) packets.push_back(SyntheticPes(first + i, payload + i % 50));
    std::thread stream([&] {
      for (const Bytes& p : packets) {
        while (server.QueueSize() > 200) Sleep(1);  // paced: nothing is dropped here
        server.EnqueuePacket(static_cast<int>(p.size()), p.data());
      }
    });
    stream.join();
    return packets;
  }

  CWinsockSession winsock;
  CFakeHost host;
  CFeedServer server;
  CServerWindow window;
  u_short port;
};

TEST_F(FeedServer, ServesListsCurrentChannelPacketsAndSwitchNotice) {
  host.channels = CFakeHost::NumberedChannels(3);
  host.second = CFakeHost::NumberedSecond(2);
  host.current = 9;
  ASSERT_TRUE(server.Start(port, 1));
  CLoopbackClient client;
  ConnectAndReceiveSequence(client, 5);
  EXPECT_NE(std::string::npos, window.LogText().find("New client connection established.\r\n"));

  const std::vector<LanItem> expected = {
      RecordItem(kLanChannelRecord, 0, 3, host.channels[0]), RecordItem(kLanChannelRecord, 1, 3, host.channels[1]),
      RecordItem(kLanChannelRecord, 2, 3, host.channels[2]), RecordItem(kLanSecondRecord, 0, 2, host.second[0]),
      RecordItem(kLanSecondRecord, 1, 2, host.second[1]),    NoticeItem(kLanCurrentChannel, 9)};
  auto items = client.Items();
  ASSERT_EQ(expected.size(), items.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(SameItem(expected[i], items[i])) << i;

  const auto packets = DeliverFromStreamThread(0, 300);
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 6 + packets.size(); }));
  server.SwitchChannel(0x10005);
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 7 + packets.size(); }));
  items = client.Items();
  for (size_t i = 0; i < packets.size(); ++i) {
    ASSERT_FALSE(items[6 + i].isMessage);
    ASSERT_EQ(packets[i], items[6 + i].bytes) << i;
  }
  EXPECT_TRUE(SameItem(NoticeItem(kLanChannelSwitched, 5), items.back()));
  EXPECT_EQ(300, server.Sent());
  EXPECT_EQ(300, server.Received());
  EXPECT_EQ(0, server.Dropped());

  const auto calls = host.Calls();
  // Counts and records of both lists, then the start notice, then the
  // current channel for the client.
  ASSERT_GE(calls.size(), 9u);
  EXPECT_EQ(kHostChannelCount, calls[0].code);
  EXPECT_EQ(kHostSecondCount, calls[4].code);
  EXPECT_EQ(kHostServerStarted, calls[7].code);
  EXPECT_EQ(1, calls[7].value);  // the expert flag
  EXPECT_EQ(kHostCurrentChannel, calls[8].code);
  EXPECT_EQ(kHostSwitchChannel, calls.back().code);
  EXPECT_EQ(0x10005, calls.back().value);
  EXPECT_FALSE(client.StreamFailed());
}

TEST_F(FeedServer, EmptyListsSendTheCurrentChannelAlone) {
  host.current = 2;
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient client;
  ConnectAndReceiveSequence(client, 0);
  const auto items = client.Items();
  ASSERT_EQ(1u, items.size());
  EXPECT_TRUE(SameItem(NoticeItem(kLanCurrentChannel, 2), items[0]));
}

TEST_F(FeedServer, ListsBeyond65535RecordsArriveWithWrappedIndexAndFullCount) {
  host.channels = CFakeHost::NumberedChannels(65537);
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient client;
  ConnectAndReceiveSequence(client, 65537);
  const auto items = client.Items();
  ASSERT_EQ(65538u, items.size());
  for (size_t i = 0; i < 65537; ++i)
    ASSERT_TRUE(SameItem(RecordItem(kLanChannelRecord, static_cast<uint32_t>(i), 65537, host.channels[i]), items[i]))
        << i;
  EXPECT_EQ(0, items[65536].header.index);
  EXPECT_EQ(kLanCurrentChannel, items[65537].header.type);
}

// Packets go out from the sender thread while the dialog's thread sends the
// connect sequence: every message must arrive whole, never cut by a packet.
TEST_F(FeedServer, PacketsDuringTheConnectSequenceNeverCutAMessage) {
  host.channels = CFakeHost::NumberedChannels(500);
  ASSERT_TRUE(server.Start(port, 0));
  std::atomic<bool> streaming{true};
  std::thread stream([&] {
    for (uint32_t serial = 0; streaming; ++serial) {
      // Large packets fill the socket, so they go out in several sends.
      const Bytes p = SyntheticPes(serial, 30000);
      while (streaming && !server.EnqueuePacket(static_cast<int>(p.size()), p.data())) Sleep(1);
    }
  });
  CLoopbackClient client;
  client.readPauseMs = 1;
  ASSERT_TRUE(client.Connect(port, 8192));
  client.StartReading();
  Sleep(300);  // packets fill the socket before the connect sequence begins
  ASSERT_TRUE(PumpUntil(
      [&] {
        for (const LanItem& item : client.Items())
          if (item.isMessage && item.header.type == kLanCurrentChannel) return true;
        return client.StreamFailed();
      },
      120000));
  streaming = false;
  stream.join();
  ASSERT_FALSE(client.StreamFailed());
  size_t records = 0, packetsBetween = 0;
  for (const LanItem& item : client.Items()) {
    if (!item.isMessage) {
      if (records > 0 && records < 500) ++packetsBetween;
      ASSERT_EQ(
          SyntheticPes(item.bytes[9] | (item.bytes[10] << 8) | (item.bytes[11] << 16) | (item.bytes[12] << 24), 30000),
          item.bytes);
      continue;
    }
    if (item.header.type != kLanChannelRecord) continue;
    ASSERT_TRUE(
        SameItem(RecordItem(kLanChannelRecord, static_cast<uint32_t>(records), 500, host.channels[records]), item));
    ++records;
  }
  EXPECT_EQ(500u, records);
  EXPECT_GT(packetsBetween, 0u);  // the two writers really did take turns
}

TEST_F(FeedServer, AfterAClientLeavesTheServerListensForTheNext) {
  host.channels = CFakeHost::NumberedChannels(2);
  ASSERT_TRUE(server.Start(port, 0));
  {
    CLoopbackClient first;
    ConnectAndReceiveSequence(first, 2);
    DeliverFromStreamThread(0, 20);
    ASSERT_TRUE(PumpUntil([&] { return first.ItemCount() >= 23; }));
  }  // disconnects mid-stream
  ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kConnectionClosed] == 1; }));
  EXPECT_EQ(1u, CountOf(window.LogText(), "Client connection closed.\r\n"));
  EXPECT_FALSE(server.Channel().IsConnected());

  CLoopbackClient second;
  ConnectAndReceiveSequence(second, 2);
  const auto packets = DeliverFromStreamThread(100, 10);
  ASSERT_TRUE(PumpUntil([&] { return second.ItemCount() >= 13; }));
  EXPECT_EQ(packets.back(), second.Items().back().bytes);
  EXPECT_EQ(1u, CountOf(window.LogText(), "Client connection closed.\r\n"));
}

// Another program cannot listen on the server's port and take its clients,
// neither at Start nor once listening re-opened after a client left.
TEST_F(FeedServer, AnotherListenerOnThePortIsRefusedWhileTheServerRuns) {
  ASSERT_TRUE(server.Start(port, 0));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_FALSE(CanListenOn(port, SO_REUSEADDR, INADDR_ANY));
    EXPECT_FALSE(CanListenOn(port, SO_REUSEADDR, INADDR_LOOPBACK));
    {
      CLoopbackClient client;
      ConnectAndReceiveSequence(client, 0);
    }  // leaves: the server listens again
    ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kConnectionClosed] == round + 1; }));
    EXPECT_TRUE(server.Channel().IsOpen());
  }
  server.Stop(0);
  EXPECT_TRUE(CanListenOn(port, SO_REUSEADDR, INADDR_ANY));  // given back at Stop
}

// The reader posts "connection closed" just before the user stops the
// server; the message arrives after Stop and must not open listening again,
// or the next Start would find the channel busy.
TEST_F(FeedServer, AConnectionClosedArrivingAfterStopLeavesTheChannelIdle) {
  ASSERT_TRUE(server.Start(port, 0));
  server.Stop(0);
  server.OnChannelEvent(CTcpChannel::kConnectionClosed);
  EXPECT_FALSE(server.Channel().IsOpen());
  EXPECT_TRUE(server.Start(port, 0));
}

TEST_F(FeedServer, ASecondClientIsRefusedWhileOneIsServed) {
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient first;
  ConnectAndReceiveSequence(first, 0);
  CLoopbackClient second;
  EXPECT_FALSE(second.Connect(port));
  const auto packets = DeliverFromStreamThread(0, 5);
  ASSERT_TRUE(PumpUntil([&] { return first.ItemCount() >= 6; }));
  EXPECT_EQ(packets.back(), first.Items().back().bytes);
}

// A client that connects and never reads: the host's stream thread keeps
// handing over packets without waiting (the queue drops what does not fit),
// and Stop ends the server although the sender waits on the client without
// a time limit. The client's connection is reset, not left to finish the
// unsent data it will never take, so the next Start has the port at once.
TEST_F(FeedServer, AClientThatStopsReadingHoldsNeitherHostNorStopNorTheNextStart) {
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient stalled;
  ASSERT_TRUE(stalled.Connect(port, 4096));
  ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kClientConnected] == 1; }));
  const Bytes packet = SyntheticPes(1, 60000);
  std::thread stream([&] {
    for (int i = 0; i < 2000; ++i) server.EnqueuePacket(static_cast<int>(packet.size()), packet.data());
  });
  stream.join();
  EXPECT_GT(server.Dropped(), 0);
  EXPECT_LE(server.QueueSize(), CPesQueue::kMaxPackets);
  ASSERT_TRUE(PumpUntil([&] { return server.Sent() > 0; }));
  const long long sentBytes = static_cast<long long>(server.Sent()) * static_cast<long long>(packet.size());
  server.Stop(0);
  EXPECT_FALSE(server.IsRunning());
  EXPECT_FALSE(server.Channel().IsOpen());
  EXPECT_EQ(kHostServerStopped, host.Calls().back().code);

  // What the client never took went with the reset: it reads no more than
  // it held when the server stopped.
  stalled.StartReading();
  ASSERT_TRUE(PumpUntil([&] { return stalled.Ended(); }));
  EXPECT_LT(stalled.BytesReceived(), sentBytes);
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient next;
  ConnectAndReceiveSequence(next, 0);
}

// Hands packets over until the queue is full and no packet has gone out for
// a second: the sender is then held in a send without limit to a client that
// does not read.
bool FillUntilSenderIsStuck(CFeedServer& server) {
  const Bytes packet = SyntheticPes(1, 60000);
  const DWORD start = GetTickCount();
  DWORD still = start;
  int sent = -1;
  while (GetTickCount() - start < 60000) {
    server.EnqueuePacket(static_cast<int>(packet.size()), packet.data());
    if (server.QueueSize() < CPesQueue::kMaxPackets || server.Sent() != sent) {
      sent = server.Sent();
      still = GetTickCount();
    } else if (GetTickCount() - still >= 1000) {
      return true;
    }
    Sleep(1);
  }
  return false;
}

// Closes the stalled client after a while unless disarmed first, which frees
// a writer that would otherwise wait on it for ever; rescued tells the test.
class StalledClientRescue {
 public:
  explicit StalledClientRescue(CLoopbackClient& client)
      : m_thread([this, &client] {
          const DWORD start = GetTickCount();
          while (!m_disarmed && GetTickCount() - start < 20000) Sleep(10);
          if (!m_disarmed) {
            rescued = true;
            client.Close();
          }
        }) {}
  ~StalledClientRescue() { Disarm(); }
  void Disarm() {
    m_disarmed = true;
    if (m_thread.joinable()) m_thread.join();
  }
  std::atomic<bool> rescued{false};

 private:
  std::atomic<bool> m_disarmed{false};
  std::thread m_thread;
};

// The sender waits without limit on a client that stopped reading. The
// dialog's thread must still get its turn within its own limits: a channel
// switch returns (its notice lost, the connection kept), ...
TEST_F(FeedServer, ASwitchNoticeKeepsItsLimitWhileTheSenderWaitsOnAStalledClient) {
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient stalled;
  ASSERT_TRUE(stalled.Connect(port, 4096));
  ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kClientConnected] == 1; }));
  ASSERT_TRUE(FillUntilSenderIsStuck(server));
  StalledClientRescue rescue(stalled);
  std::atomic<bool> switched{false};
  std::thread dialog([&] {
    server.SwitchChannel(3);
    switched = true;
  });
  PumpUntil([&] { return switched.load(); }, 60000);
  dialog.join();
  rescue.Disarm();
  EXPECT_FALSE(rescue.rescued);
  EXPECT_TRUE(server.Channel().IsConnected());
}

// ... and the connect sequence of a client that is stuck from the start ends
// after its message limit, so the server listens again.
TEST_F(FeedServer, AConnectSequenceKeepsItsLimitWhileTheSenderWaitsOnAStalledClient) {
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient stalled;
  ASSERT_TRUE(stalled.Connect(port, 4096));
  // The reader marks the client connected before the dialog's thread (this
  // one) runs the connect sequence; the sender starts sending at once.
  const DWORD start = GetTickCount();
  while (!server.Channel().IsConnected() && GetTickCount() - start < 10000) Sleep(1);
  ASSERT_TRUE(server.Channel().IsConnected());
  ASSERT_TRUE(FillUntilSenderIsStuck(server));
  StalledClientRescue rescue(stalled);
  PumpUntil([&] { return window.events[CTcpChannel::kConnectionClosed] == 1; }, 60000);
  rescue.Disarm();
  EXPECT_FALSE(rescue.rescued);
  EXPECT_EQ(1, window.events[CTcpChannel::kConnectionClosed]);
  CLoopbackClient next;
  EXPECT_TRUE(PumpUntil([&] { return server.Channel().IsOpen() && !server.Channel().IsConnected(); }));
  EXPECT_TRUE(next.Connect(port));
}

// The same client during a connect sequence far larger than the socket
// buffers: the host's UI thread is released after one message's limit and
// the connection is ended, and the server listens again.
TEST_F(FeedServer, AStalledClientEndsTheConnectSequenceAfterOneMessageLimit) {
  host.channels = CFakeHost::NumberedChannels(65537);
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient stalled;
  ASSERT_TRUE(stalled.Connect(port, 4096));
  ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kClientConnected] == 1; }));
  ASSERT_TRUE(PumpUntil([&] { return window.events[CTcpChannel::kConnectionClosed] == 1; }, 60000));
  stalled.Close();
  CLoopbackClient next;
  ASSERT_TRUE(PumpUntil([&] { return server.Channel().IsOpen() && !server.Channel().IsConnected(); }));
  EXPECT_TRUE(next.Connect(port));
}

TEST_F(FeedServer, StopClosesTheClientTellsTheHostAndStartRestartsCounts) {
  ASSERT_TRUE(server.Start(port, 1));
  CLoopbackClient client;
  ConnectAndReceiveSequence(client, 0);
  DeliverFromStreamThread(0, 10);
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 11; }));
  server.Stop(1);
  ASSERT_TRUE(PumpUntil([&] { return client.Ended(); }));
  EXPECT_EQ(kHostServerStopped, host.Calls().back().code);
  EXPECT_EQ(1, host.Calls().back().value);
  EXPECT_EQ(0, server.Sent());
  EXPECT_EQ(0, server.Received());
  EXPECT_FALSE(server.Channel().IsConnected());

  // Stopped: packets wait in the queue and are the first to go at the next Start.
  const Bytes waiting = SyntheticPes(77, 100);
  server.EnqueuePacket(static_cast<int>(waiting.size()), waiting.data());
  EXPECT_EQ(1, server.Received());
  ASSERT_TRUE(server.Start(port, 0));
  EXPECT_EQ(0, server.Received());
  CLoopbackClient again;
  ConnectAndReceiveSequence(again, 0);
  EXPECT_EQ(0, server.Dropped());
}

// Stop on the dialog's thread while the reader waits for that thread to take
// its log line: the wait serves the line, so the reader ends by itself
// instead of being terminated after the stop limit.
TEST_F(FeedServer, StopServesTheReadersLogLineInsteadOfWaitingItOut) {
  ASSERT_TRUE(server.Start(port, 0));
  {
    CLoopbackClient client;
    ConnectAndReceiveSequence(client, 0);
  }
  // The reader now sends its log line to this thread, which does not pump.
  const DWORD start = GetTickCount();
  while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && GetTickCount() - start < 10000) Sleep(1);
  ASSERT_TRUE(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE);
  server.Stop(0);
  EXPECT_EQ(1u, CountOf(window.LogText(), "Client connection closed.\r\n"));
  EXPECT_FALSE(server.Channel().IsOpen());
}

TEST_F(FeedServer, BadPortsAndAPortInUseLeaveTheServerStopped) {
  SOCKET holder = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  address.sin_port = htons(port);
  BOOL exclusive = TRUE;
  setsockopt(holder, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof(exclusive));
  ASSERT_EQ(0, bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof(address)));
  ASSERT_EQ(0, listen(holder, 1));
  for (unsigned bad : {0u, 65536u, 70000u, static_cast<unsigned>(port)}) {
    EXPECT_FALSE(server.Start(bad, 0)) << bad;
    EXPECT_FALSE(server.IsRunning());
    EXPECT_FALSE(server.Channel().IsOpen());
  }
  EXPECT_TRUE(host.Calls().empty());  // the host hears nothing of a failed Start
  closesocket(holder);
  EXPECT_TRUE(server.Start(port, 0));
}

TEST_F(FeedServer, SwitchWhileStoppedIsIgnoredAndASwitchEmptiesTheQueue) {
  const Bytes p = SyntheticPes(1, 10);
  for (int i = 0; i < 5; ++i) server.EnqueuePacket(static_cast<int>(p.size()), p.data());
  server.SwitchChannel(3);
  EXPECT_EQ(5, server.QueueSize());
  EXPECT_TRUE(host.Calls().empty());
  ASSERT_TRUE(server.Start(port, 0));
  server.Stop(0);
  for (int i = 0; i < 5; ++i) server.EnqueuePacket(static_cast<int>(p.size()), p.data());
  ASSERT_TRUE(server.Start(port, 0));
  server.SwitchChannel(4);
  EXPECT_EQ(0, server.QueueSize());
  EXPECT_EQ(4, server.LastSwitchIndex());
}

}  // namespace

namespace {

// The PES packets of a real MPEG-2 stream (video and MP2 audio, made with
// ffmpeg by the fixture script) reach the client byte for byte and in order.
TEST_F(FeedServer, RealStreamPacketsArriveUnchangedAndInOrder) {
  const std::vector<BYTE> file = ReadTestData("av.pes");
  if (file.empty()) GTEST_SKIP() << "no PES fixture; the synthetic packets above cover the path";
  CLanStreamReader split;
  ASSERT_TRUE(split.Feed(file.data(), file.size()));
  ASSERT_EQ(0u, split.Pending());
  std::vector<Bytes> packets;
  for (LanItem& item : split.items) packets.push_back(std::move(item.bytes));
  ASSERT_GT(packets.size(), 50u);

  host.channels = CFakeHost::NumberedChannels(4);
  ASSERT_TRUE(server.Start(port, 0));
  CLoopbackClient client;
  ConnectAndReceiveSequence(client, 4);
  std::thread stream([&] {
    for (const Bytes& p : packets) {
      while (server.QueueSize() > 200) Sleep(1);
      server.EnqueuePacket(static_cast<int>(p.size()), p.data());
    }
  });
  stream.join();
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 5 + packets.size(); }));
  const auto items = client.Items();
  ASSERT_EQ(5 + packets.size(), items.size());
  for (size_t i = 0; i < packets.size(); ++i) ASSERT_EQ(packets[i], items[5 + i].bytes) << i;
  EXPECT_EQ(0, server.Dropped());
}

}  // namespace
