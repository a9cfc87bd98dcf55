// The names of the parts of a split recording: the first file's name with
// its last "." replaced by "_%03d." and the part number (rec.pva, then
// rec_001.pva, rec_002.pva ...). A name without an extension (no "." behind
// the last path separator) gets "_%03d" appended. Portable.
#pragma once

#include <string>

std::string SplitPartName(const std::string& first, unsigned part);
