#include "ConfigDescriptorText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using configdescriptor::FormatConfigDescriptor;

namespace {

// A configuration with one interface and three endpoints (bulk out, bulk
// in, isochronous in), self powered.
std::vector<BYTE> Sample() {
  std::vector<BYTE> d = {
      9, 2, 0,    0, 1,    1,    0, 0x40, 0x32,  // configuration
      9, 4, 0,    0, 3,    0xFF, 0, 0,    0,     // interface 0
      7, 5, 0x01, 2, 0x40, 0x00, 0,              // bulk out
      7, 5, 0x81, 2, 0x40, 0x00, 0,              // bulk in
      7, 5, 0x82, 1, 0x00, 0x02, 1,              // iso in, 512 bytes
  };
  d[2] = BYTE(d.size());
  return d;
}

std::string Format(const std::vector<BYTE>& d, DWORD length, DWORD room, BOOL* ok) {
  std::vector<char> text(room + 1, '#');
  text[room] = 0;
  DWORD size = room;
  *ok = FormatConfigDescriptor(d.data(), length, text.data(), size);
  std::string s(text.data());
  if (*ok) {
    EXPECT_EQ(size, s.size() + 1);
  }
  return s;
}

}  // namespace

TEST(ConfigDescriptorText, PrintsEveryBlock) {
  auto d = Sample();
  BOOL ok;
  std::string s = Format(d, DWORD(d.size()), 4096, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(s.rfind("\n===================\nUSB_CONFIGURATION_DESCRIPTOR\n", 0), 0u);
  for (const char* line : {
           "bDescriptorType = 0x2 ( USB_CONFIGURATION_DESCRIPTOR_TYPE )\n",
           "wTotalLength = 0x27, decimal 39\n",
           "bmAttributes = 0x40 ( USB_CONFIG_SELF_POWERED )\n",
           "MaxPower = 0x32, decimal 50\n",
           "USB_INTERFACE_DESCRIPTOR #0\n",
           "bNumEndpoints = 0x3\n",
           "bInterface = 0x0\n",
           "USB_ENDPOINT_DESCRIPTOR for Pipe00\n",
           "bEndpointAddress= 0x1 ( OUTPUT )\n",
           "bEndpointAddress= 0x81 ( INPUT )\n",
           "USB_ENDPOINT_DESCRIPTOR for Pipe02\n",
           "bmAttributes= 0x1 ( USB_ENDPOINT_TYPE_ISOCHRONOUS )\n",
           "wMaxPacketSize= 0x200, decimal 512\n",
           "bInterval = 0x1, decimal 1\n",
       })
    EXPECT_NE(s.find(line), std::string::npos) << line;
}

TEST(ConfigDescriptorText, NeedsRoomFor512MoreBytes) {
  auto d = Sample();
  BOOL ok;
  Format(d, DWORD(d.size()), 511, &ok);
  EXPECT_FALSE(ok);
  Format(d, DWORD(d.size()), 1024, &ok);  // room runs short after a block
  EXPECT_FALSE(ok);
  std::vector<char> text(600);
  DWORD size = 600;
  EXPECT_FALSE(FormatConfigDescriptor(nullptr, 0, text.data(), size));
  EXPECT_EQ(text[0], 0);
  EXPECT_FALSE(FormatConfigDescriptor(d.data(), DWORD(d.size()), nullptr, size));
}

TEST(ConfigDescriptorText, MalformedDescriptorsStop) {
  struct Case {
    const char* name;
    int offset;
    BYTE value;
    int length;  // bytes returned, -1 = all
  } cases[] = {
      {"interface bLength 0", 9, 0, -1},
      {"endpoint bLength 0", 18, 0, -1},
      {"endpoint runs past the total", 32, 9, -1},
      {"total length beyond the bytes returned", 2, 200, -1},
      {"fewer bytes returned than the total", 2, 39, 30},
      {"interface too short for its fields", 9, 3, -1},
      {"configuration bLength below 9", 0, 4, -1},
  };
  for (const Case& c : cases) {
    auto d = Sample();
    d[size_t(c.offset)] = c.value;
    BOOL ok = TRUE;
    Format(d, c.length < 0 ? DWORD(d.size()) : DWORD(c.length), 8192, &ok);
    EXPECT_FALSE(ok) << c.name;
  }
}
