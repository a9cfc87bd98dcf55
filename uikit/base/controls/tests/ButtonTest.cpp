// The themed push button: its states drawn by each button theme and read
// back by probe pixels, the image beside and above the caption, the hot
// tracking by the 10 ms timer (injected mouse moves: run alone), the double
// click, and the memory-DC paint that reaches the screen.
#include "Button.h"
#include "ButtonThemeFlat.h"
#include "ButtonThemeGradient.h"
#include "ColorManager.h"
#include "DibCanvas.h"
#include "InputInjection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

CWinApp theButtonTestApp("UikitButtonTest");

namespace {

const int kCx = 120, kCy = 40;
const COLORREF kIconColor = RGB(0, 0, 255);

// A parent window of the framework (so that WM_DRAWITEM is reflected to the
// button) that counts the clicks its buttons report.
class CButtonTestWindow : public CWnd {
 public:
  CButtonTestWindow() {
    CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)),
             "Button test", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr);
  }
  ~CButtonTestWindow() override { DestroyWindow(); }
  int m_nClicks = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED) ++m_nClicks;
    return CWnd::OnCommand(wParam, lParam);
  }
};

// A 16 x 16 icon in one colour.
HICON MakeSolidIcon(COLORREF clr) {
  CDibCanvas color(16, 16, clr);
  HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
  HDC hDC = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hDC, hMask);
  ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  HBITMAP hColor = static_cast<HBITMAP>(::GetCurrentObject(color.DC()->GetSafeHdc(), OBJ_BITMAP));
  ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
  HICON hIcon = ::CreateIconIndirect(&ii);
  ::DeleteObject(hMask);
  return hIcon;
}

struct ButtonFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(button.Create("&Play", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 20 + kCx, 20 + kCy),
                              &parent, 100));
    button.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  }
  // The button drawn into a bitmap in the given item state.
  void Draw(CDibCanvas& canvas, UINT nState) {
    DRAWITEMSTRUCT dis = {ODT_BUTTON, 100, 0, ODA_DRAWENTIRE, nState, button.m_hWnd, canvas.DC()->GetSafeHdc(),
                          {0, 0, kCx, kCy}, 0};
    button.DrawItem(&dis);
  }
  // Pixels of one colour inside a rectangle of the canvas.
  static int Count(CDibCanvas& canvas, COLORREF clr, const CRect& rc = CRect(0, 0, kCx, kCy)) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) n += canvas.Pixel(x, y) == clr;
    return n;
  }
  // The bounding box of the pixels of one colour, the outermost pixels left out.
  static CRect Bounds(CDibCanvas& canvas, COLORREF clr, int cx = kCx, int cy = kCy) {
    int left = cx, top = cy, right = -1, bottom = -1;
    for (int y = 1; y < cy - 1; ++y)
      for (int x = 1; x < cx - 1; ++x)
        if (canvas.Pixel(x, y) == clr) {
          left = std::min(left, x);
          top = std::min(top, y);
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
    return right < 0 ? CRect(0, 0, 0, 0) : CRect(left, top, right + 1, bottom + 1);
  }
  static void Snapshot(CDibCanvas& canvas, const char* name) {
    if (const char* dir = std::getenv("UIKIT_BUTTON_SNAPSHOTS")) canvas.Save((std::string(dir) + "/" + name + ".bmp").c_str());
  }
  CButtonTestWindow parent;
  CJVButton button;
};

COLORREF Palette(int n) { return GetColorManager()->GetColor(static_cast<UINT>(n)); }

// Within tol in each channel (one step of a gradient).
bool Near(COLORREF a, COLORREF b, int tol) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tol && std::abs(GetGValue(a) - GetGValue(b)) <= tol &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tol;
}

TEST_F(ButtonFixture, CreatedOwnerDrawnWithTheSharedStandardTheme) {
  EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(button.GetXButtonStyle(), static_cast<DWORD>(JVBS_FLAT));
  EXPECT_FALSE(button.GetThemeHost().HasPrivateFactory());
  EXPECT_EQ(button.GetTheme()->GetThemeType(), 0);
  // A second button shares the factory and the theme object.
  CJVButton other;
  EXPECT_EQ(other.GetTheme(), button.GetTheme());
  button.SetXButtonStyle(JVBS_FLATTHEME);
  EXPECT_EQ(button.GetTheme()->GetThemeType(), 1);
  EXPECT_NE(other.GetTheme(), button.GetTheme());
  button.SetXButtonStyle(JVBS_FLAT);
  EXPECT_TRUE(button.GetThemeHost().HasPrivateFactory());
  EXPECT_EQ(button.GetTheme()->GetThemeType(), 0);
  button.SetXButtonStyle(0);
  EXPECT_EQ(other.GetTheme(), button.GetTheme());

  // A control subclassed from a dialog becomes owner-drawn whatever its
  // button type was (0xB or-ed into BS_RADIOBUTTON would give 0xF).
  HWND hRadio = ::CreateWindowA("BUTTON", "Radio", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 20, 80, 80, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(101), nullptr, nullptr);
  CJVButton radio;
  ASSERT_TRUE(radio.SubclassWindow(hRadio));
  EXPECT_EQ(radio.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ButtonFixture, StandardThemeStatesByProbePixels) {
  CJVButtonTheme* pTheme = button.GetTheme();
  const COLORREF face = Palette(15), shadow = Palette(16), text = Palette(18), disabled = Palette(17);
  const COLORREF highlight = Palette(20), dark = Palette(21);
  ASSERT_NE(text, disabled);
  EXPECT_EQ(pTheme->GetFaceColor(), face);

  // Flat (the default style): no border at rest.
  CDibCanvas normal(kCx, kCy);
  Draw(normal, 0);
  Snapshot(normal, "standard-normal");
  EXPECT_EQ(normal.Pixel(0, 0), face);
  EXPECT_EQ(normal.Pixel(kCx - 1, kCy - 1), face);
  EXPECT_GT(Count(normal, text), 10);

  // Hot: raised.
  button.m_bHot = TRUE;
  CDibCanvas hot(kCx, kCy);
  Draw(hot, 0);
  Snapshot(hot, "standard-hot");
  button.m_bHot = FALSE;
  EXPECT_EQ(hot.Pixel(0, 0), highlight);
  EXPECT_EQ(hot.Pixel(kCx - 1, kCy - 1), shadow);

  // Pressed: sunken, and the caption one pixel down and right.
  CDibCanvas pressed(kCx, kCy);
  Draw(pressed, ODS_SELECTED);
  Snapshot(pressed, "standard-pressed");
  EXPECT_EQ(pressed.Pixel(0, 0), shadow);
  EXPECT_EQ(pressed.Pixel(kCx - 1, kCy - 1), highlight);
  const CRect rcNormalText = Bounds(normal, text), rcPressedText = Bounds(pressed, text);
  EXPECT_EQ(rcPressedText, rcNormalText + CPoint(1, 1));

  // Disabled: the caption in the disabled text colour only.
  CDibCanvas off(kCx, kCy);
  Draw(off, ODS_DISABLED);
  Snapshot(off, "standard-disabled");
  EXPECT_EQ(Count(off, text), 0);
  EXPECT_EQ(Bounds(off, disabled), rcNormalText);

  // Focus: the dotted rectangle 2 pixels in, only with style 0x10.
  CDibCanvas focus(kCx, kCy);
  Draw(focus, ODS_FOCUS);
  EXPECT_EQ(Count(focus, face, CRect(2, 2, kCx - 2, 3)), Count(normal, face, CRect(2, 2, kCx - 2, 3)));
  button.SetXButtonStyle(JVBS_FLAT | JVBS_FOCUSRECT, FALSE);
  CDibCanvas focused(kCx, kCy);
  Draw(focused, ODS_FOCUS);
  Snapshot(focused, "standard-focus");
  EXPECT_GT(Count(focused, face, CRect(2, 2, kCx - 2, 3)), 0);
  EXPECT_LT(Count(focused, face, CRect(2, 2, kCx - 2, 3)), (kCx - 4) * 3 / 4);
  EXPECT_EQ(Count(focused, face, CRect(1, 1, kCx - 1, 2)), kCx - 2);

  // The 3-D double border, raised and sunken.
  button.SetXButtonStyle(0, FALSE);
  CDibCanvas raised(kCx, kCy), sunken(kCx, kCy);
  Draw(raised, 0);
  Draw(sunken, ODS_SELECTED);
  Snapshot(raised, "standard-3d");
  EXPECT_EQ(raised.Pixel(0, 0), highlight);
  EXPECT_EQ(raised.Pixel(kCx - 1, kCy - 1), dark);
  EXPECT_EQ(raised.Pixel(kCx - 2, kCy - 2), shadow);
  EXPECT_EQ(sunken.Pixel(0, 0), dark);
  EXPECT_EQ(sunken.Pixel(1, 1), shadow);
  EXPECT_EQ(sunken.Pixel(kCx - 1, kCy - 1), highlight);

  // The single border.
  button.SetXButtonStyle(JVBS_SINGLEBORDER, FALSE);
  CDibCanvas single(kCx, kCy);
  Draw(single, 0);
  EXPECT_EQ(single.Pixel(0, 0), highlight);
  EXPECT_EQ(single.Pixel(kCx - 1, kCy - 1), shadow);
  EXPECT_EQ(single.Pixel(1, 1), face);

  // A checked button with style 0x20 gets the halftone pattern.
  button.SetXButtonStyle(JVBS_FLAT | JVBS_HALFTONE, FALSE);
  CDibCanvas halftone(kCx, kCy);
  Draw(halftone, ODS_SELECTED);
  EXPECT_NE(halftone.Pixel(5, 5), halftone.Pixel(6, 5));
  EXPECT_EQ(halftone.Pixel(5, 5), halftone.Pixel(6, 6));
  EXPECT_EQ(halftone.Pixel(5, 5), highlight) << "the button highlight, not the selection colour";
  EXPECT_EQ(halftone.Pixel(6, 5), face);
}

TEST_F(ButtonFixture, FlatThemeStatesByProbePixels) {
  button.SetXButtonStyle(JVBS_FLATTHEME | JVBS_FOCUSRECT, FALSE);
  auto* pTheme = static_cast<CJVButtonThemeFlat*>(button.GetTheme());
  ASSERT_EQ(pTheme->GetThemeType(), 1);
  EXPECT_TRUE(pTheme->IsHotTracking(&button));
  // Distinct fills so that each state shows which it drew.
  pTheme->SetHotFillColor(RGB(200, 220, 250));
  pTheme->SetPressedFillColor(RGB(120, 140, 200));
  pTheme->m_clrCheckedFill.m_clrOverride = RGB(180, 200, 240);
  pTheme->SetBorderColor(RGB(10, 36, 106));
  pTheme->SetHotTextColor(RGB(128, 0, 0));
  pTheme->SetPressedTextColor(RGB(255, 255, 255));

  CDibCanvas normal(kCx, kCy);
  Draw(normal, 0);
  Snapshot(normal, "flat-normal");
  EXPECT_EQ(normal.Pixel(0, 0), Palette(15));
  EXPECT_GT(Count(normal, Palette(46)), 10);

  button.m_bHot = TRUE;
  CDibCanvas hot(kCx, kCy);
  Draw(hot, 0);
  Snapshot(hot, "flat-hot");
  button.m_bHot = FALSE;
  EXPECT_EQ(hot.Pixel(0, 0), RGB(10, 36, 106));
  EXPECT_EQ(hot.Pixel(3, 3), RGB(200, 220, 250));
  EXPECT_GT(Count(hot, RGB(128, 0, 0)), 10);

  CDibCanvas pressed(kCx, kCy);
  Draw(pressed, ODS_SELECTED);
  Snapshot(pressed, "flat-pressed");
  EXPECT_EQ(pressed.Pixel(3, 3), RGB(120, 140, 200));
  EXPECT_EQ(pressed.Pixel(kCx - 1, kCy - 1), RGB(10, 36, 106));
  // No caption offset in the flat theme.
  EXPECT_EQ(Bounds(pressed, RGB(255, 255, 255)), Bounds(normal, Palette(46)));

  button.SetChecked(TRUE);
  CDibCanvas checked(kCx, kCy);
  Draw(checked, 0);
  EXPECT_EQ(checked.Pixel(3, 3), RGB(180, 200, 240));
  button.m_bHot = TRUE;
  CDibCanvas checkedHot(kCx, kCy);
  Draw(checkedHot, 0);
  EXPECT_EQ(checkedHot.Pixel(3, 3), RGB(120, 140, 200));
  button.m_bHot = FALSE;
  button.SetChecked(FALSE);

  CDibCanvas off(kCx, kCy);
  Draw(off, ODS_DISABLED);
  Snapshot(off, "flat-disabled");
  EXPECT_EQ(Count(off, Palette(46)), 0);
  EXPECT_GT(Count(off, Palette(17)), 10);

  // With the face flag: a shadow frame at rest and the default/focus state
  // as two frames in the highlight colour.
  pTheme->SetFaceFlag(TRUE);
  EXPECT_EQ(pTheme->m_clrFace.m_clrValue, Palette(30));
  CDibCanvas face(kCx, kCy);
  Draw(face, 0);
  EXPECT_EQ(face.Pixel(0, 0), Palette(16));
  EXPECT_EQ(face.Pixel(3, 3), Palette(30));
  CDibCanvas focus(kCx, kCy);
  Draw(focus, ODS_FOCUS);
  Snapshot(focus, "flat-focus");
  EXPECT_EQ(focus.Pixel(0, 0), Palette(13));
  EXPECT_EQ(focus.Pixel(1, 1), Palette(13));
  EXPECT_EQ(focus.Pixel(2, 2), Palette(30));
}

TEST_F(ButtonFixture, GradientThemeFollowsTheSystemThemeButKeepsTheFace) {
  struct StyleCase {
    int nTheme;
    COLORREF border, hotText;
  };
  const StyleCase cases[] = {
      {0, Palette(32), Palette(45)}, {1, 0x800000, 0}, {2, 0x385D3F, 0}, {3, 0x0B4B4B, 0}};
  CJVKColorManager* pColors = GetColorManager();
  const int nSetting = pColors->m_nThemeSetting;
  for (const StyleCase& c : cases) {
    pColors->m_nThemeSetting = c.nTheme;
    pColors->RefreshColors();
    button.GetThemeHost().SetTheme(new CJVButtonThemeGradient);
    auto* pTheme = static_cast<CJVButtonThemeGradient*>(button.GetTheme());
    ASSERT_EQ(pTheme->GetThemeType(), 2);
    EXPECT_EQ(pTheme->GetFaceColor(), Palette(15)) << c.nTheme;

    CDibCanvas normal(kCx, kCy);
    Draw(normal, 0);
    EXPECT_EQ(normal.Pixel(0, 0), Palette(15)) << c.nTheme;
    EXPECT_EQ(normal.Pixel(kCx / 2, 2), Palette(15)) << c.nTheme;

    // Hot: the vertical gradient 10 inside the border frame.
    button.m_bHot = TRUE;
    CDibCanvas hot(kCx, kCy);
    Draw(hot, 0);
    button.m_bHot = FALSE;
    Snapshot(hot, ("gradient-hot-" + std::to_string(c.nTheme)).c_str());
    EXPECT_EQ(hot.Pixel(0, 0), c.border) << c.nTheme;
    const CJVKGradientColor& grc = pColors->GetGradient(10);
    EXPECT_TRUE(Near(hot.Pixel(2, 1), grc.m_clrStart.GetColor(), 8)) << c.nTheme;
    EXPECT_TRUE(Near(hot.Pixel(2, kCy - 2), grc.m_clrEnd.GetColor(), 8)) << c.nTheme;
    EXPECT_GT(Count(hot, c.hotText), 10) << c.nTheme;

    // Pressed: gradient 9.
    CDibCanvas pressed(kCx, kCy);
    Draw(pressed, ODS_SELECTED);
    EXPECT_TRUE(Near(pressed.Pixel(2, 1), pColors->GetGradient(9).m_clrStart.GetColor(), 8)) << c.nTheme;
    EXPECT_EQ(pressed.Pixel(0, 0), c.border) << c.nTheme;
  }
  pColors->m_nThemeSetting = nSetting;
  pColors->RefreshColors();
  button.GetThemeHost().SetTheme(nullptr);
}

TEST_F(ButtonFixture, ImageBesideAndAboveTheCaption) {
  HICON hIcon = MakeSolidIcon(kIconColor);
  ASSERT_TRUE(button.SetIcon(CSize(16, 16), hIcon, nullptr, FALSE));
  // The caller keeps its icon.
  ICONINFO ii;
  EXPECT_TRUE(::GetIconInfo(hIcon, &ii));
  ::DeleteObject(ii.hbmColor);
  ::DeleteObject(ii.hbmMask);
  const COLORREF text = Palette(18);

  CDibCanvas beside(kCx, kCy);
  Draw(beside, 0);
  Snapshot(beside, "image-beside");
  EXPECT_EQ(Bounds(beside, kIconColor), CRect(4, (kCy - 16) / 2, 20, (kCy - 16) / 2 + 16));
  const CRect rcText = Bounds(beside, text);
  EXPECT_GE(rcText.left, 4 + 16 + 8);
  // Centred in the room that image and gap leave (28 to 118 of the 120
  // pixels, against 2 to 118 without the image): 13 pixels further right.
  button.ToggleImage();
  CDibCanvas plain(kCx, kCy);
  Draw(plain, 0);
  button.ToggleImage();
  EXPECT_EQ(Count(plain, kIconColor), 0);
  const CRect rcPlain = Bounds(plain, text);
  EXPECT_EQ(rcText.left, rcPlain.left + 13);
  EXPECT_EQ(rcText.right, rcPlain.right + 13);
  EXPECT_EQ(rcText.top, rcPlain.top);

  // Pressed (standard theme): the image one pixel down and right.
  CDibCanvas pressed(kCx, kCy);
  Draw(pressed, ODS_SELECTED);
  EXPECT_EQ(Bounds(pressed, kIconColor), Bounds(beside, kIconColor) + CPoint(1, 1));

  button.SetXButtonStyle(JVBS_FLAT | JVBS_IMAGEABOVE, FALSE);
  const int nTall = 60;
  button.SetWindowPos(nullptr, 0, 0, kCx, nTall, SWP_NOMOVE | SWP_NOZORDER);
  CDibCanvas above(kCx, nTall);
  DRAWITEMSTRUCT dis = {ODT_BUTTON, 100, 0, ODA_DRAWENTIRE, 0, button.m_hWnd, above.DC()->GetSafeHdc(),
                        {0, 0, kCx, nTall}, 0};
  button.DrawItem(&dis);
  Snapshot(above, "image-above");
  const CRect rcImage = Bounds(above, kIconColor, kCx, nTall);
  const CRect rcCaption = Bounds(above, text, kCx, nTall);
  EXPECT_EQ(rcImage.left, (kCx - 16) / 2);
  EXPECT_EQ(rcImage.Width(), 16);
  EXPECT_GE(rcCaption.top, rcImage.bottom + 8);  // the glyphs begin below the text box
  EXPECT_LE(std::abs((rcCaption.left + rcCaption.right) / 2 - kCx / 2), 3);
  ::DestroyIcon(hIcon);
}

TEST_F(ButtonFixture, ImageLoadFailureLeavesNoImage) {
  HICON hIcon = MakeSolidIcon(kIconColor);
  ASSERT_TRUE(button.SetIcon(CSize(16, 16), hIcon, nullptr, FALSE));
  ::DestroyIcon(hIcon);
  EXPECT_FALSE(button.SetIcon(CSize(16, 16), 4711u, 0u, FALSE));
  EXPECT_EQ(button.GetImage(), nullptr);
  EXPECT_FALSE(button.SetBitmap(CSize(16, 16), 4712u, FALSE));
  EXPECT_EQ(button.GetImage(), nullptr);
}

TEST_F(ButtonFixture, DoubleClickCountsAsTwoClicks) {
  const LPARAM inside = MAKELPARAM(10, 10);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
  EXPECT_TRUE(button.IsPushed());
  button.SendMessage(WM_LBUTTONUP, 0, inside);
  EXPECT_FALSE(button.IsPushed());
  button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  EXPECT_TRUE(button.IsPushed());
  button.SendMessage(WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(parent.m_nClicks, 2);
}

TEST_F(ButtonFixture, HotTrackingTimerEndsWhenTheMouseLeaves) {
  BringToFront(parent.m_hWnd);
  CRect rc;
  button.GetWindowRect(&rc);
  InjectMouseMove(rc.CenterPoint().x, rc.CenterPoint().y);
  ASSERT_TRUE(PumpUntil([&] { return button.IsHot(); }));
  EXPECT_TRUE(button.m_bHotDrawn);
  // The hot frame reaches the screen through the memory DC paint.
  button.UpdateWindow();
  // Wine hands the window's picture to the display a little later.
  PumpUntil([] { return FALSE; }, 300);
  HDC hScreen = ::GetDC(nullptr);
  const COLORREF clrCorner = ::GetPixel(hScreen, rc.left, rc.top);
  const COLORREF clrInside = ::GetPixel(hScreen, rc.left + 3, rc.top + 3);
  if (const char* path = std::getenv("UIKIT_BUTTON_SNAPSHOT")) {
    CDibCanvas shot(300, 200);
    ::BitBlt(shot.DC()->GetSafeHdc(), 0, 0, 300, 200, hScreen, 40, 40, SRCCOPY);
    shot.Save(path);
  }
  ::ReleaseDC(nullptr, hScreen);
  EXPECT_EQ(clrCorner, Palette(20));
  EXPECT_EQ(clrInside, Palette(15));

  // Leaving ends it within a tick or two.
  InjectMouseMove(rc.right + 30, rc.bottom + 30);
  ASSERT_TRUE(PumpUntil([&] { return !button.IsHot() && !button.m_bHotDrawn; }));
  // The timer is gone: nothing left to kill.
  EXPECT_FALSE(::KillTimer(button.m_hWnd, CJVButton::kHotTimerId));

  // A button whose theme does not track (the 3-D style) never turns hot.
  button.SetXButtonStyle(0, FALSE);
  InjectMouseMove(rc.CenterPoint().x, rc.CenterPoint().y);
  PumpUntil([] { return FALSE; }, 100);
  EXPECT_FALSE(button.IsHot());
  EXPECT_FALSE(::KillTimer(button.m_hWnd, CJVButton::kHotTimerId));
  InjectMouseMove(rc.right + 30, rc.bottom + 30);
  PumpUntil([] { return FALSE; }, 50);
}

TEST_F(ButtonFixture, ThemedBackgroundOnlyWithVisualStyles) {
  button.SetXButtonStyle(JVBS_FLAT | JVBS_WINDOWSTHEME, FALSE);
  CJVButtonTheme* pTheme = button.GetTheme();
  CDibCanvas canvas(kCx, kCy);
  Draw(canvas, 0);
  if (!CJVKWinThemeWrapper::IsThemeEnabled()) {
    // No visual style: the theme's own background.
    EXPECT_FALSE(pTheme->IsThemed(&button));
    EXPECT_EQ(canvas.Pixel(0, 0), Palette(15));
  } else {
    // The system's push button drew the background, not the flat face.
    EXPECT_TRUE(pTheme->IsThemed(&button));
    EXPECT_TRUE(pTheme->IsHotTracking(&button));
    EXPECT_NE(canvas.Pixel(kCx / 2, 1), RGB(1, 2, 3));
  }
}

}  // namespace
