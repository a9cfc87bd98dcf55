// The simulated adapter's side of the device port; the simulated box driver
// hands it the calls on the adapter's interface class, paths and handles.
#pragma once

#include "SimInterfaceClass.h"
#include "SimNetAdapter.h"
#include "framework/SyncObject.h"

#include <set>
#include <string>
#include <vector>

class CSimNetAdapterDriver final : public ISimNetAdapter {
 public:
  CSimNetAdapterDriver();
  ~CSimNetAdapterDriver();
  CSimNetAdapterDriver(const CSimNetAdapterDriver&) = delete;
  CSimNetAdapterDriver& operator=(const CSimNetAdapterDriver&) = delete;

  // Device port calls that belong to the adapter.
  static bool IsAdapterClass(const GUID* guid);
  HDEVINFO GetClassDevs();
  bool OwnsSet(HDEVINFO set);
  BOOL EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, PSP_DEVICE_INTERFACE_DATA data);
  BOOL GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                          DWORD size, PDWORD required, PSP_DEVINFO_DATA device);
  BOOL GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type, PBYTE buffer, DWORD size,
                           PDWORD required);
  BOOL DestroyList(HDEVINFO set);
  // True when the path names an adapter (then the call is the adapter's).
  bool ClaimsPath(LPCSTR path);
  HANDLE Open(LPCSTR path, DWORD flags);
  bool OwnsHandle(HANDLE handle);
  BOOL Close(HANDLE handle);
  BOOL IoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD returned,
                 LPOVERLAPPED overlapped);
  BOOL OverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred);
  DWORD GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size);
  // The box's driver package leaves with the box.
  void Unplug();

  // ISimNetAdapter
  void Reset() override;
  void SetPresent(int adapters) override;
  void GetDriverKey(int index, char* key, int size) override;
  void SetDriverAddress(DWORD ip, DWORD mask, WORD port) override;
  void GetDriverAddress(DWORD* ip, DWORD* mask, WORD* port) override;
  int SetAddressCalls() override;
  void SetFault(DWORD code, BOOL fail, int replyBytes) override;
  void ClearHostAdapters() override;
  void AddHostAdapter(const SimHostAdapter& adapter) override;
  int AdaptersInfoCalls() override;
  int OpenHandles() override;
  DWORD LastOpenFlags() override;
  int SentCount() override;
  BOOL GetSent(int index, SimNetPacket* packet) override;
  void HoldSends(BOOL hold) override;
  int HeldSends() override;

 private:
  struct Fault {
    DWORD code;
    BOOL fail;
    int replyBytes;
  };
  std::string DevicePath(int index) const;
  // A device's registry property text; empty when it has none.
  std::string DeviceProperty(int index, DWORD property) const;

  mutable CCriticalSection m_lock;
  int m_present = 0;
  CSimInterfaceClass m_interfaces;  // the adapters' interface class
  std::set<HANDLE> m_handles;
  std::set<HANDLE> m_deadHandles;
  DWORD m_lastOpenFlags = 0;
  DWORD m_ip = 0, m_mask = 0;
  WORD m_port = 0;
  int m_setAddressCalls = 0;
  std::vector<Fault> m_faults;
  std::vector<SimHostAdapter> m_hostAdapters;
  int m_adaptersInfoCalls = 0;
  std::vector<SimNetPacket> m_sent;
  CEvent m_sendsReleased;  // manual reset; reset while sends are held
  int m_heldSends = 0;
};

CSimNetAdapterDriver& NetAdapterDriver();
