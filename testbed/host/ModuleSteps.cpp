#include "ModuleSteps.h"

#include <fstream>
#include <list>
#include <sstream>

namespace {

constexpr DWORD kUntilLimitMs = 60000;
constexpr int kMiddleTone = 500;  // the host's treble and bass when a step gives none

}  // namespace

bool ReadModuleSteps(const std::string& path, std::vector<std::string>* steps) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    steps->push_back(line);
  }
  return true;
}

bool RunModuleSteps(CModuleHost& host, const std::vector<std::string>& steps, const std::vector<DVB_CHANNELS>& channels,
                    CHostLog& log, std::string* error) {
  std::list<std::string> contexts;  // filter contexts live as long as the session
  for (const std::string& step : steps) {
    std::istringstream words(step);
    std::string verb;
    words >> verb;
    long result = 0;
    if (verb == "open") {
      int device = 0;
      words >> device;
      result = host.Open(device);
    } else if (verb == "window") {
      int mode = 1;
      words >> mode;
      result = host.fn.CreateVideoWindow(host.Window(), mode);
    } else if (verb == "tune") {
      CHANNEL_TYPE tuning = {};
      size_t index = 0;
      words >> tuning.words[0] >> index;
      if (index < channels.size()) host.channel = channels[index];
      result = host.fn.SetTunerChannel(tuning, &host.channel);
    } else if (verb == "pids") {
      WORD pid[4] = {};
      words >> pid[0] >> pid[1] >> pid[2] >> pid[3];
      result = host.fn.SetPids(pid[0], pid[1], pid[2], pid[3]);
    } else if (verb == "filter") {
      int type = 0;
      WORD pid = 0;
      std::string name;
      words >> type >> pid >> name;
      contexts.push_back(name);
      const BYTE none[1] = {0};
      result = host.fn.StartFilter(type, pid, none, none, 0, CModuleHost::FilterCallback(), contexts.back().data());
    } else if (verb == "stopfilter") {
      std::string name;
      words >> name;
      result = kModuleBadArgument;
      for (std::string& c : contexts)
        if (c == name) result = host.fn.StopFilter(c.data());
    } else if (verb == "teletext") {
      WORD pid = 0;
      words >> pid;
      result = host.fn.StartTeletext(CModuleHost::TeletextCallback(), pid);
    } else if (verb == "stopteletext") {
      result = host.fn.StopTeletext();
    } else if (verb == "volume") {
      int volume = 0, treble = kMiddleTone, bass = kMiddleTone;
      words >> volume;
      if (words >> treble) words >> bass;
      result = host.fn.SetVolume(volume, treble, bass);
    } else if (verb == "mute") {
      result = host.fn.SetMute();
    } else if (verb == "wait") {
      DWORD ms = 0;
      words >> ms;
      host.PumpUntil([] { return false; }, ms);
    } else if (verb == "until") {
      std::string text;
      std::getline(words >> std::ws, text);
      result = host.PumpUntil([&] { return host.LogCount(text) > 0; }, kUntilLimitMs) ? 1 : 0;
    } else if (verb == "show") {
      int width = 640, height = 480;
      words >> width >> height;
      host.ShowWindowSized(width, height);
      result = 1;
    } else if (verb == "play") {
      // Ends when the user closes a window (the host's loop then quits, or
      // the module window is closed).
      host.PumpUntil([&] { return host.Closed(); }, INFINITE);
      result = 1;
    } else if (verb == "close") {
      result = host.Close();
    } else {
      *error = "unknown step \"" + step + "\"";
      return false;
    }
    log.Line("step %s -> %ld", step.c_str(), result);
  }
  log.Line("session: %zu PES packets, %zu filter blocks, %zu teletext blocks, %zu WM_PAINT", host.PesPackets(),
           host.FilterData().size(), host.TeletextBlocks(), host.PaintMessages());
  return true;
}
