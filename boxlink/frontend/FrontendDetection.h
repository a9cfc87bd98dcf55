// Which front end the open box carries: the identity probes in their order,
// then the completion of the variant by its tuner probes. The retry count of
// the bus access is 1 while this runs.
#pragma once

#include "FrontendI2c.h"

namespace frontenddetection {

// The variant the first matching identity probe finds, or 0.
DWORD Probe(CFrontendI2c& i2c, DWORD deviceId);

// The variant after its tuner probes (3 may become 4, 7 8, 9 14, 15 18, 20,
// 24 or 27). The failures of the transfers that were not examined are then
// the bus's error count plus `kept` (those counted before a deciding probe
// cleared the count).
DWORD Complete(CFrontendI2c& i2c, DWORD variant, DWORD deviceId, int& kept);

}  // namespace frontenddetection
