// The scripted card of the card source stand-in, shared by every filter of
// the process (include/ThSourceSim.h lists the instructions): the cards, the
// tuner's measurements, the stream, the CAM's screens, the time-shift
// positions, the failures to inject and the record of the calls.
#pragma once

#include <Framework.h>

#include <deque>
#include <string>
#include <vector>

struct CamScreen {
  int type = 0;  // 1 menu, 2 list, 3 enquiry
  std::vector<std::string> texts;  // title, subtitle, bottom, choices...; the prompt of an enquiry
  int count = -1;  // the choice count written; -1: as many as given
  int blind = 0;
  int length = 0;
};

struct CardSettings {
  int cards = 1;
  int type = 1;
  int locked = 1, signal = 80, quality = 70;
  std::vector<BYTE> stream;  // whole 188-byte packets
  DWORD paceMs = 2;
  LONGLONG writePos = 0, readPos = 0;
  bool cam = false;
  std::string camName;
};

class CCardScript {
 public:
  static CCardScript& Instance();

  // Replaces the script and clears the record; FALSE (and the defaults)
  // when a line cannot be read.
  BOOL Load(const std::string& text);
  // Loads the environment's script unless one was loaded already.
  void LoadOnce();

  CardSettings Settings();
  void SetReadPos(LONGLONG position);
  // The CAM's screens: the one it shows now (false when none), and the next.
  bool CurrentScreen(CamScreen* screen);
  void NextScreen();
  void ClearScreens();

  // Records "call args" and answers S_OK or the injected failure.
  HRESULT Call(const char* call, const char* format = nullptr, ...);
  std::string RecordText();

 private:
  struct Failure {
    std::string call;
    HRESULT code = E_FAIL;
    int skip = 0;
    int times = -1;  // -1: for ever
  };
  HRESULT InjectedAnswer(const std::string& call);

  CCriticalSection m_lock;  // guards everything below
  bool m_loaded = false;
  CardSettings m_settings;
  std::deque<CamScreen> m_screens;
  std::vector<Failure> m_failures;
  std::string m_record;
};
