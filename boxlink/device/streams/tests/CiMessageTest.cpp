// The box's common-interface messages: each tag calls its handlers with the
// fields of the message, messages whose fields lie outside their length are
// dropped without a call, and the length fields and connection descriptors
// of the CAM protocol decode within their bounds.
#include "CiHandlerLog.h"
#include "SimCamMessages.h"

#include <gtest/gtest.h>

using namespace cimessage;
typedef std::vector<BYTE> Bytes;
typedef std::vector<std::string> Lines;

namespace {

struct Parsed {
  Outcome outcome;
  Lines lines;
};

// Parses a copy of exactly the message's size, so a read past it is seen
// by the address sanitizer.
Parsed Parse(const Bytes& message) {
  Bytes held(message);
  CCiHandlerLog log;
  Outcome outcome = ParseCiMessage(held.data(), int(held.size()), log);
  return {outcome, log.lines};
}

}  // namespace

TEST(CiMessage, EachTagCallsItsHandlers) {
  using namespace simcam;
  const Bytes application = ApplicationInfo(1, 0x0102, 0x0304, "Cam");
  struct Case {
    const char* name;
    Bytes message;
    Lines lines;
  } cases[] = {
      {"slot status, no CAM", SlotStatus(0, 0), {"status 0 0"}},
      {"slot status, ready",
       SlotStatus(1, 2, {0x0100, 0x0B00}, application),
       {"status 1 2 ids 0100 0B00 rest 01010203040343616D"}},
      {"slot status 3, no CA system", SlotStatus(0, 3), {"status 0 3 ids rest "}},
      {"menu", Menu(0, 0x0203, {"Title", "Sub", "Bottom", "One", "Two"}), {"menu 0 515 Title|Sub|Bottom|One|Two|"}},
      {"list", List(1, 7, {"T", "", "B", "Entry"}), {"list 1 7 T||B|Entry|"}},
      {"text", Text(0, "Inserted"), {"string 0 Inserted"}},
      {"empty text", Text(0, ""), {"string 0 "}},
      {"enquiry", Enquiry(0, true, 4, "PIN?"), {"string 0 PIN?", "input 0 1 4 3FFFF"}},
      {"close", Close(1), {"close 1"}},
      {"CA word", CaStatus(0, kCaWord, 0x1234), {"ca 255 0C 4660"}},
      {"CA slot", CaStatus(1, kCaSlot, 0), {"ca 1 0D 0"}},
      {"CA byte", CaStatus(1, kCaByte, 0x81), {"ca 255 0E 129"}},
      {"slot byte 0", Make(0xFF, kSwitchOsdOff, {}), {"close 255"}},
      {"connect by telephone",
       LscCommand(0, kLscConnect, TelephoneDescriptor(1, "0123456789", 3, 20)),
       {"descriptor 0 1 [0123456789] 3 20", "connect 0"}},
      {"connect by cable",
       LscCommand(0, kLscConnect, ChannelDescriptor(2, 'K', 1, 9)),
       {"descriptor 0 2 [K] 1 9", "connect 0"}},
      {"descriptor alone, telephone with further strings",
       LscDescriptor(1, TelephoneDescriptor(3, "5550199", 2, 30, {"a", "", "bc", "d", "e", "f"})),
       {"descriptor 1 3 [5550199] a  bc d e f 2 30"}},
      {"descriptor without telephone descriptor tag",
       LscDescriptor(0, {0x9F, 0x8C, 0x01, 2, 1, 0x58}),
       {"descriptor 0 1 [] 0 0"}},
      {"disconnect", LscCommand(0, kLscDisconnect), {"disconnect 0"}},
      {"parameters", LscCommand(0, kLscSetParams, {64, 10}), {"params 0 64 10"}},
      {"enquire", LscCommand(1, kLscEnquireStatus), {"enquire 1"}},
      {"next buffer", LscCommand(0, kLscGetNextBuffer, {6}), {"next 0 6"}},
      {"data", LscData(0, kLscData, 5, {1, 2, 3}), {"transmit 0 5 010203"}},
      {"last data, empty", LscData(1, kLscLastData, 6, {}), {"transmit 1 6 "}},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.message);
    EXPECT_EQ(p.outcome, kHandled) << c.name;
    EXPECT_EQ(p.lines, c.lines) << c.name;
  }
}

TEST(CiMessage, TagsAndCommandsWithoutHandlersCallNothing) {
  for (const Bytes& m : {simcam::Make(0, 0x06, {1, 2, 3, 4}), simcam::Make(0, 0xFF, {}), simcam::LscCommand(0, 6),
                         simcam::LscCommand(0, 0)}) {
    Parsed p = Parse(m);
    EXPECT_EQ(p.outcome, kIgnored);
    EXPECT_TRUE(p.lines.empty());
  }
}

TEST(CiMessage, MalformedMessagesAreDroppedWithoutACall) {
  using namespace simcam;
  const Bytes descriptor = TelephoneDescriptor(3, "0123", 1, 2, {"ab", "c", "", "", "", ""});
  struct Case {
    const char* name;
    Bytes message;
  } cases[] = {
      {"empty", {}},
      {"no tag", {0, 1}},
      {"slot status without status", {0, 1, kSlotStatus}},
      {"ready without CA count", {0, 1, kSlotStatus, 2, 0}},
      {"CA ids past the end", {0, 1, kSlotStatus, 2, 0, 3, 0x01, 0x00, 0x05, 0x00, 0x06}},
      {"menu shorter than its trailer", {0, 1, kMenu, 0, 1, 'a'}},
      {"text of length -1", {0, 1, kText, 0, 0, 0}},
      {"enquiry without trailer", {0, 1, kEnquiry, 1, 4}},
      {"CA word cut", {0, 1, kCaWord, 0x12}},
      {"CA byte without value", {0, 1, kCaByte}},
      {"LSC without command", {0, 1, kLscCommand}},
      {"parameters cut", {0, 1, kLscCommand, kLscSetParams, 64}},
      {"next buffer without phase", {0, 1, kLscCommand, kLscGetNextBuffer}},
      {"data length -1", {0, 1, kLscData, 0, 5}},
      {"data past the end", {0, 1, kLscData, 5, 5, 1, 2, 3}},
      {"data without phase", {0, 1, kLscLastData, 1}},
      {"connect without descriptor", LscCommand(0, kLscConnect)},
      {"descriptor with length field past the end", LscDescriptor(0, {0x9F, 0x8C, 0x01, 0x82, 0x00})},
      {"descriptor cut before its retry count", LscDescriptor(0, Bytes(descriptor.begin(), descriptor.end() - 2))},
      {"telephone digits past the end", LscDescriptor(0, {0x9F, 0x8C, 0x01, 6, 1, 0x57, 4, 0, 0, 0x0F, '1', '2'})},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.message);
    EXPECT_EQ(p.outcome, kMalformed) << c.name;
    EXPECT_TRUE(p.lines.empty()) << c.name;
  }
}

TEST(CiMessage, EveryCutOfAGoodMessageIsDroppedOrStillWithinIt) {
  // Cut short anywhere, a message either still holds its fields or is
  // dropped: nothing past the cut is read (the sanitizer checks that).
  using namespace simcam;
  const Bytes messages[] = {
      SlotStatus(0, 2, {0x0100, 0x0500, 0x1800}, ApplicationInfo(1, 2, 3, "Name")),
      Menu(0, 3, {"T", "S", "B", "E1", "E2"}),
      Enquiry(1, false, 8, "Code"),
      LscCommand(0, kLscConnect, TelephoneDescriptor(3, "0123456789", 3, 20, {"a", "b", "c", "d", "e", "f"})),
      LscData(0, kLscData, 1, Bytes(40, 0x55)),
  };
  for (const Bytes& m : messages) {
    for (size_t cut = 0; cut < m.size(); ++cut) {
      Parsed p = Parse(Bytes(m.begin(), m.begin() + long(cut)));
      if (p.outcome == kMalformed) EXPECT_TRUE(p.lines.empty()) << cut;
    }
    EXPECT_EQ(Parse(m).outcome, kHandled);
  }
  // The cut that removes the last CA id but keeps the count is dropped.
  const Bytes status = SlotStatus(0, 2, {0x0100, 0x0500});
  EXPECT_EQ(Parse(Bytes(status.begin(), status.end() - 1)).outcome, kMalformed);
}

TEST(CiMessage, SlotStatusHandsCaIdsInHostOrderInPlace) {
  Bytes m = simcam::SlotStatus(0, 2, {0x0100, 0x1702}, {0xAA});
  struct CIds : CCiHandlerLog {
    void OnSlotStatus(BYTE, BYTE, _typ_SlotInfo* info) override {
      ids.assign(info->pCaIds, info->pCaIds + info->wCaIdCount);
      rest = info->pRest;
    }
    std::vector<WORD> ids;
    BYTE* rest = nullptr;
  } handler;
  ASSERT_EQ(ParseCiMessage(m.data(), int(m.size()), handler), kHandled);
  EXPECT_EQ(handler.ids, (std::vector<WORD>{0x0100, 0x1702}));
  EXPECT_EQ(handler.rest, m.data() + 10);
  WORD inPlace;
  memcpy(&inPlace, m.data() + 8, 2);
  EXPECT_EQ(inPlace, 0x1702);

  // No CA system: a count of 0 and a pointer all the same.
  Bytes none = simcam::SlotStatus(0, 2);
  struct CCount : CCiHandlerLog {
    void OnSlotStatus(BYTE, BYTE, _typ_SlotInfo* info) override { got = *info; }
    _typ_SlotInfo got{};
  } count;
  ASSERT_EQ(ParseCiMessage(none.data(), int(none.size()), count), kHandled);
  EXPECT_EQ(count.got.wCaIdCount, 0);
  EXPECT_NE(count.got.pCaIds, nullptr);
  EXPECT_EQ(count.got.wRestLength, 0);
}

TEST(CiMessage, LengthFields) {
  struct Case {
    Bytes field;
    int available;
    int used;
    WORD value;
  } cases[] = {
      {{0x00}, 1, 1, 0},
      {{0x7F}, 1, 1, 0x7F},
      {{0x81, 0x80}, 2, 2, 0x80},
      {{0x82, 0x01, 0x02}, 3, 3, 0x0102},
      {{0x83, 0x01, 0x02, 0x03}, 4, 4, 0x0203},  // kept in 16 bits
      {{0x80}, 1, 1, 0},
      {{0x82, 0x01, 0x02}, 2, 0, 0},  // its bytes run past what is there
      {{0x05}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    WORD value = 0;
    EXPECT_EQ(DecodeLengthField(c.field.data(), c.available, &value), c.used) << int(c.field[0]);
    EXPECT_EQ(value, c.value) << int(c.field[0]);
  }
}

TEST(CiMessage, ConnectionDescriptorOfTypeTwoTakesItsByteAsNumber) {
  Bytes d = simcam::ChannelDescriptor(2, 0x41, 4, 12);
  _typ_ConnectionDesc desc;
  ASSERT_TRUE(DecodeConnectionDesc(d.data(), int(d.size()), &desc));
  EXPECT_EQ(desc.dwType, 2u);
  EXPECT_STREQ(desc.number, "A");
  EXPECT_EQ(desc.bRetryCount, 4);
  EXPECT_EQ(desc.bTimeout, 12);
  // Every shorter object is refused.
  for (size_t cut = 0; cut < d.size(); ++cut) EXPECT_FALSE(DecodeConnectionDesc(d.data(), int(cut), &desc)) << cut;
}

TEST(CiMessage, TelephoneDigitsCountAllFiveLengths) {
  // Country prefix 1, international area code 2, operator code 1 (body byte
  // 4 = 0b0_01_010_01), national area code 3 and core number 4 (body byte 5).
  Bytes d = {0x9F, 0x8C, 0x01, 17, 1, 0x57, 15, 0, 0x29, 0x34};
  const std::string digits = "00493012345678";
  d.insert(d.end(), digits.begin(), digits.begin() + 11);
  d.insert(d.end(), {7, 8});
  _typ_ConnectionDesc desc;
  ASSERT_TRUE(DecodeConnectionDesc(d.data(), int(d.size()), &desc));
  EXPECT_STREQ(desc.number, "00493012345");
  EXPECT_EQ(desc.bRetryCount, 7);
  EXPECT_EQ(desc.bTimeout, 8);
}
