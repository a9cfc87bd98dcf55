// Infrared codes received by the box itself: 8-byte messages on the
// interrupt pipe with byte 0 = 1, which the interrupt reader delivers to
// interrupt slot 1. This object registers there, can keep only the codes
// of one device address, and hands each code, on its own worker thread, to
// OnRemoteControlCode. Slot 1 is shared: the last object switched on
// receives the codes.
#pragma once

#include "DVBError.h"

#include <Framework.h>

class CConsumerLink;
struct PacketDesc;

// The infrared code type; 0 means off. Its other values are the box's and
// are only stored.
enum IR_TYPE : int {};

class AFX_EXT_CLASS CDVBRemoteControl {
 public:
  CDVBRemoteControl();
  virtual ~CDVBRemoteControl();
  CDVBRemoteControl(const CDVBRemoteControl&) = delete;
  CDVBRemoteControl& operator=(const CDVBRemoteControl&) = delete;

  // On the worker thread: the first 4 bytes of a code message.
  virtual void OnRemoteControlCode(BYTE* code, int length);

  // A type switches on, for one device address or 0xFFFF for all; type 0
  // switches off (3 when off already).
  DVB_ERROR SetRemoteControl(IR_TYPE type, WORD address);
  IR_TYPE GetIR_Type() const { return m_IRType; }

  static void ExtCallback(void* context, BYTE slot, BYTE* data, DWORD length);
  void TSCallback(BYTE slot, BYTE* data, DWORD length);
  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  int IsRunning();

 protected:
  // Removes the slot (no box needed; a slot that another object has taken
  // over since stays with it) and stops the worker; for destructors
  // of derived classes whose handler uses their own members.
  void StopDelivery();

 private:
  static void HandlePacket(void* self, const PacketDesc& packet);
  static bool PassesAddress(void* self, const BYTE* data, DWORD length);

  IR_TYPE m_IRType;
  volatile WORD m_wAddress;
  CConsumerLink* m_pConsumer;
  volatile BYTE m_bSlot;
};
