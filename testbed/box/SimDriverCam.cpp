// The test control of the simulated box's CAM (ISimCam), and the CAM's
// messages on the box's stream.
#include "SimDriver.h"

#include "framework/SingleLock.h"

#include <algorithm>

void CSimDriver::ClearScript() {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Cam().ClearScript();
}

void CSimDriver::AddStep(BYTE command) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Cam().AddStep(command);
}

void CSimDriver::AddStepMessage(const BYTE* message, DWORD length) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Cam().AddStepMessage(message, length);
}

void CSimDriver::Send(const BYTE* message, DWORD length) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Cam().Send(message, length);
  SendCamMessages();
}

void CSimDriver::GetCamState(SimCamState* state) {
  CSingleLock lock(&m_lock, TRUE);
  *state = m_box->Cam().State();
}

void CSimDriver::SetCamState(const SimCamState& state) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Cam().State() = state;
}

void CSimDriver::SendCamMessages() {
  std::vector<simcam::Message> messages = m_box->Cam().TakeOutgoing();
  if (messages.empty()) return;
  std::vector<SimStreamPacket> packets;
  for (const simcam::Message& m : messages) packets.push_back(CSimStreamComposer::CommonInterface(m.data(), m.size()));
  std::vector<BYTE> stream;
  // Groups of up to eight packets, as the box sends them.
  for (size_t at = 0; at < packets.size(); at += 8) {
    std::vector<SimStreamPacket> group(packets.begin() + long(at),
                                       packets.begin() + long(std::min(packets.size(), at + 8)));
    m_recorderStream.Group(group, stream);
  }
  QueueStream(stream.data(), DWORD(stream.size()));
}

ISimCam& BoxSimCam() { return static_cast<CSimDriver&>(BoxSimulator()); }
