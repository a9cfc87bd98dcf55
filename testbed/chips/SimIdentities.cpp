#include "SimIdentities.h"

#include "FrontendVariants.h"

namespace {

// The chips, by their 8-bit write addresses as the front end names them.
int A7(int addr8) { return addr8 >> 1; }

}  // namespace

CSimIdentities::~CSimIdentities() {
  for (auto& owned : m_owned) m_chips.Unplug(owned.first);
}

CSimChip& CSimIdentities::Add(int address, CSimChip::Dialect dialect) {
  m_owned.emplace_back(address, std::unique_ptr<CSimChip>(new CSimChip(dialect, 0x10000)));
  m_chips.Plug(address, m_owned.back().second.get());
  return *m_owned.back().second;
}

CSimChip& CSimIdentities::Identity(int address, int reg, BYTE value) {
  return Identity(address, CSimChip::kPlain, reg, value);
}

CSimChip& CSimIdentities::Identity(int address, CSimChip::Dialect dialect, int reg, BYTE value) {
  CSimChip& chip = Add(address, dialect);
  chip.SetReg(reg, value);
  chip.SetReadOnly(reg);
  return chip;
}

CSimChip* CSimIdentities::At(int address) {
  for (auto& owned : m_owned)
    if (owned.first == address) return owned.second.get();
  return nullptr;
}

template <typename Chip>
Chip& CSimIdentities::Own(int address, Chip* chip) {
  m_owned.emplace_back(address, std::unique_ptr<CSimChip>(chip));
  m_chips.Plug(address, chip);
  return *chip;
}

CSimPll& CSimIdentities::Pll(int addr8, double stepKHz, double ifKHz) {
  m_pll = &Own(A7(addr8), new CSimPll(m_chips.Clock(), stepKHz, ifKHz));
  return *m_pll;
}

DWORD CSimIdentities::UsbIds(int variant, int cableBoard) {
  using frontendvariants::Box;
  using frontendvariants::Card;
  if (variant == 17 && cableBoard >= 1 && cableBoard <= 3) return Box(WORD(0x0B16 + cableBoard));
  switch (variant) {
    case 18: return Card(0x0018);
    case 20:
    case 24: return Card(0x0020);
    case 21: return Box(0x0B21);
    case 22: return Box(0x0B22);
    case 23: return Box(0x0B23);
    case 27: return Box(0x0B27);
    case 28:
    case 29:
    case 30: return Box(0x0B28);
    case 31: return Box(0x0B31);
    default: return Box(0x0B01);  // a kind without a list of its own
  }
}

void CSimIdentities::Build(int variant, int cableBoard) {
  DWORD ids = UsbIds(variant, cableBoard);
  if (m_bus) m_bus->SetUsbIds(WORD(ids >> 16), WORD(ids));
  CSimClock& clock = m_chips.Clock();
  m_demod = nullptr;
  m_pll = nullptr;
  // The demodulator model at its address, with its identity register.
  auto demod = [this](int addr8, CSimDemodulator* chip, int idReg, BYTE id) {
    m_demod = &Own(A7(addr8), chip);
    chip->SetReg(idReg, id);
    chip->SetReadOnly(idReg);
  };
  switch (variant) {
    case 2:
      // 125 kHz steps above 479500 kHz: the PLL tunes the LNB's output.
      demod(0x10, new CSimVes1893(CSimChip::kVes, clock, m_air, &Pll(0xC2, 125, 479500)), 0x1E, 0xDC);
      break;
    case 3:
    case 4: {
      CSimPll& pll = variant == 3 ? Pll(0xC4, 62.5, 35937) : Pll(0xC2, 62.5, 36150);
      demod(0x12, new CSimVes1820(CSimChip::kVes, clock, m_air, &pll), 0x1A, 0x7A);
      break;
    }
    case 7:
    case 8: {
      // Variant 8's tuner at 0xC0; variant 7's is the box's, off the bus and
      // never programmed by this library: it does not lock.
      CSimPll* pll = nullptr;
      if (variant == 8) {
        pll = &Pll(0xC0, 1000.0 / 6, 36167);
      } else {
        m_boxTuner.reset(new CSimPll(clock, 1000.0 / 6, 36167));
        pll = m_pll = m_boxTuner.get();
      }
      m_demod = &Own(A7(0xE2), new CSimScMain(clock, m_air, pll, m_microcode));
      break;
    }
    case 9:
    case 14: {
      // Variant 14's tuner sits behind the gate. Variant 9's is the box's,
      // off the library's bus, programmed only by the box's
      // terrestrial-frequency command, which this library does not send: it
      // stays unprogrammed, and nothing locks.
      CSimPll* pll = nullptr;
      if (variant == 14) {
        pll = &Pll(0xC2, 1000.0 / 6, 36167);
        m_chips.SetGate(A7(0xC2), A7(0x86), CSimOti7k::kGateMirror, 0x01);
      } else {
        m_boxTuner.reset(new CSimPll(clock, 1000.0 / 6, 36167));
        pll = m_pll = m_boxTuner.get();
      }
      demod(0x86, new CSimOti7k(clock, m_air, pll, variant == 14 ? 1 : 0), 0x2D, 0x31);
      break;
    }
    case 10: demod(0xD0, new CSimTda8083(CSimChip::kPlain, clock, m_air, &Pll(0xC0, 125, 0)), 0x00, 0x05); break;
    case 15:
    case 18:
    case 20:
    case 24:
    case 27: {
      int tunerAddr = variant == 20 || variant == 24 ? 0xC0 : 0xC2;
      bool setMeansInverted = variant == 18 || variant == 20 || variant == 24;
      demod(0xD0, new CSimStv0299(clock, m_air, &Pll(tunerAddr, 500, 0), setMeansInverted), 0x00, 0xA1);
      m_chips.SetGate(A7(tunerAddr), A7(0xD0), CSimStv0299::kGateReg, 0x80, true);
      // The LNB supply controller echoes 0x58 in its upper six bits.
      if (variant == 24 || variant == 27) Identity(A7(0x10), 0x58, 0x5B);
      break;
    }
    case 16:
    case 19: {
      // 1/6 MHz steps; the divider rounds the channel onto the step grid
      // above 36000 kHz (8 MHz board) or 44000 kHz (6 MHz board).
      CSimPll& pll = Pll(0xC2, 1000.0 / 6, variant == 16 ? 36000 : 44000);
      CSimL64781* chip = new CSimL64781(clock, m_air, &pll);
      m_demod = &Own(variant == 16 ? A7(0xAA) : A7(0xA8), chip);
      chip->SetReg(0, 0x12);
      chip->SetReg(1, 0x34);
      break;
    }
    case 17: {
      // Board 0's tuner at 0xC6 (36150 kHz), the others' at 0xC2 or 0xC0
      // (36125 kHz); all behind the demodulator's repeater.
      int tunerAddr = cableBoard == 1 ? 0xC2 : cableBoard >= 2 ? 0xC0 : 0xC6;
      CSimPll& pll = Pll(tunerAddr, 62.5, cableBoard ? 36125 : 36150);
      demod(0x38, new CSimStv0297(CSimChip::kPlain, clock, m_air, &pll), 0x80, 0x21);
      m_chips.SetGate(A7(tunerAddr), A7(0x38), 0x86, 0x80, true);
      break;
    }
    case 21:
    case 22:
    case 23: m_box.State().feType = DWORD(variant - 20); break;
    case 25: {
      // Four-byte tuner at 0xC2, and the device at 7-bit 0x65 the driver
      // wakes, both behind the demodulator's gate (register 7, bit 1).
      CSimPll& pll = Pll(0xC2, 1000.0 / 6, 36167);
      demod(0x10, new CSimDspDemod(CSimDspDemod::kFw25, clock, m_air, &pll, m_microcode), 0, 0x25);
      Add(0x65);
      m_chips.SetGate(A7(0xC2), A7(0x10), 0x07, 0x02);
      m_chips.SetGate(0x65, A7(0x10), 0x07, 0x02);
      break;
    }
    case 26: {
      CSimPll& pll = Pll(0xC0, 500.0 / 3, 36166.666);
      demod(0x10, new CSimDspDemod(CSimDspDemod::kFw46, clock, m_air, &pll, m_microcode), 0, 0x46);
      m_chips.SetGate(A7(0xC0), A7(0x10), 0x07, 0x02);
      break;
    }
    case 28:
    case 29:
    case 30: {
      int addr8 = variant == 28 ? 0xF2 : variant == 29 ? 0xA6 : 0xA0;
      demod(addr8, new CSimSatVer(clock, m_air, &Pll(0xC2, 1000, 0)), 0, BYTE(variant - 28 + 3));
      m_chips.SetGate(A7(0xC2), A7(addr8), CSimSatVer::kGateReg, 0x01, true);
      break;
    }
    case 31: {
      m_pll = &Own(A7(0xC2), new CSimRegTuner(clock, 5000));
      demod(0x10, new CSimDspDemod(CSimDspDemod::kFw46, clock, m_air, m_pll, m_microcode), 0, 0x46);
      m_chips.SetGate(A7(0xC2), A7(0x10), 0x07, 0x02);
      break;
    }
    default: break;
  }
}
