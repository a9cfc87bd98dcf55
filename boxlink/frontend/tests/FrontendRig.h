// A front end on the simulated box, with the chips of one variant plugged in
// and the settings a test sets.
#pragma once

#include "ChipWorld.h"
#include "FrontendCore.h"
#include "FrontendTables.h"
#include "MicrocodeFixtures.h"
#include "SimFrontendSettings.h"
#include "SimIdentities.h"

struct FrontendRig {
  // -1: no chips yet.
  explicit FrontendRig(int variant = -1) {
    frontendtables::ResetTables();  // as a fresh process has them
    if (variant >= 0) ids.Build(variant);
  }
  SimBoxState& Box() { return w.box.State(); }
  // The variant's chips, with the microcode its demodulator runs both in
  // the chip and in the program's folder.
  void BuildWithMicrocode(int variant) {
    if (variant == 7 || variant == 8) {
      std::vector<ScSection> sections = ScSections(120);
      ids.SetMicrocode(WordBytes(sections[1].data));
      settings.files[CFETerScMain::kMicrocodeFile] = ScFile(sections);
    } else if (variant == 25) {
      ids.SetMicrocode(DspImage(30555, 25));
      settings.files[CFrontendCore::kFw25Microcode] = DspImage(30555, 25);
    } else if (variant == 26 || variant == 31) {
      ids.SetMicrocode(DspImage(24479, 46));
      settings.files[CFrontendCore::kFw46Microcode] = DspImage(24479, 46);
    }
    ids.Build(variant);
  }

  ChipWorld w;
  CSimFrontendSettings settings;
  CSimIdentities ids{w.chips, w.box, &w.bus};
  CFrontendCore fe{w.bus, settings};
};
