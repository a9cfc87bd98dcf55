// A front end on the simulated box, with the chips of one variant plugged in
// and the settings a test sets.
#pragma once

#include "ChipWorld.h"
#include "FrontendCore.h"
#include "FrontendTables.h"
#include "SimFrontendSettings.h"
#include "SimIdentities.h"

struct FrontendRig {
  // -1: no chips yet.
  explicit FrontendRig(int variant = -1) {
    frontendtables::ResetTables();  // as a fresh process has them
    if (variant >= 0) ids.Build(variant);
  }
  SimBoxState& Box() { return w.box.State(); }

  ChipWorld w;
  CSimFrontendSettings settings;
  CSimIdentities ids{w.chips, w.box, &w.bus};
  CFrontendCore fe{w.bus, settings};
};
