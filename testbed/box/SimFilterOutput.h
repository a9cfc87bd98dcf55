// What the box's filters send for the data on a PID: each section filter on
// the PID passes the sections that match its data and mask (byte 0 and
// bytes 3 on; the length bytes 1-2 are not compared), each pipe filter the
// data as they are. The packets carry the filter numbers the box answered.
// Portable.
#pragma once

#include "SimBox.h"
#include "SimSectionSource.h"
#include "SimStreamComposer.h"

// Whether a section filter's parameters (as the box received them) pass
// the section.
bool SimSectionMatches(const SimBoxState::Filter& filter, const BYTE* section, size_t length);

// Section packets, in section order, of every section filter on `pid`.
std::vector<SimStreamPacket> SimSectionOutput(const SimBoxState& box, WORD pid,
                                              const std::vector<SimSection>& sections);

// Pipe packets of every pipe filter on `pid`.
std::vector<SimStreamPacket> SimPipeOutput(const SimBoxState& box, WORD pid, const BYTE* data, size_t length);

// The interrupt message of a key on the box's own infrared receiver: slot
// 1, then the code bytes (byte 1 of them the device address).
std::vector<BYTE> SimRemoteKey(BYTE code, BYTE address, BYTE extra = 0);
