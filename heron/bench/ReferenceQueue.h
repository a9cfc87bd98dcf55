// The machine's ceiling for heron's shape of work, with no DirectShow: two
// threads copy packets into one queue under a critical section and set an
// auto-reset event; a counting thread waits on the event and copies each
// payload out, as a pin copies it into its sample.
#pragma once

#include <windows.h>

#include <cstddef>

struct ReferenceFigures {
  double seconds = 0;
  long packets = 0;
  double bytes = 0;
  double cpuPerPacketUs = 0;  // the counting thread's CPU time per packet
};

// Runs for the given time with at most window packets of each pusher in
// flight (pushed but not yet counted), as heron's sustained run does.
ReferenceFigures RunReference(double seconds, size_t videoBytes, LONG videoWindow, size_t audioBytes, LONG audioWindow);
