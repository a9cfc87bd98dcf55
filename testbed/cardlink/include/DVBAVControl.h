// The card's own MPEG decoder: the PIDs it decodes, volume, treble and bass,
// mute, the monitor's aspect, the picture settings, the input (the tuner's
// digital stream or the analogue input) and the decoder's status.
#pragma once

#include "CardTypes.h"

// The decoder's input.
enum DEVICE_INPUT {
  DEVICE_INPUT_DIGITAL = 0,
  DEVICE_INPUT_ANALOG = 1,
};

// What the video decoder reports of the current picture.
struct _VIDEOSTATUS {
  WORD wWidth;
  WORD wHeight;
  WORD wAspectRatio;  // 2 4:3, 3 16:9 (the sequence header's code)
  WORD wFrameRate;    // the sequence header's code
};

class AFX_EXT_CLASS CDVBAVControl {
 public:
  // Bits of m_dwCapabilities.
  static const DWORD kVolumeControl = 0x00001;    // the volume can be set
  static const DWORD kNoTrebleBass = 0x00100;     // no treble and bass control
  static const DWORD kCapabilityBit16 = 0x10000;  // for the application to pass on

  CDVBAVControl();
  virtual ~CDVBAVControl();
  CDVBAVControl(const CDVBAVControl&) = delete;
  CDVBAVControl& operator=(const CDVBAVControl&) = delete;

  DVB_ERROR Init(int unused);
  DVB_ERROR SetPIDs(WORD audio, WORD video, WORD pcr);
  // Left and right, 0..100; 3 beyond; 5 without volume control.
  DVB_ERROR SetVolume(BYTE left, BYTE right);
  // 0..100 each; 3 beyond; 5 without treble and bass control.
  DVB_ERROR SetTrebleBass(BYTE treble, BYTE bass);
  DVB_ERROR SetAudioMute(BOOL mute);
  // The monitor: 0 4:3, 1 16:9.
  DVB_ERROR SetAspectRatio(int monitor);
  DVB_ERROR SetPictureParams(BYTE first, BYTE second, BYTE third);
  // 3 for an input the card does not have.
  DVB_ERROR SetADSwitch(DEVICE_INPUT input);
  DVB_ERROR GetVideoDecoderStatus(_VIDEOSTATUS& status);

  // The card's A/V capabilities (the bits above), known from construction.
  DWORD m_dwCapabilities;
};
