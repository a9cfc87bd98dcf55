#include "FrontendDetection.h"

#include "FrontendVariants.h"

#include <functional>

namespace frontenddetection {

namespace {

// Tuner probe words: a write that a tuner PLL at the address acknowledges.
const int kProbeWord1[] = {0x3C, 0x54, 0x95, 0x30};
const int kProbeWord2[] = {0x3C, 0x54, 0xCE, 0x40};
const int kProbeWord3[] = {0x05, 0xF5, 0x85, 0x40};
const int kProbeWord4[] = {0x2D, 0x58, 0x8E, 0x00};
const int kProbeWord5[] = {0x0B, 0xF4, 0x88, 0x00};
const int kProbeWord6[] = {0x0B, 0xF5, 0x88, 0xAB, 0x00};  // four or five bytes

const int kStableRepeats = 4;
const int kGeneralCallReset = 0x06;

typedef std::function<DWORD()> Outcome;

// Probes again until two outcomes in a row agree, at most four more times;
// the last outcome stands.
DWORD Stable(const Outcome& probe) {
  DWORD last = probe();
  for (int i = 0; i < kStableRepeats; ++i) {
    DWORD next = probe();
    if (next == last) break;
    last = next;
  }
  return last;
}

// A register read whose value decides; a failed read matches nothing.
Outcome RegisterIs(CFrontendI2c& i2c, BYTE addr, BYTE reg, BYTE mask, BYTE value, DWORD variant) {
  return [&i2c, addr, reg, mask, value, variant] {
    BYTE v = 0;
    return i2c.ReadI2CReg(addr, reg, v) == 0 && (v & mask) == value ? variant : 0;
  };
}

void GeneralCallReset(CFrontendI2c& i2c) {
  const int reset[1] = {kGeneralCallReset};
  i2c.Bus().WriteSeq(0, reset, 1);
}

// Two bytes of register 0 of a 64781, neither 0xFF.
Outcome L64781At(CFrontendI2c& i2c, BYTE addr, DWORD variant) {
  return [&i2c, addr, variant] {
    BYTE id[2] = {};
    return i2c.ReadI2CMultiReg(addr, 0x00, 2, id) == 0 && id[0] != 0xFF && id[1] != 0xFF ? variant : 0;
  };
}

// A plain write that the error count judges; for the probes not examined
// the count keeps the failure.
int Write(CFrontendI2c& i2c, BYTE addr, const int* words, int count) {
  return i2c.Bus().WriteSeq(addr >> 1, words, count);
}
template <size_t N>
int Write(CFrontendI2c& i2c, BYTE addr, const int (&words)[N], int count = int(N)) {
  return Write(i2c, addr, words, count);
}
// A probe that decides: its own failure is examined and cleared. Failures
// counted before it (the gate write that opened the way to the tuner) are
// not the probe's to clear: they go to `kept`.
template <size_t N>
bool Answers(CFrontendI2c& i2c, int& kept, BYTE addr, const int (&words)[N], int count = int(N)) {
  kept += i2c.Bus().GetErrNo();
  Write(i2c, addr, words, count);
  return i2c.Bus().GetErrNo() == 0;
}

void WriteReg(CFrontendI2c& i2c, BYTE addr, int reg, int value) {
  const int pair[2] = {reg, value};
  Write(i2c, addr, pair);
}

// The LNB supply controller at 0x10 echoes 0x58 in its upper six bits.
bool LnbController(CFrontendI2c& i2c, int& kept, bool combined) {
  IFrontendBus& bus = i2c.Bus();
  kept += bus.GetErrNo();
  const int word[1] = {0x58};
  int value = 0;
  if (combined) {
    bus.CombinedSeq(0x10 >> 1, word, 1, &value, 1);
  } else {
    bus.WriteSeq(0x10 >> 1, word, 1);
    bus.ReadSeq(0x10 >> 1, &value, 1);
  }
  return bus.GetErrNo() == 0 && (value & 0xFC) == 0x58;
}

}  // namespace

DWORD Probe(CFrontendI2c& i2c, DWORD id) {
  using namespace frontendvariants;
  if (IsEarlyProbeKind(id))
    if (DWORD v = RegisterIs(i2c, 0x10, 0x00, 0xFF, 0x46, 31)()) return v;

  if (IsVersionedSatelliteKind(id)) {
    struct {
      BYTE addr;
      DWORD variant;
    } const kChips[] = {{0xF2, 28}, {0xA6, 29}, {0xA0, 30}};
    DWORD found = 0;
    for (const auto& chip : kChips) {
      BYTE version = 0;
      if (i2c.ReadI2CReg0297(chip.addr, 0x00, version) == 0 && version >= 3 && version <= 9) found = chip.variant;
    }
    if (found) return found;
  }

  if (IsFirmwareFrontendKind(id)) {
    DWORD kind = 0;
    if (i2c.Bus().GetFEType(kind) && kind >= 1 && kind <= 3) return 20 + kind;
  }

  const Outcome stable[] = {
      RegisterIs(i2c, 0xD0, 0x00, 0xFF, 0xA1, 15),
      [&i2c] {
        BYTE v = 0;
        return i2c.ReadVES18xx(0x10, 0x1E, v) == 0 && (v & 0xF0) == 0xD0 ? 2u : 0u;
      },
      [&i2c] {
        BYTE v = 0;
        return i2c.ReadI2CReg0297(0x38, 0x80, v) == 0 && (v & 0x70) == 0x20 ? 17u : 0u;
      },
      RegisterIs(i2c, 0xD0, 0x00, 0xFF, 0x05, 10),
      [&i2c] {
        BYTE v = 0xFF;
        return i2c.ReadI2CReg(0x86, 0x2D, v) == 0 && v != 0xFF ? 9u : 0u;
      },
      [&i2c] {
        BYTE v = 0;
        return i2c.ReadVES18xx(0x12, 0x1A, v) == 0 && (v & 0xF0) == 0x70 ? 3u : 0u;
      },
      [&i2c] {
        BYTE v[2];
        return i2c.Read87J205(0x0200, 2, v) == 0 ? 7u : 0u;
      },
  };
  for (const Outcome& probe : stable)
    if (DWORD v = Stable(probe)) return v;

  GeneralCallReset(i2c);
  if (DWORD v = Stable(L64781At(i2c, 0xA8, 19))) return v;
  GeneralCallReset(i2c);
  if (DWORD v = Stable(L64781At(i2c, 0xAA, 16))) return v;

  if (DWORD v = Stable(RegisterIs(i2c, 0x10, 0x00, 0xFF, 0x25, 25))) return v;
  return Stable(RegisterIs(i2c, 0x10, 0x00, 0xFF, 0x46, 26));
}

DWORD Complete(CFrontendI2c& i2c, DWORD variant, DWORD id, int& kept) {
  using namespace frontendvariants;
  switch (variant) {
    case 0:
    case 2: Write(i2c, 0xC2, kProbeWord1); return variant;
    case 3:
      if (Answers(i2c, kept, 0xC4, kProbeWord2)) return 3;
      Write(i2c, 0xC2, kProbeWord2);
      return 4;
    case 7: return Answers(i2c, kept, 0xC0, kProbeWord3) ? 8 : 7;
    case 9: {
      WriteReg(i2c, 0x86, 0x0A, 0x00);
      DWORD found = Answers(i2c, kept, 0xC2, kProbeWord3) ? 14 : 9;
      WriteReg(i2c, 0x86, 0x0A, 0x01);
      return found;
    }
    case 10: Write(i2c, 0xC0, kProbeWord4); return 10;
    case 15:
      if (IsLnbControllerKind(id)) return LnbController(i2c, kept, true) ? 27 : 15;
      if (IsCardKind18(id)) return 18;
      if (IsCardKind20(id)) return LnbController(i2c, kept, false) ? 24 : 20;
      return 15;
    case 16:
    case 19: Write(i2c, 0xC2, kProbeWord5); return variant;
    case 25:
      WriteReg(i2c, 0x10, 0x07, 0x02);
      if (!Answers(i2c, kept, 0xC2, kProbeWord6, 4)) Write(i2c, 0xC6, kProbeWord6);
      WriteReg(i2c, 0x10, 0x07, 0x00);
      return 25;
    case 26:
      WriteReg(i2c, 0x10, 0x07, 0x02);
      Write(i2c, 0xC0, kProbeWord6);
      WriteReg(i2c, 0x10, 0x07, 0x00);
      return 26;
    default: return variant;
  }
}

}  // namespace frontenddetection
