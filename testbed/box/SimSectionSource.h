// PSI sections as the box's demultiplexer finds them: reassembled from the
// transport-stream packets of one PID (a section may span packets; a
// continuity break drops the section in progress), and synthetic sections
// with the MPEG-2 CRC that tests choose the contents of. Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <vector>

typedef std::vector<BYTE> SimSection;

// Every whole section carried on `pid` in a stream of 188-byte packets, in
// order; a repeated section appears as often as it is sent.
std::vector<SimSection> SimSectionsOfPid(const BYTE* ts, size_t length, WORD pid);

// The transport packets that carry `section` on `pid`, with continuity
// counters from `counter` on (updated), stuffed with 0xFF.
std::vector<BYTE> SimPacketsOfSection(const SimSection& section, WORD pid, BYTE& counter);

// A long-form section: table id, table id extension, version 1, section 0
// of 0, the payload and its CRC.
SimSection SimSectionWithCrc(BYTE tableId, WORD extension, const std::vector<BYTE>& payload);

// The MPEG-2 CRC-32 of a section (0 over a whole section with its CRC).
DWORD SimSectionCrc(const BYTE* data, size_t length);
