#include "PacketIntake.h"

#include "framework/SingleLock.h"

void CPacketIntake::Open(CFeedServer* server) {
  CSingleLock hold(&m_lock, TRUE);
  m_server = server;
}

void CPacketIntake::Close() {
  CSingleLock hold(&m_lock, TRUE);
  m_server = nullptr;
}

bool CPacketIntake::Deliver(int length, const BYTE* data) {
  CSingleLock hold(&m_lock, TRUE);
  return m_server && m_server->EnqueuePacket(length, data);
}
