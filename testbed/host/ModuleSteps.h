// The scripted mode of the stand-in host: a module session given as steps,
// one per line of a file (--session), run in order on the host's thread:
//   open DEVICE               _QLONExModule ... _InitDVBHardware (the host's order)
//   window MODE               _CreateVideoWindow on the host window
//   tune FREQUENCY [CHANNEL]  _SetTunerChannel with record CHANNEL of the host's list
//   pids VIDEO AUDIO [THIRD [AC3]]
//   filter TYPE PID NAME      _StartFilter with context NAME; stopfilter NAME
//   teletext PID | stopteletext
//   volume V [TREBLE BASS] | mute
//                             _SetVolume; treble and bass 500 (the middle) unless given
//   wait MS                   serve messages for MS
//   until TEXT                serve messages until the module logs TEXT (at most 60 s)
//   show WIDTH HEIGHT         show the host window with a client area of that size
//   play                      serve messages until a host window is closed (the user's session)
//   close                     _DeleteVideoWindow, _CloseDVBHardware
// Each step's result is logged as "step <line> -> <result>".
#pragma once

#include <string>
#include <vector>

#include "DvbChannels.h"
#include "HostLog.h"
#include "ModuleHost.h"

// False with error set at the first step that cannot be read.
bool RunModuleSteps(CModuleHost& host, const std::vector<std::string>& steps, const std::vector<DVB_CHANNELS>& channels,
                    CHostLog& log, std::string* error);

// The lines of a steps file without blank lines and '#' comments; false when it cannot be read.
bool ReadModuleSteps(const std::string& path, std::vector<std::string>* steps);
