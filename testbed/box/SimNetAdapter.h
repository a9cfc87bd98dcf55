// The box's network adapter on the PC as the library sees it through the
// device port: the adapter interfaces of its device-interface class (index i
// belongs to box i), the adapter driver's handles and I/O controls (address,
// multicast list, sections and blocks to the network, version), and the
// PC's network adapters that GetAdaptersInfo lists. The adapter's class key
// ("NetworkAddress" ...) is real registry: tests write it under the driver
// key that GetDriverKey names.
#pragma once

#include <windows.h>
#include <iphlpapi.h>
#include <setupapi.h>

// A network adapter of the PC as GetAdaptersInfo lists it. The address
// texts are copied as 16 bytes, so a text of 16 characters has no
// terminator, as the system's structure allows.
struct SimHostAdapter {
  BYTE address[8] = {};
  UINT addressLength = 6;
  char ip[16] = "0.0.0.0";
  char mask[16] = "0.0.0.0";
  UINT dhcpEnabled = 0;
  // A current-address entry of its own, which the library prefers.
  BOOL hasCurrent = FALSE;
  char currentIp[16] = "0.0.0.0";
  char currentMask[16] = "0.0.0.0";
};

// What the adapter driver was sent (sections and blocks).
struct SimNetPacket {
  DWORD code = 0;
  DWORD length = 0;
  BYTE data[16] = {};  // the first bytes
  DWORD thread = 0;    // the sending thread
};

class ISimNetAdapter {
 public:
  // No adapters, no PC adapters, driver address 0, nothing sent, no faults.
  virtual void Reset() = 0;
  // Adapter interfaces present (enumerated and openable).
  virtual void SetPresent(int adapters) = 0;
  // The SPDRP_DRIVER value of adapter index: the subkey of the class key.
  virtual void GetDriverKey(int index, char* key, int size) = 0;

  // The driver's address: what "get address" answers until "set address".
  virtual void SetDriverAddress(DWORD ip, DWORD mask, WORD port) = 0;
  virtual void GetDriverAddress(DWORD* ip, DWORD* mask, WORD* port) = 0;
  virtual int SetAddressCalls() = 0;
  // The I/O control fails (fail) or answers only `replyBytes` bytes (>= 0).
  virtual void SetFault(DWORD code, BOOL fail, int replyBytes) = 0;

  virtual void ClearHostAdapters() = 0;
  virtual void AddHostAdapter(const SimHostAdapter& adapter) = 0;
  virtual int AdaptersInfoCalls() = 0;

  virtual int OpenHandles() = 0;
  virtual DWORD LastOpenFlags() = 0;
  virtual int SentCount() = 0;
  virtual BOOL GetSent(int index, SimNetPacket* packet) = 0;

  // While held, a send is recorded and then keeps its caller until the hold
  // ends: a thread of the library stopped inside the driver. Reset ends no
  // hold, since the held caller's library may be gone by then.
  virtual void HoldSends(BOOL hold) = 0;
  // Callers kept by the hold now.
  virtual int HeldSends() = 0;

 protected:
  ~ISimNetAdapter() {}
};

#define BOXSIM_NETADAPTER_EXPORT "QuillonBoxNetAdapter"
typedef ISimNetAdapter*(__cdecl* BoxNetAdapterFactory)();

// The process's simulated adapter (static linking).
ISimNetAdapter& BoxNetAdapter();
