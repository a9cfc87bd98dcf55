#include "SimFilterOutput.h"

namespace {

// Offsets in the section filter's 29 parameter bytes.
const int kLengthAt = 4;
const int kData0At = 5;
const int kDataTailAt = 6;
const int kMask0At = 17;
const int kMaskTailAt = 18;

bool MaskedEqual(BYTE value, BYTE data, BYTE mask) { return (value & mask) == (data & mask); }

}  // namespace

bool SimSectionMatches(const SimBoxState::Filter& filter, const BYTE* section, size_t length) {
  int n = filter.params[kLengthAt];
  if (n == 0) return true;
  if (length < 1 || !MaskedEqual(section[0], filter.params[kData0At], filter.params[kMask0At])) return false;
  for (int i = 3; i < n; ++i) {
    if (size_t(i) >= length) return false;
    if (!MaskedEqual(section[i], filter.params[kDataTailAt + i - 3], filter.params[kMaskTailAt + i - 3])) return false;
  }
  return true;
}

std::vector<SimStreamPacket> SimSectionOutput(const SimBoxState& box, WORD pid,
                                              const std::vector<SimSection>& sections) {
  std::vector<SimStreamPacket> out;
  for (const SimSection& s : sections)
    for (int i = 0; i < SimBoxState::kFilters; ++i) {
      const SimBoxState::Filter& f = box.filters[i];
      if (f.used && f.section && f.pid == pid && SimSectionMatches(f, s.data(), s.size()))
        out.push_back(CSimStreamComposer::Section(BYTE(box.filterNumberBase + i), s.data(), s.size()));
    }
  return out;
}

std::vector<SimStreamPacket> SimPipeOutput(const SimBoxState& box, WORD pid, const BYTE* data, size_t length) {
  std::vector<SimStreamPacket> out;
  for (int i = 0; i < SimBoxState::kFilters; ++i) {
    const SimBoxState::Filter& f = box.filters[i];
    if (f.used && !f.section && f.pid == pid)
      out.push_back(CSimStreamComposer::Pipe(BYTE(box.filterNumberBase + i), data, length));
  }
  return out;
}

std::vector<BYTE> SimRemoteKey(BYTE code, BYTE address, BYTE extra) { return {1, code, address, extra, 0, 0, 0, 0}; }
