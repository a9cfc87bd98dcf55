// Lock state and lock flags of the variants whose status registers the
// front end reads itself.
#include "FrontendRig.h"

namespace {

// Initialised on the chips of the variant.
struct Rig : FrontendRig {
  explicit Rig(int variant) : FrontendRig(variant) { EXPECT_EQ(fe.Init(), 0); }
};

TEST(FrontendLockState, StatusRegistersByVariant) {
  struct Case {
    int variant;
    int chip;  // 7-bit
    int reg;
    BYTE value;
    int locked;
    DWORD status;
  } cases[] = {
      {2, 0x08, 0x0E, 0x1F, 1, 0x0F},
      {2, 0x08, 0x0E, 0x6F, 0, 0x3F},  // bits 5-6 to 4-5
      {3, 0x09, 0x11, 0x4C, 1, 0x0C},  // bit 6 to 2, bit 2 to 3, bit 3 locks
      {4, 0x09, 0x11, 0x33, 0, 0x33},
      {10, 0x68, 0x02, 0x1F, 1, 0x0F | (3u << 4)},
      {10, 0x68, 0x02, 0x12, 0, 0x0C | (3u << 4)},
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    CSimChip* chip = r.ids.At(c.chip);
    chip->Pin(c.reg, c.value);
    for (int counter = 0x0B; c.variant == 10 && counter <= 0x0D; ++counter) chip->Pin(counter, 0);  // no errors counted
    frontendtypes::_LOCK_STATE lock = {};
    int locked = -1;
    ASSERT_EQ(r.fe.GetState(locked, nullptr, &lock), DVB_ERR_NONE);
    EXPECT_EQ(locked, c.locked) << c.variant << " " << int(c.value);
    EXPECT_EQ(lock.bLocked, DWORD(c.locked));
    EXPECT_EQ(lock.Status, c.status) << c.variant << " " << int(c.value);
    EXPECT_EQ(lock.Type, r.fe.GetType());
  }
}

TEST(FrontendLockState, ErrorCountClassesOfThe8083) {
  struct Case {
    BYTE r0B, r0C, r0D;
    DWORD cls;
  } cases[] = {
      {0x00, 0x0C, 0xCD, 0},  // 3277
      {0x00, 0x0C, 0xCC, 1},  // 3276
      {0x00, 0x06, 0x67, 1},  // 1639
      {0x00, 0x06, 0x66, 2},  // 1638
      {0x00, 0x01, 0x47, 3},  // 327
      {0xE0, 0x00, 0x00, 3},  // only the low five bits of 0x0B count
      {0x01, 0x00, 0x00, 0},  // 65536
  };
  for (const Case& c : cases) {
    Rig r(10);
    CSimChip* chip = r.ids.At(0x68);
    chip->Pin(0x0B, c.r0B);
    chip->Pin(0x0C, c.r0C);
    chip->Pin(0x0D, c.r0D);
    frontendtypes::_LOCK_STATE lock = {};
    int locked;
    r.w.chips.ClearLog();
    ASSERT_EQ(r.fe.GetState(locked, nullptr, &lock), DVB_ERR_NONE);
    EXPECT_EQ(lock.Status >> 4, c.cls) << int(c.r0B) << " " << int(c.r0C) << " " << int(c.r0D);
    EXPECT_EQ(r.w.chips.Count(), 4);  // the status and three counter registers
  }
  Rig r(10);
  r.w.chips.ClearLog();
  int locked;
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(r.w.chips.Count(), 1);  // no record: the status register alone
}

TEST(FrontendLockState, FailedReadIsNotLockedAndOtherBitsStay) {
  Rig r(2);
  r.ids.At(0x08)->Pin(0x0E, 0x1F);
  r.w.chips.NakAlways(0x08);
  frontendtypes::_LOCK_STATE lock = {};
  lock.Status = 0x3F;
  int locked = -1;
  ASSERT_EQ(r.fe.GetState(locked, nullptr, &lock), DVB_ERR_NONE);
  EXPECT_EQ(locked, 0);
  EXPECT_EQ(lock.Status, 0u);  // every bit of variant 2 comes from the register
  EXPECT_EQ(lock.bLocked, 0u);
}

}  // namespace
