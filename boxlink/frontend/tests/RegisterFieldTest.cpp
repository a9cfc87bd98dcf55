// Field descriptors and the register shadow of the chip-driver objects.
#include "ChipWorld.h"
#include "RegisterField.h"

namespace {

TEST(RegisterField, BitArithmetic) {
  struct Case {
    DWORD desc;
    BYTE shadow;
    int value;
    BYTE after;  // shadow after inserting value
    int read;    // the field read back from `after`
  } cases[] = {
      {0x7000, 0x8F, 5, 0xDF, 5},        // bits 4-6 of register 0
      {0xFF6B, 0x00, 0x3C, 0x3C, 0x3C},  // the whole register
      {0x10F69, 0xA0, -1, 0xAF, -1},     // signed low nibble
      {0x10F69, 0xA0, -8, 0xA8, -8},    {0x10F69, 0xA0, 7, 0xA7, 7},
      {0x0100, 0xFE, 3, 0xFF, 1},     // one bit: only the low bit of 3 fits
      {0x10C00, 0x00, -2, 0x08, -2},  // signed two bits in the middle
  };
  for (const Case& c : cases) {
    BYTE after = registerfield::SetFieldBits(c.shadow, c.desc, c.value);
    EXPECT_EQ(after, c.after) << std::hex << c.desc;
    EXPECT_EQ(registerfield::GetFieldBits(after, c.desc), c.read) << std::hex << c.desc;
  }
}

TEST(RegisterShadow, ReadFieldOfASignedNibble) {
  ChipWorld w;
  CSimChip chip;
  chip.SetReg(0x69, 0x0F);
  w.chips.Plug(0x1C, &chip);
  CRegisterShadow shadow(w.bus, 0x38, 0xE0, CRegisterShadow::kCableAccess);
  EXPECT_EQ(shadow.ReadField(0x10F69), -1);
  EXPECT_EQ(shadow.Shadow(0x69), 0x0F);
}

TEST(RegisterShadow, WriteFieldReadsModifiesAndWrites) {
  for (auto access : {CRegisterShadow::kCableAccess, CRegisterShadow::kSatelliteAccess}) {
    ChipWorld w;
    CSimChip chip;
    chip.SetReg(0x00, 0x81);
    w.chips.Plug(0x68, &chip);
    CRegisterShadow shadow(w.bus, 0xD0, 0x35, access);
    ASSERT_EQ(shadow.WriteField(0x7000, 3), 0);
    EXPECT_EQ(chip.Reg(0x00), 0xB1);
    EXPECT_EQ(shadow.Shadow(0x00), 0xB1);
    // Cable: write [reg], separate read, then the write; satellite:
    // combined read, then the write.
    int expected = access == CRegisterShadow::kCableAccess ? 3 : 2;
    EXPECT_EQ(w.chips.Count(), expected);
    EXPECT_EQ(w.chips.Log().back().write, std::vector<BYTE>({0x00, 0xB1}));
  }
}

TEST(RegisterShadow, FailedReadKeepsTheShadowAndStillWrites) {
  ChipWorld w;
  CSimChip chip;
  w.chips.Plug(0x68, &chip);
  CRegisterShadow shadow(w.bus, 0xD0, 0x35, CRegisterShadow::kSatelliteAccess);
  shadow.SetShadow(0x02, 0x0F);
  chip.SetReg(0x02, 0xF0);
  w.chips.FailNext(0x68, 3);  // the read's three tries
  EXPECT_EQ(shadow.WriteField(0x3002, 2), 0);
  EXPECT_EQ(chip.Reg(0x02), 0x2F);  // from the old shadow 0x0F
  EXPECT_EQ(shadow.ReadReg(0x02), 0x2F);
  w.chips.NakAlways(0x68);
  EXPECT_EQ(shadow.ReadReg(0x02), -1);
  EXPECT_EQ(shadow.Shadow(0x02), 0x2F);
}

TEST(RegisterShadow, CableWritesUseTheCheckedPasses) {
  ChipWorld w;
  CSimChip chip;
  w.chips.Plug(0x1C, &chip);
  CRegisterShadow shadow(w.bus, 0x38, 0xE0, CRegisterShadow::kCableAccess);
  w.chips.NakAlways(0x1C);
  EXPECT_EQ(shadow.WriteReg(0x80, 1), 255);
  EXPECT_EQ(w.chips.Count(0x1C), 15);  // five passes of three tries
  EXPECT_EQ(shadow.Shadow(0x80), 1);
}

}  // namespace
