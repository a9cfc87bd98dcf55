// The state of a pin's auto-reset wake event, kept beside the queue under
// the queue lock so that the event itself is touched only when the
// streaming thread sleeps on it. A push past the wake threshold that finds
// nobody waiting leaves a pending wake, as a set event would; the next take
// that must wait consumes it at once, as a wait on a set event would.
#pragma once

class CWakeState {
 public:
  // A push passed the wake threshold. True: the streaming thread is waiting
  // and the caller sets the event (whose wait then consumes it).
  bool Signal();
  // A take must wait. True: a wake is pending, consumed now, and the take
  // goes on at once. False: the caller waits on the event with the queue
  // lock released, then calls EndWait.
  bool BeginWait();
  // After the wait, under the queue lock again; woken: the wait returned
  // signalled. True: a Signal came after the wait had timed out, so the
  // event is still set; the caller clears it and the wake stays pending.
  bool EndWait(bool woken);
  // No wake pending (the event reset).
  void Clear() { m_bPending = false; }
  bool Pending() const { return m_bPending; }

 private:
  bool m_bPending = false;  // the event is set and nobody waits on it
  bool m_bWaiting = false;  // the streaming thread is in (or entering) its wait
};
