// A separate USB infrared receiver with a driver of its own (not the box's
// receiver, which CDVBRemoteControl serves). An application derives from
// this class and overrides its handlers; SetRemoteControl switches
// reception on. The object's worker polls the receiver, turns the RC-5 code
// words into key-press and key-release reports and calls the handlers on
// its thread.
#pragma once

#include "DVBError.h"
#include "DVBRemoteControl.h"  // IR_TYPE
#include "IrKeyDecoder.h"

#include <Framework.h>

class AFX_EXT_CLASS CUSBRemoteControl {
 public:
  // Starts the worker; reception is off.
  CUSBRemoteControl();
  // Closes the receiver and stops the worker (200 ms, then terminates it).
  virtual ~CUSBRemoteControl();
  CUSBRemoteControl(const CUSBRemoteControl&) = delete;
  CUSBRemoteControl& operator=(const CUSBRemoteControl&) = delete;

  // A type other than 0 (re)opens receiver 0 and switches reception on:
  // 2, with the type back at 0, when that fails. Type 0 switches it off.
  // The word plays no part.
  DVB_ERROR SetRemoteControl(IR_TYPE type, WORD unused);
  IR_TYPE GetIR_Type() const { return m_IRType; }

  // Reception: how long one read waits, and the silence after which a held
  // key counts as released.
  static const DWORD kReadWaitMs = 160;
  static const DWORD kReleaseSilenceMs = 100;
  static const DWORD kIdlePollMs = 50;
  static const DWORD kStopWaitMs = 200;

 protected:
  // On the worker thread: a key report, 2 bytes (a little-endian word:
  // bits 0-10 the RC-5 address and command, bit 15 set when pressed and
  // clear when released), length 2.
  virtual void OnRemoteControlCode(BYTE* data, int length);
  // On the worker thread: every code word as the receiver gave it.
  virtual void OnRC5Code(WORD code);
  // Stops the worker (200 ms, then terminates it), so that no handler runs
  // any more. A derived class whose handlers use its own members calls it
  // first in its destructor.
  void StopDelivery();

 private:
  class CSink;
  int IsRunning();
  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  static UINT WorkerThread(LPVOID self);
  int Run();
  void CloseReceiver();

  volatile IR_TYPE m_IRType;
  CEvent m_wake;  // set when the worker is asked to stop
  CWorkerThread m_worker;
  HANDLE volatile m_hReceiver;
};
