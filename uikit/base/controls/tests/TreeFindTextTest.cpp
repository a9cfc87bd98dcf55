// The tree search's label test, over the Western code page.
#include "TreeFindText.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
  const char* label;
  const char* text;
  bool matchCase;
  bool wholeWord;
  bool found;
};

const FindCase kCases[] = {
    // Whole words: letters and "_" join, digits, blanks and signs separate.
    {"Sat 1", "sat", false, true, true},
    {"Satellite", "sat", false, true, false},
    {"my_sat", "sat", false, true, false},
    {"SAT", "sat", false, true, true},
    {"sat1", "sat", false, true, true},
    {"sat-2", "sat", false, true, true},
    {"(sat)", "sat", false, true, true},
    {"2sat", "sat", false, true, true},
    // After an occurrence that does not count the search goes on behind it.
    {"satsat sat", "sat", false, true, true},
    {"Satellite Sat", "Sat", true, true, true},
    {"satellites", "sat", false, true, false},
    // Without whole words any occurrence counts.
    {"Satellite", "sat", false, false, true},
    {"my_sat", "sat", false, false, true},
    // Case.
    {"SAT", "sat", true, true, false},
    {"Sat 1", "Sat", true, true, true},
    {"das erste", "DAS", false, true, true},
    // Accented letters of the code page are letters and have a case.
    {"\xC9sat", "sat", false, true, false},
    {"sat\xE9", "sat", false, true, false},
    {"sat\xD7", "sat", false, true, true},  // the multiplication sign is no letter
    {"\xC9T\xC9", "\xE9t\xE9", false, true, true},
    {"\xC9T\xC9", "\xE9t\xE9", true, true, false},
    // Empty texts and labels.
    {"Sat 1", "", false, false, false},
    {"", "sat", false, false, false},
    {"sat", "sat", true, true, true},
    {"sa", "sat", false, false, false},
};

class TreeFindText : public ::testing::TestWithParam<FindCase> {};

TEST_P(TreeFindText, MatchesAsTheTableSays) {
  const FindCase& c = GetParam();
  EXPECT_EQ(JVTreeLabelMatches(c.label, c.text, c.matchCase, c.wholeWord, JVWesternCharSet()), c.found)
      << "label '" << c.label << "' text '" << c.text << "' case " << c.matchCase << " word " << c.wholeWord;
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeFindText, ::testing::ValuesIn(kCases));

// A code page with two-byte characters: 0x81 leads one.
class CDoubleByteCharSet : public CJVTreeCharSet {
 public:
  bool IsLeadByte(unsigned char c) const override { return c == 0x81; }
  bool IsLetter(unsigned char c) const override { return JVWesternCharSet().IsLetter(c); }
  void ToLower(std::string& text) const override { JVWesternCharSet().ToLower(text); }
};

TEST(TreeFindTextDoubleByte, MatchesNeverStartInsideACharacter) {
  const CDoubleByteCharSet charSet;
  // "A" is the second byte of the character 0x81 0x41.
  EXPECT_FALSE(JVTreeLabelMatches("\x81" "A", "A", true, false, charSet));
  EXPECT_TRUE(JVTreeLabelMatches("\x81" "AA", "A", true, false, charSet));
  // A two-byte character belongs to the word it touches.
  EXPECT_FALSE(JVTreeLabelMatches("\x81" "Bsat", "sat", true, true, charSet));
  EXPECT_TRUE(JVTreeLabelMatches("\x81" "B sat", "sat", true, true, charSet));
}

}  // namespace
