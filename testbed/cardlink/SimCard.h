// The simulated premium card: its script (CardSim.h), the failures it injects
// and the record of every library call. One per process.
#pragma once

#include <string>
#include <vector>

#include "CardTypes.h"

// One message of the scripted common interface.
struct SimCiMessage {
  std::string kind;  // slot, castatus, string, menu, list, enquiry, osdoff, raw
  BYTE slot = 0;
  std::vector<int> numbers;      // the message's numbers after the slot
  std::vector<WORD> caIds;       // slot: the CA system ids
  std::string text;              // slot: the module name; string: the text
  std::vector<std::string> lines;  // menu, list
  std::vector<BYTE> raw;         // raw: the message bytes
};

// A message sent when a call happens: WHEN is "open", "menu", "choice",
// "answer" or "psi", optionally followed by ":" and the argument it needs
// (the choice, the answer text, the service id or the slot).
struct SimCiTrigger {
  std::string when;
  SimCiMessage message;
};

struct SimFailure {
  std::string call;
  int code = 2;
  int skip = 0;
  int times = 0;  // 0: every time
  int calls = 0;
};

struct SimStreamFixture {
  WORD pid = 0;
  std::vector<BYTE> bytes;  // a pipe filter's payload, or a section block
  bool pipe = true;
};

class CSimCard {
 public:
  static CSimCard& Get();

  // Replaces the script; false with the line that could not be read.
  bool Load(const std::string& text, std::string* badLine);
  void ClearRecord();

  // Appends one line to the record.
  void Record(const char* format, ...);
  std::string RecordText();

  // The scripted failure code of this call of `call`, 0 when it succeeds.
  int Fail(const char* call);

  // The CI messages for an event and its argument.
  std::vector<SimCiMessage> CiMessages(const std::string& event, const std::string& argument);

  // What the script set (each Load starts from these defaults); read after
  // Load, on any thread.
  struct Settings {
    int devices = 1;
    std::string name = "Sim Premium DVB-S";
    std::string mac = "00:D0:5C:0A:0B:0C";
    int frontendType = 1;
    DWORD beVersion = 0x10020000;
    ULONG rangeMin = 0, rangeMax = 0;
    int locked = 1;
    double ber = 0;
    WORD level = 0, quality = 0;
    bool ciPresent = true;
    int chunkMin = 1, chunkMax = 4096;
    unsigned seed = 1;
    DWORD paceMs = 2;
    DWORD startDelayMs = 0;
    std::vector<SimStreamFixture> streams;
    std::vector<std::vector<BYTE>> teletext;
    DWORD avCapabilities = 0x00001;  // volume, treble and bass
    WORD pictureWidth = 720, pictureHeight = 576;
    int ddMode = -1;  // the surface kind GetDDMode answers; -1: the one asked for
    DWORD playRateKbit = 4000;
  };
  Settings settings;

 private:
  CSimCard();
  bool ParseLine(const std::string& line);

  CCriticalSection m_lock;  // guards m_failures and m_record
  std::vector<SimFailure> m_failures;
  std::vector<SimCiTrigger> m_triggers;
  std::string m_record;
  std::string m_recordPath;
};

// The payload of one PID of a transport stream (the PES bytes a pipe filter
// passes), or the bytes unchanged when they are not a transport stream.
std::vector<BYTE> PidPayload(const std::vector<BYTE>& file, WORD pid);
