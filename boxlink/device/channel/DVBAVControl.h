// The A/V decoder of a decoder box: the PIDs it takes from the tuned
// stream, volume and audio channel, video output mode, TV standard (set or
// detected), monitor aspect and stretch mode, and its status. The members
// mirror what the box accepted last; nothing is read back from the box.
// No lock of its own: each command is atomic on the command channel, but a
// standard change is a sequence another thread's PID change can interleave.
#pragma once

#include "DVBError.h"

#include <Framework.h>

enum _VIDEOSTANDARD {
  VIDEO_STANDARD_PAL = 0,
  VIDEO_STANDARD_NTSC = 1,
  VIDEO_STANDARD_DETECT = 2,  // SetVideoStandard only: from the decoder status
};

// Audio channels; the box takes them as channel codes 1, 0 and 2.
enum _AB_CHANNELS {
  AB_CHANNELS_0 = 0,
  AB_CHANNELS_1 = 1,
  AB_CHANNELS_2 = 2,
};

// Values of the box firmware, passed through as 16-bit words.
enum _VIDEOOUTPUTMODE { VIDEO_OUTPUT_MODE_OFF = 0 };
enum _TYPE_MONITOR_AR { MONITOR_AR_0 = 0 };
enum _TYPE_STRETCH_MODE { STRETCH_MODE_0 = 0 };

// The decoder status in host byte order: words 0-22 from the first status
// command, 23-45 from the second; word 22 is 4 when NTSC was detected.
struct _VIDEOSTATE {
  WORD wStatus[46];
};

class AFX_EXT_CLASS CDVBAVControl {
 public:
  CDVBAVControl();
  CDVBAVControl(const CDVBAVControl& other);
  CDVBAVControl& operator=(const CDVBAVControl& other);
  virtual ~CDVBAVControl();

  // Sets the standard stored in the settings ("PALorNTSC"); always 0.
  DVB_ERROR Init();
  DVB_ERROR SetPIDs(WORD audio, WORD video, WORD pcr);
  DVB_ERROR SetAudioPID(WORD audio);
  DVB_ERROR SetVideoPID(WORD video);
  DVB_ERROR SetAudioMute(BOOL mute);
  DVB_ERROR SetVolume(BYTE first, BYTE second);
  DVB_ERROR SetVideoOutputMode(_VIDEOOUTPUTMODE mode);
  DVB_ERROR SetVideoStandard(_VIDEOSTANDARD standard);
  DVB_ERROR SetAspectRatio(_TYPE_MONITOR_AR ratio);
  DVB_ERROR SetPrefStretchMode(_TYPE_STRETCH_MODE mode);
  DVB_ERROR GetVideoDecoderStatus(_VIDEOSTATE& state);
  DVB_ERROR SetAudioChannel(_AB_CHANNELS channel);
  DVB_ERROR GetAudioDecoderStatus(BYTE& state, DWORD& value);

  WORD GetAudioPID() const { return m_wAudioPID; }
  WORD GetVideoPID() const { return m_wVideoPID; }
  WORD GetPCRPID() const { return m_wPCRPID; }
  _VIDEOSTANDARD GetVideoStandard() const { return m_VideoStandard; }
  _AB_CHANNELS GetAudioChannel() const { return m_AudioChannel; }
  DWORD GetCapabilities() const { return m_dwCapabilities; }

 private:
  // Command 0x53 alone; stores nothing.
  DVB_ERROR SetVideoStandardIntern(_VIDEOSTANDARD standard);
  // PIDs to 0, the standard, PIDs back; the result of the standard command.
  DVB_ERROR ChangeStandard(_VIDEOSTANDARD standard);
  // One PID command; 7 when it fails, 5 when the box does not accept.
  DVB_ERROR SendPids(WORD pcr, WORD audio, WORD video);
  // A command with one 16-bit parameter and no answer: 0 or 7.
  static DVB_ERROR SendWord(BYTE command, WORD value);

  WORD m_wAudioPID;
  WORD m_wVideoPID;
  WORD m_wPCRPID;
  _VIDEOSTANDARD m_VideoStandard;
  _AB_CHANNELS m_AudioChannel;
  DWORD m_dwCapabilities;
};
