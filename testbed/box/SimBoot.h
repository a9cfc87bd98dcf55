// The box's firmware download as its boot loader checks it: the header
// (transfer length, the box's own checksum, mode letter), the data frames
// (piece numbers counting from 0, pieces of 60 bytes with only the last
// one shorter, exactly the announced length) and the start command, which
// the box answers only when everything matched. An accepted flash update
// keeps the image. Portable.
#pragma once

#include "BulkFrame.h"

#include <WinTypes.h>

#include <vector>

struct SimBootInfo {
  int headers = 0;            // header commands accepted
  DWORD announcedLength = 0;  // of the last header
  WORD announcedChecksum = 0;
  BYTE announcedLetter = 0;  // 'a' boot, 'u' flash update
  DWORD received = 0;        // image bytes received since the header
  int frameErrors = 0;       // numbering, piece sizes, data beyond the length
  int starts = 0;            // start commands accepted
  int refusedStarts = 0;
  BYTE startedLetter = 0;  // letter of the last accepted start
  DWORD flashLength = 0;   // image kept by a flash update
};

class CSimBoot {
 public:
  // Command 0x41: 1 when the header is plausible (length and letter).
  BYTE Header(const BYTE* params, int length);
  // A data frame (0xF0) from the bulk command pipe.
  void Frame(const bulkframe::Frame& frame);
  // Command 0x43: 1 when the whole image arrived intact and the letter
  // (if any) is the header's.
  BYTE Start(const BYTE* params, int length);
  // The letter of a start accepted since the last call; 0 none.
  BYTE TakeStart();

  const SimBootInfo& Info() const { return m_info; }
  const std::vector<BYTE>& Flash() const { return m_flash; }

 private:
  SimBootInfo m_info;
  bool m_announced = false;
  int m_nextPiece = 0;
  bool m_shortSeen = false;
  std::vector<BYTE> m_image;
  std::vector<BYTE> m_flash;
  BYTE m_pendingStart = 0;
};
