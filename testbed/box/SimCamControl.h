// Control of the simulated box's CAM (SimCam.h), for tests: its script, the
// messages it sends at once, and its state. The simulator DLL exports
// "QuillonBoxCam" (this interface); tests that link the simulator statically
// call BoxSimCam(). The messages the CAM sends go on the box's stream with
// the sequence numbers of what the box itself sends (the recorder's), so a
// test process takes all its common-interface messages from here.
// Everything crossing the interface is plain data.
#pragma once

#include "SimCam.h"

class ISimCam {
 public:
  // A new script replaces the steps left of the old one.
  virtual void ClearScript() = 0;
  // A step: when `command` arrives next, the messages added to it after
  // this call are sent.
  virtual void AddStep(BYTE command) = 0;
  virtual void AddStepMessage(const BYTE* message, DWORD length) = 0;
  // Sends a message now (when the link is open).
  virtual void Send(const BYTE* message, DWORD length) = 0;
  virtual void GetCamState(SimCamState* state) = 0;
  virtual void SetCamState(const SimCamState& state) = 0;

 protected:
  ~ISimCam() {}
};

#define BOXSIM_CAM_EXPORT "QuillonBoxCam"

// The process's simulated CAM (static linking).
ISimCam& BoxSimCam();
