// The door between the host's stream thread and the server of the dialog.
// The host may hand over a packet at any moment, also while it ends the
// plug-in on its UI thread; closing the door waits for a hand-over in
// progress, so the server is never reached after it is gone.
#pragma once

#include "FeedServer.h"
#include "framework/SyncObject.h"

class CPacketIntake {
 public:
  // Packets go to server's EnqueuePacket from now on.
  void Open(CFeedServer* server);
  // No packet reaches the server after this returns.
  void Close();
  // Hands the packet to the server while the door is open; false otherwise
  // or when the server's queue drops it.
  bool Deliver(int length, const BYTE* data);

 private:
  CCriticalSection m_lock;  // guards m_server; held while delivering
  CFeedServer* m_server = nullptr;
};
