// The packets one pin dropped, by cause, and when each cause was last logged:
// one row per cause. Every cause follows one rule: its first drop is logged,
// then one line per thousand more, so a source of garbage cannot flood the log.
// A packet that could not be copied for want of memory is only counted: the
// push path drops it in silence.
// Not locked: the pin guards it with its queue lock.
#pragma once

#include <cstddef>

enum class EDropCause { Overflow, Malformed, Oversized, NoMemory };

class CDropLog {
 public:
  static constexpr size_t kLogEvery = 1000;

  void Count(EDropCause cause, size_t cPackets = 1) { RowOf(cause).cDropped += cPackets; }
  size_t Dropped(EDropCause cause) const { return RowOf(cause).cDropped; }

  // Passes sink one line for each cause that has become due since the last
  // call: "heron: <pin> pin dropped <what> (<count> so far)\n".
  template <class Sink>
  void LogDue(const wchar_t* pinName, Sink&& sink) {
    char line[kLineSize];
    for (Row& row : m_rows)
      if (TakeDueLine(row, pinName, line)) sink(static_cast<const char*>(line));
  }

 private:
  static constexpr size_t kLineSize = 160;

  struct Row {
    EDropCause cause;
    const char* what;  // nullptr: counted, never logged
    size_t cDropped;
    size_t cLogged;  // cDropped when last logged; 0: never
  };

  Row& RowOf(EDropCause cause);
  const Row& RowOf(EDropCause cause) const { return const_cast<CDropLog*>(this)->RowOf(cause); }
  // Formats the row's line and notes it logged when it is due.
  static bool TakeDueLine(Row& row, const wchar_t* pinName, char (&line)[kLineSize]);

  Row m_rows[4] = {
      {EDropCause::Overflow, "its oldest packet: queue full", 0, 0},
      {EDropCause::Malformed, "a malformed packet", 0, 0},
      {EDropCause::Oversized, "a payload larger than its buffer", 0, 0},
      {EDropCause::NoMemory, nullptr, 0, 0},
  };
};
