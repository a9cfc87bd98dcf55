// The label test of the tree control's text search: does a label contain the
// searched text, with or without case, optionally as a whole word. Portable;
// the character classes of the code page come from a CJVTreeCharSet (the
// system's on Windows, the Western code page elsewhere).
#pragma once

#include <string>
#include <string_view>

class CJVTreeCharSet {
 public:
  virtual ~CJVTreeCharSet() = default;
  // The first byte of a two-byte character.
  virtual bool IsLeadByte(unsigned char c) const = 0;
  virtual bool IsLetter(unsigned char c) const = 0;
  // Lower-cases a label in place, two-byte characters left as they are.
  virtual void ToLower(std::string& text) const = 0;
};

// The Western (single-byte) code page, for builds without the system's tables.
const CJVTreeCharSet& JVWesternCharSet();

// True when label contains text; with bWholeWord only an occurrence whose
// neighbours (where present) are neither letters nor "_" counts, and after
// one that does not the search goes on behind it. An empty text never matches.
bool JVTreeLabelMatches(std::string_view label, std::string_view text, bool bMatchCase, bool bWholeWord,
                        const CJVTreeCharSet& charSet);
