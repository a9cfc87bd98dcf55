// falcon's portable pieces: the boot image of each box kind and where it is
// looked for, the radio audio's PES packets made of PVA packets, and the
// host's tap with its buffer limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BootImage.h"
#include "PesTap.h"
#include "RadioPva.h"

namespace {

TEST(BootImageTest, EachBoxKindBootsItsImageFromTheBootFolder) {
  struct Row {
    WORD product, fourthVersion;
    const char* folder;
    const char* path;
  } rows[] = {
      {0x0B21, 0, "D:\\Modules\\", "D:\\Modules\\Boot\\STB_PC_S.bin"},
      {0x0B21, 0, "D:\\Modules", "D:\\Modules\\Boot\\STB_PC_S.bin"},
      {0x0B21, 40, "D:/Modules/", "D:/Modules/Boot\\STB_PC_S.bin"},
      {0x0B22, 0, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_C.bin"},
      {0x0B23, 18, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_T.bin"},
      {0x0B23, 19, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_T2.bin"},
      {0x0B23, 0xFFFF, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_T2.bin"},
      {0x0B24, 0, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_X.bin"},
      {0x0B24, 19, "C:\\TV\\", "C:\\TV\\Boot\\STB_PC_X.bin"},
      // An unknown box: the folder alone, which no boot can load.
      {0x0B01, 0, "C:\\TV\\", "C:\\TV\\Boot\\"},
      {0x0B25, 19, "C:\\TV\\", "C:\\TV\\Boot\\"},
      // The module's path could not be had.
      {0x0B22, 0, "", "C:\\Boot\\STB_PC_C.bin"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.path, bootimage::ImagePath(row.folder, row.product, row.fourthVersion))
        << std::hex << row.product << " " << std::dec << row.fourthVersion << " in " << row.folder;
}

std::vector<BYTE> Pva(BYTE stream, BYTE flags, const std::vector<BYTE>& payload, int lengthField = -1) {
  const int n = lengthField < 0 ? static_cast<int>(payload.size()) : lengthField;
  const BYTE header[8] = {'A', 'V', stream, 7, 0x55, flags, BYTE(n >> 8), BYTE(n)};
  std::vector<BYTE> p(sizeof(header) + payload.size());
  std::copy(header, header + sizeof(header), p.begin());
  std::copy(payload.begin(), payload.end(), p.begin() + sizeof(header));
  return p;
}

std::vector<BYTE> AudioPesOf(const std::vector<BYTE>& pva) {
  std::vector<BYTE> buffer(radiopva::kBufferSize);
  const BYTE* pes = nullptr;
  const int n = radiopva::AudioPes(pva.data(), static_cast<int>(pva.size()), buffer.data(), &pes);
  return n > 0 ? std::vector<BYTE>(pes, pes + n) : std::vector<BYTE>();
}

TEST(RadioPvaTest, BarePayloadsGetTheRadioHeaderAndWholePesPacketsPassAsTheyAre) {
  const std::vector<BYTE> bare = {0x11, 0x22, 0x33};
  EXPECT_EQ(AudioPesOf(Pva(2, 0x00, bare)),
            (std::vector<BYTE>{0x00, 0x00, 0x01, 0xE0, 0x00, 0x07, 0x8B, 0x00, 0x01, 0xFF, 0x11, 0x22, 0x33}));
  // Other flag bits do not make a whole PES packet.
  EXPECT_EQ(AudioPesOf(Pva(2, 0xEF, bare)).size(), 13u);
  const std::vector<BYTE> pes = {0x00, 0x00, 0x01, 0xC0, 0x00, 0x03, 0x80, 0x00, 0x00};
  EXPECT_EQ(AudioPesOf(Pva(2, 0x10, pes)), pes);
  // The payload ends where its length field says, not at the packet's end.
  std::vector<BYTE> padded = Pva(2, 0x00, bare, 2);
  EXPECT_EQ(AudioPesOf(padded),
            (std::vector<BYTE>{0x00, 0x00, 0x01, 0xE0, 0x00, 0x06, 0x8B, 0x00, 0x01, 0xFF, 0x11, 0x22}));
  // The largest bare payload a PES length field can name.
  const std::vector<BYTE> largest(0xFFFB, 0x5A);
  const std::vector<BYTE> built = AudioPesOf(Pva(2, 0x00, largest));
  ASSERT_EQ(built.size(), 0xFFFBu + 10);
  EXPECT_EQ(built[4], 0xFF);
  EXPECT_EQ(built[5], 0xFF);
}

TEST(RadioPvaTest, RefusesWhatIsNotAnAudioPacketWithinItsLength) {
  const std::vector<BYTE> payload = {1, 2, 3, 4};
  struct Row {
    const char* what;
    std::vector<BYTE> packet;
  } rows[] = {
      {"video", Pva(1, 0x00, payload)},
      {"length field past the end", Pva(2, 0x00, payload, 5)},
      {"whole-PES flag, length past the end", Pva(2, 0x10, payload, 0xFFFF)},
      {"header cut", std::vector<BYTE>{'A', 'V', 2, 0, 0x55, 0, 0}},
      {"empty", std::vector<BYTE>()},
      {"bare payload too long for a PES length", Pva(2, 0x00, std::vector<BYTE>(0xFFFC, 0))},
  };
  for (const Row& row : rows) EXPECT_TRUE(AudioPesOf(row.packet).empty()) << row.what;
  EXPECT_FALSE(radiopva::IsAudioPacket(nullptr, 8));
}

TEST(PesTapTest, PacksEachPacketBehindThePackHeaderUpToTheBuffersSize) {
  std::vector<BYTE> buffer(pestap::kBufferSize);
  const BYTE header[14] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x19, 0xAB, 0xF8};
  const std::vector<BYTE> packet = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00};
  ASSERT_EQ(pestap::Compose(packet.data(), 6, buffer.data()), 20);
  EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + 14), std::vector<BYTE>(header, header + 14));
  EXPECT_EQ(std::vector<BYTE>(buffer.begin() + 14, buffer.begin() + 20), packet);
  // Nothing built: the header alone.
  EXPECT_EQ(pestap::Compose(nullptr, 0, buffer.data()), 14);

  std::vector<BYTE> big(70000, 0x77);
  EXPECT_EQ(pestap::Compose(big.data(), 65522, buffer.data()), 65536);
  EXPECT_EQ(buffer[65535], 0x77);
  std::fill(buffer.begin(), buffer.end(), 0);
  EXPECT_EQ(pestap::Compose(big.data(), 65523, buffer.data()), 0);
  EXPECT_EQ(pestap::Compose(big.data(), 70000, buffer.data()), 0);
  EXPECT_EQ(buffer[0], 0);  // nothing written for a refused packet
  EXPECT_EQ(pestap::Compose(big.data(), -1, buffer.data()), 0);
}

}  // namespace
