// The packet consumer of an exported consumer class (filter, teletext,
// remote control): the ring and worker of CPacketConsumer, handing each
// packet to the owner's handler, and interrupt messages to the owner's
// filter before they are queued. The owner deletes it first in its
// destructor, which removes the slot and stops the worker while the owner
// is still whole.
#pragma once

#include "PacketConsumer.h"

class CConsumerLink : public CPacketConsumer {
 public:
  typedef void (*Handler)(void* owner, const PacketDesc& packet);
  typedef bool (*MessageFilter)(void* owner, const BYTE* data, DWORD length);

  CConsumerLink(DWORD ringSize, void* owner, Handler handler, MessageFilter filter = nullptr)
      : CPacketConsumer(ringSize), m_owner(owner), m_handler(handler), m_filter(filter) {}
  ~CConsumerLink() override { Shutdown(); }
  // Removes the slot (waiting for a dispatch already running) and stops
  // the worker; idempotent.
  using CPacketConsumer::Shutdown;

 protected:
  void OnPacket(const PacketDesc& packet) override { m_handler(m_owner, packet); }
  bool AcceptsMessage(const BYTE* data, DWORD length) override { return !m_filter || m_filter(m_owner, data, length); }

 private:
  void* m_owner;
  Handler m_handler;
  MessageFilter m_filter;
};
