// The card's picture on the screen: the overlay window that shows what the
// card's decoder outputs, with its surface kind, shape and picture settings.
// The window is a real one, made on the caller's thread; the stand-in paints
// it in one colour, that of its three picture parameters (red, green, blue).
#pragma once

#include "CardTypes.h"

class AFX_EXT_CLASS CDVBVideoDisplay {
 public:
  // The kinds of surface the picture can be shown on.
  enum DD_MODE {
    DD_OVERLAY = 0,
    DD_OVERLAY_FLIP = 1,
    DD_OFFSCREEN = 2,
    DD_PRIMARY = 3,
  };

  explicit CDVBVideoDisplay(int unused = 0);
  virtual ~CDVBVideoDisplay();
  CDVBVideoDisplay(const CDVBVideoDisplay&) = delete;
  CDVBVideoDisplay& operator=(const CDVBVideoDisplay&) = delete;

  // Makes the window at x, y with width x height in parent (screen
  // coordinates for a pop-up); 5 while one is open, 2 when none could be made.
  DVB_ERROR Create(HWND parent, int x, int y, int width, int height, DWORD style, DWORD exStyle, int renderMode,
                   DD_MODE mode, int tvNorm, BOOL unused);
  // 5 when none is open.
  DVB_ERROR Close();
  HWND GetVideoWindow() const { return m_hWnd; }

  // The surface kind the open window really uses (the card may fall back).
  DVB_ERROR GetDDMode(DD_MODE& mode);
  // 1: the window follows its parent's moves (a pop-up); 0 not.
  DVB_ERROR SetMove(int follow);
  // 1 4:3, 2 16:9.
  DVB_ERROR SetRatio(int ratio);
  DVB_ERROR SetMAX(int maximise);
  DVB_ERROR SetBOB(int on);
  DVB_ERROR SetPictureParams(BYTE first, BYTE second, BYTE third);

 private:
  HWND m_hWnd = nullptr;
  DD_MODE m_mode = DD_OVERLAY;
  BYTE m_picture[3] = {128, 128, 128};
};
