// Control of the simulated box and its driver, for tests. The simulator DLL
// exports "QuillonBoxPort" (the device port the library's test build binds
// to) and
// "QuillonBoxSimulator" (this interface); tests that link the simulator
// statically call BoxSimulator() instead. Everything crossing the interface
// is plain data.
#pragma once

#include "SimBox.h"
#include "SimPlayer.h"
#include "SimRecorder.h"

#include <windows.h>

// One driver call, from its start to its completion.
struct SimLogEntry {
  enum Kind { kIoControl = 1, kRead = 2, kWrite = 3, kCancel = 4 };
  int kind = 0;
  DWORD code = 0;           // I/O control code (0 for reads, writes, cancels)
  DWORD thread = 0;         // the calling thread
  double beginMs = 0;       // since the simulator started
  double endMs = -1;        // completion; -1 while pending
  DWORD error = 0;          // Win32 error of the completion, 0 success
  DWORD bytes = 0;          // byte count reported
  DWORD requestLength = 0;  // input bytes (the first 64 are kept)
  BYTE request[64] = {};
  BYTE cancelled = 0;  // CancelIo reached it while pending
};

// A fault the driver injects into matching calls.
struct SimFault {
  enum Kind {
    kShortAnswer = 1,  // the answer is cut to `value` bytes
    kCountLowByteFF,   // the byte count reported is 0xFF (data cut to the buffer)
    kFail,             // the call completes with an error, `value` ms later
    kNeverCompletes,   // stays pending until cancelled
    kCompleteLate,     // completes `value` ms later, whatever a cancel says
  };
  int kind = 0;
  DWORD code = 0;    // I/O control code; kReadFile / kWriteFile; 0 any call
  int command = -1;  // command-channel command byte; -1 any
  int value = 0;
  int times = -1;  // how many calls it hits; -1 all

  static SimFault Make(int kind, DWORD code, int command = -1, int value = 0, int times = -1) {
    SimFault f;
    f.kind = kind;
    f.code = code;
    f.command = command;
    f.value = value;
    f.times = times;
    return f;
  }
};
const DWORD kSimReadFile = 1;
const DWORD kSimWriteFile = 2;

class IBoxSimulator {
 public:
  // A fresh box and driver: default state, no faults, empty log, one box
  // present, no latency. Handles the library holds stay usable.
  virtual void Reset() = 0;
  // Boxes present (enumerated and openable).
  virtual void SetPresent(int boxes) = 0;
  // Names of box `index`; null or "" leaves the property out.
  virtual void SetNames(int index, const char* friendlyName, const char* description) = 0;
  // Pulls the plug: pending calls fail, open handles stay dead.
  virtual void Unplug() = 0;
  virtual void SetUsbIds(WORD vendor, WORD product) = 0;
  // Delay before the driver completes command-channel calls and bulk pipe
  // writes (to make overlaps visible).
  virtual void SetLatency(DWORD commandMs, DWORD bulkWriteMs) = 0;

  virtual void AddFault(const SimFault& fault) = 0;
  virtual void ClearFaults() = 0;
  // The n-th I2C transfer (1 = next) to the address NAKs.
  virtual void NakI2cTransfer(int address, int nth) = 0;
  virtual void SetEepromBusyTime(int milliseconds) = 0;

  virtual void GetState(SimBoxState* state) = 0;
  virtual void SetState(const SimBoxState& state) = 0;
  virtual void ReadEeprom(BYTE* contents256) = 0;
  virtual void WriteEeprom(int offset, const BYTE* data, int count) = 0;
  virtual int FrameCount() = 0;
  virtual BOOL GetFrame(int index, bulkframe::Frame* frame) = 0;

  // Data the box sends on a pipe (interrupt messages, bulk answers, stream).
  virtual void QueuePipeData(DWORD pipe, const BYTE* data, DWORD length) = 0;

  virtual int LogCount() = 0;
  virtual BOOL GetLogEntry(int index, SimLogEntry* entry) = 0;
  virtual void ClearLog() = 0;
  // Calls not yet completed (late completions included).
  virtual int PendingCount() = 0;
  // Waits until no call is pending; FALSE when that takes longer than ms.
  virtual BOOL WaitIdle(DWORD milliseconds) = 0;

  // Booting: after an accepted start command the box leaves the device
  // list after leaveMs and comes back (in mode 1 after a boot, mode 0 after
  // a flash update) returnMs later; -1 never. Default 200 and 300 ms.
  virtual void SetBootTiming(int leaveMs, int returnMs) = 0;
  // Moves the boot clock on (tests that give the library a fast clock).
  virtual void AdvanceClock(DWORD milliseconds) = 0;
  // Frozen, the boot clock moves only by AdvanceClock, so the box and a
  // test's fast clock agree however slowly the machine runs. Off by default;
  // Reset leaves it as it is.
  virtual void FreezeClock(BOOL frozen) = 0;
  virtual void GetBootInfo(SimBootInfo* info) = 0;
  // The image a flash update kept; returns its length.
  virtual int ReadFlash(BYTE* buffer, int size) = 0;
  // The driver's buffer of isochronous input: data beyond this many bytes
  // is dropped and counted (0: no limit, the default).
  virtual void SetStreamBufferLimit(DWORD bytes) = 0;
  virtual DWORD StreamBytesDropped() = 0;
  virtual DWORD StreamBytesBuffered() = 0;
  // The box's recorder: the programme it sends on a record command (0x80),
  // in the command's format, and its fault. Sequence numbers run on from
  // what the recorder sent before, across Reset.
  virtual void SetRecorder(const SimRecorderSetup& setup) = 0;
  // The box's player (SimPlayer.h), since Reset: copies the PVA packets it
  // played, one after the other, and returns their length in all.
  virtual DWORD GetPlayed(BYTE* buffer, DWORD size) = 0;
  virtual DWORD PlayerRejectedFrames() = 0;
  // The player's rate at normal speed (bytes per second; 0 takes every
  // frame at once). Reset restores the default, 1,000,000.
  virtual void SetPlayerRate(DWORD bytesPerSecond) = 0;
  // A stalled player takes nothing more off its buffer: once full it
  // refuses every frame.
  virtual void SetPlayerStalled(BOOL stalled) = 0;
  // Its mode (pause, slow, fast), buffer and counters.
  virtual void GetPlayerStatus(SimPlayerStatus* status) = 0;
  // A teletext block the box collected on its teletext PID, sent on the
  // stream numbered on from what the box sends; only while teletext is on
  // (FALSE, nothing sent, when it is off).
  virtual BOOL SendTeletext(const BYTE* block, DWORD length) = 0;

 protected:
  ~IBoxSimulator() {}
};

#define BOXSIM_CONTROL_EXPORT "QuillonBoxSimulator"
typedef IBoxSimulator*(__cdecl* BoxSimulatorFactory)();

// The process's simulator (static linking).
IBoxSimulator& BoxSimulator();
class IDevicePort;
IDevicePort& BoxSimulatorPort();
