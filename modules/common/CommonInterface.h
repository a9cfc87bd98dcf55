// The module's common interface to the CAMs in the device's two slots: the
// device library's CDVBComnIF with the module's handlers. It keeps each
// slot's state and module name, logs the CA systems a ready module
// supports, shows the CAM's menus, lists and enquiries in the CAM menu
// dialog, and re-asks the CAM for the current service when a module
// becomes ready. One source, compiled into each module that has such a
// device library (quillon_module_common_interface in CMakeLists.txt); the
// base class is that library's.
//
// Threads: the handlers run on the device library's CI worker thread. They
// reach the dialog's controls through its window handle, and they never
// restart the playback graph themselves: the restart is posted to the
// host's thread (ICamHost::PostGraphRestart), where every other restart runs.
#pragma once

#include <windows.h>

#include <string>

#include "DVBComnIF.h"
#include "ModuleHostLink.h"

struct DVB_CHANNELS;
class CCAMMenuDialog;

// What the common interface needs of its module.
class ICamHost {
 public:
  virtual ~ICamHost() = default;
  // The host's window, whose menu names the slots; may be null.
  virtual HWND HostWindow() = 0;
  // The current channel record (the status record's m_pChannel); may be null.
  virtual const DVB_CHANNELS* CurrentChannel() = 0;
  // Asks for the playback graph's restart on the host's thread (nothing
  // without a graph). Called on the CI worker thread.
  virtual void PostGraphRestart() = 0;
};

class CCommonInterface : public CDVBComnIF {
 public:
  static constexpr UINT kSlotMenuItem[2] = {32843, 32844};
  static constexpr DWORD kReopenWaitMs = 250;

  CCommonInterface(const ModuleHostLink& host, const char* source, ICamHost& module);
  ~CCommonInterface() override;

  void OnSlotStatus(BYTE slot, BYTE state, _typ_SlotInfo* info) override;
  void OnCAStatus(BYTE slot, BYTE reply, WORD status) override;
  void OnDisplayString(BYTE slot, char* text, WORD length) override;
  void OnDisplayMenu(BYTE slot, WORD count, char* strings, WORD length) override;
  void OnDisplayList(BYTE slot, WORD count, char* strings, WORD length) override;
  void OnSwitchOsdOff(BYTE slot) override;
  void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD key) override;

  // Sends the user's answer when it has the length the CAM asked for and
  // fits the dialog's answer buffer; false when nothing was sent.
  bool SendAnswer(BYTE slot, const std::string& text);

  // Close, wait, keep the menu window, Open and refresh the dialog's slot
  // line; Open's result (0: ready).
  int Reopen(CCAMMenuDialog* menuWindow);

  void SetMenuWindow(CCAMMenuDialog* menuWindow) { m_pMenuWindow = menuWindow; }
  CCAMMenuDialog* MenuWindow() const { return m_pMenuWindow; }
  BYTE CurrentSlot() const { return m_bCurrentSlot; }
  void SetCurrentSlot(BYTE slot) { m_bCurrentSlot = slot & 1; }
  BYTE SlotState(BYTE slot) const { return m_bSlotState[slot & 1]; }
  std::string ModuleName(BYTE slot) const;
  BYTE AnswerLength() const { return m_bAnswerLength; }
  // The slot line for the current slot's state; false when it stays.
  bool SlotLine(std::string* line) const;

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    m_host.Log(m_source, line, level, format, args...);
  }
  void NameSlotInHostMenu(BYTE slot, const char* text);
  void ShowMenuOrList(bool menu, BYTE slot, WORD count, char* strings, WORD length);
  void RefreshSlotLine();

  const ModuleHostLink& m_host;
  const char* const m_source;
  ICamHost& m_module;
  volatile BYTE m_bCurrentSlot = 0;
  volatile BYTE m_bSlotState[2] = {0, 0};
  CCAMMenuDialog* volatile m_pMenuWindow = nullptr;
  volatile BYTE m_bAnswerLength = 0;
  mutable CCriticalSection m_nameLock;  // guards m_strModuleName
  std::string m_strModuleName[2];
};
