// The box's USB kernel driver as the library sees it through the device
// port: device-interface enumeration, device handles, the driver's I/O
// controls with their buffer layouts, pipe and stream transfers, and
// overlapped completion the Win32 way (the call returns pending, a driver
// thread completes it and sets the caller's event, GetOverlappedResult
// reads the outcome, CancelIo aborts). Holds the simulated box behind it.
// Its parts: SimDriver.cpp (set-up, enumeration, handles),
// SimDriverPending.cpp (pending calls and their completion),
// SimDriverIoControl.cpp (the I/O control table, pipes and streams),
// SimDriverBoot.cpp (booting, stream buffering, the recorder), SimDriverControl.cpp (the
// test control).
#pragma once

#include "BoxSimulator.h"
#include "DevicePort.h"
#include "SimCamControl.h"
#include "SimInterfaceClass.h"
#include "SimPlayer.h"
#include "framework/SyncObject.h"
#include "framework/WorkerThread.h"

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CSimDriver final : public IDevicePort, public IBoxSimulator, public ISimCam {
 public:
  CSimDriver();
  ~CSimDriver();
  CSimDriver(const CSimDriver&) = delete;
  CSimDriver& operator=(const CSimDriver&) = delete;

  // IDevicePort
  HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR, HWND, DWORD flags) override;
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid, DWORD index,
                                   PSP_DEVICE_INTERFACE_DATA data) override;
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                        PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                                        PSP_DEVINFO_DATA device) override;
  BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                         PBYTE buffer, DWORD size, PDWORD required) override;
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;
  HANDLE CreateFileA(LPCSTR path, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD flags, HANDLE) override;
  BOOL CloseHandle(HANDLE handle) override;
  BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD returned,
                       LPOVERLAPPED overlapped) override;
  BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) override;
  BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) override;
  BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) override;
  BOOL CancelIo(HANDLE handle) override;
  DWORD GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) override;

  // IBoxSimulator
  void Reset() override;
  void SetPresent(int boxes) override;
  void SetNames(int index, const char* friendlyName, const char* description) override;
  void Unplug() override;
  void SetUsbIds(WORD vendor, WORD product) override;
  void SetLatency(DWORD commandMs, DWORD bulkWriteMs) override;
  void AddFault(const SimFault& fault) override;
  void ClearFaults() override;
  void NakI2cTransfer(int address, int nth) override;
  void SetEepromBusyTime(int milliseconds) override;
  void GetState(SimBoxState* state) override;
  void SetState(const SimBoxState& state) override;
  void ReadEeprom(BYTE* contents256) override;
  void WriteEeprom(int offset, const BYTE* data, int count) override;
  int FrameCount() override;
  BOOL GetFrame(int index, bulkframe::Frame* frame) override;
  void QueuePipeData(DWORD pipe, const BYTE* data, DWORD length) override;
  int LogCount() override;
  BOOL GetLogEntry(int index, SimLogEntry* entry) override;
  void ClearLog() override;
  int PendingCount() override;
  BOOL WaitIdle(DWORD milliseconds) override;
  void SetBootTiming(int leaveMs, int returnMs) override;
  void AdvanceClock(DWORD milliseconds) override;
  void FreezeClock(BOOL frozen) override;
  void GetBootInfo(SimBootInfo* info) override;
  int ReadFlash(BYTE* buffer, int size) override;
  void SetStreamBufferLimit(DWORD bytes) override;
  DWORD StreamBytesDropped() override;
  DWORD StreamBytesBuffered() override;
  void SetRecorder(const SimRecorderSetup& setup) override;
  DWORD GetPlayed(BYTE* buffer, DWORD size) override;
  DWORD PlayerRejectedFrames() override;
  void SetPlayerRate(DWORD bytesPerSecond) override;
  void SetPlayerStalled(BOOL stalled) override;
  void GetPlayerStatus(SimPlayerStatus* status) override;
  BOOL SendTeletext(const BYTE* block, DWORD length) override;

  // ISimCam (SimDriverCam.cpp)
  void ClearScript() override;
  void AddStep(BYTE command) override;
  void AddStepMessage(const BYTE* message, DWORD length) override;
  void Send(const BYTE* message, DWORD length) override;
  void GetCamState(SimCamState* state) override;
  void SetCamState(const SimCamState& state) override;

 private:
  // A call the driver has accepted and not completed yet.
  struct Pending {
    HANDLE handle;
    DWORD thread;
    OVERLAPPED* overlapped;
    BYTE* output;
    DWORD outputSize;
    std::vector<BYTE> data;  // what completion writes into the output
    DWORD bytes = 0;         // count reported
    LONG status = 0;         // NTSTATUS of the completion
    double due = -1;         // completion time; -1 = waits (pipe data or cancel)
    int waitPipe = -1;       // a read waiting for data on this pipe
    bool ignoresCancel = false;
    size_t log;  // index of its log entry
  };
  struct Outcome {
    LONG status = 0;
    std::vector<BYTE> data;
    DWORD bytes = 0;
    bool reportData = true;  // bytes = data size (else as set)
    int waitPipe = -1;
    DWORD delayMs = 0;
  };

  // One I/O control call as its handler sees it.
  struct IoRequest {
    const BYTE* in;
    DWORD inSize;
    DWORD outSize;
    DWORD Word(int i) const;  // the i-th little-endian DWORD of the input
  };
  // A handler fills in the outcome, whose data comes sized as the control's
  // row says.
  typedef void (CSimDriver::*IoHandler)(const IoRequest& r, Outcome& o);
  struct IoControl {
    DWORD code;
    int input;   // bytes the control requires, or kNoInput / kAnyInput
    int output;  // bytes it returns, or kVaries
    IoHandler handler;
  };
  static const IoControl kIoControls[];

  // Pending calls (SimDriverPending.cpp): accepted, completed by the
  // scheduler thread when due, cancelled, or failed with the device.
  BOOL Submit(int kind, HANDLE handle, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
              LPOVERLAPPED overlapped);
  // Takes the first fault that hits the call; false when none does.
  bool MatchFault(DWORD code, int command, SimFault& hit);
  void Complete(Pending& p);
  // Completes the call with the status and no data.
  void CompleteWith(Pending& p, LONG status);
  void CompleteAll(LONG status);
  static UINT SchedulerThread(LPVOID self);
  void Schedule();

  // The I/O controls and transfers (SimDriverIoControl.cpp).
  Outcome HandleIoControl(DWORD code, const BYTE* in, DWORD inSize, DWORD outSize);
  Outcome PipeRead(int pipe, DWORD size);
  void TakePipeData(Pending& p, int pipe);
  Outcome StreamRead(DWORD size);
  Outcome StreamWrite(const BYTE* data, DWORD size);
  void SignalReadEvent();
  // The pipe number of a pipe control's input; false (the call failed)
  // when there is no such pipe.
  bool PipeOf(const IoRequest& r, Outcome& o, DWORD& pipe);
  // Turns an isochronous stream on or off; on needs an alternate setting
  // that carries it. False when refused.
  bool SwitchStream(const IoRequest& r, Outcome& o, bool (*carried)(DWORD setting), BOOL& on);
  void GetConfigDescriptor(const IoRequest& r, Outcome& o);
  void NoOperation(const IoRequest& r, Outcome& o);
  void AbortPipe(const IoRequest& r, Outcome& o);
  void ResetPipe(const IoRequest& r, Outcome& o);
  void WriteBulkCmdOut(const IoRequest& r, Outcome& o);
  void WritePipe(const IoRequest& r, Outcome& o);
  void ReadBulkCmdIn(const IoRequest& r, Outcome& o);
  void ReadBulkStrmIn(const IoRequest& r, Outcome& o);
  void ReadIntCtrlIn(const IoRequest& r, Outcome& o);
  void CommandChannel(const IoRequest& r, Outcome& o);
  void SelectAlternateSetting(const IoRequest& r, Outcome& o);
  void SwitchIsoInStream(const IoRequest& r, Outcome& o);
  void SwitchIsoOutStream(const IoRequest& r, Outcome& o);
  void GetUsbBandWidth(const IoRequest& r, Outcome& o);
  void GetUsbDeviceIds(const IoRequest& r, Outcome& o);
  void SetupReadEvent(const IoRequest& r, Outcome& o);
  void SetupWriteEvent(const IoRequest& r, Outcome& o);
  void GetDriverStatus(const IoRequest& r, Outcome& o);
  void SetPipeTimeout(const IoRequest& r, Outcome& o);
  void GetAlternateSetting(const IoRequest& r, Outcome& o);
  void SetThreshold(const IoRequest& r, Outcome& o);
  void ClearBuffer(const IoRequest& r, Outcome& o);
  void GetDriverVersion(const IoRequest& r, Outcome& o);

  double Now() const;
  std::string DevicePath(int index) const;
  // A device's registry property text; empty when it has none.
  std::string DeviceProperty(int index, DWORD property) const;
  bool OwnHandle(HANDLE handle) const;
  // Booting (SimDriverBoot.cpp): the box leaves and comes back on the boot
  // clock; UpdateBoot applies what is due, under m_lock.
  void BeginReboot(BYTE letter);
  void UpdateBoot();
  double BootClock() const { return (m_clockFrozen ? 0.0 : Now()) + m_clockOffset; }
  // The isochronous input flows only with an input setting and the
  // stream on.
  bool Streaming() const;
  void QueueStream(const BYTE* data, DWORD length);

  mutable CCriticalSection m_lock;
  HANDLE m_wake;
  HANDLE m_idle;
  CWorkerThread m_scheduler;  // completes pending calls when they are due
  LARGE_INTEGER m_start, m_frequency;

  std::unique_ptr<CSimBox> m_box;
  // The recorder's programme, and the composer of what it sends.
  void StartRecorder(BYTE format);
  SimRecorderSetup m_recorder;
  CSimStreamComposer m_recorderStream;
  // A paced recording: its packets, the next one to send, the bytes sent
  // and since when. Each group is numbered as it goes out, so a recording
  // cut short leaves the stream's numbering where the box stopped.
  std::vector<SimStreamPacket> m_recorderPending;
  size_t m_recorderNext = 0;
  double m_recorderSentBytes = 0;
  double m_recorderStartMs = 0;
  // Sends what the pace allows by now; the ms until more is due (-1: none).
  double SendPacedRecording(double now);
  // Puts what the CAM sent on the stream, numbered on from the recorder's
  // packets (the box's one sequence), under m_lock.
  void SendCamMessages();
  CSimPlayer m_player;  // takes what is written to the output stream
  // The player's rate unless a test sets one: a programme of 8 Mbit/s.
  static const DWORD kDefaultPlayerRate = 1000000;
  int m_present = 1;
  std::map<int, std::pair<std::string, std::string>> m_names;
  CSimInterfaceClass m_interfaces;  // the boxes' interface class
  std::set<HANDLE> m_handles;       // open device handles
  std::set<HANDLE> m_deadHandles;   // opened before an unplug
  WORD m_vendor = 0x1A2C;
  WORD m_product = 0x0B01;
  DWORD m_commandLatency = 0;
  DWORD m_bulkLatency = 0;
  std::vector<SimFault> m_faults;
  std::vector<SimLogEntry> m_log;
  std::deque<Pending> m_pending;

  // Driver state.
  DWORD m_alternateSetting = 0;
  BOOL m_isoIn = FALSE;
  BOOL m_isoOut = FALSE;
  DWORD m_pipeTimeout[8] = {};
  HANDLE m_readEvent = nullptr;
  HANDLE m_writeEvent = nullptr;
  DWORD m_threshold = 0;
  enum Counter { kCommands, kPipeBytesIn, kPipeBytesOut, kStreamBytes, kCounters };
  DWORD m_counters[kCounters] = {};
  std::deque<BYTE> m_pipeData[8];

  int m_bootLeaveMs = 200;
  int m_bootReturnMs = 300;
  int m_bootPhase = 0;  // 0 none, 1 about to leave, 2 off the bus
  double m_bootStart = 0;
  DWORD m_bootMode = 1;
  double m_clockOffset = 0;
  bool m_clockFrozen = false;
  DWORD m_streamLimit = 0;
  DWORD m_streamDropped = 0;
};
