#include "MacBlock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace macblock;

namespace {

int Zero() { return 0; }

// A fixed generator so that known-answer blocks are reproducible.
unsigned g_state;
int Lcg() {
  g_state = g_state * 1103515245u + 12345u;
  return int((g_state >> 16) & 0x7FFF);
}

}  // namespace

TEST(MacBlock, CrcIsTheStandardVariant) {
  const char* digits = "123456789";
  EXPECT_EQ(Crc16(reinterpret_cast<const BYTE*>(digits), 9), 0x29B1);
}

TEST(MacBlock, SealStoresComplementedCrcBigEndian) {
  BYTE block[10] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 0};
  WORD crc = Crc16(block, 8);
  EXPECT_EQ(CheckAndSeal(block, 10), -1);  // bytes 8-9 did not hold it yet
  EXPECT_EQ(block[8], BYTE(~crc >> 8));
  EXPECT_EQ(block[9], BYTE(~crc));
  EXPECT_EQ(CheckAndSeal(block, 10), 0);
  block[3] ^= 0x10;
  EXPECT_EQ(CheckAndSeal(block, 10), -1);
}

TEST(MacBlock, KnownAnswerWithoutRandomFiller) {
  // With a generator that always gives 0 every shift is 0 and no filler bits
  // are set: each word is the plain byte XOR the key word. This pins the
  // key; a changed key would make every box's EEPROM unreadable.
  BYTE block[kScrambledSize];
  ASSERT_EQ(Scramble(0x0002A7E3, 0x00123456, block, Zero), kScrambledSize);
  const BYTE expected[kScrambledSize] = {0xCB, 0x3A, 0x4E, 0x18, 0x42, 0x2B, 0x93, 0x0C, 0x87, 0x35,
                                         0x5E, 0x1F, 0x35, 0x0E, 0xB8, 0x24, 0x0A, 0x3C, 0xDE, 0x11};
  for (int i = 0; i < kScrambledSize; ++i) EXPECT_EQ(block[i], expected[i]) << i;
  DWORD first = 1, second = 1;
  EXPECT_EQ(Unscramble(block, &first, &second), 0);
  EXPECT_EQ(first, 0x0002A7E3u);
  EXPECT_EQ(second, 0x00123456u);
}

TEST(MacBlock, ScramblingTwiceDiffersAndBothUnscramble) {
  g_state = 12345;
  BYTE a[kScrambledSize], b[kScrambledSize];
  Scramble(0x00C0FFEE, 0x00ABCDEF, a, Lcg);
  Scramble(0x00C0FFEE, 0x00ABCDEF, b, Lcg);
  EXPECT_NE(memcmp(a, b, sizeof(a)), 0);
  for (const BYTE* block : {a, b}) {
    DWORD first = 0, second = 0;
    EXPECT_EQ(Unscramble(block, &first, &second), 0);
    EXPECT_EQ(first, 0x00C0FFEEu);
    EXPECT_EQ(second, 0x00ABCDEFu);
  }
}

TEST(MacBlock, BitsElevenToThirteenAreClearBeforeTheKey) {
  g_state = 99;
  BYTE block[kScrambledSize], zeroKey[kScrambledSize];
  Scramble(0x00FFFFFF, 0x00FFFFFF, block, Lcg);
  Scramble(0, 0, zeroKey, Zero);  // words are then key XOR plain bytes 0..
  // Recover the key from the all-zero MAC: plain bytes 0-7 are 0 there.
  for (int i = 0; i < 8; ++i) {
    WORD key = WORD(zeroKey[2 * i] | (zeroKey[2 * i + 1] << 8));
    WORD word = WORD(block[2 * i] | (block[2 * i + 1] << 8));
    EXPECT_EQ((word ^ key) & 0x3800, 0) << i;
  }
}

TEST(MacBlock, CorruptedPayloadBitFailsTheCheck) {
  g_state = 7;
  BYTE good[kScrambledSize];
  Scramble(0x0002A7E3, 0x00000042, good, Lcg);
  int failures = 0;
  for (int word = 0; word < kWords; ++word) {
    for (int bit = 3; bit <= 7; ++bit) {
      BYTE block[kScrambledSize];
      memcpy(block, good, sizeof(block));
      block[2 * word] ^= BYTE(1 << bit);
      DWORD first = 5, second = 5;
      short result = Unscramble(block, &first, &second);
      if (result != 0) ++failures;
      if (result != 0) {
        EXPECT_EQ(first, 0u);
        EXPECT_EQ(second, 0u);
      }
    }
  }
  // A flipped bit in 3-7 is always in the plain byte for shifts 0-3.
  EXPECT_EQ(failures, kWords * 5);
}

TEST(MacBlock, ErasedEepromFailsTheCheck) {
  BYTE erased[kScrambledSize];
  memset(erased, 0xFF, sizeof(erased));
  DWORD first = 9, second = 9;
  EXPECT_EQ(Unscramble(erased, &first, &second), -1);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(second, 0u);
}
