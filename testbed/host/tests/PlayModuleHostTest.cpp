// A module that decodes in software, loaded by the stand-in host: the video
// window as a child of the host's window, the playback graph on heron and
// the decoder stand-ins fed from the module's device thread, a snapshot of
// the playing picture through the export, and closing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <DShowTestSupport.h>
#include <TestData.h>

#include "ModuleHost.h"
#include "PlaybackRig.h"

namespace {

TEST(PlayModuleHost, PlaysTheStreamInTheHostsWindowAndSnapshotsIt) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  SetEnvironmentVariableA("QUILLON_PLAYMODULE_PES", WinPath(TestDataPath("av.pes")).c_str());
  CModuleHost host;
  std::string error;
  ASSERT_TRUE(host.Load(PLAYMODULE_PATH, &error)) << error;
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);

  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  const HWND child = host.fn.GetVideoWindowHandle();
  ASSERT_TRUE(child);
  EXPECT_EQ(host.Window(), GetParent(child));
  EXPECT_EQ(1, host.status.m_iScreenMode);
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  EXPECT_EQ(2u, host.LogCount("Graph is running :-)"));  // built, then restarted for the PIDs
  EXPECT_EQ(1, host.fn.SetWindowPositions(nullptr, 0, 0, 640, 480, 0));

  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string path = std::string(temp) + "playmodule-snapshot.bmp";
  // The first frames reach the renderer once the graph runs.
  EXPECT_TRUE(host.PumpUntil([&] { return host.fn.MakeSnapshot(path.c_str(), 0) == 1; }, 20000));
  std::ifstream in(path, std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(file.size(), 54u);
  EXPECT_EQ("BM", file.substr(0, 2));
  in.close();
  DeleteFileA(path.c_str());

  EXPECT_EQ(1, host.Close());
  EXPECT_EQ(1u, host.LogCount("Closed videowindow."));
  EXPECT_FALSE(IsWindow(child));
  host.Unload();
}

}  // namespace
