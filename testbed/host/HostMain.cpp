// The stand-in TV application: loads a plug-in and plays the host's part at
// its interface, for tests and demonstrations. See HostOptions.h for the
// command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "HostChannelList.h"
#include "HostLog.h"
#include "HostOptions.h"
#include "HostRequests.h"
#include "HostWindow.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"
#include "ModuleSteps.h"
#include "PesFile.h"
#include "PluginHost.h"
#include "StreamFeeder.h"

namespace {

const char kUsage[] =
    "usage: tvhost --plugin FILE [--list FILE.qcx] [--pes FILE] [--rate real|fast] [--loop N]\n"
    "              [--channel N] [--menu] [--log FILE] [--exit-after MS] [--exit-when-fed]\n"
    "              [--module FILE [--session STEPS]]\n";

// Loads the hardware module, runs its session (when given) and unloads it;
// the module's PES packets go to the plug-in too when one runs. When the
// user closed the module's window, the plug-in's host window is closed too
// (the whole host ends). 0 when every step could be run.
int RunModuleSession(const HostOptions& options, const CHostChannelList& lists, CHostLog& log, CPluginHost* plugin,
                     HWND pluginWindow) {
  std::vector<std::string> steps;
  if (!options.session.empty() && !ReadModuleSteps(options.session, &steps)) {
    log.Line("error: cannot read the session %s", options.session.c_str());
    return 1;
  }
  CModuleHost module;
  std::string error;
  if (!module.Load(options.module, &error)) {
    log.Line("error: %s", error.c_str());
    return 1;
  }
  module.MirrorLogTo(&log);
  module.ForwardPesTo(plugin);
  log.Line("module loaded");
  CMessageBoxWatcher watcher(log);
  watcher.Start();
  const bool ran = RunModuleSteps(module, steps, lists.channels, log, &error);
  watcher.Stop();
  if (module.Closed() && pluginWindow) PostMessage(pluginWindow, WM_CLOSE, 0, 0);
  module.Unload();
  log.Line("module unloaded");
  if (!ran) log.Line("error: %s", error.c_str());
  return ran ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  HostOptions options;
  if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc))) {
    std::fprintf(stderr, "tvhost: %s\n%s", options.error.c_str(), kUsage);
    return 2;
  }
  CHostLog log;
  if (!log.Open(options.log)) {
    std::fprintf(stderr, "tvhost: cannot write the log %s\n", options.log.c_str());
    return 2;
  }

  CHostChannelList lists;
  std::string error;
  if (!options.list.empty() && !lists.Read(options.list, &error)) {
    log.Line("error: %s", error.c_str());
    return 1;
  }
  log.Line("channel list: %zu records, second list: %zu records", lists.channels.size(), lists.second.size());
  std::vector<PesFilePacket> packets;
  if (!options.pes.empty() && !ReadPesFile(options.pes, &packets, &error)) {
    log.Line("error: %s", error.c_str());
    return 1;
  }

  if (options.plugin.empty()) {
    const int code = RunModuleSession(options, lists, log, nullptr, nullptr);
    log.Line("host exit");
    return code;
  }

  CPluginHost plugin;
  if (!plugin.Load(options.plugin, &error)) {
    log.Line("error: %s", error.c_str());
    return 1;
  }
  log.Line("plugin name \"%s\"", plugin.Name().c_str());

  CHostRequests requests(lists, log, options.channel);
  CStreamFeeder feeder(plugin, log);
  CHostWindow window(plugin, requests, feeder, log);
  if (!window.Create()) {
    log.Line("error: cannot create the host window");
    return 1;
  }
  window.MergePluginMenu();
  ShowWindow(window.Handle(), SW_SHOW);
  UpdateWindow(window.Handle());

  CMessageBoxWatcher watcher(log);
  watcher.Start();
  plugin.Start(window.Handle());
  log.Line("plugin started");
  // The menu item is chosen before the stream starts, so that whatever the
  // plug-in shows for it comes first (the watcher answers message boxes).
  if (options.selectMenu && window.PluginCommand()) SendMessage(window.Handle(), WM_COMMAND, window.PluginCommand(), 0);
  window.ExitWhenFed(options.exitWhenFed);
  // The stream runs beside a module's session, which may last as long as the user plays.
  if (!packets.empty()) {
    log.Line("stream: %zu packets, %s rate", packets.size(), options.realRate ? "real" : "fast");
    feeder.Start(std::move(packets), options.realRate, options.loops, window.Handle());
  }
  // A module beside the plug-in: its PES tap feeds the plug-in.
  if (!options.module.empty() && RunModuleSession(options, lists, log, &plugin, window.Handle()) != 0) {
    feeder.Stop();
    plugin.Exit();
    plugin.Unload();
    return 1;
  }
  // Counted from the end of the module's session, whose steps pump this
  // thread's messages and would otherwise end the plug-in in their midst.
  window.ExitAfter(options.exitAfterMs);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    // Keyboard navigation in the plug-in's modeless dialogs.
    HWND active = GetActiveWindow();
    if (active && active != window.Handle() && IsDialogMessage(active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  watcher.Stop();
  feeder.Stop();
  plugin.Unload();
  log.Line("host exit");
  return 0;
}
