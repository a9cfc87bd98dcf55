// The masked edit's text logic over a string: the mask table, typing,
// deleting, undo, copy and paste with the literal characters in place.
#include "MaskEditModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "MaskFieldSite.h"

namespace {

// ---- The mask table ---------------------------------------------------------

struct CharCase {
  char mask;
  const char* accepted;  // each is taken as it stands
  const char* rejected;
};

const CharCase kCharCases[] = {
    {'0', "0123456789", " a+-.,_"},
    {'9', "09 ", "a+-."},
    {'#', "09 +-", "a.,"},
    {'d', "09 +-,.", "a#e"},
    {'L', "aZ\xE9\xC9", "0 _-"},
    {'?', "aZ \xE9", "0_-"},
    {'A', "aZ09\xE9", " _-"},
    {'a', "aZ09 ", "_-."},
    {'&', "aZ09 #&(.-_~\xE9\xA3", "\x01\x1F\x7F\x81"},
    {'H', "09afAF", "gG x"},
    {'X', "09afAF ", "gG-"},
    {'x', "", "0aA _&"},  // unknown mask characters take nothing
    {'_', "", "0a _"},
};

TEST(MaskCharTable, AcceptsExactlyItsClasses) {
  const CJVKMaskCharClasses& classes = JVKWesternMaskCharClasses();
  for (const CharCase& c : kCharCases) {
    for (const char* p = c.accepted; *p; ++p) {
      char ch = *p;
      EXPECT_TRUE(JVKMaskCharAccepts(c.mask, ch, classes)) << "mask " << c.mask << " char " << int(*p);
      EXPECT_EQ(ch, *p) << "mask " << c.mask << " keeps the character";
    }
    for (const char* p = c.rejected; *p; ++p) {
      char ch = *p;
      EXPECT_FALSE(JVKMaskCharAccepts(c.mask, ch, classes)) << "mask " << c.mask << " char " << int(*p);
    }
  }
}

TEST(MaskCharTable, CaseMasksConvertLetters) {
  const CJVKMaskCharClasses& classes = JVKWesternMaskCharClasses();
  struct {
    char mask, in, out;
  } cases[] = {{'>', 'a', 'A'}, {'>', 'A', 'A'}, {'>', '\xE9', '\xC9'}, {'<', 'Q', 'q'},
               {'<', '\xC9', '\xE9'}, {'<', 'q', 'q'}, {'>', '\xDF', '\xDF'}};
  for (const auto& c : cases) {
    char ch = c.in;
    EXPECT_TRUE(JVKMaskCharAccepts(c.mask, ch, classes));
    EXPECT_EQ(ch, c.out) << c.mask << " " << int(static_cast<unsigned char>(c.in));
  }
  for (char mask : {'>', '<'}) {
    for (char in : {'1', ' ', '-'}) {
      char ch = in;
      EXPECT_FALSE(JVKMaskCharAccepts(mask, ch, classes));
    }
  }
}

// ---- A field ----------------------------------------------------------------

class MaskField : public ::testing::Test {
 protected:
  MaskField() : m_site(m_model) {}

  void Open(const char* mask, const char* literal, const char* text = nullptr) {
    ASSERT_TRUE(m_model.SetEditMask(mask, literal, text, m_site));
  }
  void Sel(int nStart, int nEnd) {
    m_site.m_nStart = nStart;
    m_site.m_nEnd = nEnd;
  }
  void Caret(int nPos) { Sel(nPos, nPos); }

  // Keys as a user gives them: {B} Backspace, {D} Delete, {S} the space key,
  // {I} Insert, {U} undo, {C} clear; every other character is typed (a
  // space typed as a character is passed over: its key did the work).
  void Keys(const std::string& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == '{' && i + 2 < keys.size() && keys[i + 2] == '}') {
        switch (keys[i + 1]) {
          case 'B': m_model.OnBackspace(m_site); break;
          case 'D': m_model.OnDelete(m_site); break;
          case 'S': m_model.OnSpace(m_site); break;
          case 'I': m_model.ToggleOverType(); break;
          case 'U': m_model.Undo(m_site); break;
          case 'C': m_model.Clear(m_site); break;
          default: ADD_FAILURE() << "unknown key " << keys[i + 1];
        }
        i += 2;
        continue;
      }
      EXPECT_TRUE(m_model.OnChar(keys[i], m_site)) << "no default handling for " << int(keys[i]);
    }
  }
  void PasteText(const std::string& text) { m_model.Paste(text.data(), text.size(), m_site); }
  int Beeps() const { return m_site.m_nInputErrors + m_site.m_nInvalidChars; }
  std::string Text() const { return static_cast<LPCTSTR>(m_site.m_strText); }

  CJVKMaskEditModel m_model;
  CMaskFieldSite m_site;
};

TEST_F(MaskField, InputPositionsAndInputData) {
  Open("(00)-0", "(__)-_", "(12)-3");
  struct {
    int pos;
    int forward, backward;
  } cases[] = {{0, 1, 1}, {1, 1, 1}, {2, 2, 2}, {3, 5, 2}, {4, 5, 2}, {5, 5, 5}, {6, 6, 5}, {9, 6, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(m_model.NextInputPos(c.pos, TRUE), c.forward) << c.pos;
    EXPECT_EQ(m_model.NextInputPos(c.pos, FALSE), c.backward) << c.pos;
  }
  m_model.Synchronise(m_site);
  EXPECT_STREQ(m_model.GetInputData(0), "123");
  EXPECT_STREQ(m_model.GetInputData(2, 6), "23");
  EXPECT_STREQ(m_model.GetInputData(3, 5), "");
  EXPECT_EQ(m_model.GetMaskChar(2), '0');
  EXPECT_EQ(m_model.GetMaskChar(3), '\0') << "a literal position has no mask character";

  CJVKMaskEditModel empty;
  EXPECT_EQ(empty.NextInputPos(3, TRUE), 3) << "no input position at all";
}

// One row: a field, where the caret or selection is, the keys, what it shows
// after them, where the caret is and how often it beeped.
struct KeyCase {
  const char* name;
  const char* mask;
  const char* literal;
  const char* text;  // nullptr: the literal
  int selStart, selEnd;
  const char* keys;
  const char* shown;
  int caret;  // -1: not checked
  int beeps;
};

const KeyCase kKeyCases[] = {
    {"typing skips the literal", "00/00", "__/__", nullptr, 0, 0, "123", "12/3_", 4, 0},
    {"a letter beeps, nothing changes", "00/00", "__/__", "12/3_", 4, 4, "a", "12/3_", 4, 1},
    {"typing on from the end beeps", "00/00", "__/__", "12/34", 5, 5, "5", "12/34", 5, 1},
    {"typing on a literal beeps", "00/00", "__/__", "12/__", 2, 2, "5", "12/__", 2, 1},
    {"insert shifts, the last falls off", "00/00", "__/__", "12/34", 0, 0, "9", "91/23", 1, 0},
    {"overtype replaces", "00/00", "__/__", "12/34", 0, 0, "{I}9", "92/34", 1, 0},
    {"a selection is replaced", "00/00", "__/__", "12/34", 0, 5, "7", "7_/__", 1, 0},
    {"the d mask takes a point", "d", "_", nullptr, 0, 0, ".", ".", 1, 0},
    {"the d mask refuses a letter", "d", "_", nullptr, 0, 0, "x", "_", 0, 1},
    {"upper-case mask", ">>>", "___", nullptr, 0, 0, "aBc", "ABC", 3, 0},
    {"lower-case mask", "<<<", "___", nullptr, 0, 0, "AbC", "abc", 3, 0},
    {"punctuation through &", "&&&&", "____", nullptr, 0, 0, "#&(.", "#&(.", 4, 0},
    {"Ctrl+Backspace's 127 is refused", "&&", "__", "ab", 0, 0, "\x7f", "ab", 0, 1},
    {"Backspace after the last digit", "00/00", "__/__", "12/3_", 4, 4, "{B}", "12/__", 3, 0},
    {"Backspace over a literal", "00/00", "__/__", "12/34", 3, 3, "{B}", "13/4_", 1, 0},
    {"Backspace at the start beeps", "00/00", "__/__", "12/34", 0, 0, "{B}", "12/34", 0, 1},
    {"Backspace on a selection from 0", "00/00", "__/__", "12/34", 0, 4, "{B}", "4_/__", 0, 0},
    {"Backspace in overtype empties the position", "00/00", "__/__", nullptr, 0, 0, "{I}12{B}", "1_/__", 1, 0},
    {"Backspace in overtype restores the opening value", "00/00", "__/__", "12/34", 0, 0, "{I}9{B}", "12/34", 0, 0},
    {"Delete on the first digit", "00/00", "__/__", "12/34", 0, 0, "{D}", "23/4_", 0, 0},
    {"Delete on a literal changes nothing", "00/00", "__/__", "12/34", 2, 2, "{D}", "12/34", 2, 0},
    {"Delete a selection over the literal", "00/00", "__/__", "12/34", 1, 4, "{D}", "14/__", 1, 0},
    {"Delete at the end", "00/00", "__/__", "12/34", 5, 5, "{D}", "12/34", 5, 0},
    {"space key puts a space where it fits", "??", "__", "ab", 0, 0, "{S} ", " a", 1, 0},
    {"space key puts the prompt elsewhere", "00/00", "__/__", "12/34", 0, 0, "{S}", "_1/23", 1, 0},
    {"space key from a literal goes on", "00/00", "__/__", "12/34", 2, 2, "{S}", "12/_3", 4, 0},
    {"space key at the end beeps", "00/00", "__/__", "12/34", 5, 5, "{S}", "12/34", 5, 1},
    {"clear keeps the literal", "(000)", "(___)", "(123)", 0, 5, "{C}", "(___)", 0, 0},
};

class MaskKeys : public MaskField, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MaskKeys, GivesTheTextAndCaret) {
  const KeyCase& c = GetParam();
  Open(c.mask, c.literal, c.text);
  Sel(c.selStart, c.selEnd);
  Keys(c.keys);
  EXPECT_EQ(Text(), c.shown);
  if (c.caret >= 0) {
    EXPECT_EQ(m_site.m_nStart, c.caret);
    EXPECT_EQ(m_site.m_nEnd, c.caret);
  }
  EXPECT_EQ(Beeps(), c.beeps);
}

INSTANTIATE_TEST_SUITE_P(Table, MaskKeys, ::testing::ValuesIn(kKeyCases), [](const auto& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
});

TEST_F(MaskField, InvalidCharReportsTheMaskCharacter) {
  Open("0L", "__");
  Caret(1);
  Keys("5");
  EXPECT_EQ(m_site.m_nInvalidChars, 1);
  EXPECT_EQ(m_site.m_chLastMask, 'L');
}

TEST_F(MaskField, ControlCharactersGoToTheWindow) {
  // A tab passes the mask for "9" (a space of the code page) but is not
  // printable: the window's own handling gets it.
  Open("99", "__");
  EXPECT_FALSE(m_model.OnChar('\t', m_site));
  EXPECT_TRUE(m_model.OnChar('\b', m_site)) << "Backspace was applied by its key";
  EXPECT_EQ(Text(), "__");
}

// ---- Setting the mask and the prompt ------------------------------------------

TEST_F(MaskField, SetEditMaskBuildsTheText) {
  struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {nullptr, "__/__"},
      {"1234", "12/34"},   // another length: laid over the literal
      {"12", "12/__"},
      {"1a34", "1_/__"},   // a rejected character leaves the prompt and is tried further on
      {"12/3x", "12/3x"},  // the literal's length: taken as it stands
      {"", "__/__"},
  };
  for (const auto& c : cases) {
    Open("00/00", "__/__", c.text);
    EXPECT_EQ(Text(), c.shown) << (c.text ? c.text : "(none)");
    EXPECT_STREQ(m_model.m_strDefault, c.shown);
    EXPECT_STREQ(m_model.m_strUndoBuffer, c.shown);
    EXPECT_FALSE(m_model.m_bModified);
  }
}

TEST_F(MaskField, SetEditMaskRefusesADifferentLengthAndKeepsTheOldMask) {
  Open("00/00", "__/__", "12/34");
  EXPECT_FALSE(m_model.SetEditMask("000", "__/__", nullptr, m_site));
  EXPECT_FALSE(m_model.SetEditMask("00/00", "___", "9", m_site));
  EXPECT_STREQ(m_model.m_strMask, "00/00");
  EXPECT_STREQ(m_model.m_strLiteral, "__/__");
  EXPECT_EQ(Text(), "12/34");
  // Typing still follows the old mask.
  Caret(0);
  Keys("{I}x7");
  EXPECT_EQ(Text(), "72/34");
}

TEST_F(MaskField, PromptCharChangesEveryEmptyPosition) {
  Open("00/00", "__/__", "12");
  Caret(2);
  m_model.SetPromptChar('*', TRUE, m_site);
  EXPECT_EQ(Text(), "12/**");
  EXPECT_STREQ(m_model.m_strLiteral, "**/**");
  EXPECT_EQ(m_model.m_chPrompt, '*');
  EXPECT_FALSE(m_model.m_bModified) << "a new prompt is no edit";
  Keys("{U}");
  EXPECT_EQ(Text(), "12/**") << "the undo text has the new prompt as well";
  // Backspace in overtype brings back the new prompt.
  Caret(3);
  Keys("{I}5");
  EXPECT_EQ(Text(), "12/5*");
  Keys("{B}");
  EXPECT_EQ(Text(), "12/**");
  // Typing still finds the input positions.
  Keys("{I}67");
  EXPECT_EQ(Text(), "12/67");
}

// ---- Undo, redo and modified ---------------------------------------------------

TEST_F(MaskField, UndoAndRedoAlternate) {
  Open("00/00", "__/__");
  Caret(0);
  Keys("12");
  EXPECT_TRUE(m_model.m_bModified);
  Keys("{U}");
  EXPECT_EQ(Text(), "__/__") << "a run of typing is one step";
  Keys("{U}");
  EXPECT_EQ(Text(), "12/__") << "the second undo redoes";
  Keys("{U}");
  EXPECT_EQ(Text(), "__/__");
}

TEST_F(MaskField, EachDeletionIsItsOwnStep) {
  Open("00/00", "__/__");
  Caret(0);
  Keys("1234");
  Caret(5);
  Keys("{B}");
  EXPECT_EQ(Text(), "12/3_");
  Caret(4);
  Keys("9");
  EXPECT_EQ(Text(), "12/39");
  Keys("{U}");
  EXPECT_EQ(Text(), "12/3_") << "typing after a deletion starts a new step";
}

TEST_F(MaskField, TypingAfterUndoStartsANewStep) {
  Open("00/00", "__/__");
  Caret(0);
  Keys("12{U}{U}");
  ASSERT_EQ(Text(), "12/__");
  Caret(3);
  Keys("3");
  Keys("{U}");
  EXPECT_EQ(Text(), "12/__");
}

// ---- Copy, cut, paste -----------------------------------------------------------

TEST_F(MaskField, CopyLeavesTheLiteralOut) {
  Open("00/00", "__/__", "12/34");
  Sel(0, 5);
  EXPECT_STREQ(m_model.GetCopyText(m_site), "1234");
  Sel(1, 4);
  EXPECT_STREQ(m_model.GetCopyText(m_site), "23");
  Sel(2, 3);
  EXPECT_STREQ(m_model.GetCopyText(m_site), "");
  EXPECT_EQ(Text(), "12/34") << "copying changes nothing";
}

struct PasteCase {
  const char* text;
  int selStart, selEnd;
  std::string pasted;
  const char* shown;
  int caret;
};

const PasteCase kPasteCases[] = {
    {nullptr, 0, 0, "1a2", "12/__", 3},             // the letter is dropped
    {nullptr, 0, 0, "1234", "12/34", 5},
    {nullptr, 0, 0, "12/34", "12/34", 5},            // a slash is dropped too
    {nullptr, 0, 0, "123456789", "12/34", 5},        // what does not fit is left
    {"12/__", 3, 3, "9", "12/9_", 4},
    {"12/34", 0, 0, "9", "91/23", 1},                // pasting inserts
    {"12/34", 1, 4, "56", "15/64", 4},               // a selection goes first
    {"12/34", 2, 2, "9", "12/93", 4},                // from a literal, at the next input position
    {nullptr, 0, 0, "_1", "_1/__", 3},               // the prompt stands for an empty position
    {nullptr, 0, 0, std::string("12\0" "34", 5), "12/__", 3},  // a NUL ends the text
    {nullptr, 0, 0, "", "__/__", 0},
    {"12/34", 5, 5, "9", "12/34", 5},
};

class MaskPaste : public MaskField, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(MaskPaste, InsertsWhatTheMaskTakes) {
  const PasteCase& c = GetParam();
  Open("00/00", "__/__", c.text);
  Sel(c.selStart, c.selEnd);
  PasteText(c.pasted);
  EXPECT_EQ(Text(), c.shown);
  EXPECT_EQ(m_site.m_nStart, c.caret);
  EXPECT_EQ(m_site.m_nEnd, c.caret);
}

INSTANTIATE_TEST_SUITE_P(Table, MaskPaste, ::testing::ValuesIn(kPasteCases));

TEST_F(MaskField, PasteReadsNoFurtherThanTheBlock) {
  // A clipboard block without a terminating NUL: under the address
  // sanitizer a read behind its last byte fails the test.
  Open("&&&&&&&&", "________");
  Caret(0);
  char* pBlock = static_cast<char*>(malloc(3));
  memcpy(pBlock, "abc", 3);
  m_model.Paste(pBlock, 3, m_site);
  free(pBlock);
  EXPECT_EQ(Text(), "abc_____");
  m_model.Paste(nullptr, 0, m_site);
  EXPECT_EQ(Text(), "abc_____");
}

TEST_F(MaskField, PasteIsOneUndoStep) {
  Open("00/00", "__/__", "12/__");
  Caret(3);
  PasteText("34");
  EXPECT_EQ(Text(), "12/34");
  Keys("{U}");
  EXPECT_EQ(Text(), "12/__");
}

// ---- The caret ------------------------------------------------------------------

TEST_F(MaskField, CaretStaysWithinTheInputPositions) {
  Open("(000)", "(___)", "(123)");
  struct {
    BOOL forward, shift;
    int selStart, selEnd;  // after the window moved the caret
    int start, end;
    bool touched;
  } cases[] = {
      {TRUE, FALSE, 5, 5, 4, 4, true},    // End: back to after the last digit
      {TRUE, TRUE, 2, 5, 2, 4, true},     // Shift+End keeps the start
      {TRUE, FALSE, 3, 3, 3, 3, false},   // within: the window's own selection stays
      {FALSE, FALSE, 0, 0, 1, 1, true},   // Home: forward to the first digit
      {FALSE, TRUE, 0, 3, 1, 3, true},
      {FALSE, FALSE, 2, 2, 2, 2, false},
  };
  for (const auto& c : cases) {
    Sel(c.selStart, c.selEnd);
    const int nSets = m_site.m_nSelSets;
    m_model.AfterCaretMove(c.forward, c.shift, m_site);
    EXPECT_EQ(m_site.m_nStart, c.start);
    EXPECT_EQ(m_site.m_nEnd, c.end);
    EXPECT_EQ(m_site.m_nSelSets != nSets, c.touched);
  }
  EXPECT_EQ(Text(), "(123)");
}

TEST_F(MaskField, SelectAllAndFocusStartAtTheFirstInputPosition) {
  Open("(000)", "(___)", "(123)");
  m_model.SelectAll(m_site);
  EXPECT_EQ(m_site.m_nStart, 1);
  EXPECT_EQ(m_site.m_nEnd, 5);
  Caret(0);
  m_model.CaretToInput(m_site);
  EXPECT_EQ(m_site.m_nStart, 1);
  EXPECT_EQ(m_site.m_nEnd, 1);
}

TEST_F(MaskField, ForeignWindowTextIsFittedToTheLiteral) {
  Open("00/00", "__/__");
  m_site.m_strText = "12/3456";
  Caret(0);
  Keys("{D}");
  EXPECT_EQ(Text(), "23/4_") << "cut to the literal's length first";
  m_site.m_strText = "9";
  Caret(1);
  Keys("8");
  EXPECT_EQ(Text(), "98/__") << "padded with the literal";
}

}  // namespace
