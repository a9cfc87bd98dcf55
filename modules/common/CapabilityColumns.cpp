#include "CapabilityColumns.h"

namespace {

constexpr signed char L = -1;   // left as the host set it
constexpr signed char B0 = -2;  // bit 0 of the A/V capability word
constexpr signed char B8 = -3;  // bit 8 of the A/V capability word, unshifted

// One row per DWORD of the record (byte offset = 4 x row).
// clang-format off
constexpr signed char kColumns[kCapabilityCount][kModuleKinds] = {
    // kestrel merlin osprey falcon harrier condor
    /*   0 */ {0, 1, 0, 1, 1, 0},
    /*   4 */ {0, 0, 0, 0, 0, 0},
    /*   8 */ {1, 1, 1, 1, 0, 1},
    /*  12 */ {1, 1, 1, 1, 0, 1},
    /*  16 */ {1, 1, 1, 1, 0, 1},
    /*  20 */ {1, 1, 1, 1, 1, 1},
    /*  24 */ {1, 1, 1, 1, 1, 1},
    /*  28 */ {0, 0, 0, 0, 0, 0},
    /*  32 */ {0, 0, 0, 0, 1, 0},
    /*  36 */ {1, 1, 1, 1, 1, 1},
    /*  40 */ {1, 1, 1, 1, B0, 1},
    /*  44 */ {0, L, 0, L, 1, 0},
    /*  48 */ {1, 1, 1, 0, 0, 1},
    /*  52 */ {1, 1, 1, 1, 1, 1},
    /*  56 */ {1, 1, 1, 1, 1, 1},
    /*  60 */ {1, 1, 1, 1, 1, 1},
    /*  64 */ {0, 0, 0, 0, 1, 0},
    /*  68 */ {0, 0, 0, 0, 1, 0},
    /*  72 */ {0, 0, 0, 0, 1, 0},
    /*  76 */ {1, 1, 1, 1, 1, 1},
    /*  80 */ {0, 0, 0, 0, 0, 0},
    /*  84 */ {1, 1, 0, 1, 1, 1},
    /*  88 */ {1, 1, 1, 1, 1, 1},
    /*  92 */ {0, 0, 0, 1, 1, 0},
    /*  96 */ {0, 0, 0, 0, 0, 0},
    /* 100 */ {1, 1, 1, 1, 1, 1},
    /* 104 */ {1, 1, 1, 0, 0, 1},
    /* 108 */ {1, 1, 1, 0, 0, 1},
    /* 112 */ {1, 1, 1, 1, 1, 1},
    /* 116 */ {1, 1, 1, 0, 0, 1},
    /* 120 */ {0, 0, 0, 0, 0, 0},
    /* 124 */ {0, 0, 0, 0, 0, 0},
    /* 128 */ {0, 0, 0, 0, 0, 0},
    /* 132 */ {1, 0, 1, 0, 0, 1},
    /* 136 */ {0, 0, 0, 0, B8, 0},
    /* 140 */ {0, 1, 0, 1, 1, 0},
    /* 144 */ {1, 1, 1, L, 0, 1},
    /* 148 */ {L, 1, 1, 1, 0, L},
    /* 152 */ {0, 1, L, L, 1, 1},
    /* 156 */ {1, 1, 1, 1, L, L},
    /* 160 */ {L, L, L, L, 1, L},
    /* 164 */ {L, L, 1, L, L, L},
    /* 168 */ {L, L, L, 1, L, L},
    /* 172 */ {0, L, L, L, 1, L},
    /* 176 */ {1, 1, 1, 1, L, 1},
    /* 180 */ {1, 1, 1, 1, L, 1},
};
// clang-format on

}  // namespace

void WriteCapabilities(ModuleKind module, MODULE_CAPABILITIES* caps, DWORD avCaps) {
  if (!caps) return;
  for (size_t i = 0; i < kCapabilityCount; ++i) {
    switch (const signed char cell = kColumns[i][static_cast<int>(module)]) {
      case L: break;
      case B0: caps->flags[i] = avCaps & 0x001; break;
      case B8: caps->flags[i] = avCaps & 0x100; break;
      default: caps->flags[i] = static_cast<DWORD>(cell); break;
    }
  }
}
