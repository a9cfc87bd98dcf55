// Portable: which control an Alt+letter (or a letter while a bar tracks)
// chooses. The walk order, which controls take part and how a key matches a
// character are the caller's; the rule of choice is here: a caption's
// explicit "&" mark wins, a second explicit match makes the choice
// ambiguous (it is selected, not carried out), and a caption's first
// character counts only where allowed and only when no explicit mark
// matches.
#pragma once

#include <WinTypes.h>

#include <functional>
#include <vector>

struct JVKMnemonicCandidate {
  const char* pszCaption;  // the caption shown; null or empty takes no part
  BOOL bFirstCharAllowed;  // a caption without "&" may match by its first character
};

struct JVKMnemonicMatch {
  int nIndex = -1;  // into the candidates; -1: none
  BOOL bAmbiguous = FALSE;
};

// The mnemonic character of a caption: the one after the first "&" unless
// that "&" ends the caption (*pbExplicit TRUE), else the first character;
// 0 for an empty caption.
char JVKMnemonicChar(const char* pszCaption, BOOL* pbExplicit);

// The choice among the candidates, in walk order, for a key that bMatches
// tests against a character.
JVKMnemonicMatch JVKFindMnemonic(const std::vector<JVKMnemonicCandidate>& candidates,
                                 const std::function<BOOL(char)>& bMatches);
