// A reader's table of callback slots 1..63. Consumers register a callback
// with their object as context; the reader thread dispatches each packet to
// its slot. The table takes no lock on the dispatch path: registering
// stores the context before the callback, removing clears the callback
// before the context, and dispatch reads the callback before the context.
//
// Removing a slot also waits (bounded) until a dispatch to that slot that
// is already running has returned, so that once Unregister has returned the
// consumer receives no further call and may be destroyed. A callback that
// removes its own slot does not wait for itself.
#pragma once

#include <WinTypes.h>

#include <atomic>
#include <chrono>
#include <thread>

template <class Callback>
class CCallbackSlots {
 public:
  static const int kSlots = 64;
  // How long Unregister waits for a running dispatch.
  static const int kUnregisterWaitMs = 1000;

  // 3 for a slot outside 1..63, else 0.
  int Register(Callback callback, void* context, BYTE slot) {
    if (slot == 0 || slot >= kSlots) return 3;
    m_context[slot].store(context);
    m_callback[slot].store(callback);
    m_count[slot].store(0);
    return 0;
  }

  int Unregister(BYTE slot) {
    if (slot == 0 || slot >= kSlots) return 3;
    m_callback[slot].store(nullptr);
    m_context[slot].store(nullptr);
    WaitForDispatch(slot);
    m_count[slot].store(0);
    return 0;
  }

  // Removes the slot only while `context` holds it: a slot that another
  // consumer has taken over since stays theirs. Either way, once this has
  // returned no call to `context` through the slot is running or will come.
  // True when it was removed.
  bool UnregisterHeld(BYTE slot, const void* context) {
    if (!IsHeldBy(slot, context)) {
      if (slot != 0 && slot < kSlots) WaitForDispatch(slot);
      return false;
    }
    Unregister(slot);
    return true;
  }
  bool IsHeldBy(BYTE slot, const void* context) const {
    return IsRegistered(slot) && m_context[slot].load() == context;
  }

  DWORD GetByteCount(BYTE slot) const { return slot == 0 || slot >= kSlots ? 0 : m_count[slot].load(); }
  bool IsRegistered(BYTE slot) const { return slot != 0 && slot < kSlots && m_callback[slot].load() != nullptr; }

  // Calls the slot's callback as callback(context, args...); the byte count
  // grows by length. False when nothing was called.
  template <class... Args>
  bool Dispatch(BYTE slot, DWORD length, Args... args) {
    if (slot == 0 || slot >= kSlots) return false;
    m_dispatching.store(std::this_thread::get_id());
    m_busy[slot].store(true);
    Callback callback = m_callback[slot].load();
    bool called = false;
    if (callback) {
      void* context = m_context[slot].load();
      callback(context, args...);
      m_count[slot].fetch_add(length);
      called = true;
    }
    m_busy[slot].store(false);
    m_dispatching.store(std::thread::id());
    return called;
  }

 private:
  void WaitForDispatch(BYTE slot) {
    if (m_dispatching.load() == std::this_thread::get_id()) return;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kUnregisterWaitMs);
    while (m_busy[slot].load() && std::chrono::steady_clock::now() < end) std::this_thread::yield();
  }

  std::atomic<void*> m_context[kSlots] = {};
  std::atomic<Callback> m_callback[kSlots] = {};
  std::atomic<DWORD> m_count[kSlots] = {};
  std::atomic<bool> m_busy[kSlots] = {};
  std::atomic<std::thread::id> m_dispatching{};
};
