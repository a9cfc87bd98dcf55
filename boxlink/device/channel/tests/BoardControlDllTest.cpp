// Board control through boxlink.dll against the simulator DLL: a boot with
// a synthetic image on the real clock, and the streams switched on and off
// with the library's reader threads running inside the DLL.
#include "BoxFixture.h"

#include "DVBBoardControl.h"
#include "FirmwareImage.h"

#include <cstdio>
#include <string>

TEST_F(BoxTest, BoardControlBootsAndSwitchesStreamsThroughTheLibrary) {
  CDVBBoardControl board;
  sim->SetBootTiming(150, 150);
  auto image = firmwareimage::MakeImage(4000, 3, false);
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  std::string path = std::string(dir) + "quillon-dll-boot.img";
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(image.data(), 1, image.size(), f);
  fclose(f);
  EXPECT_EQ(board.BootARM(path.c_str()), DVB_ERR_NONE);
  remove(path.c_str());
  DWORD mode = 0, a, b;
  EXPECT_EQ(board.GetSTBMode(mode, a, b), DVB_ERR_NONE);
  EXPECT_EQ(mode, 1u);

  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  DWORD w[17] = {};
  ASSERT_TRUE(board.GetDriverStatus(w, 17));
  EXPECT_EQ(w[0], 8u);
  EXPECT_EQ(w[1], 1u);
  EXPECT_EQ(State().intInState, 1);
  EXPECT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  ASSERT_TRUE(board.GetDriverStatus(w, 17));
  EXPECT_EQ(w[0], 0u);
  EXPECT_EQ(State().intInState, 0);
}
