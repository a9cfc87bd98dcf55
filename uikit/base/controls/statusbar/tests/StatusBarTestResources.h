// Indicator ids of the status-bar tests; ID_SB_MISSING has no string.
#pragma once

#define ID_SB_CAPS 201
#define ID_SB_OVERWRITE 202
#define ID_SB_NUM 203
#define ID_SB_MISSING 299
