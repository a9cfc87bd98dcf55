// The simulated USB infrared receiver's side of the device port: the
// receivers of its device-interface class, their handles, the driver's two
// I/O controls (receive mode, data event) and reads answered from a script.
// The simulated box driver hands it the calls that are its own.
#pragma once

#include "SimInterfaceClass.h"
#include "SimIrReceiver.h"
#include "framework/SyncObject.h"

#include <deque>
#include <set>
#include <string>
#include <vector>

class CSimIrReceiverDriver final : public ISimIrReceiver {
 public:
  CSimIrReceiverDriver();
  ~CSimIrReceiverDriver();
  CSimIrReceiverDriver(const CSimIrReceiverDriver&) = delete;
  CSimIrReceiverDriver& operator=(const CSimIrReceiverDriver&) = delete;

  // Device port calls that belong to the receiver.
  static bool IsReceiverClass(const GUID* guid);
  HDEVINFO GetClassDevs();
  bool OwnsSet(HDEVINFO set);
  BOOL EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, PSP_DEVICE_INTERFACE_DATA data);
  BOOL GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                          DWORD size, PDWORD required, PSP_DEVINFO_DATA device);
  BOOL GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type, PBYTE buffer, DWORD size,
                           PDWORD required);
  BOOL DestroyList(HDEVINFO set);
  static bool ClaimsPath(LPCSTR path);
  HANDLE Open(LPCSTR path, DWORD flags);
  bool OwnsHandle(HANDLE handle);
  BOOL Close(HANDLE handle);
  BOOL IoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD returned,
                 LPOVERLAPPED overlapped);
  BOOL Read(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped);
  BOOL OverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait);
  BOOL Cancel(HANDLE handle);

  // ISimIrReceiver
  void Reset() override;
  void SetPresent(int receivers) override;
  void QueueReads(const BYTE* bytes, const DWORD* lengths, int reads) override;
  int ScriptLeft() override;
  void HoldReads(BOOL hold) override;
  int HeldReads() override;
  int ClosedDuringRead() override;
  DWORD Mode() override;
  BOOL HasEvent() override;
  int OpenHandles() override;
  DWORD LastOpenFlags() override;

 private:
  struct Held {
    HANDLE handle;
    OVERLAPPED* overlapped;
    BYTE* buffer;
    DWORD size;
  };
  static std::string DevicePath(int index);
  // The next read of the script, cut to size; empty when it is used up.
  std::vector<BYTE> TakeRead(DWORD size);
  // Completes a held read (under the lock) with the status and bytes.
  static void Complete(const Held& held, LONG status, const std::vector<BYTE>& data);
  // Completes the held reads of the handle (every handle when null) with
  // the status, or from the script when it is success.
  void CompleteHeld(HANDLE handle, LONG status);

  mutable CCriticalSection m_lock;
  int m_present = 0;
  CSimInterfaceClass m_interfaces;
  std::set<HANDLE> m_handles;
  DWORD m_lastOpenFlags = 0;
  DWORD m_mode = 0;
  HANDLE m_event = nullptr;
  std::deque<std::vector<BYTE>> m_script;
  bool m_hold = false;
  std::vector<Held> m_held;
  int m_closedDuringRead = 0;
};

CSimIrReceiverDriver& IrReceiverDriver();
