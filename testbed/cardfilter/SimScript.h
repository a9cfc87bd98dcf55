// The scripted card of the filter stand-in, shared by every filter of the
// process (include/CardFilterSim.h lists the instructions): what the tuner
// measures, the stream the card receives, the failures to inject, and the
// record of the calls.
#pragma once

#include <Framework.h>

#include <string>
#include <vector>

struct SimCardSettings {
  DWORD tunerType = 0;
  DWORD performanceBits = 0x7B;
  DWORD acquisitionBits = 0;
  long capabilityLength = 56;
  bool locked = true;
  long strength = 80;
  long quality = 70;
  float snr = 11.5f;
  float ber = 0;
  long uncorrected = 0;
  long total = 1000;
  BYTE mac[6] = {0x00, 0xD0, 0xD7, 0x12, 0x34, 0x56};
  std::vector<BYTE> stream;  // whole 188-byte packets
  DWORD paceMs = 1;
  USHORT width = 720;
  USHORT height = 576;
  DWORD aspect = 2;
  LONGLONG timeshiftSize = 0;
  LONGLONG timeshiftPosition = 0;
};

class CSimCardScript {
 public:
  static CSimCardScript& Instance();

  // Replaces the script and clears the record; FALSE (and the defaults)
  // when a line cannot be read.
  BOOL Load(const std::string& text);
  // Loads the environment's script unless one was loaded already.
  void LoadOnce();

  SimCardSettings Settings();
  void SetTimeshiftPosition(LONGLONG position);

  // The injected answer of call: S_OK, or the failure's code.
  HRESULT Fail(const char* call);
  // Records one line; the answer of Fail(call) as a whole.
  HRESULT Call(const char* call, const char* format = nullptr, ...);
  void Record(const std::string& line);
  std::string RecordText();

 private:
  struct Failure {
    std::string call;
    HRESULT code = E_FAIL;
    int skip = 0;
    int times = -1;  // -1: for ever
  };

  CCriticalSection m_lock;  // guards everything below
  bool m_loaded = false;
  SimCardSettings m_settings;
  std::vector<Failure> m_failures;
  std::string m_record;
};
