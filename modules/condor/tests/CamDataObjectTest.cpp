// The CAM data object as the CAM fills it: texts bounded by their fields,
// the choice count by the room for choices, the requested answer length by
// the answer's buffer, and the lines the dialog's list shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <TwinhanTypes.h>

#include "CamDataObject.h"

namespace {

void Put(CCamDataObject& o, size_t offset, const std::string& text) {
  std::memcpy(o.Data() + offset, text.data(), text.size());
}

void PutInt(CCamDataObject& o, size_t offset, int value) {
  for (int i = 0; i < 4; ++i) o.Data()[offset + i] = static_cast<BYTE>(static_cast<unsigned>(value) >> (8 * i));
}

CCamDataObject Menu(int count) {
  CCamDataObject o;
  Put(o, 0, "Main menu");
  Put(o, 256, "Smart card");
  Put(o, 512, "Press OK");
  const char* choices[] = {"Status", "Pin", "Language"};
  for (int i = 0; i < 3; ++i) Put(o, 768 + 42 * i, choices[i]);
  PutInt(o, 1148, count);
  return o;
}

TEST(CamDataObjectTest, MenuAndListLinesAsTheDialogShowsThem) {
  const CCamDataObject o = Menu(3);
  EXPECT_EQ((std::vector<std::string>{"Main menu", "Smart card", "1. Status", "2. Pin", "3. Language", "Press OK"}),
            o.ListLines(kMmiMenu));
  EXPECT_EQ((std::vector<std::string>{"Main menu", "Smart card", "Status", "Pin", "Language"}), o.ListLines(kMmiList));
}

TEST(CamDataObjectTest, ChoiceCountIsBoundedByTheRoomForChoices) {
  struct Case {
    int written, shown;
  } cases[] = {{0, 0}, {3, 3}, {9, 9}, {10, 9}, {1000, 9}, {-1, 0}, {INT32_MIN, 0}};
  for (const Case& c : cases) {
    const CCamDataObject o = Menu(c.written);
    EXPECT_EQ(c.written, o.RawChoiceCount());
    EXPECT_EQ(c.shown, o.ChoiceCount()) << c.written;
    EXPECT_EQ(static_cast<size_t>(c.shown + 3), o.ListLines(kMmiMenu).size()) << c.written;
  }
}

TEST(CamDataObjectTest, TextsWithoutTheirEndStopAtTheirField) {
  CCamDataObject o;
  std::memset(o.Data(), 'x', CCamDataObject::kSize);
  PutInt(o, 1148, 9);
  EXPECT_EQ(std::string(256, 'x'), o.Title());
  EXPECT_EQ(std::string(256, 'x'), o.Prompt());
  EXPECT_EQ(std::string(42, 'x'), o.Choice(8));
  EXPECT_EQ(std::string(256, 'x'), o.Answer());
}

TEST(CamDataObjectTest, EnquiryLengthIsBoundedByTheAnswerBuffer) {
  struct Case {
    int written, requested;
  } cases[] = {{4, 4}, {255, 255}, {256, 255}, {100000, 255}, {-5, 0}};
  for (const Case& c : cases) {
    CCamDataObject o;
    PutInt(o, 1160, c.written);
    EXPECT_EQ(c.requested, o.RequestedLength()) << c.written;
  }
}

TEST(CamDataObjectTest, AnswerAndSelectorGoWhereTheCamReadsThem) {
  CCamDataObject o;
  o.SetAnswer("1234");
  o.SetSelector(CCamDataObject::kEnquiryAnswered);
  EXPECT_EQ(0, std::memcmp(o.Data() + 1424, "1234", 5));
  EXPECT_EQ(3, o.Data()[1420]);
  o.SetAnswer(std::string(400, '9'));  // cut to the buffer, still terminated
  EXPECT_EQ(std::string(255, '9'), o.Answer());
  EXPECT_EQ(0, o.Data()[CCamDataObject::kSize - 1]);
  o.ClearAnswer(4);
  EXPECT_EQ(0, o.Data()[1424 + 3]);
  EXPECT_EQ('9', o.Data()[1424 + 4]);
  o.ClearAnswer(100000);  // bounded by the buffer
  EXPECT_EQ("", o.Answer());
}

}  // namespace
