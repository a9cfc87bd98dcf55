// What a section or pipe filter does with the arguments it is given and
// the packets that arrive for it, as arbitrary bytes: the first bytes
// choose the filter's state and arguments, the rest is a packet.
#include "FilterRules.h"
#include "RemoteCode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace filterrules;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int type = data[0] % 5;
  WORD pid = WORD((data[1] << 8) | data[2]);
  BYTE length = data[3];
  BYTE slot = data[4];
  BYTE filterId = data[5];
  bool network = data[6] & 1;
  std::vector<BYTE> packet(data + 8, data + size);  // exact size: ASan sees over-reads

  const BYTE* match = data[7] & 1 ? packet.data() : nullptr;
  const BYTE* mask = data[7] & 2 ? packet.data() : nullptr;
  int checked = CheckArguments(type, pid, match, mask, length);
  if (checked == 0 && (type == kNoFilter || pid >= kPidLimit || length > kMaxLength)) __builtin_trap();

  Route route = RouteOf(slot, DWORD(packet.size()), filterId, type, network);
  if (route != kDrop && (slot != filterId || packet.empty() || filterId == 0)) __builtin_trap();

  // The same bytes as an infrared code message after its slot byte.
  WORD address = WORD((data[1] << 8) | data[2]);
  bool passes = remotecode::PassesAddress(address, packet.data(), DWORD(packet.size()));
  if (passes && address != remotecode::kAnyAddress && (packet.size() < 2 || packet[1] != address)) __builtin_trap();
  remotecode::Deliverable(slot, DWORD(packet.size()));
  return 0;
}
