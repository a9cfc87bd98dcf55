#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "LoopbackClient.h"
#include "SyntheticPes.h"

namespace {

std::string ModuleDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string dir = path;
  return dir.substr(0, dir.find_last_of("\\/"));
}

std::vector<BYTE> ReadFile(const std::string& path) {
  std::vector<BYTE> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    BYTE chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof(chunk), f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
  }
  return bytes;
}

BOOL CALLBACK CloseTopWindow(HWND window, LPARAM) {
  char title[32] = {};
  GetWindowTextA(window, title, sizeof(title));
  if (std::strcmp(title, "Quillon") == 0) PostMessage(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// The stand-in host loads a plug-in that runs the server engine; a client on
// loopback receives the host's list as the host read it from its ".qcx" file,
// the current channel, and the stream the host's thread feeds, in order.
TEST(HostEndToEnd, AClientReceivesTheHostsListAndStream) {
  CWinsockSession winsock;
  const std::string dir = ModuleDir();
  const std::string host = dir + "\\..\\..\\testbed\\host";
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string work = std::string(temp) + "lanfeed-e2e-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(work.c_str(), nullptr);

  // Sample data from the host's own generator; the stream: numbered packets.
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string command = "\"" + host + "\\make_sample_list.exe\" \"" + work + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<std::vector<BYTE>> packets;
  {
    FILE* f = std::fopen((work + "\\numbered.pes").c_str(), "wb");
    ASSERT_TRUE(f);
    for (uint32_t i = 0; i < 400; ++i) {
      packets.push_back(SyntheticPes(i, 1000 + i));
      std::fwrite(packets.back().data(), 1, packets.back().size(), f);
    }
    std::fclose(f);
  }
  const std::vector<BYTE> list = ReadFile(work + "\\sample.qcx");
  ASSERT_GT(list.size(), 12u);

  const u_short port = FreeLoopbackPort();
  SetEnvironmentVariableA("QUILLON_LANFEED_PORT", std::to_string(port).c_str());
  const std::string log = work + "\\host.log";
  command = "\"" + host + "\\tvhost.exe\" --plugin \"" + dir + "\\engine_plugin.dll\" --list \"" + work +
            "\\sample.qcx\" --pes \"" + work + "\\numbered.pes\" --rate fast --loop 0 --channel 4 --log \"" + log +
            "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));

  CLoopbackClient client;
  const DWORD start = GetTickCount();
  while (!client.Connect(port) && GetTickCount() - start < 30000) Sleep(50);
  client.StartReading();
  // 16 records, 3 favourites, the current channel, then a few hundred packets.
  const bool received = PumpUntil([&] { return client.ItemCount() >= 20 + 500 || client.StreamFailed(); }, 60000);

  // The host is told to close, ends the plug-in, and the client sees the end.
  EnumThreadWindows(process.dwThreadId, CloseTopWindow, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(received);
  ASSERT_FALSE(client.StreamFailed());
  EXPECT_TRUE(PumpUntil([&] { return client.Ended(); }, 10000));

  // Packets may come before and between the messages of the connect
  // sequence (the sender starts at the connection): look at each apart.
  std::vector<LanItem> messages, stream;
  for (const LanItem& item : client.Items()) (item.isMessage ? messages : stream).push_back(item);

  // The channel list: the file's records in its order (TV, then radio).
  const size_t records = (list.size() - 12) / 172;
  ASSERT_EQ(16u, records);
  ASSERT_EQ(records + 3 + 1, messages.size());
  for (size_t i = 0; i < records; ++i) {
    EXPECT_EQ(kLanChannelRecord, messages[i].header.type);
    EXPECT_EQ(i, messages[i].header.index);
    EXPECT_EQ(records, messages[i].header.count);
    EXPECT_EQ(0, std::memcmp(messages[i].bytes.data(), list.data() + 12 + 172 * i, 172)) << i;
  }
  for (size_t i = records; i < records + 3; ++i) {
    EXPECT_EQ(kLanSecondRecord, messages[i].header.type);
    EXPECT_EQ(268u, messages[i].bytes.size());
  }
  EXPECT_EQ(kLanCurrentChannel, messages.back().header.type);
  EXPECT_EQ(4, messages.back().header.index);

  // The stream: the looping file's packets, unchanged; within a pass of the
  // file they keep their order (packets fed while the queue was full are
  // dropped, never reordered).
  ASSERT_GE(stream.size(), 500u);
  uint32_t previous = 0;
  size_t wraps = 0;
  for (size_t i = 0; i < stream.size(); ++i) {
    const auto& bytes = stream[i].bytes;
    const uint32_t serial = bytes[9] | (bytes[10] << 8) | (bytes[11] << 16) | (bytes[12] << 24);
    ASSERT_LT(serial, packets.size());
    ASSERT_EQ(packets[serial], bytes);
    if (i > 0 && serial <= previous) ++wraps;
    previous = serial;
  }
  EXPECT_GT(wraps, 0u);  // the file was fed more than once
  EXPECT_LE(wraps, stream.size() / 2);

  std::string text;
  for (BYTE b : ReadFile(log)) text += static_cast<char>(b);
  EXPECT_NE(std::string::npos, text.find("request 0x1022000 server started expert=0"));
  EXPECT_NE(std::string::npos, text.find("request 0x1020014 current channel -> 4"));
  EXPECT_NE(std::string::npos, text.find("request 0x1022010 server stopped expert=0"));
  EXPECT_NE(std::string::npos, text.find("records answered: channels=16 second=3"));
}

}  // namespace
