// Driver calls: pipe time-outs and cancels (with late completions), the
// driver's state controls and identifiers, the isochronous stream and the
// descriptor, and finding and opening boxes.
#include "BoxFixture.h"

#include <cstring>
#include <string>
#include <thread>

namespace {

const BYTE kPattern = 0x5A;

bool Untouched(const BYTE* buffer, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (buffer[i] != kPattern) return false;
  return true;
}

}  // namespace

TEST_F(BoxTest, PipeReadWithoutDataTimesOutAndLeavesNothingPending) {
  BYTE buffer[8];
  memset(buffer, kPattern, sizeof(buffer));
  EXPECT_EQ(CDVBIoI2c::ReadEPBulkCmdIn(buffer, 8), 0xFF);
  EXPECT_EQ(sim->PendingCount(), 0);
  EXPECT_TRUE(Untouched(buffer, sizeof(buffer)));
  auto log = Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0].code, driverioctl::kReadBulkCmdIn);
  EXPECT_EQ(log[0].cancelled, 1);
  EXPECT_EQ(log[0].error, DWORD(ERROR_OPERATION_ABORTED));
}

TEST_F(BoxTest, PipeReadGetsQueuedData) {
  const BYTE message[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  sim->QueuePipeData(driverioctl::kPipeIntCtrlIn, message, 8);
  sim->QueuePipeData(driverioctl::kPipeIntCtrlIn, message, 8);
  BYTE buffer[16] = {};
  EXPECT_EQ(CDVBIoI2c::ReadEPIntCtrlIn(buffer, 16), 8);  // one message per read
  EXPECT_EQ(memcmp(buffer, message, 8), 0);
  EXPECT_EQ(CDVBIoI2c::ReadEPIntCtrlIn(buffer, 16), 8);
}

TEST_F(BoxTest, LateCompletionAfterCancelIsTakenOrNeverWritesTheCallersBuffer) {
  // The driver ignores the cancel and completes 1.5 s later, inside the wait
  // for the cancelled call: the read did complete, so its bytes are taken.
  // Completing 3 s later, after the library has given up, it never writes
  // the caller's buffer.
  const BYTE data[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  struct Case {
    int lateMs;
    BYTE result;
    bool taken;
  } cases[] = {{1500, 8, true}, {3000, 0xFF, false}};
  for (const Case& c : cases) {
    sim->QueuePipeData(driverioctl::kPipeBulkCmdIn, data, 8);
    Fault(SimFault::kCompleteLate, driverioctl::kReadBulkCmdIn, -1, c.lateMs, 1);
    BYTE* buffer = new BYTE[8];
    memset(buffer, kPattern, 8);
    EXPECT_EQ(CDVBIoI2c::ReadEPBulkCmdIn(buffer, 8), c.result) << c.lateMs;
    ASSERT_TRUE(sim->WaitIdle(5000)) << c.lateMs;  // the late completion has happened
    if (c.taken)
      EXPECT_EQ(memcmp(buffer, data, 8), 0) << c.lateMs;
    else
      EXPECT_TRUE(Untouched(buffer, 8)) << c.lateMs;
    delete[] buffer;
    auto log = Log();
    EXPECT_EQ(log.front().cancelled, 1) << c.lateMs;
    EXPECT_EQ(log.front().error, 0u) << c.lateMs;  // the driver did complete it
    EXPECT_EQ(log.front().bytes, 8u) << c.lateMs;
    sim->ClearLog();
  }
}

TEST_F(BoxTest, PipeTimeoutOfTheDriverFailsTheRead) {
  EXPECT_TRUE(CDVBIoI2c::SetPipeTimeout(USB_PIPE_INT_CTRL_IN, 100));
  BYTE buffer[8];
  EXPECT_EQ(CDVBIoI2c::ReadEPIntCtrlIn(buffer, 8), 0xFF);
  auto log = Log();
  EXPECT_EQ(log.back().error, DWORD(ERROR_SEM_TIMEOUT));
  EXPECT_EQ(log.back().cancelled, 0);  // the driver ended it, not a cancel
}

TEST_F(BoxTest, AbortPipeEndsAReadWaitingOnAnotherThread) {
  int result = 0;
  std::thread reader([&] {
    BYTE buffer[8];
    result = CDVBIoI2c::ReadEPBulkStrmIn(buffer, 8);
  });
  for (int i = 0; i < 2000 && sim->PendingCount() == 0; ++i) Sleep(1);
  EXPECT_EQ(sim->PendingCount(), 1);
  EXPECT_TRUE(CDVBIoI2c::AbortPipe(_USB_PIPES(driverioctl::kPipeBulkStrmIn)));
  reader.join();
  EXPECT_EQ(result, -1);
  // Ended by the abort, before the reader's own time-out and cancel.
  auto log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0].code, driverioctl::kReadBulkStrmIn);
  EXPECT_EQ(log[0].error, DWORD(ERROR_OPERATION_ABORTED));
  EXPECT_EQ(log[0].cancelled, 0);
  EXPECT_FALSE(CDVBIoI2c::AbortPipe(_USB_PIPES(8)));  // no such pipe
}

TEST_F(BoxTest, IsochronousOutputAndItsWriteEvent) {
  CEvent writable(FALSE, TRUE);
  BYTE block[376] = {0x47};
  EXPECT_EQ(CDVBIoI2c::WriteEPIsoStrmOut(block, sizeof(block)), -1);  // stream off
  EXPECT_TRUE(CDVBIoI2c::SetupWriteEvent(writable, TRUE));
  EXPECT_TRUE(CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(3)));
  EXPECT_TRUE(CDVBIoI2c::SwitchIsoOutStreamOnOff(TRUE));
  EXPECT_EQ(WaitForSingleObject(writable, 1000), WAIT_OBJECT_0);
  EXPECT_EQ(CDVBIoI2c::WriteEPIsoStrmOut(block, sizeof(block)), 376);
  EXPECT_EQ(CDVBIoI2c::WriteEPBulkStrmOut(block, 188), 188);
}

TEST_F(BoxTest, PipeWritesReturnTheLengthSentOrTheFailureValue) {
  // The driver's byte count of a write says nothing about the bytes sent
  // (it counts output): here it reports 0xFF, which must not read as the
  // BYTE writers' failure value.
  BYTE data[5] = {0xAA, 0x00, 0xF1, 0x01, 0x02};
  struct Case {
    const char* name;
    DWORD code;
    int (*write)(BYTE*, int);
    int failure;
  } cases[] = {
      {"bulk command", driverioctl::kWriteBulkCmdOut,
       [](BYTE* d, int n) { return int(CDVBIoI2c::WriteEPBulkCmdOut(d, BYTE(n))); }, 0xFF},
      {"locked bulk command", driverioctl::kWriteBulkCmdOut,
       [](BYTE* d, int n) { return CDVBIoI2c::SyncWriteEPBulkCmdOut(d, WORD(n)); }, -1},
      {"bulk stream", driverioctl::kWriteBulkStrmOut,
       [](BYTE* d, int n) { return CDVBIoI2c::WriteEPBulkStrmOut(d, WORD(n)); }, -1},
      {"interrupt control", driverioctl::kWriteIntCtrlOut,
       [](BYTE* d, int n) { return int(CDVBIoI2c::WriteEPIntCtrlOut(d, BYTE(n))); }, 0xFF},
  };
  for (const Case& c : cases) {
    sim->ClearFaults();
    Fault(SimFault::kCountLowByteFF, c.code);
    EXPECT_EQ(c.write(data, 5), 5) << c.name;
    sim->ClearFaults();
    Fault(SimFault::kFail, c.code);
    EXPECT_EQ(c.write(data, 5), c.failure) << c.name;
  }
}

TEST_F(BoxTest, AlternateSettingAndStreamSwitches) {
  _ALTERNATE_SETTINGS setting = _ALTERNATE_SETTINGS(99);
  EXPECT_TRUE(CDVBIoI2c::GetAlternateSetting(setting));
  EXPECT_EQ(setting, 0);
  EXPECT_FALSE(CDVBIoI2c::SwitchIsoInStreamOnOff(TRUE));  // setting 0 carries no stream
  EXPECT_TRUE(CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(8)));
  EXPECT_TRUE(CDVBIoI2c::SwitchIsoInStreamOnOff(TRUE));
  EXPECT_FALSE(CDVBIoI2c::SwitchIsoOutStreamOnOff(TRUE));  // 8 is input only
  EXPECT_TRUE(CDVBIoI2c::GetAlternateSetting(setting));
  EXPECT_EQ(setting, 8);
  DWORD first = 0, second = 0;
  EXPECT_TRUE(CDVBIoI2c::GetUsbBandWidth(first, second));
  EXPECT_EQ(first, 8u * 1023u);

  Fault(SimFault::kFail, driverioctl::kGetAlternateSetting);
  setting = _ALTERNATE_SETTINGS(42);
  EXPECT_FALSE(CDVBIoI2c::GetAlternateSetting(setting));
  EXPECT_EQ(setting, 42);  // written only on success
}

TEST_F(BoxTest, IsochronousInputSignalsTheReadEvent) {
  CEvent ready(FALSE, TRUE);
  EXPECT_TRUE(CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(8)));
  EXPECT_TRUE(CDVBIoI2c::SwitchIsoInStreamOnOff(TRUE));
  EXPECT_TRUE(CDVBIoI2c::SetupReadEvent(ready, TRUE));
  BYTE block[8192];
  EXPECT_EQ(CDVBIoI2c::ReadEPIsoStrmIn(block, sizeof(block)), 0);  // nothing yet
  std::vector<BYTE> data(300, 0x47);
  sim->QueuePipeData(driverioctl::kPipeIsoIn, data.data(), DWORD(data.size()));
  EXPECT_EQ(WaitForSingleObject(ready, 1000), WAIT_OBJECT_0);
  EXPECT_EQ(CDVBIoI2c::ReadEPIsoStrmIn(block, sizeof(block)), 300);
  EXPECT_EQ(block[299], 0x47);
  EXPECT_TRUE(CDVBIoI2c::SetupReadEvent(ready, FALSE));
}

TEST_F(BoxTest, IdentifiersAndVersions) {
  sim->SetUsbIds(0x1A2C, 0x0B07);
  WORD vendor = 0, product = 0;
  EXPECT_TRUE(CDVBIoI2c::GetUsbDeviceIDs(vendor, product));
  EXPECT_EQ(vendor, 0x1A2C);
  EXPECT_EQ(product, 0x0B07);
  DWORD ids = 0;
  EXPECT_TRUE(CDVBIoI2c::GetPCISubIDs(ids));
  EXPECT_EQ(ids, 0x1A2C0B07u);
  EXPECT_NE(CDVBIoI2c::GetUsbStbDrvVersion(), 0u);

  // A descriptor cut before the identifiers is refused.
  Fault(SimFault::kShortAnswer, driverioctl::kGetUsbDeviceIds, -1, 10);
  ids = 5;
  EXPECT_FALSE(CDVBIoI2c::GetPCISubIDs(ids));
  EXPECT_EQ(ids, 5u);
}

TEST_F(BoxTest, DriverStatusWords) {
  EXPECT_TRUE(CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(13)));
  DWORD w[17];
  memset(w, 0xFF, sizeof(w));
  EXPECT_TRUE(CDVBIoI2c::GetDriverStatus(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11],
                                         w[12], w[13], w[14], w[15], w[16]));
  EXPECT_EQ(w[0], 13u);
  EXPECT_EQ(w[16], 0u);
}

TEST_F(BoxTest, ConfigurationDescriptorAsText) {
  BYTE descriptor[256];
  DWORD length = sizeof(descriptor);
  ASSERT_TRUE(CDVBIoI2c::GetDeviceConfigDescriptor(descriptor, length));
  EXPECT_EQ(length, DWORD(descriptor[2]));
  std::vector<char> text(8192);
  DWORD size = DWORD(text.size());
  ASSERT_TRUE(CDVBIoI2c::FormatDeviceConfigDescriptor(descriptor, length, text.data(), size));
  std::string s(text.data());
  EXPECT_EQ(size, s.size() + 1);
  EXPECT_NE(s.find("USB_ENDPOINT_DESCRIPTOR for Pipe07\n"), std::string::npos);
  EXPECT_NE(s.find("bmAttributes = 0x80 ( USB_CONFIG_BUS_POWERED )\n"), std::string::npos);

  // Only part of it returned: the formatter must not walk past it.
  length = 20;
  ASSERT_TRUE(CDVBIoI2c::GetDeviceConfigDescriptor(descriptor, length));
  size = DWORD(text.size());
  EXPECT_FALSE(CDVBIoI2c::FormatDeviceConfigDescriptor(descriptor, length, text.data(), size));
}

TEST_F(BoxTest, FindingAndOpeningBoxes) {
  CDVBCommon::CloseDevice();
  EXPECT_EQ(CDVBCommon::GetActDeviceHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 0xFFFF);

  sim->SetPresent(0);
  EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), 0);
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_FALSE(CDVBCommon::IsOpen());

  sim->SetPresent(2);
  EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), 2);
  ASSERT_TRUE(CDVBCommon::OpenDevice(1, nullptr, TRUE));
  HANDLE first = CDVBCommon::GetActDeviceHandle();
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 1);
  EXPECT_TRUE(CDVBCommon::OpenDevice(1, nullptr, TRUE));  // already open: nothing done
  EXPECT_EQ(CDVBCommon::GetActDeviceHandle(), first);

  // Another index beyond the present boxes closes the open one and fails.
  EXPECT_FALSE(CDVBCommon::OpenDevice(2, nullptr, TRUE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 0xFFFF);

  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  DWORD type;
  EXPECT_TRUE(CDVBIoI2c::GetFEType(type));
  CDVBCommon::CloseDevice();
  EXPECT_FALSE(CDVBIoI2c::GetFEType(type));
}
