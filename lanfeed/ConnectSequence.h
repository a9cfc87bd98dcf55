// The messages a client receives when it connects, and the channel-switch
// notice.
#pragma once

#include "ChannelLists.h"
#include "HostLink.h"
#include "StreamWriter.h"

// Limit for each message of the connect sequence. It runs on the host's UI
// thread, so a client that never reads must not hold it for longer.
constexpr int kConnectMessageLimitMs = 5000;
constexpr int kSwitchNoticeLimitMs = 1000;

// Sends every channel record (type 1), every second-list record (type 16)
// and the host's current channel (type 2). The first message that cannot be
// sent whole within its limit ends the sequence and the connection, so that
// no client is left with half a list. Returns whether all went out.
bool SendConnectSequence(CStreamWriter& out, const CChannelLists& lists, CHostLink& host);

// The type-3 notice after a channel switch, when a client is connected.
void SendChannelSwitched(CStreamWriter& out, int index);
