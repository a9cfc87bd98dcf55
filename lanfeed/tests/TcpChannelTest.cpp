#include <gtest/gtest.h>

#include <string>

#include "LoopbackClient.h"
#include "SyntheticPes.h"
#include "TcpChannel.h"

namespace {

class TcpChannel : public testing::Test {
 protected:
  CWinsockSession winsock;
};

TEST_F(TcpChannel, ServiceTextsGiveTheirPort) {
  struct Row {
    const char* service;
    u_short port;
  };
  const Row rows[] = {{"2000", 2000}, {"2000abc", 2000}, {"65535", 65535},           {"0", 0},
                      {"65536", 0},   {"70000", 0},      {"no-such-service-here", 0}};
  for (const Row& row : rows) EXPECT_EQ(row.port, CTcpChannel::LookupPort(row.service)) << row.service;
}

// Port 0 and a port beyond 16 bits are refused alike, instead of binding
// whatever port the low 16 bits name.
TEST_F(TcpChannel, CreateRefusesPortsThatCannotBeBoundAsTyped) {
  const u_short free = FreeLoopbackPort();
  const std::string beyond = std::to_string(65536u + free);  // low 16 bits: a free port
  for (const std::string& service : {std::string("0"), beyond, std::string("no-such-service-here")}) {
    CTcpChannel channel;
    SetLastError(0);
    EXPECT_FALSE(channel.Create(service.c_str(), AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort)) << service;
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << service;
    EXPECT_FALSE(channel.IsOpen());
  }
  CLoopbackClient client;
  EXPECT_FALSE(client.Connect(free));  // nothing was bound on the low 16 bits
}

TEST_F(TcpChannel, CreateOnAChannelWithASocketFailsAndKeepsIt) {
  const u_short port = FreeLoopbackPort();
  CTcpChannel channel;
  ASSERT_TRUE(channel.Create(std::to_string(port).c_str(), AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort));
  EXPECT_FALSE(
      channel.Create(std::to_string(FreeLoopbackPort()).c_str(), AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort));
  EXPECT_TRUE(channel.IsOpen());
  CLoopbackClient client;
  EXPECT_TRUE(client.Connect(port));  // still listening on the first port
}

// A server-mode channel with its reader: the events, the client's bytes,
// and a write far larger than the socket buffers going out whole.
class RecordingChannel : public CTcpChannel {
 public:
  std::atomic<int> connected{0}, closed{0};
  std::mutex lock;
  std::string received;

 protected:
  void OnDataReceived(const BYTE* data, int length) override {
    std::lock_guard<std::mutex> hold(lock);
    received.append(reinterpret_cast<const char*>(data), length);
  }
  void OnEvent(int kind) override {
    if (kind == kClientConnected) ++connected;
    if (kind == kConnectionClosed) ++closed;
  }
};

// No other program can listen on the channel's port, whatever it asks for:
// the clients that connect reach the channel.
TEST_F(TcpChannel, AListeningChannelHoldsItsPortAlone) {
  const u_short port = FreeLoopbackPort();
  RecordingChannel channel;
  channel.SetServer(true);
  ASSERT_TRUE(channel.Create(std::to_string(port).c_str(), AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort));
  ASSERT_TRUE(channel.StartReader());
  for (int option : {SO_REUSEADDR, 0, SO_EXCLUSIVEADDRUSE})
    for (u_long address : {u_long{INADDR_ANY}, u_long{INADDR_LOOPBACK}})
      EXPECT_FALSE(CanListenOn(port, option, address)) << "option " << option << ", address " << address;
  CLoopbackClient client;
  ASSERT_TRUE(client.Connect(port));
  EXPECT_TRUE(PumpUntil([&] { return channel.connected == 1; }));
}

TEST_F(TcpChannel, ServerModeAcceptsReadsAndWritesWholeBuffers) {
  const u_short port = FreeLoopbackPort();
  RecordingChannel channel;
  channel.SetServer(true);
  ASSERT_TRUE(channel.Create(std::to_string(port).c_str(), AF_INET, SOCK_STREAM, CTcpChannel::kExclusivePort));
  ASSERT_TRUE(channel.StartReader());
  EXPECT_FALSE(channel.StartReader());
  CLoopbackClient client;
  ASSERT_TRUE(client.Connect(port));
  ASSERT_TRUE(PumpUntil([&] { return channel.connected == 1; }));

  ASSERT_TRUE(client.Send("hello server"));
  ASSERT_TRUE(PumpUntil([&] {
    std::lock_guard<std::mutex> hold(channel.lock);
    return channel.received == "hello server";
  }));

  client.StartReading();
  const std::vector<BYTE> big = SyntheticPes(9, 65000);
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(static_cast<int>(big.size()), channel.Write(big.data(), static_cast<unsigned>(big.size()), 1000));
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() == 40; }));
  EXPECT_EQ(big, client.Items().back().bytes);

  CLoopbackClient talker;  // refused: the listening socket is gone
  EXPECT_FALSE(talker.Connect(port));
  client.Close();
  ASSERT_TRUE(PumpUntil([&] { return channel.closed == 1; }));
  channel.Stop();
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(0, channel.Write(big.data(), 10, 10));
  EXPECT_EQ(0, channel.Read(nullptr, 5, 10));
}

}  // namespace
