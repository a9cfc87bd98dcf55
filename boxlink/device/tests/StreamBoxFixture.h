// Tests of the stream's consumers through boxlink.dll: a fresh box with
// its streams on, what the box sends composed by the simulator's composer
// and queued on its pipes, and a record of what the consumers' handlers
// received. The library's stream parser lives as long as the process and
// checks sequence numbers, so one composer numbers every packet the tests
// send, and each test waits until what it sent has arrived.
#pragma once

#include "BoxFixture.h"

#include "DVBBoardControl.h"
#include "SimStreamComposer.h"
#include "WaitFor.h"

#include <mutex>
#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

// What a handler received, in order; outlives the consumer that fills it,
// so a consumer may be destroyed while data flow.
class CReceived {
 public:
  void Add(const BYTE* data, int length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_got.push_back(Bytes(data, data + length));
  }
  std::vector<Bytes> Got() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_got;
  }
  size_t Count() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_got.size();
  }

 private:
  std::mutex m_mutex;
  std::vector<Bytes> m_got;
};

class StreamBoxTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  }
  void TearDown() override {
    // The readers stop only through an open box (tests close it too).
    if (CDVBCommon::IsOpen() || CDVBCommon::OpenDevice(0, nullptr, TRUE)) board.EnableIsoStream(0);
    BoxTest::TearDown();
  }

  static CSimStreamComposer& Composer() {
    static CSimStreamComposer composer;
    return composer;
  }
  // The box sends the packets, in groups of at most groupSize, in pieces
  // of the given size.
  void Send(const std::vector<SimStreamPacket>& packets, size_t groupSize = 8, size_t piece = 8192) {
    Bytes s;
    for (size_t at = 0; at < packets.size(); at += groupSize) {
      size_t end = std::min(packets.size(), at + groupSize);
      Composer().Group(std::vector<SimStreamPacket>(packets.begin() + at, packets.begin() + end), s);
    }
    SendBytes(s, piece);
  }
  void SendBytes(const Bytes& s, size_t piece = 8192) {
    for (size_t at = 0; at < s.size(); at += piece)
      sim->QueuePipeData(driverioctl::kPipeIsoIn, s.data() + at, DWORD(std::min(piece, s.size() - at)));
  }
  static std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
  }

  CDVBBoardControl board;
};
