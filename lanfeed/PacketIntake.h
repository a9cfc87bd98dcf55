// The door between the host's stream thread and the queue of the server
// dialog. The host may hand over a packet at any moment, also while it ends
// the plug-in on its UI thread; closing the door waits for a hand-over in
// progress, so the queue is never reached after it is gone.
#pragma once

#include <shared_mutex>

#include "PesQueue.h"

class CPacketIntake {
 public:
  // Packets go to queue from now on.
  void Open(CPesQueue* queue);
  // No packet reaches the queue after this returns.
  void Close();
  // Copies the packet into the queue while the door is open; false otherwise
  // or when the queue drops it.
  bool Deliver(int length, const BYTE* data);

 private:
  std::shared_mutex m_lock;  // guards m_queue: shared while delivering
  CPesQueue* m_queue = nullptr;
};
