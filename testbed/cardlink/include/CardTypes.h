// The records and result codes of the premium card library. Its classes carry
// the set-top box library's names and calling forms, so the records are that
// library's: the front end's tuning, signal and lock records and DVB_ERROR.
#pragma once

#include <Framework.h>

#include <device/DVBError.h>
#include <device/streams/CiTypes.h>
#include <frontend/FrontendTypes.h>

// The back-end firmware's version words. The high 16 bits of the first word
// are 0xF021 when the card needs its second firmware image.
struct _BE_VERSION {
  DWORD dwVersion[4];
};
