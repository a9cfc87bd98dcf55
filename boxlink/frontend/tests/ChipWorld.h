// The front end's bus on the simulated box with the chip simulator hooked
// into its I2C bus, on a virtual clock.
#pragma once

#include "SimBox.h"
#include "SimChipBus.h"
#include "SimFrontendBus.h"

#include <gtest/gtest.h>

struct ChipWorld {
  CSimClock clock;
  CSimBox box;
  CSimChipBus chips{box.Bus(), clock};
  CSimFrontendBus bus{box, clock};

  // The bytes of the n-th logged transfer's write phase.
  std::vector<BYTE> Written(size_t n) const { return chips.Log().at(n).write; }
};
