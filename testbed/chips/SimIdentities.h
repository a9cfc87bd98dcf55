// The chips each front-end variant shows to the detection: demodulators with
// their identity registers at their addresses, tuners that acknowledge their
// probe words (some behind a demodulator's gate), the box's USB identifiers
// and the firmware's front-end kind. Several variants share addresses (0x08,
// 0x68, 0x61, 0x60): the models answer each other's probes as the chips do.
#pragma once

#include "SimAir.h"
#include "SimChipBus.h"
#include "SimDemodulator.h"
#include "SimFrontendBus.h"

#include <memory>
#include <vector>

class CSimIdentities {
 public:
  // The identifiers go to the bus seam when one is given.
  CSimIdentities(CSimChipBus& chips, CSimBox& box, CSimFrontendBus* bus) : m_chips(chips), m_box(box), m_bus(bus) {}
  ~CSimIdentities();
  CSimIdentities(const CSimIdentities&) = delete;
  CSimIdentities& operator=(const CSimIdentities&) = delete;

  // Plugs in what the variant's box carries (0: nothing answers); the
  // demodulators and tuner PLLs of the variants whose chips the front end
  // programs itself are models that lock on Air(). Variant 17 on one of the
  // cable boards 1-3 when `cableBoard` says so.
  void Build(int variant, int cableBoard = 0);
  SimAirSignal& Air() { return m_air; }
  // The microcode image the DSP demodulators of later Builds run only when
  // they are given it.
  void SetMicrocode(std::vector<BYTE> image) { m_microcode = std::move(image); }
  // The models of the last Build (null where the variant has none).
  CSimDemodulator* Demodulator() { return m_demod; }
  CSimPll* Tuner() { return m_pll; }
  // A chip added by hand at a 7-bit address.
  CSimChip& Add(int address, CSimChip::Dialect dialect = CSimChip::kPlain);
  CSimChip* At(int address);
  // A chip with a read-only identity register.
  CSimChip& Identity(int address, int reg, BYTE value);
  CSimChip& Identity(int address, CSimChip::Dialect dialect, int reg, BYTE value);

  // The device identifier of the variant's box (USB vendor << 16 | product,
  // or a card's).
  static DWORD UsbIds(int variant, int cableBoard = 0);

 private:
  CSimChipBus& m_chips;
  CSimBox& m_box;
  CSimFrontendBus* m_bus;
  // Plugs in a chip this object owns.
  template <typename Chip>
  Chip& Own(int address, Chip* chip);
  CSimPll& Pll(int addr8, double stepKHz, double ifKHz);

  std::vector<std::pair<int, std::unique_ptr<CSimChip>>> m_owned;
  std::unique_ptr<CSimPll> m_boxTuner;  // a tuner the box programs, off the bus
  SimAirSignal m_air;
  std::vector<BYTE> m_microcode;
  CSimDemodulator* m_demod = nullptr;
  CSimPll* m_pll = nullptr;
};
