// Board control's side of the box's network adapter and of the slave
// filters this process holds for others, and the driver's status words.
#include "DVBBoardControl.h"

#include "DVBIoI2c.h"
#include "DVBNetAdapter.h"
#include "DVBSlaveFilterServer.h"
#include "NetAdapterIoctl.h"

static_assert(sizeof(_MULTICAST_LIST) == netadapterioctl::kMulticastListSize, "the adapter driver's list size");

DVB_ERROR CDVBBoardControl::GetMulticastList(_MULTICAST_LIST& list) {
  return CDVBNetAdapter::GetMulticastList(&list);
}

DVB_ERROR CDVBBoardControl::Get_IP_SM_BP(DWORD& address, DWORD& subnetMask, WORD& basePort) {
  return CDVBNetAdapter::GetAddress(address, subnetMask, basePort);
}

BOOL CDVBBoardControl::GetDriverStatus(DWORD& s0, DWORD& s1, DWORD& s2, DWORD& s3, DWORD& s4, DWORD& s5, DWORD& s6,
                                       DWORD& s7, DWORD& s8, DWORD& s9, DWORD& s10, DWORD& s11, DWORD& s12, DWORD& s13,
                                       DWORD& s14, DWORD& s15, DWORD& s16) {
  return CDVBIoI2c::GetDriverStatus(s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11, s12, s13, s14, s15, s16);
}

void CDVBBoardControl::ResetAllSlaveFilters() {
  if (g_pSlaveFilterServer) g_pSlaveFilterServer->ResetAllSlaveFilters();
}
