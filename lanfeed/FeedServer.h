// What the server dialog drives: the TCP channel, the PES queue and its
// sender thread, and the copies of the host's lists. The dialog keeps the
// controls, the log banner and the settings; this class keeps the order of
// the steps of Start, Stop, the channel's events and a channel switch.
// Everything except EnqueuePacket runs on the dialog's (the host's UI) thread.
#pragma once

#include <string>

#include "ChannelLists.h"
#include "FeedSender.h"
#include "HostLink.h"
#include "PesQueue.h"
#include "ServerChannel.h"
#include "StreamWriter.h"

class CFeedServer : private CStreamWriter {
 public:
  explicit CFeedServer(CHostLink& host);
  CFeedServer(const CFeedServer&) = delete;
  CFeedServer& operator=(const CFeedServer&) = delete;
  ~CFeedServer() override;

  // The dialog's initialisation: the window that receives the channel's
  // events and the log edit control.
  void Attach(HWND owner, HWND log);

  // Opens the listening socket on port and starts the reader; false when the
  // socket cannot be created (port 0 or beyond 65535, port in use) or the
  // channel is not idle.
  bool Arm(unsigned port);
  // Arms the channel, fetches the host's lists, tells the host, restarts the
  // counts and starts the sender thread. False (and nothing else done) when
  // arming fails.
  bool Start(unsigned port, int expertFlag);
  // Closes the client's connection, ends the sender thread and the channel,
  // tells the host and restarts the counts. Queued packets stay queued.
  void Stop(int expertFlag);
  bool IsRunning() const { return m_running; }

  // While running: re-opens listening when an accept failure left the
  // channel idle; nothing otherwise.
  void Rearm();
  // The port that listening re-opens on after a client left or at Rearm (the
  // dialog passes its Port entry, as a new Start would take it).
  void SetPort(unsigned port) { m_port = port; }

  // A message of the channel (CServerChannel::kEventMessage): sends the
  // connect sequence to a new client, or, while running, re-opens listening
  // after a client left. The message may arrive after Stop: then the channel
  // stays idle, so that the next Start finds it free.
  void OnChannelEvent(int kind);
  // The host is asked to switch to index: the queue is emptied and a
  // connected client told. Ignored while the server is stopped.
  void SwitchChannel(int index);

  // From the host's stream thread (through the plug-in's packet intake):
  // copies the packet into the queue; false when the queue drops it.
  bool EnqueuePacket(int length, const BYTE* data) { return m_queue.Push(length, data); }

  void SetSendLimit(int timeoutMs) { m_sender.SetSendLimit(timeoutMs); }
  int Received() const { return m_queue.Received(); }
  int Dropped() const { return m_queue.Dropped(); }
  int Sent() const { return m_sender.Sent(); }
  int QueueSize() const { return m_queue.Size(); }
  CServerChannel& Channel() { return m_channel; }
  const CChannelLists& Lists() const { return m_lists; }
  int LastSwitchIndex() const { return m_switchIndex; }

 private:
  // The client connection as the sender and the connect sequence see it.
  int Write(const BYTE* data, unsigned length, int timeoutMs) override;
  bool IsConnected() const override;
  void Disconnect() override;
  void ResetCounts();

  CHostLink& m_host;
  CServerChannel m_channel;
  CPesQueue m_queue;
  CFeedSender m_sender;
  CChannelLists m_lists;
  unsigned m_port = 0;
  bool m_running = false;
  int m_switchIndex = 0;
};
