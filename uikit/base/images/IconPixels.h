// The per-pixel looks the image manager generates from an icon: faded (30 %
// toward white), shadow (one colour, the outline kept) and disabled (a grey
// that lightens mid tones), and the premultiplied copy an alpha image is
// drawn from. Colours are COLORREF values (0x00BBGGRR); the buffer forms work
// on 32-bit DIB pixels (blue, green, red, alpha bytes) and keep alpha.
#pragma once

#include <WinTypes.h>

COLORREF JVKFadedColor(COLORREF clr);
COLORREF JVKDisabledColor(COLORREF clr);
// The shadow colour from the colour manager's colour 31: 3/4 of each channel.
COLORREF JVKShadowColor(COLORREF clrShadowBase);

void JVKFadePixels(BYTE* pPixels, UINT nPixels);
void JVKDisablePixels(BYTE* pPixels, UINT nPixels);
void JVKShadowPixels(BYTE* pPixels, UINT nPixels, COLORREF clrShadow);
// Each colour channel becomes channel x alpha / 255.
void JVKPremultiplyPixels(BYTE* pPixels, UINT nPixels);
