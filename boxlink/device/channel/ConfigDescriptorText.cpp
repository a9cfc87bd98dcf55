#include "ConfigDescriptorText.h"

#include "ByteOrder.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace configdescriptor {
namespace {

const BYTE kTypeInterface = 4;
const BYTE kTypeEndpoint = 5;
const DWORD kConfigSize = 9;
const DWORD kInterfaceSize = 9;
const DWORD kEndpointSize = 7;

const char* TypeName(BYTE type) {
  static const char* const kNames[] = {
      "USB_DEVICE_DESCRIPTOR_TYPE",       "USB_CONFIGURATION_DESCRIPTOR_TYPE",   "USB_STRING_DESCRIPTOR_TYPE",
      "USB_INTERFACE_DESCRIPTOR_TYPE",    "USB_ENDPOINT_DESCRIPTOR_TYPE",        "USB_RESERVED_DESCRIPTOR_TYPE",
      "USB_CONFIG_POWER_DESCRIPTOR_TYPE", "USB_INTERFACE_POWER_DESCRIPTOR_TYPE",
  };
  if (type >= 1 && type <= 8) return kNames[type - 1];
  return "??? UNKNOWN!!";
}

const char* PowerName(BYTE attributes) {
  switch (attributes & 0xC0) {
    case 0x40: return "USB_CONFIG_SELF_POWERED";
    case 0x80: return "USB_CONFIG_BUS_POWERED";
  }
  return "??? UNKNOWN!!";
}

const char* EndpointTypeName(BYTE attributes) {
  static const char* const kNames[] = {"USB_ENDPOINT_TYPE_CONTROL", "USB_ENDPOINT_TYPE_ISOCHRONOUS",
                                       "USB_ENDPOINT_TYPE_BULK", "USB_ENDPOINT_TYPE_INTERRUPT"};
  return kNames[attributes & 3];
}

class CTextSink {
 public:
  CTextSink(char* text, DWORD size) : m_text(text), m_size(size) { m_text[0] = 0; }
  void Print(const char* format, ...) {
    size_t room = m_size - m_used;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(m_text + m_used, room, format, args);
    va_end(args);
    if (n < 0) return;
    m_used += size_t(n) < room ? size_t(n) : room - 1;
  }
  bool RoomLeft() const { return m_size - m_used >= kMinTextRoom; }
  size_t Used() const { return m_used; }

 private:
  char* m_text;
  size_t m_size;
  size_t m_used = 0;
};

void PrintConfiguration(CTextSink& out, const BYTE* d) {
  out.Print("\n===================\nUSB_CONFIGURATION_DESCRIPTOR\n");
  out.Print("bLength = 0x%x, decimal %d\n", d[0], d[0]);
  out.Print("bDescriptorType = 0x%x ( %s )\n", d[1], TypeName(d[1]));
  WORD total = byteorder::GetLE16(d + 2);
  out.Print("wTotalLength = 0x%x, decimal %d\n", total, total);
  out.Print("bNumInterfaces = 0x%x, decimal %d\n", d[4], d[4]);
  out.Print("bConfigurationValue = 0x%x, decimal %d\n", d[5], d[5]);
  out.Print("iConfiguration = 0x%x, decimal %d\n", d[6], d[6]);
  out.Print("bmAttributes = 0x%x ( %s )\n", d[7], PowerName(d[7]));
  out.Print("MaxPower = 0x%x, decimal %d\n", d[8], d[8]);
}

void PrintInterface(CTextSink& out, const BYTE* d, int number) {
  out.Print("\n-----------------------------\nUSB_INTERFACE_DESCRIPTOR #%d\n", number);
  out.Print("bLength = 0x%x\n", d[0]);
  out.Print("bDescriptorType = 0x%x ( %s )\n", d[1], TypeName(d[1]));
  out.Print("bInterfaceNumber = 0x%x\n", d[2]);
  out.Print("bAlternateSetting = 0x%x\n", d[3]);
  out.Print("bNumEndpoints = 0x%x\n", d[4]);
  out.Print("bInterfaceClass = 0x%x\n", d[5]);
  out.Print("bInterfaceSubClass = 0x%x\n", d[6]);
  out.Print("bInterfaceProtocol = 0x%x\n", d[7]);
  out.Print("bInterface = 0x%x\n", d[8]);
}

void PrintEndpoint(CTextSink& out, const BYTE* d, int pipe) {
  out.Print("------------------------------\nUSB_ENDPOINT_DESCRIPTOR for Pipe%02d\n", pipe);
  out.Print("bLength = 0x%x\n", d[0]);
  out.Print("bDescriptorType = 0x%x ( %s )\n", d[1], TypeName(d[1]));
  if (d[2] & 0x80)
    out.Print("bEndpointAddress= 0x%x ( INPUT )\n", d[2]);
  else
    out.Print("bEndpointAddress= 0x%x ( OUTPUT )\n", d[2]);
  out.Print("bmAttributes= 0x%x ( %s )\n", d[3], EndpointTypeName(d[3]));
  WORD packet = byteorder::GetLE16(d + 4);
  out.Print("wMaxPacketSize= 0x%x, decimal %d\n", packet, packet);
  out.Print("bInterval = 0x%x, decimal %d\n", d[6], d[6]);
}

}  // namespace

BOOL FormatConfigDescriptor(const BYTE* descriptor, DWORD length, char* text, DWORD& size) {
  if (!text || size < kMinTextRoom) return FALSE;
  text[0] = 0;
  if (!descriptor) return FALSE;
  if (length < kConfigSize || descriptor[0] < kConfigSize) return FALSE;
  DWORD total = byteorder::GetLE16(descriptor + 2);
  // The walk never reads past the bytes the driver returned.
  if (total > length || total < descriptor[0]) return FALSE;

  CTextSink out(text, size);
  PrintConfiguration(out, descriptor);
  if (!out.RoomLeft()) return FALSE;

  int interfaceNumber = 0;
  int pipe = 0;
  for (DWORD offset = descriptor[0]; offset < total;) {
    const BYTE* d = descriptor + offset;
    if (total - offset < 2) return FALSE;
    DWORD len = d[0];
    if (len < 2 || len > total - offset) return FALSE;
    if (d[1] == kTypeInterface) {
      if (len < kInterfaceSize) return FALSE;
      PrintInterface(out, d, interfaceNumber++);
      pipe = 0;
      if (!out.RoomLeft()) return FALSE;
    } else if (d[1] == kTypeEndpoint) {
      if (len < kEndpointSize) return FALSE;
      PrintEndpoint(out, d, pipe++);
      if (!out.RoomLeft()) return FALSE;
    }
    offset += len;
  }
  size = DWORD(out.Used() + 1);
  return TRUE;
}

}  // namespace configdescriptor
