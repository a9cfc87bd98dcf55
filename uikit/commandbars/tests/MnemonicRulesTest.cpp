// The choice of a control by its mnemonic: explicit marks before first
// characters, ambiguity when two of a kind match, captions that take no
// part.
#include "MnemonicRules.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {
JVKMnemonicMatch Find(const std::vector<JVKMnemonicCandidate>& candidates, char chKey) {
  return JVKFindMnemonic(candidates, [chKey](char ch) {
    return std::toupper(static_cast<unsigned char>(ch)) == chKey;
  });
}
}  // namespace

TEST(MnemonicRules, TheMarkedCharacterElseTheFirst) {
  struct Row {
    const char* pszCaption;
    char ch;
    BOOL bExplicit;
  } rows[] = {
      {"&File", 'F', TRUE},  {"Fo&rmat", 'r', TRUE}, {"Plain", 'P', FALSE}, {"Ends&", 'E', FALSE},
      {"&&Both", '&', TRUE}, {"", 0, FALSE},         {nullptr, 0, FALSE},
  };
  for (const Row& row : rows) {
    BOOL bExplicit = 2;
    EXPECT_EQ(row.ch, JVKMnemonicChar(row.pszCaption, &bExplicit)) << (row.pszCaption ? row.pszCaption : "(null)");
    EXPECT_EQ(row.bExplicit, bExplicit) << (row.pszCaption ? row.pszCaption : "(null)");
  }
}

TEST(MnemonicRules, ChoosesAsTheTableSays) {
  struct Row {
    const char* pszCase;
    std::vector<JVKMnemonicCandidate> candidates;
    char chKey;
    int nIndex;
    BOOL bAmbiguous;
  } rows[] = {
      {"one marked", {{"&Open", FALSE}, {"&File", FALSE}}, 'F', 1, FALSE},
      {"two marked: the first, ambiguous", {{"&File", FALSE}, {"&Format", FALSE}, {"&Edit", FALSE}}, 'F', 0, TRUE},
      {"marked beats an earlier first character", {{"Fill", TRUE}, {"Re&fresh", TRUE}}, 'F', 1, FALSE},
      {"first character where allowed", {{"Open", TRUE}, {"File", TRUE}}, 'F', 1, FALSE},
      {"first character not allowed", {{"Open", FALSE}, {"File", FALSE}}, 'F', -1, FALSE},
      {"two first characters: ambiguous", {{"File", TRUE}, {"Find", TRUE}}, 'F', 0, TRUE},
      {"a marked one with a first-character one", {{"Find", TRUE}, {"&File", TRUE}}, 'F', 1, FALSE},
      {"nothing matches", {{"&Open", TRUE}}, 'X', -1, FALSE},
      {"empty captions take no part", {{"", TRUE}, {nullptr, TRUE}}, 'F', -1, FALSE},
  };
  for (const Row& row : rows) {
    const JVKMnemonicMatch match = Find(row.candidates, row.chKey);
    EXPECT_EQ(row.nIndex, match.nIndex) << row.pszCase;
    EXPECT_EQ(row.bAmbiguous, match.bAmbiguous) << row.pszCase;
  }
}
