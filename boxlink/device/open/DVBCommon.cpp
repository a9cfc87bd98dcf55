#include "DVBCommon.h"

#include "DVBDeviceList.h"
#include "DVBNetAdapter.h"
#include "DVBOwnerTable.h"
#include "DVBSlaveFilterServer.h"
#include "DevicePort.h"

HANDLE CDVBCommon::m_hDevice = INVALID_HANDLE_VALUE;
WORD CDVBCommon::m_wDevIdx = 0xFFFF;

WORD CDVBCommon::GetNumberOfDevices() {
  CDVBDeviceList list(GUID_BOXLINK_BOX);
  return WORD(list.Enumerate());
}

BOOL CDVBCommon::OpenDevice(WORD index, const char* appId, BOOL noNetwork) {
  // Every open (re)starts this process's slave filter server, after closing
  // another box: the close stops the server.
  if (m_hDevice != INVALID_HANDLE_VALUE && m_wDevIdx != index) CloseDevice();
  if (g_pSlaveFilterServer) g_pSlaveFilterServer->Start();
  if (m_hDevice != INVALID_HANDLE_VALUE) return TRUE;
  if (index >= GetNumberOfDevices()) return FALSE;
  CDVBDeviceList list(GUID_BOXLINK_BOX);
  if (index >= list.Enumerate()) return FALSE;
  m_hDevice =
      DevicePort().CreateFileA(list[index].path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (m_hDevice == INVALID_HANDLE_VALUE) return FALSE;
  CheckChangeMAC(index);
  if (!noNetwork && !CDVBNetAdapter::Open(index)) {
    CloseDevice();
    return FALSE;
  }
  m_wDevIdx = index;
  // A box that cannot be recorded (index 8 and above, a long appId) is open
  // all the same.
  if (g_pDVBOwnerTable) g_pDVBOwnerTable->Register(index, appId);
  return TRUE;
}

void CDVBCommon::CloseDevice() {
  // Every close stops the server, also without an open box.
  if (g_pSlaveFilterServer) g_pSlaveFilterServer->Stop();
  if (m_hDevice == INVALID_HANDLE_VALUE) return;
  CDVBNetAdapter::Close();
  DevicePort().CloseHandle(m_hDevice);
  if (g_pDVBOwnerTable) g_pDVBOwnerTable->Release(m_wDevIdx);
  m_hDevice = INVALID_HANDLE_VALUE;
  m_wDevIdx = 0xFFFF;
}

BOOL CDVBCommon::IsOpen() { return m_hDevice != INVALID_HANDLE_VALUE; }
HANDLE CDVBCommon::GetActDeviceHandle() { return m_hDevice; }
WORD CDVBCommon::GetActDeviceIdx() { return m_wDevIdx; }
