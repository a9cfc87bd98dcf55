// The CA system names and the CAM texts as the menu dialog lists them: line
// order, numbering, line breaks inside a string, and messages that are
// dropped because they cannot be what they claim.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include <Framework.h>

#include "CaSystemNames.h"
#include "CamTextConversion.h"
#include "CamMenuText.h"

using namespace std::string_literals;

namespace {

// A message text: the strings, each zero-terminated.
std::string Strings(const std::vector<std::string>& strings) {
  std::string text;
  for (const std::string& s : strings) text += s + '\0';
  return text;
}

TEST(CaSystemNames, NameTheRangeAnIdFallsIn) {
  const struct {
    WORD id;
    const char* name;
  } cases[] = {
      {0x0000, "Reserved"},
      {0x0001, "Standardized systems"},
      {0x00FF, "Standardized systems"},
      {0x0100, "Canal Plus (SECA/Mediaguard)"},
      {0x0B00, "Norwegian Telekom (Conax)"},
      {0x1800, "Kudelski SA (NagraVision)"},
      {0x19FF, "Titan Information Systems"},
      {0x1A00, "Unknown"},
      {0x20AA, "Telef\xF3nica Servicios Audiovisuales"},
      {0x26FF, "European Broadcasting Union"},
      {0x2700, "Unknown"},
      {0x4750, "General Instrument"},
      {0x48FF, "Telemann"},
      {0xFFFF, "Unknown"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.name, CaSystemName(c.id)) << std::hex << c.id;
}

TEST(CamMenuText, AMenuListsTitleSubtitleTheNumberedChoicesThenTheBottomText) {
  const std::string text = Strings({"Main", "Sub", "Bottom", "Card", "Language", "Info"});
  const CamMenuLines menu =
      ComposeCamMenu(CamMenuKind::kMenu, 3, text.data(), static_cast<WORD>(text.size()), &ConvertCamText);
  EXPECT_EQ(CamMenuLines::kNone, menu.fault);
  EXPECT_EQ((std::vector<std::string>{"Main", "Sub", "[1] Card", "[2] Language", "[3] Info", "Bottom"}), menu.lines);

  const CamMenuLines list =
      ComposeCamMenu(CamMenuKind::kList, 3, text.data(), static_cast<WORD>(text.size()), &ConvertCamText);
  EXPECT_EQ((std::vector<std::string>{"Main", "Sub", "Card", "Language", "Info", "Bottom"}), list.lines);
}

TEST(CamMenuText, LineBreaksSplitAStringAndTheMarkerCharacterGoes) {
  // The title breaks into two lines, which moves every later line on by one;
  // a leading character 5 is dropped; control codes become blanks.
  const std::string text = Strings({"Top\x8Asecond", "\x05Sub", "Bot\x86tom", "One"});
  const CamMenuLines menu =
      ComposeCamMenu(CamMenuKind::kMenu, 1, text.data(), static_cast<WORD>(text.size()), &ConvertCamText);
  EXPECT_EQ((std::vector<std::string>{"Top", "second", "[1] Bot tom", "[2] One", "Sub"}), menu.lines);
}

TEST(CamMenuText, TheWalkStopsThreeBytesBeforeTheLengthAndNeverReadsPastIt) {
  struct Case {
    const char* name;
    std::string text;
    WORD length;
    CamMenuLines::Fault fault;
    std::vector<std::string> lines;
  };
  const std::string full = Strings({"T", "S", "B", "C1", "C2"});
  const std::vector<Case> cases = {
      // The message's last three bytes start no string.
      {"whole", full, static_cast<WORD>(full.size() + 3), CamMenuLines::kNone, {"T", "S", "[1] C1", "[2] C2", "B"}},
      {"exact", full, static_cast<WORD>(full.size()), CamMenuLines::kNone, {"T", "S", "[1] C1", "B"}},
      // The last string begins within the last three bytes: not walked.
      {"last string short", Strings({"T", "S", "B", "C"}), 8, CamMenuLines::kNone, {"T", "S", "B"}},
      // A length that ends inside a string cuts it there.
      {"cut", "Title\0Subtitle\0More"s, 12, CamMenuLines::kNone, {"Title", "Subtit"}},
      {"length 2", "AB"s, 2, CamMenuLines::kTooShort, {}},
      {"length 0", ""s, 0, CamMenuLines::kTooShort, {}},
  };
  for (const Case& c : cases) {
    // The text lies at the end of a buffer of its own length, so that a read
    // past it is seen by the sanitizer.
    std::vector<char> held(c.text.begin(), c.text.end());
    held.resize(c.length);
    const CamMenuLines menu = ComposeCamMenu(CamMenuKind::kMenu, 2, held.data(), c.length, &ConvertCamText);
    EXPECT_EQ(c.fault, menu.fault) << c.name;
    EXPECT_EQ(c.lines, menu.lines) << c.name;
  }
}

TEST(CamMenuText, MoreEntriesThanTheDialogShowsDropTheMessage) {
  std::vector<std::string> strings = {"T", "S", "B"};
  for (int i = 0; i <= kCamMaxEntries; ++i) strings.push_back("c" + std::to_string(i));
  const std::string text = Strings(strings);
  // Counted by the message and by the strings themselves.
  EXPECT_EQ(CamMenuLines::kTooManyEntries,
            ComposeCamMenu(CamMenuKind::kMenu, kCamMaxEntries + 1, text.data(), 10, &ConvertCamText).fault);
  const CamMenuLines walked =
      ComposeCamMenu(CamMenuKind::kList, 1, text.data(), static_cast<WORD>(text.size()), &ConvertCamText);
  EXPECT_EQ(CamMenuLines::kTooManyEntries, walked.fault);
  EXPECT_TRUE(walked.lines.empty());
  strings.pop_back();
  const std::string fits = Strings(strings);
  EXPECT_EQ(static_cast<size_t>(kCamMaxEntries + 3),
            ComposeCamMenu(CamMenuKind::kList, 1, fits.data(), static_cast<WORD>(fits.size()), &ConvertCamText).lines.size());
}

TEST(CamMenuText, ADisplayStringLosesItsLastCharacter) {
  const struct {
    std::string text;
    WORD length;
    const char* line;
  } cases[] = {
      {"Insert card.", 12, "Insert card"},
      {"Two\x8Alines", 9, "Tw"},
      {"X", 1, ""},
      {"", 0, ""},
      {"Long text", 4, "Lon"},  // the length ends it
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, ComposeCamString(c.text.data(), c.length, &ConvertCamText)) << c.text;
}

TEST(CamMenuText, SlotLinesAndTrimmedNames) {
  std::string line = "kept";
  EXPECT_TRUE(CamSlotLine(0, "Alpha", &line));
  EXPECT_EQ("No Module", line);
  EXPECT_TRUE(CamSlotLine(1, "Alpha", &line));
  EXPECT_EQ("Detecting module...", line);
  EXPECT_TRUE(CamSlotLine(2, "Alpha", &line));
  EXPECT_EQ("Alpha", line);
  EXPECT_FALSE(CamSlotLine(3, "Alpha", &line));
  EXPECT_EQ("Alpha", line);
  EXPECT_EQ("Alpha CAM", TrimCamName("Alpha CAM  \r\n", 13));
  EXPECT_EQ("Alp", TrimCamName("Alpha", 3));
}

}  // namespace
