#include "FilterRules.h"

namespace filterrules {

int CheckArguments(int type, WORD pid, const BYTE* data, const BYTE* mask, BYTE length) {
  if (type == kNoFilter || length > kMaxLength || pid >= kPidLimit) return 3;
  if (type != kPipeFilter && length > 0 && (!data || !mask)) return 3;
  return 0;
}

WORD SectionMode(int type) { return type == kNetworkSectionFilter ? kModeNetwork : kModeSection; }

Route RouteOf(BYTE slot, DWORD length, BYTE filterId, int type, bool network) {
  if (length == 0 || filterId == 0 || slot != filterId) return kDrop;
  if (type == kNetworkSectionFilter) return kNetworkBlock;
  return network ? kNetworkSection : kHandler;
}

}  // namespace filterrules
