#include "USBRemoteControl.h"

#include "ByteOrder.h"
#include "IrReceiver.h"
#include "WorkerLoop.h"

namespace {

const DWORD kReadBytes = 1024;
const int kReceiverIndex = 0;
const DWORD kReceiveMode = 4;

}  // namespace

// Hands the decoder's reports to the object's handlers.
class CUSBRemoteControl::CSink : public irkeys::IKeySink {
 public:
  explicit CSink(CUSBRemoteControl& owner) : m_owner(owner) {}
  void OnRawCode(WORD code) override { m_owner.OnRC5Code(code); }
  void OnKeyReport(WORD report) override {
    BYTE data[2];
    byteorder::PutLE16(data, report);
    m_owner.OnRemoteControlCode(data, sizeof(data));
  }

 private:
  CUSBRemoteControl& m_owner;
};

CUSBRemoteControl::CUSBRemoteControl() : m_IRType(IR_TYPE(0)), m_hReceiver(INVALID_HANDLE_VALUE) {
  StartThread(THREAD_PRIORITY_NORMAL);
}

CUSBRemoteControl::~CUSBRemoteControl() {
  if (m_IRType != 0) {
    CloseReceiver();
    m_IRType = IR_TYPE(0);
  }
  StopThread(kStopWaitMs);
}

void CUSBRemoteControl::StopDelivery() { StopThread(kStopWaitMs); }

void CUSBRemoteControl::OnRemoteControlCode(BYTE*, int) {}
void CUSBRemoteControl::OnRC5Code(WORD) {}

void CUSBRemoteControl::CloseReceiver() {
  HANDLE receiver = m_hReceiver;
  m_hReceiver = INVALID_HANDLE_VALUE;
  irreceiver::Close(receiver);
}

DVB_ERROR CUSBRemoteControl::SetRemoteControl(IR_TYPE type, WORD) {
  if (type == 0) {
    CloseReceiver();
    m_IRType = IR_TYPE(0);
    return DVB_ERR_NONE;
  }
  m_IRType = type;
  CloseReceiver();
  HANDLE receiver = irreceiver::Open(kReceiverIndex, kReceiveMode);
  if (receiver == INVALID_HANDLE_VALUE) {
    m_IRType = IR_TYPE(0);
    return DVB_ERR_FAILED;
  }
  m_hReceiver = receiver;
  return DVB_ERR_NONE;
}

int CUSBRemoteControl::IsRunning() { return IsWorkerRunning(m_worker); }

int CUSBRemoteControl::StartThread(int priority) {
  if (m_worker.IsRunning()) return 0;
  m_wake.ResetEvent();
  return m_worker.Start(WorkerThread, this, priority) ? 1 : 0;
}

int CUSBRemoteControl::StopThread(DWORD timeoutMs) { return StopWorker(m_worker, timeoutMs, &m_wake); }

UINT CUSBRemoteControl::WorkerThread(LPVOID object) {
  auto* self = static_cast<CUSBRemoteControl*>(object);
  return RunUntilStopped(self->m_worker, [self] { return self->Run(); });
}

int CUSBRemoteControl::Run() {
  CSink sink(*this);
  irkeys::CKeyDecoder decoder;
  bool releasePending = false;
  BYTE buffer[kReadBytes];
  while (!m_worker.IsStopRequested()) {
    if (m_IRType == 0) {
      WaitForSingleObject(m_wake.m_hObject, kIdlePollMs);
      continue;
    }
    if (releasePending) {
      decoder.Release(sink);
      releasePending = false;
      continue;
    }
    DWORD start = GetTickCount();
    int n = irreceiver::Read(m_hReceiver, buffer, sizeof(buffer), kReadWaitMs);
    if (n >= 1) {
      decoder.Feed(buffer, size_t(n), sink);
      continue;
    }
    // Silence, or a receiver that is closed or fails: a held key is let go
    // once the silence has lasted long enough.
    if (GetTickCount() - start > kReleaseSilenceMs)
      releasePending = true;
    else
      WaitForSingleObject(m_wake.m_hObject, kIdlePollMs);
  }
  return 0;
}
