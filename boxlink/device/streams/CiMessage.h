// The box's common-interface messages (the payload of a stream packet of
// type 0x43): byte 0 unused, byte 1 the CAM slot + 1, byte 2 the tag, the
// tag's parameters from byte 3. Texts start at byte 5 and are L - 7 bytes
// long (L the message length).
//
// ParseCiMessage decodes one message and calls the handler the tag names.
// Every field is checked against L first: a message too short for its tag,
// a CA system list, connection descriptor or data block that runs past its
// end, or a data length of -1 is malformed, and is dropped without any
// handler call. Portable; the fuzz target feeds it arbitrary bytes.
#pragma once

#include "CiTypes.h"

namespace cimessage {

enum Tag : BYTE {
  kSlotStatus = 0x01,
  kMenu = 0x02,
  kList = 0x03,
  kText = 0x04,
  kEnquiry = 0x05,
  kSwitchOsdOff = 0x09,
  kCaWord = 0x0C,  // CA status with a 16-bit value, about no particular slot
  kCaSlot = 0x0D,  // CA status of one slot, no value
  kCaByte = 0x0E,  // CA status with an 8-bit value, about no particular slot
  kLscCommand = 0x30,
  kLscDescriptor = 0x31,
  kLscData = 0x32,
  kLscLastData = 0x33,
};

// Commands of a kLscCommand message (its byte 3).
enum LscCommandId : BYTE {
  kLscConnect = 1,
  kLscDisconnect = 2,
  kLscSetParams = 3,
  kLscEnquireStatus = 4,
  kLscGetNextBuffer = 5,
};

const int kTextOffset = 5;
const int kTextTrailer = 2;       // bytes after a text
const int kCaListOffset = 6;      // slot status: the CA system ids
const int kDescriptorOffset = 4;  // the connection descriptor object
const BYTE kTelephoneDescriptorTag = 0x57;
// Slot argument of messages about no particular slot.
const BYTE kNoSlot = 0xFF;
// Keys argument of an input request: any key.
const DWORD kAnyKey = 0x3FFFF;
// Slot-status values that come with a CA system list.
const BYTE kStatusReady = 2;
const BYTE kStatusReadyToo = 3;

// The calls a message leads to; the arguments are those of the handlers of
// the same name of CDVBComnIF.
class ICiMessageHandler {
 public:
  virtual void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info) = 0;
  virtual void OnCAStatus(BYTE slot, BYTE tag, WORD value) = 0;
  virtual void OnDisplayString(BYTE slot, char* text, WORD length) = 0;
  virtual void OnDisplayMenu(BYTE slot, WORD value, char* text, WORD length) = 0;
  virtual void OnDisplayList(BYTE slot, WORD value, char* text, WORD length) = 0;
  virtual void OnSwitchOsdOff(BYTE slot) = 0;
  virtual void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD keys) = 0;
  virtual void OnLscSetDescriptor(BYTE slot, _typ_ConnectionDesc* descriptor) = 0;
  virtual void OnLscConnect(BYTE slot) = 0;
  virtual void OnLscDisconnect(BYTE slot) = 0;
  virtual void OnLscSetParams(BYTE slot, BYTE bufferSize, BYTE timeout) = 0;
  virtual void OnLscEnquireStatus(BYTE slot) = 0;
  virtual void OnLscGetNextBuffer(BYTE slot, BYTE phaseId) = 0;
  virtual void OnLscTransmitBuffer(BYTE slot, BYTE phaseId, BYTE* data, WORD length) = 0;

 protected:
  ~ICiMessageHandler() {}
};

enum Outcome {
  kHandled,    // the handlers were called
  kIgnored,    // a tag or command that calls nothing
  kMalformed,  // dropped: a field lies outside the message
};

// Decodes the message and calls the handlers. The CA system ids of a slot
// status are turned into host byte order in place.
Outcome ParseCiMessage(BYTE* message, int length, ICiMessageHandler& handler);

// A length field of the CAM protocol: a first byte below 0x80 is the
// length; otherwise its low 7 bits count the bytes that follow, which form
// the length big-endian (kept in 16 bits). Returns the bytes used, or 0
// when the field does not fit in `available` bytes.
int DecodeLengthField(const BYTE* field, int available, WORD* value);

// A connection descriptor object at `object` (3 tag bytes, a length field,
// then the body), with the retry count and time-out that follow it. False
// when any field it reads lies past `available` bytes.
bool DecodeConnectionDesc(const BYTE* object, int available, _typ_ConnectionDesc* descriptor);

}  // namespace cimessage
