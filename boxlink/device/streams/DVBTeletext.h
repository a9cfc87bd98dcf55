// Teletext collected by the box: once told the teletext PID, the box sends
// teletext packets to stream slot 33, which this object hands, on its own
// worker thread, to OnTTXPage. Slot 33 is shared: the last object switched
// on receives the data.
#pragma once

#include "DVBError.h"

#include <Framework.h>

class CConsumerLink;
struct PacketDesc;

// The request kind of the box's search-table command; its values are the
// box firmware's and are passed through.
enum TTX_REQUEST : int {};

class AFX_EXT_CLASS CDVBTeletext {
 public:
  CDVBTeletext();
  virtual ~CDVBTeletext();
  CDVBTeletext(const CDVBTeletext&) = delete;
  CDVBTeletext& operator=(const CDVBTeletext&) = delete;

  // On the worker thread: the payload of one teletext packet of the box.
  virtual void OnTTXPage(BYTE* data, int length);

  DVB_ERROR TTXOn(WORD pid);
  DVB_ERROR TTXOff();
  // Passed through to the box; 1 on success.
  int TTXModifySearchTable(WORD first, WORD second, WORD third, TTX_REQUEST request);
  int TTXGetP29_P830(int value);

  static void ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  void TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
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

  CConsumerLink* m_pConsumer;
  volatile BYTE m_bSlot;
};
