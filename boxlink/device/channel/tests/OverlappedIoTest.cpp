// The overlapped helpers against the simulated driver, linked in directly,
// with short limits so that the give-up paths run quickly.
#include "BoxSimulator.h"
#include "DVBCommon.h"
#include "DevicePort.h"
#include "DVBIoI2c.h"
#include "DriverIoctl.h"
#include "OverlappedIo.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class OverlappedIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDevicePort(&BoxSimulatorPort());
    BoxSimulator().Reset();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
    device = CDVBCommon::GetActDeviceHandle();
  }
  void TearDown() override {
    CDVBCommon::CloseDevice();
    BoxSimulator().WaitIdle(5000);
  }
  void Fault(int kind, DWORD code, int value) {
    SimFault f;
    f.kind = kind;
    f.code = code;
    f.value = value;
    f.times = 1;
    BoxSimulator().AddFault(f);
  }

  HANDLE device = INVALID_HANDLE_VALUE;
  overlappedio::Limits limits{200, 100};
};

}  // namespace

TEST_F(OverlappedIoTest, CompletionThatNeverComesIsCancelled) {
  Fault(SimFault::kNeverCompletes, driverioctl::kCommandChannel, 0);
  BYTE request[1] = {0x08}, answer[12];
  DWORD returned = 99;
  EXPECT_FALSE(overlappedio::OverlappedIoControl(device, driverioctl::kCommandChannel, request, 1, answer, 12,
                                                 &returned, 0, limits));
  EXPECT_EQ(returned, 0u);
  EXPECT_EQ(BoxSimulator().PendingCount(), 0);
}

TEST_F(OverlappedIoTest, CallThatOutlivesItsCancelIsAbandonedNotFreed) {
  BYTE data[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  BoxSimulator().QueuePipeData(driverioctl::kPipeBulkCmdIn, data, 4);
  Fault(SimFault::kCompleteLate, driverioctl::kReadBulkCmdIn, 800);
  LONG abandoned = overlappedio::AbandonedTransfers();
  BYTE buffer[4] = {1, 2, 3, 4};
  EXPECT_FALSE(overlappedio::OverlappedIoControl(device, driverioctl::kReadBulkCmdIn, nullptr, 0, buffer, 4, nullptr,
                                                 100, limits));
  EXPECT_EQ(overlappedio::AbandonedTransfers(), abandoned + 1);
  ASSERT_TRUE(BoxSimulator().WaitIdle(3000));  // the driver finally writes its data
  const BYTE same[4] = {1, 2, 3, 4};
  EXPECT_EQ(memcmp(buffer, same, 4), 0);
}

// A stream read that completes after its time limit but before the cancel
// reaches it delivered its bytes: they are taken, in the stream reader's
// kept block as in a block of the call's own.
TEST_F(OverlappedIoTest, StreamReadCompletingBetweenTimeLimitAndCancelKeepsItsBytes) {
  ASSERT_TRUE(CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(8)));
  ASSERT_TRUE(CDVBIoI2c::SwitchIsoInStreamOnOff(TRUE));
  // Completion long after the 20 ms limit and well inside the cancel wait.
  const overlappedio::Limits generous{200, 5000};
  for (bool keptBlock : {true, false}) {
    SCOPED_TRACE(keptBlock ? "kept block" : "own block");
    BYTE stream[48];
    for (int i = 0; i < 48; ++i) stream[i] = BYTE(i * 7 + keptBlock);
    BoxSimulator().QueuePipeData(driverioctl::kPipeIsoIn, stream, sizeof(stream));
    Fault(SimFault::kCompleteLate, kSimReadFile, 1000);
    BoxSimulator().ClearLog();
    overlappedio::CKeptTransfer kept;
    BYTE buffer[64] = {};
    DWORD n = 0;
    BOOL ok = keptBlock ? overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 20, generous, kept)
                        : overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 20, generous);
    EXPECT_TRUE(ok);
    ASSERT_EQ(n, sizeof(stream));
    EXPECT_EQ(memcmp(buffer, stream, sizeof(stream)), 0);
    SimLogEntry entry;
    ASSERT_TRUE(BoxSimulator().GetLogEntry(0, &entry));
    EXPECT_EQ(entry.kind, int(SimLogEntry::kRead));
    EXPECT_EQ(entry.cancelled, 1);  // the cancel came, and the read had completed
  }
}

TEST_F(OverlappedIoTest, OversizedByteCountNeverCopiesPastTheBuffer) {
  Fault(SimFault::kCountLowByteFF, driverioctl::kCommandChannel, 0);
  BYTE request[1] = {0x70};
  BYTE answer[8];
  memset(answer, 0x77, sizeof(answer));
  DWORD returned = 0;
  EXPECT_TRUE(overlappedio::OverlappedIoControl(device, driverioctl::kCommandChannel, request, 1, answer, 4, &returned,
                                                0, limits));
  EXPECT_EQ(returned, 0xFFu);
  EXPECT_EQ(answer[4], 0x77);  // beyond the 4 bytes the call was given
}

TEST_F(OverlappedIoTest, InvalidHandleFailsAtOnce) {
  BYTE buffer[4];
  DWORD n = 5;
  EXPECT_FALSE(overlappedio::OverlappedRead(INVALID_HANDLE_VALUE, buffer, 4, &n, 0, limits));
  EXPECT_EQ(BoxSimulator().LogCount(), 0);
}

// The stream reader keeps one transfer block for all its reads; a read that
// outlives its cancel takes that block with it, and the next read makes a
// new one instead of reusing memory the driver may still write into.
TEST_F(OverlappedIoTest, KeptBlockServesReadAfterReadAndIsReplacedWhenAbandoned) {
  overlappedio::CKeptTransfer kept;
  BYTE buffer[64];
  DWORD n = 99;
  const LONG abandoned = overlappedio::AbandonedTransfers();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 100, limits, kept)) << i;
    EXPECT_EQ(n, 0u);  // no stream is running
  }
  EXPECT_EQ(overlappedio::AbandonedTransfers(), abandoned);

  Fault(SimFault::kCompleteLate, 0, 800);
  EXPECT_FALSE(overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 100, limits, kept));
  EXPECT_EQ(overlappedio::AbandonedTransfers(), abandoned + 1);
  // While the abandoned read is still with the driver, and after it ends.
  EXPECT_TRUE(overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 100, limits, kept));
  ASSERT_TRUE(BoxSimulator().WaitIdle(3000));
  EXPECT_TRUE(overlappedio::OverlappedRead(device, buffer, sizeof(buffer), &n, 100, limits, kept));
  EXPECT_EQ(overlappedio::AbandonedTransfers(), abandoned + 1);
}
