// The CAM side of the simulated box: the common-interface commands of the
// box firmware (0x23, 0xA2-0xAE) and a scripted CAM behind them. The script
// is a list of steps, each a command byte and the messages the CAM sends
// when that command arrives next; the steps are taken in order, and a
// command that is not the next step's sends nothing. Messages go out only
// while the PC holds the link (0xAC ... 0xAD), as the box's firmware sends
// them. Portable; the simulated driver puts the messages on the stream.
#pragma once

#include "SimCamMessages.h"

#include <WinTypes.h>

#include <deque>
#include <vector>

// What the CAM keeps, as plain data (copied across the simulator's DLL
// boundary as it stands).
struct SimCamState {
  BYTE linkOpen = 0;
  BYTE openAnswer = 1;                       // the answer to 0xAC; 0 refuses the link
  char version[32] = "CI 1.0|Test CAM 2.3";  // the 32 answer bytes of 0xAE
  int stepsLeft = 0;                         // script steps not yet taken
  int sent = 0;                              // messages put on the stream
  int droppedClosed = 0;                     // messages not sent: the link was closed
  // The last data block of 0xAA pieces closed by 0xAB.
  BYTE data[254] = {};
  int dataLength = -1;  // -1: none yet
  BYTE dataSlot = 0;    // the slot byte of 0xAB (CAM slot + 1)
  BYTE dataPhase = 0;
  int dataErrors = 0;  // pieces out of order, or a length that does not match
  int badRequests = 0;
};

class CSimCam {
 public:
  // A common-interface command with its parameters; false when its layout
  // is wrong. The answer bytes (0xAC, 0xAE) go to `answer`.
  bool Command(BYTE command, const BYTE* params, int length, std::vector<BYTE>& answer);
  static bool IsCamCommand(BYTE command);

  void ClearScript();
  void AddStep(BYTE command);
  // Adds a message to the last step.
  void AddStepMessage(const BYTE* message, DWORD length);
  // The CAM sends a message now (when the link is open).
  void Send(const BYTE* message, DWORD length);
  // The messages sent since the last call, in order.
  std::vector<simcam::Message> TakeOutgoing();

  SimCamState& State() { return m_state; }

 private:
  struct Step {
    BYTE command;
    std::vector<simcam::Message> messages;
  };
  void Data(const BYTE* p, int n);
  void DataEnd(const BYTE* p);

  SimCamState m_state;
  std::deque<Step> m_script;
  std::vector<simcam::Message> m_outgoing;
  std::vector<BYTE> m_data;  // pieces received since the last 0xAB
  bool m_dataBroken = false;
};
