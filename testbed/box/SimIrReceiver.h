// Control of the simulated USB infrared receiver, for tests. It stands
// behind the same device port as the box (its own device-interface class,
// handles and I/O controls) and answers each read with the next read of a
// script: the receiver's 4-byte records (a little-endian RC-5 code word and
// two more bytes), in the pieces a test chooses. The simulator DLL exports
// "QuillonIrReceiver"; tests that link the simulator statically call
// IrReceiverSimulator().
#pragma once

#include <windows.h>

class ISimIrReceiver {
 public:
  // No receiver present, an empty script, mode 0, no event, reads answered.
  virtual void Reset() = 0;
  // Receivers present (enumerated and openable).
  virtual void SetPresent(int receivers) = 0;
  // Appends reads to the script, all at once: read i answers lengths[i]
  // bytes, taken in order from bytes (a length of 0 answers nothing). Sets
  // the event the library handed over. Once the script is used up, reads
  // answer nothing.
  virtual void QueueReads(const BYTE* bytes, const DWORD* lengths, int reads) = 0;
  // Reads of the script not yet answered.
  virtual int ScriptLeft() = 0;
  // Held, reads stay pending until released (then answered from the
  // script), cancelled or their handle closed.
  virtual void HoldReads(BOOL hold) = 0;
  virtual int HeldReads() = 0;
  // Handles closed while a read on them was held.
  virtual int ClosedDuringRead() = 0;
  // The receive mode last set (0 off), and whether an event is set.
  virtual DWORD Mode() = 0;
  virtual BOOL HasEvent() = 0;
  virtual int OpenHandles() = 0;
  virtual DWORD LastOpenFlags() = 0;

 protected:
  ~ISimIrReceiver() {}
};

#define BOXSIM_IR_RECEIVER_EXPORT "QuillonIrReceiver"

// The process's simulated receiver (static linking).
ISimIrReceiver& IrReceiverSimulator();
