// The MPEG-2 sequence headers (00 00 01 B3) in a transport packet of the
// video PID: the picture size and aspect code of each, for the picture-format
// detection of the status record. Portable: bytes in, headers out.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <functional>

struct SequenceHeader {
  int width = 0;
  int height = 0;
  int aspectCode = 0;  // 2 4:3, 3 16:9; others leave the monitor mode
};

// Calls found for every header that starts in bytes with its 8 bytes inside them.
void ForEachSequenceHeader(const BYTE* bytes, size_t length, const std::function<void(const SequenceHeader&)>& found);

// The monitor mode (1 16:9, 0 4:3) after a header with this aspect code.
int MonitorModeAfter(int aspectCode, int monitorMode);
