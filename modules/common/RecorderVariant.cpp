#include "RecorderVariant.h"

namespace {

// clang-format off
const RecorderVariant kVariants[] = {
    // module     direct write by host state  wait log with id  starts files
    {"kestrel",   false,                      false,            true},
    {"osprey",    true,                       false,            false},
    {"condor",    true,                       true,             false},
};
// clang-format on

}  // namespace

const RecorderVariant& RecorderVariantOf(RecorderModule module) { return kVariants[static_cast<int>(module)]; }
