#include "SimCam.h"

#include "CiCommands.h"

#include <algorithm>
#include <cstring>

using namespace cicommands;

namespace {

// Each command's parameter bytes; -1 checked by the command itself.
int ParamLength(BYTE command) {
  switch (command) {
    case kAskRelease:
    case kOpenLink:
    case kCloseLink:
    case kGetVersion: return 0;
    case kEnterMenu:
    case kGetSlotStatus:
    case kCloseMmi: return 1;
    case kMenuAnswer:
    case kSetProgram:
    case kReadPsiFast: return 2;
    case kCommsReply:
    case kDataEnd: return 3;
    default: return -1;
  }
}

}  // namespace

bool CSimCam::IsCamCommand(BYTE command) {
  return command == kAskRelease || (command >= kMenuAnswer && command <= kGetVersion);
}

bool CSimCam::Command(BYTE command, const BYTE* p, int n, std::vector<BYTE>& answer) {
  const int expected = ParamLength(command);
  const bool fits = expected >= 0        ? n == expected
                    : command == kAnswer ? n >= 2 && p[1] <= kMaxAnswerText && n == 2 + p[1]
                                         : n >= 1 && n <= 1 + kDataChunkBytes;  // kDataChunk
  if (!fits) {
    ++m_state.badRequests;
    return false;
  }
  switch (command) {
    case kOpenLink:
      answer = {m_state.openAnswer};
      m_state.linkOpen = m_state.openAnswer != 0;
      break;
    case kCloseLink: m_state.linkOpen = 0; break;
    case kGetVersion: answer.assign(m_state.version, m_state.version + sizeof(m_state.version)); break;
    case kDataChunk: Data(p, n); break;
    case kDataEnd: DataEnd(p); break;
  }
  if (!m_script.empty() && m_script.front().command == command) {
    for (const simcam::Message& m : m_script.front().messages) Send(m.data(), DWORD(m.size()));
    m_script.pop_front();
    m_state.stepsLeft = int(m_script.size());
  }
  return true;
}

void CSimCam::ClearScript() {
  m_script.clear();
  m_state.stepsLeft = 0;
}

void CSimCam::AddStep(BYTE command) {
  m_script.push_back(Step{command, {}});
  m_state.stepsLeft = int(m_script.size());
}

void CSimCam::AddStepMessage(const BYTE* message, DWORD length) {
  if (m_script.empty()) return;
  m_script.back().messages.emplace_back(message, message + length);
}

void CSimCam::Send(const BYTE* message, DWORD length) {
  if (!m_state.linkOpen) {
    ++m_state.droppedClosed;
    return;
  }
  m_outgoing.emplace_back(message, message + length);
  ++m_state.sent;
}

std::vector<simcam::Message> CSimCam::TakeOutgoing() {
  std::vector<simcam::Message> out;
  out.swap(m_outgoing);
  return out;
}

void CSimCam::Data(const BYTE* p, int n) {
  // Pieces follow each other: each one's offset is what arrived before.
  if (size_t(p[0]) != m_data.size()) m_dataBroken = true;
  m_data.insert(m_data.end(), p + 1, p + n);
}

void CSimCam::DataEnd(const BYTE* p) {
  if (m_dataBroken || m_data.size() != size_t(p[2])) ++m_state.dataErrors;
  m_state.dataSlot = p[0];
  m_state.dataPhase = p[1];
  m_state.dataLength = int(std::min(m_data.size(), sizeof(m_state.data)));
  std::copy_n(m_data.begin(), m_state.dataLength, m_state.data);  // the data may be empty
  m_data.clear();
  m_dataBroken = false;
}
