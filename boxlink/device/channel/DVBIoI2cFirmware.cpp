// Firmware download: the image checks, the header command, the data frames
// on the bulk command pipe and the start command.
#include "DVBIoI2c.h"

#include "BoxCommands.h"
#include "CommandChannel.h"
#include "DVBCommon.h"
#include "FirmwareImage.h"

#include <cstdio>
#include <new>
#include <vector>

using commandchannel::NoBox;

const DWORD CDVBIoI2c::crc_table[256] = {BOXFW_CRC_TABLE};

DWORD CDVBIoI2c::crc32(DWORD crc, const BYTE* data, DWORD length) { return firmwareimage::Crc32(crc, data, length); }

WORD CDVBIoI2c::Box_Get_CRC(BYTE* data, long length) { return firmwareimage::BoxChecksum(data, length); }

namespace {

// A command with a one-byte answer on its own transaction: the answer byte
// when the low byte of the driver's count is 1, else 0.
int OneByteAnswer(const BYTE* request, int length) {
  if (NoBox()) return 0;
  BYTE answer = 0;
  DWORD returned = 0;
  if (!commandchannel::Transact(request, length, &answer, 1, returned)) return 0;
  return (returned & 0xFF) == 1 ? answer : 0;
}

// Caller's bytes as one command with a one-byte answer: the answer byte
// when exactly one byte came back.
int CallerCommand(BYTE command, BYTE* data, int length) {
  if (length < 0 || length > boxcommands::kMaxParams || (length && !data)) return 0;
  BYTE answer = 0;
  return CDVBIoI2c::SendCommand(command, data, BYTE(length), &answer, 1) == 1 ? answer : 0;
}

}  // namespace

int CDVBIoI2c::STBUpdateHeader(DWORD length, WORD checksum, int mode) {
  BYTE request[1 + firmwareimage::kHeaderParams];
  request[0] = boxcommands::kUpdateHeader;
  firmwareimage::BuildHeader(request + 1, length, checksum, mode);
  return OneByteAnswer(request, sizeof(request));
}

int CDVBIoI2c::STBUpdateHeader(BYTE* header, int length) {
  return CallerCommand(boxcommands::kUpdateHeader, header, length);
}

int CDVBIoI2c::STBUpdateData(BYTE* data, int length) { return CallerCommand(boxcommands::kUpdateData, data, length); }

int CDVBIoI2c::STBUpdateStart() {
  BYTE request[1] = {boxcommands::kUpdateStart};
  return OneByteAnswer(request, 1);
}

int CDVBIoI2c::STBUpdateStart(int mode) {
  BYTE letter = firmwareimage::StartLetter(mode);
  if (!letter) return STBUpdateStart();
  BYTE request[2] = {boxcommands::kUpdateStart, letter};
  return OneByteAnswer(request, 2);
}

BOOL CDVBIoI2c::STBUpdateFlashOrBootPCMode(const char* file, int mode) {
  if (NoBox() || !file) return FALSE;
  FILE* f = fopen(file, "rb");
  if (!f) return FALSE;
  long size = -1;
  if (fseek(f, 0, SEEK_END) == 0) size = ftell(f);
  if (size < long(firmwareimage::kMinImage) || size > long(firmwareimage::kMaxImage) || fseek(f, 0, SEEK_SET)) {
    fclose(f);
    return FALSE;
  }
  BYTE* image = new (std::nothrow) BYTE[size_t(size)];
  BOOL ok = FALSE;
  if (image && fread(image, 1, size_t(size), f) == size_t(size)) {
    fclose(f);
    f = nullptr;
    ok = STBUpdateFlashOrBootPCMode_Mem(image, DWORD(size), mode);
  }
  if (f) fclose(f);
  delete[] image;
  return ok;
}

BOOL CDVBIoI2c::STBUpdateFlashOrBootPCMode_Mem(BYTE* image, DWORD length, int mode) {
  if (NoBox() || !image || length < firmwareimage::kMinImage || length > firmwareimage::kMaxImage) return FALSE;
  try {
    std::vector<BYTE> transfer = firmwareimage::PrepareTransfer(image, length);
    if (transfer.empty()) return FALSE;
    DWORD total = DWORD(transfer.size());
    WORD checksum = Box_Get_CRC(transfer.data(), long(total));
    if (!STBUpdateHeader(total, checksum, mode)) return FALSE;
    std::vector<BYTE> frames = firmwareimage::BuildFrames(transfer.data(), total);
    // Few large pipe writes; they need not end on a frame boundary.
    for (size_t at = 0; at < frames.size(); at += firmwareimage::kPipeWrite) {
      size_t n = frames.size() - at < size_t(firmwareimage::kPipeWrite) ? frames.size() - at
                                                                        : size_t(firmwareimage::kPipeWrite);
      if (SyncWriteEPBulkCmdOut(frames.data() + at, WORD(n)) != int(n)) return FALSE;
    }
    BOOL started = STBUpdateStart(mode) != 0;
    // The box leaves the bus now, whatever it answered.
    CDVBCommon::CloseDevice();
    return started;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}
