#include "SimCamMessages.h"

#include <algorithm>

using namespace cimessage;

namespace simcam {

namespace {

// Parameters of a text message: two bytes, the text, its two trailing bytes.
Message TextMessage(BYTE slot, BYTE tag, BYTE first, BYTE second, const std::string& text) {
  std::vector<BYTE> p = {first, second};
  p.insert(p.end(), text.begin(), text.end());
  p.insert(p.end(), kTextTrailer, 0);
  return Make(slot, tag, p);
}

std::string Strings(const std::vector<std::string>& strings) {
  std::string joined;
  for (const std::string& s : strings) {
    joined += s;
    joined += '\0';
  }
  return joined;
}

void PutBE16(std::vector<BYTE>& out, WORD v) {
  out.push_back(BYTE(v >> 8));
  out.push_back(BYTE(v));
}

// The object's tag bytes of a connection descriptor, then its body with a
// one-byte length.
std::vector<BYTE> DescriptorObject(const std::vector<BYTE>& body) {
  std::vector<BYTE> d = {0x9F, 0x8C, 0x01, BYTE(body.size())};
  d.insert(d.end(), body.begin(), body.end());
  return d;
}

}  // namespace

Message Make(BYTE slot, BYTE tag, const std::vector<BYTE>& params) {
  Message m = {0, BYTE(slot + 1), tag};
  m.insert(m.end(), params.begin(), params.end());
  return m;
}

Message SlotStatus(BYTE slot, BYTE status, const std::vector<WORD>& caIds, const std::vector<BYTE>& application) {
  std::vector<BYTE> p = {status};
  if (status == kStatusReady || status == kStatusReadyToo) {
    p.push_back(0);
    p.push_back(BYTE(caIds.size()));
    for (WORD id : caIds) PutBE16(p, id);
    p.insert(p.end(), application.begin(), application.end());
  }
  return Make(slot, kSlotStatus, p);
}

std::vector<BYTE> ApplicationInfo(BYTE type, WORD manufacturer, WORD code, const std::string& name) {
  std::vector<BYTE> info = {type};
  PutBE16(info, manufacturer);
  PutBE16(info, code);
  info.push_back(BYTE(name.size()));
  info.insert(info.end(), name.begin(), name.end());
  return info;
}

Message Menu(BYTE slot, WORD value, const std::vector<std::string>& strings) {
  return TextMessage(slot, kMenu, BYTE(value >> 8), BYTE(value), Strings(strings));
}

Message List(BYTE slot, WORD value, const std::vector<std::string>& strings) {
  return TextMessage(slot, kList, BYTE(value >> 8), BYTE(value), Strings(strings));
}

Message Text(BYTE slot, const std::string& text) { return TextMessage(slot, kText, 0, 0, text); }

Message Enquiry(BYTE slot, bool blind, BYTE answerLength, const std::string& prompt) {
  return TextMessage(slot, kEnquiry, blind ? 1 : 0, answerLength, prompt);
}

Message Close(BYTE slot) { return Make(slot, kSwitchOsdOff, {}); }

Message CaStatus(BYTE slot, BYTE tag, WORD value) {
  if (tag == kCaWord) return Make(slot, tag, {BYTE(value >> 8), BYTE(value)});
  if (tag == kCaByte) return Make(slot, tag, {BYTE(value)});
  return Make(slot, tag, {});
}

Message LscCommand(BYTE slot, BYTE command, const std::vector<BYTE>& params) {
  std::vector<BYTE> p = {command};
  p.insert(p.end(), params.begin(), params.end());
  return Make(slot, kLscCommand, p);
}

Message LscDescriptor(BYTE slot, const std::vector<BYTE>& descriptor) {
  std::vector<BYTE> p = {0};  // byte 3 is not read; the object starts at byte 4
  p.insert(p.end(), descriptor.begin(), descriptor.end());
  return Make(slot, kLscDescriptor, p);
}

Message LscData(BYTE slot, BYTE tag, BYTE phaseId, const std::vector<BYTE>& data) {
  std::vector<BYTE> p = {BYTE(data.size() + 1), phaseId};
  p.insert(p.end(), data.begin(), data.end());
  return Make(slot, tag, p);
}

std::vector<BYTE> TelephoneDescriptor(BYTE type, const std::string& digits, BYTE retry, BYTE timeout,
                                      const std::vector<std::string>& further) {
  // All digits counted as the core number, up to 15; the rest as the
  // national area code (up to 7 more).
  const size_t core = std::min<size_t>(digits.size(), 15);
  const size_t area = std::min<size_t>(digits.size() - core, 7);
  std::vector<BYTE> telephone = {0x00, 0x00, BYTE((area << 4) | core)};
  telephone.insert(telephone.end(), digits.begin(), digits.begin() + long(core + area));
  std::vector<BYTE> body = {type, kTelephoneDescriptorTag, BYTE(telephone.size())};
  body.insert(body.end(), telephone.begin(), telephone.end());
  std::vector<BYTE> d = DescriptorObject(body);
  if (type == 3) {
    for (const std::string& s : further) {
      d.push_back(BYTE(s.size()));
      d.insert(d.end(), s.begin(), s.end());
    }
  }
  d.push_back(retry);
  d.push_back(timeout);
  return d;
}

std::vector<BYTE> ChannelDescriptor(BYTE type, BYTE channelId, BYTE retry, BYTE timeout) {
  std::vector<BYTE> d = DescriptorObject({type, channelId});
  d.push_back(retry);
  d.push_back(timeout);
  return d;
}

}  // namespace simcam
