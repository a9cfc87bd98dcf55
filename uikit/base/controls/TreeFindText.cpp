#include "TreeFindText.h"

#include <cstddef>

namespace {

class CWesternCharSet : public CJVTreeCharSet {
 public:
  bool IsLeadByte(unsigned char) const override { return false; }
  bool IsLetter(unsigned char c) const override {
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
    return c >= 0x80 && (LowerOf(c) != c || UpperOf(c) != c || IsCaselessLetter(c));
  }
  void ToLower(std::string& text) const override {
    for (char& ch : text) ch = static_cast<char>(LowerOf(static_cast<unsigned char>(ch)));
  }

 private:
  // Capitals of the code page and their small letters.
  static unsigned char LowerOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
      case 0x8A: return 0x9A;  // S caron
      case 0x8C: return 0x9C;  // OE
      case 0x8E: return 0x9E;  // Z caron
      case 0x9F: return 0xFF;  // Y diaeresis
      default: return c;
    }
  }
  static unsigned char UpperOf(unsigned char c) {
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
      case 0x9A: return 0x8A;
      case 0x9C: return 0x8C;
      case 0x9E: return 0x8E;
      case 0xFF: return 0x9F;
      default: return c;
    }
  }
  // Letters without a second case: f-hook, sharp s, the ordinal indicators
  // and micro.
  static bool IsCaselessLetter(unsigned char c) {
    return c == 0x83 || c == 0xDF || c == 0xAA || c == 0xBA || c == 0xB5;
  }
};

// Offsets at which characters begin, so that a match never starts or ends
// inside a two-byte character.
bool StartsCharacter(std::string_view s, size_t at, const CJVTreeCharSet& charSet) {
  size_t i = 0;
  while (i < at) i += charSet.IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
  return i == at;
}

// A two-byte character counts as part of a word.
bool IsWordCharAt(std::string_view s, size_t at, const CJVTreeCharSet& charSet) {
  const unsigned char c = static_cast<unsigned char>(s[at]);
  if (c == '_') return true;
  if (charSet.IsLeadByte(c)) return true;
  return charSet.IsLetter(c);
}

// The character that ends just before offset at (a two-byte one included).
bool WordCharBefore(std::string_view s, size_t at, const CJVTreeCharSet& charSet) {
  size_t i = 0, last = 0;
  while (i < at) {
    last = i;
    i += charSet.IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
  }
  return IsWordCharAt(s, last, charSet);
}

}  // namespace

const CJVTreeCharSet& JVWesternCharSet() {
  static const CWesternCharSet charSet;
  return charSet;
}

bool JVTreeLabelMatches(std::string_view label, std::string_view text, bool bMatchCase, bool bWholeWord,
                        const CJVTreeCharSet& charSet) {
  if (text.empty()) return false;
  std::string lowerLabel, lowerText;
  if (!bMatchCase) {
    lowerLabel.assign(label);
    lowerText.assign(text);
    charSet.ToLower(lowerLabel);
    charSet.ToLower(lowerText);
    label = lowerLabel;
    text = lowerText;
  }
  size_t from = 0;
  while (from <= label.size()) {
    const size_t at = label.find(text, from);
    if (at == std::string_view::npos) return false;
    const size_t end = at + text.size();
    if (StartsCharacter(label, at, charSet) && (end == label.size() || StartsCharacter(label, end, charSet))) {
      if (!bWholeWord) return true;
      const bool startsWord = at == 0 || !WordCharBefore(label, at, charSet);
      const bool endsWord = end == label.size() || !IsWordCharAt(label, end, charSet);
      if (startsWord && endsWord) return true;
      from = end;  // go on behind the occurrence that did not count
    } else {
      from = at + 1;
    }
  }
  return false;
}
