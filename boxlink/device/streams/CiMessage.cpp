#include "CiMessage.h"

#include "ByteOrder.h"

#include <cstring>

namespace cimessage {

namespace {

// The shortest message of each tag that is read at all; texts need their
// trailer, so a text of L - 7 bytes is never negative.
int MinimumLength(BYTE tag) {
  switch (tag) {
    case kSlotStatus: return 4;
    case kMenu:
    case kList:
    case kText:
    case kEnquiry: return kTextOffset + kTextTrailer;
    case kCaWord: return 5;
    case kCaByte:
    case kLscCommand: return 4;
    case kLscData:
    case kLscLastData: return 5;
    default: return 3;
  }
}

// Reads a descriptor body front to back, refusing to step past its end.
class CBoundedReader {
 public:
  CBoundedReader(const BYTE* data, int length) : m_data(data), m_left(length) {}
  bool Byte(BYTE& value) {
    if (m_left < 1) return false;
    value = *m_data++;
    --m_left;
    return true;
  }
  bool Text(int count, CString& text) {
    if (count > m_left) return false;
    text = CString(reinterpret_cast<const char*>(m_data), count);
    m_data += count;
    m_left -= count;
    return true;
  }
  bool Skip(int count) {
    if (count > m_left) return false;
    m_data += count;
    m_left -= count;
    return true;
  }

 private:
  const BYTE* m_data;
  int m_left;
};

// The dialling digits of a telephone descriptor: the five lengths in body
// bytes 4 and 5 (country prefix, international area code, operator code,
// national area code, core number) add up to their count.
int TelephoneDigits(BYTE prefixes, BYTE numbers) {
  return ((prefixes >> 5) & 0x03) + ((prefixes >> 2) & 0x07) + (prefixes & 0x03) + ((numbers >> 4) & 0x07) +
         (numbers & 0x0F);
}

bool DecodeBody(CBoundedReader& body, _typ_ConnectionDesc* d) {
  BYTE type, tag;
  if (!body.Byte(type)) return false;
  d->dwType = type;
  if (type != 1 && type != 3) {
    BYTE channel;
    if (!body.Byte(channel)) return false;
    d->number = CString(char(channel));
    return body.Byte(d->bRetryCount) && body.Byte(d->bTimeout);
  }
  if (!body.Byte(tag)) return false;
  if (tag != kTelephoneDescriptorTag) return true;  // nothing more is decoded
  BYTE prefixes, numbers;
  // Body bytes 2 and 3 (the telephone descriptor's length, its
  // availability and connection type) are not used.
  if (!body.Skip(2) || !body.Byte(prefixes) || !body.Byte(numbers)) return false;
  if (!body.Text(TelephoneDigits(prefixes, numbers), d->number)) return false;
  if (type == 3) {
    for (CString& s : d->further) {
      BYTE length;
      if (!body.Byte(length) || !body.Text(length, s)) return false;
    }
  }
  return body.Byte(d->bRetryCount) && body.Byte(d->bTimeout);
}

Outcome SlotStatus(BYTE* m, int length, BYTE slot, ICiMessageHandler& h) {
  BYTE status = m[3];
  if (status != kStatusReady && status != kStatusReadyToo) {
    h.OnSlotStatus(slot, status, nullptr);
    return kHandled;
  }
  if (length < kCaListOffset) return kMalformed;
  const int count = m[5];
  const int restAt = kCaListOffset + 2 * count;
  if (restAt > length) return kMalformed;
  BYTE* list = m + kCaListOffset;
  for (int i = 0; i < count; ++i) {
    WORD id = byteorder::GetBE16(list + 2 * i);
    memcpy(list + 2 * i, &id, sizeof(id));
  }
  _typ_SlotInfo info;
  info.status = status;
  info.pRest = m + restAt;
  info.pCaIds = reinterpret_cast<WORD*>(list);
  info.wCaIdCount = WORD(count);
  info.wRestLength = WORD(length - restAt);
  h.OnSlotStatus(slot, status, &info);
  return kHandled;
}

Outcome Descriptor(BYTE* m, int length, BYTE slot, bool connect, ICiMessageHandler& h) {
  _typ_ConnectionDesc descriptor;
  descriptor.dwType = 0;
  descriptor.bRetryCount = descriptor.bTimeout = 0;
  if (!DecodeConnectionDesc(m + kDescriptorOffset, length - kDescriptorOffset, &descriptor)) return kMalformed;
  h.OnLscSetDescriptor(slot, &descriptor);
  if (connect) h.OnLscConnect(slot);
  return kHandled;
}

Outcome LscCommand(BYTE* m, int length, BYTE slot, ICiMessageHandler& h) {
  switch (m[3]) {
    case kLscConnect: return Descriptor(m, length, slot, true, h);
    case kLscDisconnect: h.OnLscDisconnect(slot); return kHandled;
    case kLscSetParams:
      if (length < 6) return kMalformed;
      h.OnLscSetParams(slot, m[4], m[5]);
      return kHandled;
    case kLscEnquireStatus: h.OnLscEnquireStatus(slot); return kHandled;
    case kLscGetNextBuffer:
      if (length < 5) return kMalformed;
      h.OnLscGetNextBuffer(slot, m[4]);
      return kHandled;
  }
  return kIgnored;
}

Outcome LscData(BYTE* m, int length, BYTE slot, ICiMessageHandler& h) {
  // Byte 3 counts the phase id and the data: 0 would be a length of -1.
  const int dataLength = int(m[3]) - 1;
  if (dataLength < 0 || kTextOffset + dataLength > length) return kMalformed;
  h.OnLscTransmitBuffer(slot, m[4], m + kTextOffset, WORD(dataLength));
  return kHandled;
}

}  // namespace

Outcome ParseCiMessage(BYTE* m, int length, ICiMessageHandler& h) {
  if (!m || length < 3) return kMalformed;
  const BYTE slot = BYTE(m[1] - 1);
  const BYTE tag = m[2];
  if (length < MinimumLength(tag)) return kMalformed;
  // Read only for the text tags, whose minimum length covers them.
  auto text = [m] { return reinterpret_cast<char*>(m + kTextOffset); };
  const WORD textLength = WORD(length - kTextOffset - kTextTrailer);
  switch (tag) {
    case kSlotStatus: return SlotStatus(m, length, slot, h);
    case kMenu: h.OnDisplayMenu(slot, byteorder::GetBE16(m + 3), text(), textLength); return kHandled;
    case kList: h.OnDisplayList(slot, byteorder::GetBE16(m + 3), text(), textLength); return kHandled;
    case kText: h.OnDisplayString(slot, text(), textLength); return kHandled;
    case kEnquiry:
      h.OnDisplayString(slot, text(), textLength);
      h.OnInputRequest(slot, m[3], m[4], kAnyKey);
      return kHandled;
    case kSwitchOsdOff: h.OnSwitchOsdOff(slot); return kHandled;
    case kCaWord: h.OnCAStatus(kNoSlot, tag, byteorder::GetBE16(m + 3)); return kHandled;
    case kCaSlot: h.OnCAStatus(slot, tag, 0); return kHandled;
    case kCaByte: h.OnCAStatus(kNoSlot, tag, m[3]); return kHandled;
    case kLscCommand: return LscCommand(m, length, slot, h);
    case kLscDescriptor: return Descriptor(m, length, slot, false, h);
    case kLscData:
    case kLscLastData: return LscData(m, length, slot, h);
  }
  return kIgnored;
}

int DecodeLengthField(const BYTE* field, int available, WORD* value) {
  if (available < 1) return 0;
  if (field[0] < 0x80) {
    *value = field[0];
    return 1;
  }
  const int count = field[0] & 0x7F;
  if (count > available - 1) return 0;
  WORD length = 0;
  for (int i = 1; i <= count; ++i) length = WORD((length << 8) | field[i]);
  *value = length;
  return 1 + count;
}

bool DecodeConnectionDesc(const BYTE* object, int available, _typ_ConnectionDesc* descriptor) {
  const int kTagBytes = 3;
  if (available < kTagBytes) return false;
  WORD bodyLength = 0;  // the body is read up to the message's end, not this
  int used = DecodeLengthField(object + kTagBytes, available - kTagBytes, &bodyLength);
  if (used == 0) return false;
  CBoundedReader body(object + kTagBytes + used, available - kTagBytes - used);
  return DecodeBody(body, descriptor);
}

}  // namespace cimessage
