// The decoder preferences dialog on the playback graph controller under
// Wine: what it lists and selects, what OK and Cancel leave in the
// controller, the two commands to the host after OK, and the choices saved
// to the settings file and read back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <TestDecoders.h>
#include <framework/WinApp.h>

#include "CapturedLog.h"
#include "DialogUser.h"
#include "ModuleResources.h"
#include "PlaybackRig.h"
#include "VideoCtrl.h"

CWinApp theTestApp("ModulesPreferencesTest");

namespace {

// The dialog as the user sees it.
struct Seen {
  std::vector<std::string> video, audio, renderers;
  int videoSel = -2, audioSel = -2, rendererSel = -2;
  bool rendererEnabled = true;
  bool bob = false;
};

Seen Look(HWND dialog) {
  Seen s;
  s.video = ComboItems(GetDlgItem(dialog, IDC_VIDEO_DECODER));
  s.audio = ComboItems(GetDlgItem(dialog, IDC_AUDIO_DECODER));
  s.renderers = ComboItems(GetDlgItem(dialog, IDC_VIDEO_RENDERER));
  s.videoSel = static_cast<int>(SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_GETCURSEL, 0, 0));
  s.audioSel = static_cast<int>(SendDlgItemMessageA(dialog, IDC_AUDIO_DECODER, CB_GETCURSEL, 0, 0));
  s.rendererSel = static_cast<int>(SendDlgItemMessageA(dialog, IDC_VIDEO_RENDERER, CB_GETCURSEL, 0, 0));
  s.rendererEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_VIDEO_RENDERER));
  s.bob = IsDlgButtonChecked(dialog, IDC_BOB_MODE) == BST_CHECKED;
  return s;
}

class FilterPreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegisterPlaybackFilters());
    DeleteFileA("C:\\windows\\heron.ini");
  }
  CHostWindowStub m_host;
};

TEST_F(FilterPreferencesTest, OkStoresTheChoicesTellsTheHostTwiceAndTheyAreSaved) {
  Seen seen;
  {
    CVideoCtrl ctrl;
    ctrl.SetHost(&CapturedLog::Log, m_host.Handle(), CVideoCtrl::kDefaultHostCommand);
    ctrl.m_nVideoDecoder = 2;
    ctrl.m_nVideoRenderer = 1;
    ctrl.m_nBobMode = 1;
    CDialogUser user("Preferences", [&](HWND dialog) {
      seen = Look(dialog);
      SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_SETCURSEL, 1, 0);
      SendDlgItemMessageA(dialog, IDC_AUDIO_DECODER, CB_SETCURSEL, 1, 0);
      CheckDlgButton(dialog, IDC_BOB_MODE, BST_UNCHECKED);
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, ctrl.ShowPreferences());
    EXPECT_EQ(1, ctrl.m_nVideoDecoder);
    EXPECT_EQ(1, ctrl.m_nAudioDecoder);
    EXPECT_EQ(1, ctrl.m_nVideoRenderer);
    EXPECT_EQ(0, ctrl.m_nBobMode);
    PumpMessages();
    EXPECT_EQ((std::vector<WPARAM>{CVideoCtrl::kDefaultHostCommand, CVideoCtrl::kDefaultHostCommand}),
              m_host.Commands());
  }
  EXPECT_EQ((std::vector<std::string>{"Default", "Quillon Test MPEG-2 Video Decoder A",
                                      "Quillon Test MPEG-2 Video Decoder B"}),
            seen.video);
  EXPECT_EQ((std::vector<std::string>{"Default", "Quillon Test MPEG Audio Decoder"}), seen.audio);
  EXPECT_EQ((std::vector<std::string>{"Video Mixing Renderer 7", "Video Mixing Renderer 9"}), seen.renderers);
  EXPECT_EQ(2, seen.videoSel);
  EXPECT_EQ(0, seen.audioSel);
  EXPECT_EQ(1, seen.rendererSel);
  EXPECT_FALSE(seen.rendererEnabled);
  EXPECT_TRUE(seen.bob);

  // The destructor wrote the settings; the next controller starts from them.
  CVideoCtrl next;
  EXPECT_EQ(1, next.m_nVideoDecoder);
  EXPECT_EQ(1, next.m_nAudioDecoder);
  EXPECT_EQ(1, next.m_nVideoRenderer);
  EXPECT_EQ(0, next.m_nBobMode);
  char text[16];
  GetPrivateProfileStringA("Quillon", "VideoDecoder", "", text, sizeof(text), "heron.ini");
  EXPECT_STREQ("1", text);
}

TEST_F(FilterPreferencesTest, AStoredChoiceBeyondTheListSelectsNothingAndOkStoresMinusOne) {
  CVideoCtrl ctrl;
  ctrl.SetHost(&CapturedLog::Log, m_host.Handle(), CVideoCtrl::kDefaultHostCommand);
  ctrl.m_nVideoDecoder = 5;
  Seen seen;
  CDialogUser user("Preferences", [&](HWND dialog) {
    seen = Look(dialog);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(IDOK, ctrl.ShowPreferences());
  EXPECT_EQ(CB_ERR, seen.videoSel);
  EXPECT_EQ(-1, ctrl.m_nVideoDecoder);
  // -1 renders with the graph's own choice.
  RECT r = {0, 0, 640, 480};
  ASSERT_TRUE(ctrl.Create(nullptr, "VidWnd", WS_VISIBLE | WS_CHILD, r, CWnd::FromHandle(m_host.Handle()), 130));
  EXPECT_EQ(S_OK, ctrl.BuildGraph());
  EXPECT_TRUE(FindFilter(ctrl.Graph(), CLSID_TestVideoDecoderA));
}

TEST_F(FilterPreferencesTest, CancelChangesNothingAndTellsNoOne) {
  CVideoCtrl ctrl;
  ctrl.SetHost(&CapturedLog::Log, m_host.Handle(), CVideoCtrl::kDefaultHostCommand);
  ctrl.m_nAudioDecoder = 1;
  CDialogUser user("Preferences", [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_AUDIO_DECODER, CB_SETCURSEL, 0, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(IDCANCEL, ctrl.ShowPreferences());
  EXPECT_EQ(1, ctrl.m_nAudioDecoder);
  PumpMessages();
  EXPECT_TRUE(m_host.Commands().empty());
}

}  // namespace
