// The common-interface messages the box sends for its CAM slots, built as
// its firmware lays them out: byte 0 (unused, 0), the CAM slot + 1, the
// tag, the tag's parameters; a text starts at byte 5 and is followed by two
// bytes (0), so that it is L - 7 bytes long. Portable.
#pragma once

#include "CiMessage.h"

#include <WinTypes.h>

#include <string>
#include <vector>

namespace simcam {

typedef std::vector<BYTE> Message;

// A message of the tag with its parameters from byte 3.
Message Make(BYTE slot, BYTE tag, const std::vector<BYTE>& params);

// Status 2 or 3 carries the CA system ids and the application's bytes
// after them; other statuses carry neither.
Message SlotStatus(BYTE slot, BYTE status, const std::vector<WORD>& caIds = {},
                   const std::vector<BYTE>& application = {});
// The application information a ready CAM reports after its CA systems:
// type, manufacturer and code (big-endian), then the length and text of
// its menu name.
std::vector<BYTE> ApplicationInfo(BYTE type, WORD manufacturer, WORD code, const std::string& name);

// Menus and lists: the title, subtitle and bottom line, then the entries,
// each zero-terminated; value is passed on as it stands.
Message Menu(BYTE slot, WORD value, const std::vector<std::string>& strings);
Message List(BYTE slot, WORD value, const std::vector<std::string>& strings);
Message Text(BYTE slot, const std::string& text);
// An enquiry: its prompt, whether the answer is hidden, and how long the
// expected answer is.
Message Enquiry(BYTE slot, bool blind, BYTE answerLength, const std::string& prompt);
// The CAM closes its display.
Message Close(BYTE slot);
// CA status: tag 0x0C with a 16-bit value, 0x0D for a slot, 0x0E with an
// 8-bit value.
Message CaStatus(BYTE slot, BYTE tag, WORD value);

// Low-speed communication: a command (0x30) with its parameter bytes, a
// connection descriptor alone (0x31), data for the PC to send (0x32, 0x33).
Message LscCommand(BYTE slot, BYTE command, const std::vector<BYTE>& params = {});
Message LscDescriptor(BYTE slot, const std::vector<BYTE>& descriptor);
Message LscData(BYTE slot, BYTE tag, BYTE phaseId, const std::vector<BYTE>& data);
// A connection descriptor object (3 tag bytes, a one-byte length field)
// followed by the retry count and time-out: a telephone descriptor of type
// 1 or 3 (with the six further strings of type 3), or the one channel-id
// byte of another type.
std::vector<BYTE> TelephoneDescriptor(BYTE type, const std::string& digits, BYTE retry, BYTE timeout,
                                      const std::vector<std::string>& further = {});
std::vector<BYTE> ChannelDescriptor(BYTE type, BYTE channelId, BYTE retry, BYTE timeout);

}  // namespace simcam
