// The stand-in host's command line.
#pragma once

#include <string>
#include <vector>

struct HostOptions {
  std::string plugin;        // --plugin FILE: the plug-in library to load
  std::string module;        // --module FILE: the hardware module to load
  std::string session;       // --session FILE: the module session's steps (ModuleSteps.h)
  std::string list;          // --list FILE.qcx: the channel list the host answers from
  std::string pes;           // --pes FILE: PES packets (or a program stream) to feed
  bool realRate = true;      // --rate real|fast
  int loops = 1;             // --loop N: times to feed the file, 0 for ever
  std::string log;           // --log FILE: the host's log (stdout when absent)
  int channel = 0;           // --channel N: the host's current channel
  bool selectMenu = false;   // --menu: select the plug-in's menu item after its start
  int exitAfterMs = 0;       // --exit-after MS: close the host MS after the start, or after the
                             // module's session when one runs (0: when the user does)
  bool exitWhenFed = false;  // --exit-when-fed: close the host when the stream is fed

  // Parses the arguments after the program name; false with error set on an
  // unknown option or a missing value.
  bool Parse(const std::vector<std::string>& args);
  std::string error;
};
